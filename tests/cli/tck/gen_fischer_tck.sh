#!/usr/bin/env bash
# Writes Fischer's mutual-exclusion protocol for N processes with a shared
# integer id and request bound K = 10 on standard output; the wait guard
# compares with OP (">" keeps mutual exclusion, ">=" breaks it).
#   usage: gen_fischer_tck.sh N [OP]
set -euo pipefail
n=$1
op=${2:->}
echo "system:fischer_$n"
echo "event:tau"
echo "int:1:0:$n:0:id"
for i in $(seq 1 "$n"); do
  echo "clock:1:X$i"
  echo "process:P$i"
  echo "location:P$i:A{initial: : labels: A$i}"
  echo "location:P$i:req{invariant: X$i <= 10 : labels: REQ$i}"
  echo "location:P$i:wait{labels: WAIT$i}"
  echo "location:P$i:cs{labels: CS$i}"
  echo "edge:P$i:A:req:tau{provided: id == 0 : do: X$i = 0}"
  echo "edge:P$i:req:wait:tau{provided: X$i <= 10 : do: X$i = 0; id = $i}"
  echo "edge:P$i:wait:req:tau{provided: id == 0 : do: X$i = 0}"
  echo "edge:P$i:wait:cs:tau{provided: X$i $op 10 && id == $i}"
  echo "edge:P$i:cs:A:tau{do: id = 0}"
done
