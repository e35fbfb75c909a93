#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -x build/bin/titrage ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Aucun écran graphique n'est disponible (ni DISPLAY ni WAYLAND_DISPLAY)." >&2
    echo "Lancez ce script depuis une session graphique, ou sous un écran virtuel :" >&2
    echo "  xvfb-run -a bash scripts/run.sh" >&2
    exit 1
  fi
  exec build/bin/titrage "$@"
fi
exec build/bin/titrage-table "$@"
