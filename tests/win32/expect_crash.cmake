# Runs a program that crashes on purpose (through Wine, as every Windows test
# runs) and passes only if it started, then ended with a failing status well
# before the timeout a hung test would reach.
# Usage: cmake -DRUN=emulator|args -DEXE=crash.exe -P expect_crash.cmake
string(REPLACE "|" ";" run "${RUN}")
string(TIMESTAMP start "%s")
execute_process(COMMAND ${run} ${EXE}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors
                TIMEOUT 60)
string(TIMESTAMP end "%s")
math(EXPR seconds "${end} - ${start}")
if(NOT output MATCHES "crashing now")
  message(FATAL_ERROR "the program did not start (status ${result}):\n${output}${errors}")
endif()
if(output MATCHES "still running")
  message(FATAL_ERROR "the program went on after its crash")
endif()
if(NOT result MATCHES "^[0-9]+$")
  message(FATAL_ERROR "the crash was not reported as an exit: ${result} after ${seconds} s")
endif()
if(result EQUAL 0)
  message(FATAL_ERROR "the crashed program exited with status 0")
endif()
message(STATUS "the crash ended the program with status ${result} after ${seconds} s")
