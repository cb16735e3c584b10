# Runs "quorvel-calc --batch parse" on a few lines, one of them malformed, and checks the
# answers, the error report and the exit status; then checks two usage errors.
# Usage: cmake -DCALC=<quorvel-calc> -DWORK_DIR=<scratch dir> -P batch_parse_test.cmake
file(MAKE_DIRECTORY "${WORK_DIR}")
set(input "${WORK_DIR}/parse_input.txt")
# 12.5, the empty text, malformed hex, -0, full-width 12, an odd digit count, 1e999 with CR LF,
# full-width -8 in capitals, and a last line without a line break: "7e22" (halfway, goes down).
file(WRITE "${input}"
  "31322e35\n\nzz\n2D30\na3b1a3b2\n313\n3165393939\r\nA3ADA3B8\n37653232")
set(expected_output
  "4029000000000000\n0000000000000000\n\n8000000000000000\n4028000000000000\n\n"
  "7ff0000000000000\nc020000000000000\n44ada56a4b0835bf\n")
string(JOIN "" expected_output ${expected_output})

execute_process(COMMAND "${CALC}" --batch parse
  INPUT_FILE "${input}" OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT output STREQUAL expected_output)
  message(FATAL_ERROR "unexpected output:\n${output}\nexpected:\n${expected_output}")
endif()
if(NOT errors MATCHES "^line 3: 'z' at column 1 is not a hex digit\nline 6: odd number of hex digits")
  message(FATAL_ERROR "unexpected error report:\n${errors}")
endif()
if(status EQUAL 0)
  message(FATAL_ERROR "a malformed line must give a non-zero exit status")
endif()

foreach(arguments "--batch;nosuchmode" "--batch" "")
  execute_process(COMMAND "${CALC}" ${arguments}
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(status EQUAL 0 OR NOT errors MATCHES "quorvel-calc: .*usage: quorvel-calc")
    message(FATAL_ERROR "'quorvel-calc ${arguments}' must fail with a message and the usage:\n"
                        "status ${status}\n${errors}")
  endif()
endforeach()
