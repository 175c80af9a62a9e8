# Warnings are errors in every target of the project.
add_library(pollwick_warnings INTERFACE)
target_compile_options(pollwick_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor -Wshadow
    -Wcast-align -Woverloaded-virtual -Wconversion -Wsign-conversion -Werror)
