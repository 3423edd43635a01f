#!/usr/bin/env bash
# Fischer's protocol (K = 10), breadth-first, goal "CS1 and CS2" (never
# reached: the whole state space is explored), for N = 4 .. 11 processes:
# -abs lu (-j 1, and -j 2 and -j 4 where the machine has the cores: time,
# stored states, peak memory and speed-up against -j 1) against -ax -Act
# measured in the same run, the latter up to the
# first N where it does not finish within 60 s (with -FORW 20000000).
#   usage: fischer_bench.sh [BUILD_DIR] [MAX_N] [MIN_N]   (MIN_N: 4)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
max_n=${2:-11}
varnok=$build/varnok
clockpare=$build/clockpare
work=$(mktemp -d /tmp/fischer_bench_XXXXXX)
trap 'rm -rf "$work"' EXIT

source "$here/lu_bench_lib.bash"

# Runs varnok with the given options on the network of $dir (see timed_run).
run() { timed_run "$dir" "$@" -R "CS1 and CS2" $models fischer_id; }

printf '%3s | %10s %10s %8s %8s %10s | %10s %8s %8s | %7s' N stored explored "time s" "peak MB" "B/stored" "ax states" "time s" "peak MB" "ax/lu"
jobs_header
echo
ax_on=${LU_BENCH_AX:-1}  # LU_BENCH_AX=0: no -ax reference
for n in $(seq "${3:-4}" "$max_n"); do
  dir=$work/n$n
  "$here/gen_fischer.bash" "$n" "$dir"
  models=""
  for i in $(seq 1 "$n"); do models="$models fischer_p$i"; done
  (cd "$dir" && for m in $models fischer_id; do "$varnok" "$m" >/dev/null 2>&1; "$clockpare" "$m" >/dev/null 2>&1; done)
  run -abs lu -j 1
  lu_counts
  lu_secs=$secs lu_cpu=$cpu
  lu_mb=$(echo "$kb / 1024" | bc -l)
  ax="-" ax_secs="-" ax_mb="-" ratio="-"
  if [ "$ax_on" = 1 ]; then
    if run -ax -Act -FORW 20000000; then
      ax=$(echo "$out" | sed -n 's/.*explored: \([0-9]*\) states.*/\1/p')
      ax_secs=$(printf '%.2f' "$secs")
      ax_mb=$(printf '%.0f' "$(echo "$kb / 1024" | bc -l)")
      ratio=$(printf '%.1f' "$(echo "$secs / $lu_secs" | bc -l)")
    else
      ax="> 60 s"
      ax_on=0
    fi
  fi
  printf '%3d | %10d %10d %8.2f %8.0f %10.0f | %10s %8s %8s | %7s' "$n" "$stored" "$explored" "$lu_secs" "$lu_mb" \
    "$(echo "$bytes / $stored" | bc -l)" "$ax" "$ax_secs" "$ax_mb" "$ratio"
  jobs_cells
  echo
done
