#!/usr/bin/env bash
# Runs fuzz targets of the fuzz build (build/fuzz) on their committed corpora, one job each, and
# fails on the first crash, leak, sanitizer report, failed property or input of at most 2,000
# bytes that takes more than 2 s; the input that did it is kept in build/fuzz/artifacts. New
# inputs go to a scratch folder, so the committed corpora stay as they are.
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#
# The default is 30 s for every target (run, check, example_library, formats, solve).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
shift || true
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(run check example_library formats solve)

artifacts="build/fuzz/artifacts"
mkdir -p "$artifacts"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

for target in "${targets[@]}"; do
  mkdir -p "$scratch/$target/corpus" "$scratch/$target/tmp"
  log="$scratch/$target/log"
  start=$(date +%s)
  status=0
  # TMPDIR holds the files that the example library and solver targets write.
  TMPDIR="$scratch/$target/tmp" "build/fuzz/fuzz/${target}_fuzzer" \
    -max_total_time="$seconds" -max_len=2000 -timeout=2 -rss_limit_mb=2048 \
    -dict=fuzz/formats.dict -print_final_stats=1 -artifact_prefix="$artifacts/${target}-" \
    "$scratch/$target/corpus" "fuzz/corpus/$target" > "$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  echo "fuzz $target: ${runs:-?} runs in $(( $(date +%s) - start )) s (${rate:-?}/s), exit $status"
  if [ "$status" -ne 0 ]; then
    grep -v '^#[0-9]' "$log" | tail -60
    exit 1
  fi
done
