#!/usr/bin/env bash
# Line and branch coverage of src/ by the test suite, from the coverage
# preset's build (run `cmake --workflow --preset coverage` first). Branches
# that only throw, branches the compiler marks unreachable and the branches of
# a catch clause's own line (whether the exception caught is of its type or
# another) are left out: they are the exception paths, reached by the
# memory-exhaustion test through the catch blocks rather than by each
# throwing call. The lines of the catch blocks still count.
#   tests/coverage.sh [build-dir] [least-line-percent] [least-branch-percent]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/coverage}"
lines="${2:-99}"
branches="${3:-95}"
cd "$root"
gcovr --root "$root" --filter "$root/src/" --object-directory "$build" \
  --exclude-throw-branches --exclude-unreachable-branches \
  --exclude-branches-by-pattern '.*\bcatch \(' \
  --print-summary --txt "$build/coverage.txt" \
  --fail-under-line "$lines" --fail-under-branch "$branches" "$build"
