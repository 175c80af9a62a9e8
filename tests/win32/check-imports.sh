#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Pollwick developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# check-imports.sh <objdump> <program.exe>
#
# Fails unless every DLL that the program imports comes with Windows: a
# player copies pollwick.exe and runs it, with nothing installed beside it
# (no MinGW runtime, no libstdc++, no Qt).
set -eu
objdump=$1
program=$2

# Windows' own: the system's libraries, and the C runtime that every
# Windows since XP carries (msvcrt) or that Windows 10 carries (the
# Universal C runtime's api-ms-win-crt-* sets).
windows_dlls=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll \
msvcrt.dll ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll \
winmm.dll ws2_32.dll "

imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | tr -d '\r')
if [ -z "$imports" ]; then
    echo "$program: no imports found (is it a Windows program?)" >&2
    exit 1
fi
status=0
for dll in $imports; do
    case $dll in
    api-ms-win-crt-*.dll) continue ;;
    esac
    case $windows_dlls in
    *" $dll "*) ;;
    *)
        echo "$program imports $dll, which does not come with Windows" >&2
        status=1
        ;;
    esac
done
echo "$program imports:" $imports
exit $status
