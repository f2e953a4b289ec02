#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for a while.
#
#   fuzz/run.sh [seconds] [target...]
#
# seconds defaults to 30 per target; without target names every fuzz_*
# target runs. Each target starts from a scratch copy of its committed corpus
# (fuzz/corpus/<target>), so the committed files never grow. Crash, leak and
# timeout reproducers are kept in build/fuzz/artifacts/<target>/. Exits
# non-zero if any target failed.
set -euo pipefail

seconds="${1:-30}"
shift || true

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
build="$root/build/fuzz"

cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

if [ "$#" -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for source in "$here"/fuzz_*.cpp; do
    targets+=("$(basename "$source" .cpp)")
  done
fi

scratch="$(mktemp -d "${TMPDIR:-/tmp}/kelmod-fuzz-run.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=()
for target in "${targets[@]}"; do
  binary="$build/fuzz/$target"
  if [ ! -x "$binary" ]; then
    echo "no such fuzz target: $target" >&2
    failed+=("$target")
    continue
  fi
  corpus="$scratch/$target"
  artifacts="$build/artifacts/$target"
  mkdir -p "$corpus" "$artifacts"
  if [ -d "$here/corpus/$target" ]; then
    cp "$here/corpus/$target"/* "$corpus"/ 2>/dev/null || true
  fi
  echo "=== $target: ${seconds}s"
  if "$binary" "$corpus" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
      -dict="$here/kelmod.dict" -print_final_stats=1 -artifact_prefix="$artifacts/" \
      >"$scratch/$target.log" 2>&1; then
    grep -E '^(Done|stat::peak_rss_mb)' "$scratch/$target.log" || true
  else
    echo "!!! $target failed; reproducers in $artifacts" >&2
    grep -E -A30 'ERROR|runtime error|check failed' "$scratch/$target.log" | head -60 >&2 || true
    cp "$scratch/$target.log" "$artifacts/last-run.log"
    failed+=("$target")
  fi
done

if [ "${#failed[@]}" -gt 0 ]; then
  echo "failed: ${failed[*]}" >&2
  exit 1
fi
echo "all fuzz targets ran clean"
