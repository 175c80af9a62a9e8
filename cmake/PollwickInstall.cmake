# SPDX-FileCopyrightText: 2026 The Pollwick developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Where cmake --install puts things: the GNU folders under the prefix.
include(GNUInstallDirs)

# pollwick_install_gzipped(<file> <destination>)
#
# Installs <file>.gz, compressed at build time with gzip as Debian wants man
# pages and changelogs; -n leaves the time and name out, so the same file
# always gives the same bytes.
function(pollwick_install_gzipped file destination)
    get_filename_component(name ${file} NAME)
    set(copy ${CMAKE_CURRENT_BINARY_DIR}/${name})
    add_custom_command(OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${file} ${copy}
        COMMAND gzip -9nf ${copy}
        DEPENDS ${file}
        VERBATIM)
    add_custom_target(gzip_${name} ALL DEPENDS ${copy}.gz)
    install(FILES ${copy}.gz DESTINATION ${destination})
endfunction()

# pollwick_install_man_page(<page>): a man page (foo.1) into its section.
function(pollwick_install_man_page page)
    string(REGEX REPLACE ".*\\.([1-9])$" "\\1" section ${page})
    pollwick_install_gzipped(${page} ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()
