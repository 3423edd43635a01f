#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a bounded time, starting from
# its seed corpus in fuzz/corpus/<target>.  Any crash fails the run.
set -euo pipefail
build=$(cd "${1:-build-fuzz}" && pwd)
seconds=${2:-60}
here=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
found=0
for f in "$build"/*_fuzz; do
  [ -x "$f" ] || continue
  found=1
  name=$(basename "$f")
  work=$(mktemp -d)
  seeds="$here/fuzz/corpus/$name"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/ 2>/dev/null || true
  echo "fuzzing $name for ${seconds}s"
  (cd "$work" && "$f" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
      -max_len=4096 -close_fd_mask=3 "$work" >"$work/log" 2>&1) || { tail -50 "$work/log"; exit 1; }
  rm -rf "$work"
done
[ $found = 1 ] || echo "no fuzz targets built"
