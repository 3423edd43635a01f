#!/usr/bin/env bash
# Runs every micro-benchmark of a benchmark build, then the end-to-end scripts.
set -euo pipefail
build=${1:-build-bench}
here=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
for b in "$build"/*_bench; do
  [ -x "$b" ] && "$b" --benchmark_min_time=0.05
done
for s in "$here"/bench/*.sh; do
  bash "$s" "$build"
done
