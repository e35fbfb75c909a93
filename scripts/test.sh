#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
# The layering first: seconds, and it names the include at fault.
bash scripts/check-layers.sh
bash scripts/install-deps.sh
bash scripts/build.sh
# The tests run in the locale of a French school's machine (install-deps.sh
# generates it); a few of them also try de_DE and C on their own.
export LANG=fr_FR.UTF-8
unset LC_ALL LC_NUMERIC
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --parallel 2
