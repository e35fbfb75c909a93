#!/usr/bin/env bash
# install_layout_test.sh <build folder>: `cmake --install` into a temporary
# prefix lays out a working program: the programs alone in bin/, the data in
# share/titrage-conductimetrique/, the desktop entry and the icons; the
# installed program finds its data folder (its marker file appears there) and
# a SIGTERM leaves "NON" in it.
set -euo pipefail
build=$1
source "$(dirname "$0")/installed_program.sh"
prefix=$work

cmake --install "$build" --prefix "$prefix" >/dev/null

[ "$(ls "$prefix/bin" | tr '\n' ' ')" = "titrage titrage-exercice titrage-table " ] ||
  fail "bin/ holds $(ls "$prefix/bin" | tr '\n' ' ')"
for f in titrage titrage-exercice titrage-table; do [ -x "$prefix/bin/$f" ] || fail "bin/$f is not a program"; done
data=$prefix/share/titrage-conductimetrique
for f in Lomb.html duvrak.PEM PRISEMAIN.C16 PRISEMAIN.RTF exercices/EXO1.E42 exercices/EXO1.C16 \
         exercices/EXO2C.RTF exercices/EXO3.RTF; do
  [ -f "$data/$f" ] || fail "$data/$f missing"
done
[ -f "$prefix/share/applications/titrage.desktop" ] || fail "desktop entry missing"
grep -qx 'Icon=titrage' "$prefix/share/applications/titrage.desktop" || fail "desktop entry's icon"
[ -f "$prefix/share/icons/hicolor/scalable/apps/titrage.svg" ] || fail "scalable icon missing"
for size in 48 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/titrage.png
  [ "$(head -c 4 "$png" | tail -c 3)" = "PNG" ] || fail "$png is not a PNG"
done

run_until_marker "$prefix/bin/titrage" "$data"
echo "installed layout and data folder: ok"
