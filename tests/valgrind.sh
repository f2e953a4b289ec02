#!/usr/bin/env bash
# Runs every test program of a build under valgrind's memcheck; any error
# or leak fails. The memory-exhaustion test is left to the sanitizer build:
# it replaces the allocation functions itself, which valgrind does too.
#   tests/valgrind.sh [build-dir]   (default build/default)
set -euo pipefail
build="${1:-build/default}"
examples="$(cd "$(dirname "$0")/../examples" && pwd)"
status=0
trace="$(mktemp)"
run() {  # run NAME PROGRAM ARGS...: one program under memcheck
  local name="$1"
  shift
  echo "== valgrind $name"
  if ! valgrind --quiet --error-exitcode=1 --leak-check=full --show-leak-kinds=definite,indirect \
        --errors-for-leak-kinds=definite,indirect "$@" >/tmp/kelmod-valgrind.log 2>&1; then
    tail -40 /tmp/kelmod-valgrind.log
    status=1
  fi
}
for program in "$build"/tests/kelmod_unit_tests "$build"/tests/kelmod_api_tests \
               "$build"/tests/kelmod_c_*_test; do
  run "$(basename "$program")" "$program"
done
run kelmod_host "$build"/examples/kelmod_host "$examples"
# The same exchange, and a host handing the toolbox hostile input, traced.
export KELMOD_TRACE="$trace" KELMOD_TRACE_FILES=1
run "kelmod_host (traced)" "$build"/examples/kelmod_host "$examples"
if [ -x "$build"/tests/kelmod_trace_hostile ]; then
  run "kelmod_trace_hostile (traced)" "$build"/tests/kelmod_trace_hostile
fi
unset KELMOD_TRACE KELMOD_TRACE_FILES
rm -f "$trace"
exit $status
