#!/usr/bin/env bash
# Runs every test: installs what the build needs, then builds and tests the optimised build (core,
# command line and window) and the sanitizer build (core under ASan and UBSan).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh
for preset in default asan; do
  echo "== $preset build =="
  cmake --preset "$preset" -DDIALECTIC_WERROR=ON
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
