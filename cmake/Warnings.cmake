# The warnings set applied to every target of the project; warnings are errors.
add_library(quillane_warnings INTERFACE)
target_compile_options(quillane_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Werror)
