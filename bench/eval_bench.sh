#!/usr/bin/env bash
# End-to-end benchmark of backward model checking: times varnok on every
# formula of examples/ and on a ring of N locations over K clocks generated
# by gen_ring.bash, for growing N and K. Each case runs RUNS times (default
# 5); the table gives the median wall-clock time, the fix-point iteration
# count reported by varnok, and for the ring the time relative to its
# smallest size.
#
# usage: bench/eval_bench.sh [BUILD_DIR | path/to/varnok]
#   RUNS=n       runs per case
#   SIZES="N:K ..." ring sizes (default "32:2 64:3 128:4 256:6")
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
arg=${1:-build}
if [ -d "$arg" ]; then varnok=$(cd "$arg" && pwd)/varnok; else varnok=$arg; fi
case $varnok in /*) ;; *) varnok=$PWD/$varnok ;; esac
if [ ! -x "$varnok" ]; then
  echo "eval_bench.sh: no varnok at $varnok" >&2
  exit 2
fi
runs=${RUNS:-5}
sizes=${SIZES:-"32:2 64:3 128:4 256:6"}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here"/../examples/*.tg "$here"/../examples/*.tctl "$work"/
cd "$work"

# median of the numbers on standard input
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# time_case MODEL FORMULA_BASE: prints "median_ms iterations"
time_case() {
  local model=$1 formula=$2 i start end
  touch -d '2001-01-01' "$model.tg"
  "$varnok" "$model" > /dev/null 2>&1 || true  # compile outside the timing
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$varnok" "$model" "$formula" > "$formula.out" 2>&1 || true
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
  done | median | awk '{ printf "%.1f", $1 / 1000 }'
  printf ' %s\n' "$(grep -o 'iterations [0-9]*' "$formula.out" | cut -d' ' -f2 || echo 0)"
}

printf '%-36s %10s %6s\n' "example formula" "median ms" "iter"
for f in *.tctl; do
  f=${f%.tctl}
  model=${f%%_*}
  [ "$model" = train ] && model=train_gate
  read -r ms it < <(time_case "$model" "$f")
  printf '%-36s %10s %6s\n' "$f" "$ms" "${it:-0}"
done

echo
printf '%-10s %-24s %10s %6s %8s\n' "ring N:K" "formula" "median ms" "iter" "ratio"
declare -A base
for nk in $sizes; do
  n=${nk%%:*}
  k=${nk##*:}
  bash "$here"/gen_ring.bash "$n" "$k" > ring.tg
  rm -f ring.vnk ring.lab ring.prop ring.reg
  for case_ in "reach:init impl ED HALF" "always:init impl AD HALF" "bounded:init impl AD{<=20} HALF"; do
    name=${case_%%:*}
    echo "${case_#*:}" > "ring_$name.tctl"
    read -r ms it < <(time_case ring "ring_$name")
    [ -z "${base[$name]:-}" ] && base[$name]=$ms
    ratio=$(awk -v a="$ms" -v b="${base[$name]}" 'BEGIN { printf "%.2f", (b > 0) ? a / b : 0 }')
    printf '%-10s %-24s %10s %6s %8s\n' "$nk" "${case_#*:}" "$ms" "${it:-0}" "$ratio"
  done
done
