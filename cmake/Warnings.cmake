# Warnings are errors everywhere in the project's own code.
add_compile_options(
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Wnull-dereference
  -Wimplicit-fallthrough -Werror)
