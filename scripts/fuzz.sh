#!/usr/bin/env bash
# Runs fuzz targets of the fuzz build (build/fuzz) on their committed corpora, one job each and as
# many targets at a time as there are cores, and fails on any crash, leak, sanitizer report, failed
# property or input of at most 2,000 bytes that takes more than 2 s; the input that did it is kept
# in build/fuzz/artifacts. New inputs go to a scratch folder, so the committed corpora stay as they
# are.
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#
# The default is 30 s for every target (run, check, example_library, formats, solve). FUZZ_JOBS
# sets how many targets run at a time. FUZZ_SEED sets the fuzzer's seed; the default 1 makes two
# runs on equal machines try the same inputs, so that a failure can be run again, and 0 picks a new
# seed each time, to explore further.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
shift || true
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(run check example_library formats solve)
jobs="${FUZZ_JOBS:-$(nproc)}"
seed="${FUZZ_SEED:-1}"

artifacts="build/fuzz/artifacts"
mkdir -p "$artifacts"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# Runs one target for the given time; its output goes to its log, its exit status to its status
# file, and its summary line to its summary file.
fuzz_target() {
  local target="$1"
  local dir="$scratch/$target"
  mkdir -p "$dir/corpus" "$dir/tmp"
  local start status=0
  start=$(date +%s)
  # TMPDIR holds the files that the example library and solver targets write.
  TMPDIR="$dir/tmp" "build/fuzz/fuzz/${target}_fuzzer" \
    -max_total_time="$seconds" -seed="$seed" -max_len=2000 -timeout=2 -rss_limit_mb=2048 \
    -dict=fuzz/formats.dict -print_final_stats=1 -artifact_prefix="$artifacts/${target}-" \
    "$dir/corpus" "fuzz/corpus/$target" > "$dir/log" 2>&1 || status=$?
  local runs rate
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$dir/log")
  echo "fuzz $target: ${runs:-?} runs in $(( $(date +%s) - start )) s (${rate:-?}/s), exit $status" \
    > "$dir/summary"
  echo "$status" > "$dir/status"
}

running=0
for target in "${targets[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n
    running=$(( running - 1 ))
  fi
  fuzz_target "$target" &
  running=$(( running + 1 ))
done
wait

failed=0
for target in "${targets[@]}"; do
  cat "$scratch/$target/summary"
  if [ "$(cat "$scratch/$target/status")" -ne 0 ]; then
    grep -v '^#[0-9]' "$scratch/$target/log" | tail -60
    failed=1
  fi
done
exit "$failed"
