# Runs the power-of-ten table generator and fails unless its output equals the committed header.
# Usage: cmake -DGENERATOR=<program> -DTABLE=<header> -P compare_generated_table.cmake
execute_process(COMMAND "${GENERATOR}" OUTPUT_VARIABLE generated RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed with status ${status}")
endif()
file(READ "${TABLE}" committed)
if(NOT generated STREQUAL committed)
  message(FATAL_ERROR "${TABLE} differs from the generator's output; regenerate it with\n"
                      "  ${GENERATOR} > ${TABLE}")
endif()
message(STATUS "${TABLE} equals the generator's output")
