#!/usr/bin/env bash
# The -abs lu search on Fischer's protocol (goal "CS1 and CS2", not
# reachable: the whole state space is explored) written as a model with
# data (one integer id) and as the network of timed graphs with its id
# automaton, measured in the same run: per N, the time of each (the best
# of ROUNDS alternating runs; the timed graphs are compiled before, so that
# both times are the search alone), their stored states, which must be
# equal ("ok", else "DIFF" and status 1), and the ratio .tck / .tg (below
# 1: the model with data is faster).
#   usage: tck_bench.sh [BUILD_DIR] [ROUNDS]
#   the sizes: FISCHER_N (a list, default "8 9 10 11")
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
rounds=${2:-3}
fischer_n=${FISCHER_N-"8 9 10 11"}
varnok=$build/varnok
work=$(mktemp -d /tmp/tck_bench_XXXXXX)
trap 'rm -rf "$work"' EXIT

source "$here/lu_bench_lib.bash"

goal='CS1 and CS2'
status=0
printf '%3s | %8s %10s | %8s %10s | %6s | %s\n' N ".tck s" stored ".tg s" stored ratio counts
for n in $fischer_n; do
  dir=$work/fischer$n
  mkdir -p "$dir"
  bash "$here/gen_fischer.bash" "$n" "$dir" > /dev/null
  bash "$here/../tests/cli/tck/gen_fischer_tck.sh" "$n" > "$dir/fischer.tck"
  tgs=$(cd "$dir" && echo fischer_p*.tg fischer_id.tg)
  (cd "$dir" && "$varnok" -abs lu -FORW 1 -R "$goal" $tgs > /dev/null 2>&1)
  tck_best="" tg_best="" tck_stored=- tg_stored=-
  for ((r = 0; r < rounds; r++)); do
    if timed_run "$dir" -abs lu -R "$goal" fischer.tck; then
      lu_counts; tck_stored=$stored
      [ -z "$tck_best" ] || [ "$(echo "$secs < $tck_best" | bc -l)" = 1 ] && tck_best=$secs
    fi
    if timed_run "$dir" -abs lu -R "$goal" $tgs; then
      lu_counts; tg_stored=$stored
      [ -z "$tg_best" ] || [ "$(echo "$secs < $tg_best" | bc -l)" = 1 ] && tg_best=$secs
    fi
  done
  if [ -z "$tck_best" ] || [ -z "$tg_best" ]; then
    printf '%3d | %8s %10s | %8s %10s | %6s | %s\n' "$n" "${tck_best:-timeout}" "$tck_stored" "${tg_best:-timeout}" "$tg_stored" - timeout
    continue
  fi
  verdict=ok
  [ "$tck_stored" = "$tg_stored" ] || { verdict=DIFF; status=1; }
  printf '%3d | %8.2f %10d | %8.2f %10d | %6.2f | %s\n' "$n" "$tck_best" "$tck_stored" "$tg_best" "$tg_stored" \
    "$(echo "$tck_best / $tg_best" | bc -l)" "$verdict"
done
exit $status
