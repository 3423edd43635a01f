#!/usr/bin/env bash
# CSMA/CD (bench/gen_csma.bash), breadth-first, goal "TRANS1 and TRANS2 and
# IDLE" (never reached: the whole state space is explored), N = 4 .. 12
# stations: -abs lu (-j 1, then -j 2 and -j 4 where the machine has the
# cores, with their speed-up), and -ax in the same run as the reference while it
# finishes within 60 s and the network's vectors fit a code.
#   usage: csma_bench.sh [BUILD_DIR] [MAX_N] [MIN_N]   (MIN_N: 4)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
max_n=${2:-12}
varnok=$build/varnok
work=$(mktemp -d /tmp/csma_bench_XXXXXX)
trap 'rm -rf "$work"' EXIT

source "$here/lu_bench_lib.bash"

# Runs varnok with the given options on the network of $dir (see timed_run).
run() { timed_run "$dir" "$@" -R "TRANS1 and TRANS2 and IDLE" csma_bus $models; }

printf '%3s | %10s %10s %8s %8s %10s | %10s %8s | %7s' N stored explored "time s" "peak MB" "B/stored" "ax states" "time s" "ax/lu"
jobs_header
echo
ax_on=${LU_BENCH_AX:-1}  # LU_BENCH_AX=0: no -ax reference
for n in $(seq "${3:-4}" "$max_n"); do
  dir=$work/n$n
  "$here/gen_csma.bash" "$n" "$dir"
  models=""
  for i in $(seq 1 "$n"); do models="$models csma_s$i"; done
  (cd "$dir" && for m in csma_bus $models; do "$varnok" "$m" >/dev/null 2>&1; done)
  run -abs lu -j 1
  lu_counts
  lu_secs=$secs lu_cpu=$cpu
  lu_mb=$(echo "$kb / 1024" | bc -l)
  ax="-" ax_secs="-" ratio="-"
  if [ "$ax_on" = 1 ]; then
    if ! run -ax -FORW 20000000; then
      ax="> 60 s" ax_on=0
    elif echo "$out" | grep -q "Cannot encode"; then
      ax="refused" ax_on=0
    else
      ax=$(echo "$out" | sed -n 's/.*explored: \([0-9]*\) states.*/\1/p')
      ax_secs=$(printf '%.2f' "$secs")
      ratio=$(printf '%.1f' "$(echo "$secs / $lu_secs" | bc -l)")
    fi
  fi
  printf '%3d | %10d %10d %8.2f %8.0f %10.0f | %10s %8s | %7s' "$n" "$stored" "$explored" "$lu_secs" "$lu_mb" \
    "$(echo "$bytes / $stored" | bc -l)" "$ax" "$ax_secs" "$ratio"
  jobs_cells
  echo
done
