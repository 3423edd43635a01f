#!/usr/bin/env bash
# Writes CSMA/CD for N stations as a model with data on standard output.
# A station waits, transmits for 808 time units, or retries within a
# back-off of 52; the bus notices a second sender within 26 time units and
# enters its committed location collision, from which it at once sends cd
# to every station. The bus keeps the number of the station that holds it
# in `sender` (0 while it is idle or in collision).
#   usage: gen_csma_tck.sh N
set -euo pipefail
n=$1
echo "system:csma_$n"
for i in $(seq 1 "$n"); do echo "event:begin$i"; echo "event:end$i"; echo "event:busy$i"; done
echo "event:cd"
echo "int:1:0:$n:0:sender"
echo "clock:1:Y"
echo "process:Bus"
echo "location:Bus:idle{initial: : labels: IDLE}"
echo "location:Bus:active{labels: ACTIVE}"
echo "location:Bus:collision{committed: : labels: COLLISION}"
for i in $(seq 1 "$n"); do
  echo "edge:Bus:idle:active:begin$i{do: Y = 0; sender = $i}"
  echo "edge:Bus:active:idle:end$i{do: Y = 0; sender = 0}"
  echo "edge:Bus:active:active:busy$i{provided: Y >= 26}"
  echo "edge:Bus:active:collision:begin$i{provided: Y < 26 : do: Y = 0; sender = 0}"
done
echo "edge:Bus:collision:idle:cd{do: Y = 0}"
for i in $(seq 1 "$n"); do
  echo "clock:1:X$i"
  echo "process:S$i"
  echo "location:S$i:wait{initial: : labels: WAIT$i}"
  echo "location:S$i:trans{invariant: X$i <= 808 : labels: TRANS$i}"
  echo "location:S$i:retry{invariant: X$i <= 52 : labels: RETRY$i}"
  echo "edge:S$i:wait:trans:begin$i{do: X$i = 0}"
  echo "edge:S$i:wait:retry:busy$i{do: X$i = 0}"
  echo "edge:S$i:wait:retry:cd{do: X$i = 0}"
  echo "edge:S$i:trans:wait:end$i{provided: X$i == 808 : do: X$i = 0}"
  echo "edge:S$i:trans:retry:cd{do: X$i = 0}"
  echo "edge:S$i:retry:trans:begin$i{provided: X$i <= 52 : do: X$i = 0}"
  echo "edge:S$i:retry:retry:busy$i{provided: X$i <= 52 : do: X$i = 0}"
  echo "edge:S$i:retry:retry:cd{do: X$i = 0}"
done
for i in $(seq 1 "$n"); do
  echo "sync:Bus@begin$i:S$i@begin$i"
  echo "sync:Bus@end$i:S$i@end$i"
  echo "sync:Bus@busy$i:S$i@busy$i"
done
printf 'sync:Bus@cd'
for i in $(seq 1 "$n"); do printf ':S%d@cd' "$i"; done
echo
