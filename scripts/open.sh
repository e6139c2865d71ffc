#!/usr/bin/env bash
# Opens the program: installs what the build needs, builds it and starts the window.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh
# The same preset, and so the same flags, as scripts/test.sh: each reuses what the other built.
cmake --preset default > /dev/null
cmake --build --preset default --target dialectic
exec build/default/app/window/dialectic "$@"
