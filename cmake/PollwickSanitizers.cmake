# SPDX-FileCopyrightText: 2026 The Pollwick developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# One switch turns on AddressSanitizer and UndefinedBehaviorSanitizer for the
# whole tree; any report stops the program, so a test with a report fails.
if(POLLWICK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
