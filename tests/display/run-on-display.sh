#!/usr/bin/env bash
# Runs a test program on a virtual X display of its own, with a window
# manager, so that focus and activation behave as on a desktop.
#   run-on-display.sh PROGRAM [ARGS...]
# The screen is 1280 x 1024 unless TITRAGE_DISPLAY_SCREEN says otherwise
# (WIDTHxHEIGHTxDEPTH, a netbook's 1024x600x24 say).
set -uo pipefail
for tool in xvfb-run Xvfb openbox xdotool xprop; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (bash scripts/install-deps.sh installs it)" >&2
    exit 77
  fi
done
inner=$(cat <<'SCRIPT'
openbox >/dev/null 2>&1 &
wm=$!
# Ready when this display's root window names its window manager's check
# window: another display's openbox, or one still starting, does not count.
# A loaded machine (a sanitizer build, the other core busy) may take seconds.
ready=0
for _ in $(seq 600); do
  kill -0 "$wm" 2>/dev/null || break
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then
    ready=1
    break
  fi
  sleep 0.1
done
if [ "$ready" -ne 1 ]; then
  echo "openbox did not start on display $DISPLAY" >&2
  kill "$wm" 2>/dev/null
  exit 1
fi
"$@"
status=$?
kill "$wm" 2>/dev/null
exit $status
SCRIPT
)
screen=${TITRAGE_DISPLAY_SCREEN:-1280x1024x24}
exec xvfb-run -a -s "-screen 0 $screen" bash -c "$inner" run-on-display "$@"
