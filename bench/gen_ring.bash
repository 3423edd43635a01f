#!/usr/bin/env bash
# Writes a scalable timed graph on standard output: a ring of N locations
# over K clocks (K <= N). Location i is left between 1 and 2 time units after
# clock x(i mod K) was last reset, and the transition resets the next clock
# x((i+1) mod K); so every clock is reset once per K steps and the clocks drift
# apart, which gives the fix-points non-convex sets to carry round the ring.
# Location 0 carries INIT, location N/2 carries HALF.
#
# usage: gen_ring.bash N K > ring.tg
set -eu
n=${1:?number of locations}
k=${2:?number of clocks}
if [ "$n" -lt 2 ] || [ "$k" -lt 1 ] || [ "$k" -gt "$n" ]; then
  echo "gen_ring.bash: need N >= 2 and 1 <= K <= N" >&2
  exit 2
fi
echo "#states $n"
echo "#trans $n"
echo "#clocks $k"
for ((c = 0; c < k; c++)); do printf 'x%d ' "$c"; done
echo
for ((i = 0; i < n; i++)); do
  c=$((i % k)); next=$(((i + 1) % k))
  echo "state: $i"
  if [ "$i" -eq 0 ]; then echo "prop: INIT"; elif [ "$i" -eq $((n / 2)) ]; then echo "prop: HALF"; fi
  echo "invar: x$c <= 2"
  echo "trans:"
  echo "x$c >= 1 => step ; reset{ x$next } ; goto $(((i + 1) % n))"
done
