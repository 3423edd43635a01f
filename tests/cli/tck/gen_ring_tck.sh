#!/usr/bin/env bash
# Writes a token ring of N stations as a model with data on standard
# output. The integer `holder` says which station holds the token; station
# i takes it when holder == i, uses it for 2 to 5 time units and hands it
# on to station i % N + 1. A watchdog W with clock w sees station 1 take
# the token and enters its location EARLY when the token comes back to
# station 1 less than K time units after it last took it (K defaults to
# 2N: every station uses the token for 2 at least, so EARLY is out of
# reach; with K = 2N + 1 it is reachable).
#   usage: gen_ring_tck.sh N [K]
set -euo pipefail
n=$1
k=${2:-$((2 * n))}
echo "system:ring_$n"
echo "event:tau"
echo "event:take1"
echo "int:1:1:$n:1:holder"
echo "clock:1:w"
echo "process:W"
echo "location:W:start{initial: : labels: START}"
echo "location:W:ok{labels: OK}"
echo "location:W:early{labels: EARLY}"
echo "edge:W:start:ok:take1{do: w = 0}"
echo "edge:W:ok:ok:take1{provided: w >= $k : do: w = 0}"
echo "edge:W:ok:early:take1{provided: w < $k}"
for i in $(seq 1 "$n"); do
  take=tau
  [ "$i" = 1 ] && take=take1
  echo "clock:1:x$i"
  echo "process:S$i"
  echo "location:S$i:idle{initial: : labels: IDLE$i}"
  echo "location:S$i:use{invariant: x$i <= 5 : labels: USE$i}"
  echo "edge:S$i:idle:use:$take{provided: holder == $i : do: x$i = 0}"
  echo "edge:S$i:use:idle:tau{provided: x$i >= 2 : do: holder = holder % $n + 1}"
done
echo "sync:W@take1:S1@take1"
