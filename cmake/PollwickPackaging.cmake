# SPDX-FileCopyrightText: 2026 The Pollwick developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# cpack -G DEB (run in the build folder) makes pollwick_<version>_<arch>.deb
# from what cmake --install puts in place, under /usr. dpkg-shlibdeps
# (dpkg-dev, which needs file(1)) works out the libraries it depends on.
# On Windows, cpack makes pollwick-<version>-win64.zip, and cpack -G NSIS an
# installer (docs/BUILDING-WINDOWS.md).
set(CPACK_PACKAGE_NAME pollwick)
set(CPACK_PACKAGE_VENDOR "The Pollwick developers")
# Debian wants a Maintainer on every package, and CPack will not make one
# without it: a name and a mail address in a domain that looks real, or
# lintian fails the package. A packager gives theirs in POLLWICK_MAINTAINER.
# Without one, no person answers for the package, and the field says so with
# the .invalid domain, which is reserved for names that can never reach
# anyone (RFC 2606), instead of an address that might reach a stranger.
if(POLLWICK_MAINTAINER)
    set(CPACK_PACKAGE_CONTACT "${POLLWICK_MAINTAINER}")
else()
    set(CPACK_PACKAGE_CONTACT "The Pollwick developers <nobody@pollwick.invalid>")
endif()
# No Homepage field unless a packager names one.
if(POLLWICK_HOMEPAGE)
    set(CPACK_PACKAGE_HOMEPAGE_URL "${POLLWICK_HOMEPAGE}")
endif()
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "alert when a matching Wombix game server comes up")
set(CPACK_PACKAGE_DESCRIPTION [=[
Pollwick watches the Wombix list server so that nobody has to refresh the
list of game servers by hand. It asks the list server every five seconds,
shows every game server listed, and on the first one that fits the chosen
criteria (a piece of the name or address, the game version, the game type,
whether private servers count) plays a sound, shows a message and can start
the right edition of the game connected to that server.
.
The command-line tool pollwick-list prints a list server's list as a table
or as JSON Lines, or waits until a matching server is up.]=])
set(CPACK_STRIP_FILES ON)
# Pollwick is free software under the GNU GPL, version 3 or later. Installers
# that show a license (NSIS) show this one; the Debian package carries
# data/copyright instead.
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Not "games": Debian keeps that section for games, installed in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside the libraries: Qt's platform plugins, without which no window opens
# (libqt6gui6 only recommends them); the fonts that stand in for Arial and
# Tahoma; Wine, which starts a Windows edition of the game.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-wine")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")

# Windows: a ZIP of the installed folder by default (CPack needs nothing
# else for it); an NSIS installer with -G NSIS, which needs NSIS installed.
# The Qt libraries and the compiler's runtime come into the folder at install
# time (src/app), and the license text beside them, since a Windows package
# has no place of its own for it.
if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_INSTALL_DIRECTORY Pollwick)
    set(CPACK_NSIS_PACKAGE_NAME Pollwick)
    set(CPACK_NSIS_DISPLAY_NAME Pollwick)
    # A Start menu entry "Pollwick" for bin/pollwick.exe.
    set(CPACK_PACKAGE_EXECUTABLES pollwick Pollwick)
    set(CPACK_NSIS_INSTALLED_ICON_NAME bin/pollwick.exe)
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt DESTINATION .)
endif()

include(CPack)
