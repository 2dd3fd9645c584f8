# Runs a program that crashes on purpose (through Wine, as every Windows test
# runs) and passes only if, each time, it started, then ended with a failing
# status well before the timeout a hung test would reach. Several runs: how a
# crashed process ends under Wine can vary from one run to the next.
# Usage: cmake -DRUN=emulator|args -DEXE=crash.exe -P expect_crash.cmake
string(REPLACE "|" ";" run "${RUN}")
foreach(attempt RANGE 1 5)
  string(TIMESTAMP start "%s")
  execute_process(COMMAND ${run} ${EXE}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors
                  TIMEOUT 60)
  string(TIMESTAMP end "%s")
  math(EXPR seconds "${end} - ${start}")
  if(NOT output MATCHES "crashing now")
    message(FATAL_ERROR "run ${attempt}: the program did not start (status ${result}):\n${output}${errors}")
  endif()
  if(output MATCHES "still running")
    message(FATAL_ERROR "run ${attempt}: the program went on after its crash")
  endif()
  if(NOT result MATCHES "^[0-9]+$")
    message(FATAL_ERROR "run ${attempt}: the crash was not reported as an exit: ${result} after ${seconds} s")
  endif()
  if(result EQUAL 0)
    message(FATAL_ERROR "run ${attempt}: the crashed program exited with status 0\n${errors}")
  endif()
  message(STATUS "run ${attempt}: the crash ended the program with status ${result} after ${seconds} s")
endforeach()
