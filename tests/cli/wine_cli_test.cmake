# tolvane-cli.exe under Wine: bytes pass through files and pipes untouched (CR LF
# and Ctrl+Z included), -o replaces an existing file, and a failure leaves it
# as it was; relayout has its fixed directions only. Run with cmake -DRUN=<emulator, '|' for ';'> -DEXE=... -DWORK=... -P.
string(REPLACE "|" ";" run "${RUN}")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(expect what actual expected)
  if(NOT "${actual}" STREQUAL "${expected}")
    message(FATAL_ERROR "${what}: expected '${expected}', got '${actual}'")
  endif()
endfunction()

string(ASCII 26 ctrlZ)
file(WRITE "${WORK}/in.txt" "กิ่ง ก่อน\r\n${ctrlZ}x\n")

# Standard input to standard output.
execute_process(COMMAND ${run} "${EXE}" to-tis620 --elevate
                WORKING_DIRECTORY "${WORK}" INPUT_FILE "${WORK}/in.txt"
                OUTPUT_FILE "${WORK}/tis.txt" RESULT_VARIABLE status)
expect("to-tis620 status" "${status}" 0)
file(READ "${WORK}/tis.txt" tis HEX)
expect("to-tis620 bytes" "${tis}" "a1d4e8a720a188cdb90d0a1a780a")

# A file to -o over an existing file.
file(WRITE "${WORK}/back.txt" "old")
execute_process(COMMAND ${run} "${EXE}" to-unicode -o back.txt tis.txt
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE status)
expect("to-unicode status" "${status}" 0)
file(READ "${WORK}/in.txt" in HEX)
file(READ "${WORK}/back.txt" back HEX)
expect("round trip" "${back}" "${in}")

# Code page 874 bytes are not UTF-8: exit status 1, back.txt untouched, no
# temporary file left.
execute_process(COMMAND ${run} "${EXE}" entities -o back.txt tis.txt
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE status ERROR_VARIABLE error)
expect("entities status" "${status}" 1)
expect("entities error" "${error}" "tolvane-cli: invalid UTF-8 at byte 0\n")
file(READ "${WORK}/back.txt" back HEX)
expect("back.txt after the failure" "${back}" "${in}")
file(GLOB left RELATIVE "${WORK}" "${WORK}/*" "${WORK}/.*")
list(SORT left)
expect("files left" "${left}" "back.txt;in.txt;tis.txt")

# relayout: the fixed directions work; --auto, which needs libthai, is refused
# in one line with status 2.
file(WRITE "${WORK}/typed.txt" "l;ylfu\r\n")
execute_process(COMMAND ${run} "${EXE}" relayout --to-thai typed.txt
                WORKING_DIRECTORY "${WORK}" OUTPUT_FILE "${WORK}/thai.txt" RESULT_VARIABLE status)
expect("relayout --to-thai status" "${status}" 0)
file(READ "${WORK}/thai.txt" thai HEX)
expect("relayout --to-thai bytes" "${thai}" "e0b8aae0b8a7e0b8b1e0b8aae0b894e0b8b50d0a")
execute_process(COMMAND ${run} "${EXE}" relayout --auto typed.txt
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE error)
expect("relayout --auto status" "${status}" 2)
expect("relayout --auto output" "${out}" "")
expect("relayout --auto error" "${error}"
       "tolvane-cli: relayout --auto is not available in this build: it needs libthai's dictionary\n")
file(REMOVE "${WORK}/typed.txt" "${WORK}/thai.txt")

# A wrong command line.
execute_process(COMMAND ${run} "${EXE}" frobnicate RESULT_VARIABLE status ERROR_QUIET)
expect("usage status" "${status}" 2)

# fix and detect need libthai, which the Windows build lacks: one line, status 2.
execute_process(COMMAND ${run} "${EXE}" fix in.txt
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE status ERROR_VARIABLE error)
expect("fix status" "${status}" 2)
expect("fix error" "${error}" "tolvane-cli: fix needs libthai, which this build of tolvane-cli lacks\n")
file(REMOVE_RECURSE "${WORK}")
