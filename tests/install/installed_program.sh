# Sourced by the install tests: a scratch folder removed on exit, a failure
# helper, and the run of an installed program that must find its data.

work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Record 21 of the marker: a 16-bit length, then the text, at byte 20 × 128.
record21() { tail -c +2563 "$1" 2>/dev/null | head -c 3; }

# run_until_marker PROGRAM DATA_FOLDER: starts the program offscreen and waits
# for "OUI" in its data folder's marker (proof it found its data), then ends
# it with SIGTERM, which must exit cleanly and leave "NON".
run_until_marker() {
  local program=$1 marker=$2/TEMPQZ.TMP status=0
  QT_QPA_PLATFORM=offscreen "$program" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 200); do
    [ "$(record21 "$marker")" = "OUI" ] && break
    kill -0 "$pid" 2>/dev/null || fail "$program ended at start-up"
    sleep 0.1
  done
  [ "$(record21 "$marker")" = "OUI" ] || fail "no marker in $2: the data was not found"
  [ ! -e "$(dirname "$program")/TEMPQZ.TMP" ] || fail "marker written beside the executable"
  kill -TERM "$pid"
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "SIGTERM: exit status $status"
  [ "$(record21 "$marker")" = "NON" ] || fail "SIGTERM left record 21 at $(record21 "$marker")"
}
