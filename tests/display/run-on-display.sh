#!/usr/bin/env bash
# Runs a test program on a virtual X display of its own, with a window
# manager, so that focus and activation behave as on a desktop.
#   run-on-display.sh PROGRAM [ARGS...]
set -uo pipefail
for tool in xvfb-run Xvfb openbox xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (bash scripts/install-deps.sh installs it)" >&2
    exit 77
  fi
done
inner=$(cat <<'SCRIPT'
openbox >/dev/null 2>&1 &
wm=$!
for _ in $(seq 50); do xdotool getactivewindow >/dev/null 2>&1 || true; \
  pgrep -x openbox >/dev/null && break; sleep 0.1; done
sleep 0.5
"$@"
status=$?
kill "$wm" 2>/dev/null
exit $status
SCRIPT
)
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$inner" run-on-display "$@"
