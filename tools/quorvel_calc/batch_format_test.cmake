# Runs "quorvel-calc --batch format" on a few lines, some of them malformed, and checks the
# answers, the error report and the exit status.
# Usage: cmake -DCALC=<quorvel-calc> -DWORK_DIR=<scratch dir> -P batch_format_test.cmake
file(MAKE_DIRECTORY "${WORK_DIR}")
set(input "${WORK_DIR}/format_input.txt")
# 1/3, 1.2345678901235 (rounded twice), a line too short, -0, the default NaN in capitals with
# CR LF, a non-hex digit, the smallest subnormal, and a last line without a line break: -1e-100
# written as a longest text.
file(WRITE "${input}"
  "3fd5555555555555\n3ff3c0ca428c5abe\n3ff\n8000000000000000\nFFF8000000000000\r\n"
  "3ff000000000000g\n0000000000000001\nab31482fe620c4f3")
set(expected_output
  "0.3333333333333\n1.234567890124\n\n0\n-1.#IND\n\n4.940656458412e-324\n"
  "-1.234567890123e-100\n")
string(JOIN "" expected_output ${expected_output})

execute_process(COMMAND "${CALC}" --batch format
  INPUT_FILE "${input}" OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT output STREQUAL expected_output)
  message(FATAL_ERROR "unexpected output:\n${output}\nexpected:\n${expected_output}")
endif()
if(NOT errors MATCHES "^line 3: expected 16 hex digits \\(a double's bits\\), got 3 characters\nline 6: 'g' at column 16 is not a hex digit\n$")
  message(FATAL_ERROR "unexpected error report:\n${errors}")
endif()
if(status EQUAL 0)
  message(FATAL_ERROR "a malformed line must give a non-zero exit status")
endif()
