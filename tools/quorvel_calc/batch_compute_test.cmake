# Runs "quorvel-calc --batch compute" on a few lines, some of them malformed, and checks the
# answers, the error report and the exit status.
# Usage: cmake -DCALC=<quorvel-calc> -DWORK_DIR=<scratch dir> -P batch_compute_test.cmake
file(MAKE_DIRECTORY "${WORK_DIR}")
set(input "${WORK_DIR}/compute_input.txt")
# 2 / 3; 1 + (2^-53 + 2^-64), rounded twice to exactly 1; 1 / -0; 0 / 0; 1e308 * 10; an unknown
# operator; 1 - 1 in capitals with tabs and CR LF; a short operand; two fields only; and a
# last line without a line break: the smallest normal double halved, a subnormal result.
file(WRITE "${input}"
  "3 4000000000000000 4008000000000000\n0 3ff0000000000000 3ca0020000000000\n"
  "3 3ff0000000000000 8000000000000000\n3 0000000000000000 0000000000000000\n"
  "2 7fe1ccf385ebc8a0 4024000000000000\n4 3ff0000000000000 3ff0000000000000\n"
  "1\t3FF0000000000000  3FF0000000000000\r\n0 3ff 3ff0000000000000\n"
  "0 3ff0000000000000\n2 0010000000000000 3fe0000000000000")
set(expected_output
  "3fe5555555555555\n3ff0000000000000\nfff0000000000000\nfff8000000000000\n"
  "7ff0000000000000\n\n0000000000000000\n\n\n0008000000000000\n")
string(JOIN "" expected_output ${expected_output})

execute_process(COMMAND "${CALC}" --batch compute
  INPUT_FILE "${input}" OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT output STREQUAL expected_output)
  message(FATAL_ERROR "unexpected output:\n${output}\nexpected:\n${expected_output}")
endif()
set(expected_errors
  "line 6: OP must be 0 \\(\\+\\), 1 \\(-\\), 2 \\(\\*\\) or 3 \\(/\\), got '4'\n"
  "line 8: AHEX: expected 16 hex digits \\(a double's bits\\), got 3 characters\n"
  "line 9: expected OP AHEX BHEX, got 2 fields\n")
string(JOIN "" expected_errors ${expected_errors})
if(NOT errors MATCHES "^${expected_errors}$")
  message(FATAL_ERROR "unexpected error report:\n${errors}")
endif()
if(status EQUAL 0)
  message(FATAL_ERROR "a malformed line must give a non-zero exit status")
endif()
