#!/bin/sh

# SPDX-FileCopyrightText: 2026 The Pollwick developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# check-install.sh <root> tree <cmake> <build>
#   installs <build> into <root> as a package would (under /usr) and checks
#   that every file a user needs is there;
# check-install.sh <root> desktop-entry|metainfo
#   validates that part of the installed tree and fails on anything the
#   validator has to say, hints and infos included. Exit 77: no validator.
set -eu
root=$1
usr=$root/usr
id=io.github.pollwick.pollwick
need() { command -v "$1" >/dev/null || { echo "$1 is not installed"; exit 77; }; }
status=0
out=$root.$2.out
case $2 in
tree)
    rm -rf "$root"
    DESTDIR=$root "$3" --install "$4" --prefix /usr >/dev/null
    for file in bin/pollwick bin/pollwick-list; do
        [ -x "$usr/$file" ] || { echo "not installed: $file"; status=1; }
    done
    icons=share/icons/hicolor/scalable/apps/$id.svg
    for size in 16 32 48 64 128 256; do icons="$icons share/icons/hicolor/${size}x$size/apps/$id.png"; done
    for file in share/man/man1/pollwick.1.gz share/man/man1/pollwick-list.1.gz \
        share/applications/$id.desktop share/metainfo/$id.metainfo.xml $icons; do
        [ -f "$usr/$file" ] || { echo "not installed: $file"; status=1; }
    done
    # The simulated list server is for tests and development only.
    [ ! -e "$usr/bin/pollwick-listserver" ] || { echo "installed: bin/pollwick-listserver"; status=1; }
    exit $status
    ;;
desktop-entry) # it says nothing unless there is an error, a warning or a hint
    need desktop-file-validate
    desktop-file-validate "$usr/share/applications/$id.desktop" >"$out" 2>&1 || status=1
    [ ! -s "$out" ] || status=1
    ;;
metainfo) # the metainfo and the desktop entry it launches; infos fail it too
    need appstreamcli
    appstreamcli validate-tree --no-net "$root" >"$out" 2>&1 || status=1
    ! grep -q '^ *[EWI]:' "$out" || status=1
    ;;
esac
cat "$out"
exit $status
