# Warnings are errors everywhere in the project's own code.
add_compile_options(
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Wnull-dereference
  -Wimplicit-fallthrough -Werror)

# GCC 12 at -O3 reports -Wrestrict on std::string concatenations such as "'" + std::string(1, c)
# inside libstdc++'s own char_traits (GCC bug 105651, fixed in GCC 13); the warning is a false
# positive there, so it is left out for that compiler only.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()
