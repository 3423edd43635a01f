#!/usr/bin/env bash
# Writes the token ring of gen_ring_tck.sh as N + 2 timed graphs in
# directory DIR: ring_w.tg (the watchdog), ring_s1.tg .. ring_sN.tg and
# ring_holder.tg (the integer holder as an automaton: location v - 1 means
# holder = v; TAKE_i tests it, PASS_i moves it on).
#   usage: gen_ring_tg.sh N DIR [K]
set -euo pipefail
n=$1
dir=$2
k=${3:-$((2 * n))}
mkdir -p "$dir"
cat > "$dir/ring_w.tg" <<TG
/* The watchdog of the token ring. */
#states 3
#trans 3
#clocks 1
w

#sync TAKE_1

state: 0
prop: START
invar: true
trans:
true => TAKE_1 ; reset{ w } ; goto 1

state: 1
prop: OK
invar: true
trans:
w >= $k => TAKE_1 ; reset{ w } ; goto 1
w < $k => TAKE_1 ; ; goto 2

state: 2
prop: EARLY
invar: true
trans:
TG
for i in $(seq 1 "$n"); do
  cat > "$dir/ring_s$i.tg" <<TG
/* Station $i of the token ring. */
#states 2
#trans 2
#clocks 1
x$i

#sync TAKE_$i PASS_$i

state: 0
prop: IDLE$i
invar: true
trans:
true => TAKE_$i ; reset{ x$i } ; goto 1

state: 1
prop: USE$i
invar: x$i <= 5
trans:
x$i >= 2 => PASS_$i ; ; goto 0
TG
done
{
  echo "/* The holder of the token ring's token: location v - 1 means holder = v. */"
  echo "#states $n"
  echo "#trans $((2 * n))"
  echo "#clocks 0"
  echo
  printf '#sync'
  for i in $(seq 1 "$n"); do printf ' TAKE_%d PASS_%d' "$i" "$i"; done
  echo
  for i in $(seq 1 "$n"); do
    echo
    echo "state: $((i - 1))"
    echo "prop: HOLDER_$i"
    echo "invar: true"
    echo "trans:"
    echo "true => TAKE_$i ; ; goto $((i - 1))"
    echo "true => PASS_$i ; ; goto $((i % n))"
  done
} > "$dir/ring_holder.tg"
