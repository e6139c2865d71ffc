#!/usr/bin/env bash
# Runs every test: installs what the build needs, then builds and tests the optimised build (core,
# command line and window), the sanitizer build (every test again, the window's included, under
# ASan and UBSan) and the thread sanitizer build (the core and the command lines, running the tests
# that start threads under TSan), then builds the fuzz targets with clang and runs each for 30 s.
# Each phase prints its time; the first failure ends the script with a non-zero status.
set -euo pipefail
cd "$(dirname "$0")/.."

# ccache keys on absolute paths; taken relative to the clone, a fresh clone of the same sources
# finds what an earlier clone compiled from a source of its own (the unity sources, which name
# their files by absolute path, it compiles again).
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"

script_start=$(date +%s)
# Runs the command as a named phase and prints how long it took.
phase() {
  local name="$1"
  shift
  local start
  start=$(date +%s)
  echo "== $name"
  "$@"
  echo "== $name: $(( $(date +%s) - start )) s"
}

phase "install packages" scripts/install-packages.sh
for preset in default asan tsan; do
  # The presets hold every flag, so scripts/open.sh configures the same folder the same way and
  # neither rebuilds what the other built. The tsan presets build only the core tests (with the
  # command lines they start) and run only the tests that start threads.
  phase "$preset configure" cmake --preset "$preset"
  phase "$preset build" cmake --build --preset "$preset"
  phase "$preset tests" ctest --preset "$preset"
done
phase "fuzz configure" cmake --preset fuzz
phase "fuzz build" cmake --build --preset fuzz
phase "fuzz runs" scripts/fuzz.sh 30
echo "== all: $(( $(date +%s) - script_start )) s"
