#!/usr/bin/env bash
# install_layout_test.sh <build folder>: `cmake --install` into a temporary
# prefix lays out a working program: the programs alone in bin/, the data in
# share/titrage-conductimetrique/, the desktop entry and the icons; the
# installed program finds its data folder (its marker file appears there) and
# a SIGTERM leaves "NON" in it.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

[ "$(ls "$prefix/bin" | tr '\n' ' ')" = "titrage titrage-table " ] ||
  fail "bin/ holds $(ls "$prefix/bin" | tr '\n' ' ')"
for f in titrage titrage-table; do [ -x "$prefix/bin/$f" ] || fail "bin/$f is not a program"; done
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

# Record 21 of the marker: a 16-bit length, then the text, at byte 20 × 128.
record21() { tail -c +2563 "$1" 2>/dev/null | head -c 3; }
marker=$data/TEMPQZ.TMP
QT_QPA_PLATFORM=offscreen "$prefix/bin/titrage" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 200); do
  [ "$(record21 "$marker")" = "OUI" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the installed program ended at start-up"
  sleep 0.1
done
[ "$(record21 "$marker")" = "OUI" ] || fail "no marker in the data folder: the data was not found"
[ ! -e "$prefix/bin/TEMPQZ.TMP" ] || fail "marker written beside the executable"
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "SIGTERM: exit status $status"
[ "$(record21 "$marker")" = "NON" ] || fail "SIGTERM left record 21 at $(record21 "$marker")"
echo "installed layout and data folder: ok"
