#!/usr/bin/env bash
# Formulas on networks: Fischer's protocol (K = 10) for N = 4 .. MAX_N
# processes and three formulas. Per N and formula: the product's locations,
# then wall time and peak memory of
#   (a) composing the written product (varnok p1 .. pN id -CONTROL ...) and
#       evaluating the formula on it (varnok _out f), the two runs summed;
#   (b) evaluating directly (varnok p1 .. pN id f);
#   (c) evaluating on the reachable part (varnok -reachable p1 .. pN id f):
#       its discrete states S and zones Z, time and memory;
# and the ratios (b)/(a) and (b)/(c) of the times. (a) and (b) must give the
# same .eval (the vector comments of (b) left out), (b) and (c) the same
# verdict; a run beyond the time limit is shown as "-". (a) and (b) run only
# up to FULL_MAX_N processes.
#   usage: bench/network_tctl_bench.sh [VARNOK] [MAX_N] [LIMIT_SECONDS] [FULL_MAX_N]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
varnok=$(realpath "${1:-$here/../build/varnok}")
max_n=${2:-8}
limit=${3:-600}
full_max=${4:-$max_n}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

formulas=("init impl AB not (CS1 and CS2)" "init impl AB (REQ1 impl AD{<=10} WAIT1)" "init impl AB (REQ1 impl AD CS1)")

# timed DIR ARGS...: runs varnok ARGS in DIR; sets secs and kb. Non-zero
# when the run did not finish within the limit.
timed() {
  local dir=$1 out start end status
  shift
  start=$(date +%s.%N)
  out=$(cd "$dir" && timeout "$limit" /usr/bin/time -f "peak %M" "$varnok" "$@" 2>&1)
  status=$?
  end=$(date +%s.%N)
  secs=$(echo "$end - $start" | bc -l)
  kb=$(echo "$out" | sed -n 's/^peak \([0-9]*\)$/\1/p' | tail -1)
  line=$(echo "$out" | grep "product of" || true)
  part=$(echo "$out" | grep "^varnok: reachable part" || true)
  holds=$(echo "$out" | grep "^HOLDS" || true)
  [ "$status" -ne 124 ]
}

printf "%-2s %-42s %9s | %8s %7s | %8s %7s | %7s %7s %8s %7s | %6s %6s\n" N formula locations "(a) s" "(a) MB" \
  "(b) s" "(b) MB" "S" "Z" "(c) s" "(c) MB" "b/a" "b/c"
for n in $(seq 4 "$max_n"); do
  dir=$work/n$n
  bash "$here/gen_fischer.bash" "$n" "$dir"
  models=$(for i in $(seq 1 "$n"); do printf 'fischer_p%d ' "$i"; done)fischer_id
  for f in "${formulas[@]}"; do
    echo "$f" > "$dir/f.tctl"
    locs=- a_s=- a_mb=- b_s=- b_mb=- c_s=- c_mb=- ratio=- ratio_c=- S=- Z=- b_holds=
    # shellcheck disable=SC2086
    if [ "$n" -le "$full_max" ] && timed "$dir" -verdict $models f; then
      b_s=$secs; b_mb=$((kb / 1024)); b_holds=$holds
      locs=$(echo "$line" | sed 's/.*: \([0-9]*\) locations.*/\1/')
      sed 's|\t/\* vector state: <[^>]*> \*/||' "$dir/f.eval" > "$dir/direct.eval"
    fi
    # shellcheck disable=SC2086
    if [ "$n" -le "$full_max" ] && timed "$dir" -CONTROL 100000000 $models; then
      compose_s=$secs compose_kb=$kb
      if timed "$dir" _out f; then
        a_s=$(echo "$compose_s + $secs" | bc -l)
        a_mb=$(( (kb > compose_kb ? kb : compose_kb) / 1024 ))
        if [ -f "$dir/direct.eval" ] && ! cmp -s "$dir/f.eval" "$dir/direct.eval"; then
          echo "N=$n '$f': the two evaluations differ" >&2
        fi
      fi
    fi
    # shellcheck disable=SC2086
    if timed "$dir" -verdict -reachable $models f; then
      c_s=$secs; c_mb=$((kb / 1024))
      S=$(echo "$part" | sed 's/.*: \([0-9]*\) discrete states.*/\1/')
      Z=$(echo "$part" | sed 's/.* \([0-9]*\) zones.*/\1/')
      if [ -n "$b_holds" ] && [ "$b_holds" != "$holds" ]; then
        echo "N=$n '$f': $b_holds on the whole product, $holds on the reachable part" >&2
      fi
    fi
    if [ "$a_s" != - ] && [ "$b_s" != - ]; then ratio=$(printf "%.2f" "$(echo "$b_s / $a_s" | bc -l)"); fi
    if [ "$c_s" != - ] && [ "$b_s" != - ]; then ratio_c=$(printf "%.1f" "$(echo "$b_s / $c_s" | bc -l)"); fi
    [ "$a_s" != - ] && a_s=$(printf "%.2f" "$a_s")
    [ "$b_s" != - ] && b_s=$(printf "%.2f" "$b_s")
    [ "$c_s" != - ] && c_s=$(printf "%.2f" "$c_s")
    printf "%-2s %-42s %9s | %8s %7s | %8s %7s | %7s %7s %8s %7s | %6s %6s\n" "$n" "$f" "$locs" "$a_s" "$a_mb" \
      "$b_s" "$b_mb" "$S" "$Z" "$c_s" "$c_mb" "$ratio" "$ratio_c"
    rm -f "$dir/direct.eval" "$dir"/_out.* "$dir/f.eval"
  done
done
