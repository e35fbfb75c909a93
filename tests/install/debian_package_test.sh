#!/usr/bin/env bash
# debian_package_test.sh <build folder>: `cpack -G DEB` makes a package that
# holds the installed layout under /usr, depends on the libraries and fonts the
# program needs, and whose program, unpacked, finds its data and starts.
set -euo pipefail
build=$1
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v dpkg-deb >/dev/null || { echo "SKIP: dpkg-deb missing"; exit 77; }

cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/titrage-conductimetrique_*_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single package in $work"
deb=${debs[0]}

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in usr/bin/titrage usr/bin/titrage-table usr/share/applications/titrage.desktop \
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

depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6printsupport6 fonts-liberation qt6-translations-l10n; do
  grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = "titrage-conductimetrique" ] || fail "package name"
# Removing the package takes the marker file a root run left in its folder.
dpkg-deb -e "$deb" "$work/control"
grep -q 'rm -f /usr/share/titrage-conductimetrique/TEMPQZ.TMP' "$work/control/postrm" ||
  fail "no postrm removing the marker file"

# Unpacked anywhere, the program finds its data beside it (its marker appears
# in its data folder) and ends cleanly.
dpkg-deb -x "$deb" "$work/root"
data=$work/root/usr/share/titrage-conductimetrique
record21() { tail -c +2563 "$1" 2>/dev/null | head -c 3; }
QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/titrage" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 200); do
  [ "$(record21 "$data/TEMPQZ.TMP")" = "OUI" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the packaged program ended at start-up"
  sleep 0.1
done
[ "$(record21 "$data/TEMPQZ.TMP")" = "OUI" ] || fail "the packaged program did not find its data"
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "SIGTERM: exit status $status"
echo "debian package: ok"
