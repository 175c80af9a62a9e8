# SPDX-FileCopyrightText: 2026 The Pollwick developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The project's warnings, for its own targets. They are errors only when
# POLLWICK_WERROR is on (./dev test and CI turn it on), so that a newer
# compiler on a packager's machine warns instead of failing the build.
option(POLLWICK_WERROR "Treat compiler warnings as errors" OFF)

add_library(pollwick_warnings INTERFACE)
if(MSVC)
    # Visual C++ (built by hand on Windows only: no check here compiles with
    # it) knows none of GCC's options; the sources are UTF-8.
    target_compile_options(pollwick_warnings INTERFACE
        /W4 /permissive- /utf-8 $<$<BOOL:${POLLWICK_WERROR}>:/WX>)
else()
    target_compile_options(pollwick_warnings INTERFACE
        -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor -Wshadow
        -Wcast-align -Woverloaded-virtual -Wconversion -Wsign-conversion
        # Known to one compiler only.
        $<$<CXX_COMPILER_ID:GNU>:-Wduplicated-cond -Wduplicated-branches -Wlogical-op>
        $<$<CXX_COMPILER_ID:Clang>:-Wshadow-all -Wunreachable-code -Wextra-semi>
        $<$<BOOL:${POLLWICK_WERROR}>:-Werror>)
endif()
