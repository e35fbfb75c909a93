#!/usr/bin/env bash
# debian_package_test.sh <build folder>: `cpack -G DEB` makes a package that
# holds the installed layout under /usr, depends on the libraries and fonts the
# program needs, and whose program, unpacked, finds its data and starts.
set -euo pipefail
build=$1
source "$(dirname "$0")/installed_program.sh"
command -v dpkg-deb >/dev/null || { echo "SKIP: dpkg-deb missing"; exit 77; }

cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/titrage-conductimetrique_*_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single package in $work"
deb=${debs[0]}

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in usr/bin/titrage usr/bin/titrage-table usr/bin/titrage-exercice usr/share/applications/titrage.desktop \
         usr/share/icons/hicolor/scalable/apps/titrage.svg \
         usr/share/icons/hicolor/48x48/apps/titrage.png \
         usr/share/titrage-conductimetrique/Lomb.html \
         usr/share/titrage-conductimetrique/duvrak.PEM \
         usr/share/titrage-conductimetrique/exercices/EXO1.E42; do
  grep -qx "\./$f" <<<"$files" || fail "$f is not in the package"
done
# Nothing outside /usr, nothing the program writes.
! grep -v '^\./usr/' <<<"$files" | grep -qv '^\./$' || fail "files outside /usr"
! grep -q 'TEMPQZ' <<<"$files" || fail "a marker file is packaged"

# The copyright file, readable by all, in the machine-readable format: a
# header naming the format, a "Files: *" paragraph with its copyright and
# licence, and the text of every licence named by a short name only.
doc=usr/share/doc/titrage-conductimetrique/copyright
grep -q "^-rw-r--r-- .* \./$doc\$" <<<"$(dpkg-deb -c "$deb")" || fail "$doc missing or not 0644"
dpkg-deb --fsys-tarfile "$deb" | tar -xO "./$doc" >"$work/copyright"
head -n 1 "$work/copyright" |
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "$doc does not name its format"
awk -v RS= '/(^|\n)Files: \*\n/ && /\nCopyright: [^\n]*conductimétrique" developers/ &&
            /\nLicense: [^ \n]/ {found=1} END {exit !found}' "$work/copyright" ||
  fail "$doc lacks a Files: * paragraph with its copyright and licence"
for name in $(grep '^License: ' "$work/copyright" | awk 'NF == 2 {print $2}' | sort -u); do
  awk -v RS= -v n="$name" '$0 ~ "^License: " n "\n " {found=1} END {exit !found}' \
    "$work/copyright" || fail "licence $name has no text in $doc"
done

depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6printsupport6 fonts-liberation qt6-translations-l10n; do
  grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = "titrage-conductimetrique" ] || fail "package name"
# Removing the package takes the marker file a root run left in its folder.
dpkg-deb -e "$deb" "$work/control"
grep -q 'rm -f /usr/share/titrage-conductimetrique/TEMPQZ.TMP' "$work/control/postrm" ||
  fail "no postrm removing the marker file"

# Unpacked anywhere, the program finds its data beside it and ends cleanly.
dpkg-deb -x "$deb" "$work/root"
run_until_marker "$work/root/usr/bin/titrage" "$work/root/usr/share/titrage-conductimetrique"
echo "debian package: ok"
