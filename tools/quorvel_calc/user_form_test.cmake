# Runs "quorvel-calc NUMBER OPERATOR NUMBER" as a user would and checks what it prints, and
# that a wrong argument count or an unknown operator is a usage error.
# Usage: cmake -DCALC=<quorvel-calc> -P user_form_test.cmake

# expect_result(TEXT ARGUMENT...): prints TEXT and a line break, exit status 0.
function(expect_result expected)
  execute_process(COMMAND "${CALC}" ${ARGN}
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT output STREQUAL "${expected}\n" OR NOT errors STREQUAL "")
    message(FATAL_ERROR "quorvel-calc ${ARGN}: status ${status}, output '${output}', "
                        "errors '${errors}'; expected '${expected}'")
  endif()
endfunction()

# expect_usage_error(PATTERN ARGUMENT...): nothing on standard output, PATTERN on standard
# error, a non-zero exit status.
function(expect_usage_error pattern)
  execute_process(COMMAND "${CALC}" ${ARGN}
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(status EQUAL 0 OR NOT output STREQUAL "" OR NOT errors MATCHES "${pattern}")
    message(FATAL_ERROR "quorvel-calc ${ARGN}: status ${status}, output '${output}', "
                        "errors '${errors}'; expected a usage error matching '${pattern}'")
  endif()
endfunction()

expect_result("0.6666666666667" 2 / 3)
expect_result("5" 2 + 3)
expect_result("-5" abc - 5)
expect_result("1.#INF" 1 / 0)
expect_result("-1.#INF" 1 / -0)
expect_result("-1.#IND" 0 / 0)
expect_result("1.#INF" 1e308 x 10)
expect_result("1.#INF" 1e308 × 10)
expect_result("6" 2 * 3)
expect_result("0.3" 0.1 + 0.2)
# Full-width digits and point, typed in UTF-8, count like their ASCII forms.
expect_result("25" １２．５ X 2)
expect_result("-8" ３ - １１)
expect_result("0.5" 1 ÷ 2)

expect_usage_error("unknown operator '%'" 2 % 3)
expect_usage_error("unknown operator '\\+\\+'" 2 ++ 3)
expect_usage_error("expected NUMBER OPERATOR NUMBER" 2 /)
expect_usage_error("expected NUMBER OPERATOR NUMBER" 2 / 3 4)
expect_usage_error("no arguments")
