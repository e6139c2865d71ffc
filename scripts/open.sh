#!/usr/bin/env bash
# Opens the program: installs what the build needs, builds it and starts the window. Without a
# display it says how to run it instead of letting the toolkit abort.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<'USAGE'
open.sh: there is no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset).
Run it under a virtual X server:
  xvfb-run bash scripts/open.sh          (after apt-get install xvfb)
or on Qt's offscreen platform, which shows nothing but runs:
  QT_QPA_PLATFORM=offscreen bash scripts/open.sh
USAGE
  exit 1
fi

scripts/install-packages.sh
# The same preset, and so the same flags, as scripts/test.sh: each reuses what the other built.
cmake --preset default > /dev/null
cmake --build --preset default --target dialectic
exec build/default/app/window/dialectic "$@"
