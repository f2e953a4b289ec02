#!/usr/bin/env bash
# Runs every test program of a build under valgrind's memcheck; any error
# or leak fails. The memory-exhaustion test is left to the sanitizer build:
# it replaces the allocation functions itself, which valgrind does too.
#   tests/valgrind.sh [build-dir]   (default build/default)
set -euo pipefail
build="${1:-build/default}"
examples="$(cd "$(dirname "$0")/../examples" && pwd)"
status=0
for program in "$build"/tests/kelmod_unit_tests "$build"/tests/kelmod_api_tests \
               "$build"/tests/kelmod_c_*_test \
               "$build"/examples/kelmod_host; do
  args=()
  [ "$(basename "$program")" = kelmod_host ] && args=("$examples")
  echo "== valgrind $(basename "$program")"
  if ! valgrind --quiet --error-exitcode=1 --leak-check=full --show-leak-kinds=definite,indirect \
        --errors-for-leak-kinds=definite,indirect "$program" "${args[@]}" >/tmp/kelmod-valgrind.log 2>&1; then
    tail -40 /tmp/kelmod-valgrind.log
    status=1
  fi
done
exit $status
