#!/usr/bin/env bash
# Writes CSMA/CD for N stations as N + 1 timed graphs in directory DIR:
# csma_bus.tg (clock Y: idle, active, collision) and csma_s1.tg ..
# csma_sN.tg (clock Xi: waiting, transmitting for 808, retrying within a
# back-off of 52). Station i and the bus share begin_i, end_i and busy_i; the
# collision signal cd is taken by the bus and every station at once.
#   usage: gen_csma.bash N DIR
set -euo pipefail
n=$1
dir=$2
mkdir -p "$dir"
for i in $(seq 1 "$n"); do
  cat > "$dir/csma_s$i.tg" <<TG
/* Station $i: waits, transmits for 808 time units, retries within 52. */
#states 3
#trans 8
#clocks 1
X$i

#sync begin_$i end_$i busy_$i cd

state: 0
prop: WAIT$i
invar: true
trans:
true => begin_$i ; reset{ X$i } ; goto 1
true => busy_$i ; reset{ X$i } ; goto 2
true => cd ; reset{ X$i } ; goto 2

state: 1
prop: TRANS$i
invar: X$i <= 808
trans:
X$i = 808 => end_$i ; reset{ X$i } ; goto 0
true => cd ; reset{ X$i } ; goto 2

state: 2
prop: RETRY$i
invar: X$i <= 52
trans:
X$i <= 52 => begin_$i ; reset{ X$i } ; goto 1
X$i <= 52 => busy_$i ; reset{ X$i } ; goto 2
true => cd ; reset{ X$i } ; goto 2
TG
done
{
  echo "/* The bus: a collision is detected within 26 time units. */"
  echo "#states 3"
  echo "#trans $((4 * n + 1))"
  echo "#clocks 1"
  echo "Y"
  echo
  printf '#sync cd'
  for i in $(seq 1 "$n"); do printf ' begin_%d end_%d busy_%d' "$i" "$i" "$i"; done
  echo
  echo
  echo "state: 0"
  echo "prop: IDLE"
  echo "invar: true"
  echo "trans:"
  for i in $(seq 1 "$n"); do echo "true => begin_$i ; reset{ Y } ; goto 1"; done
  echo
  echo "state: 1"
  echo "prop: ACTIVE"
  echo "invar: true"
  echo "trans:"
  for i in $(seq 1 "$n"); do
    echo "true => end_$i ; reset{ Y } ; goto 0"
    echo "Y >= 26 => busy_$i ; ; goto 1"
    echo "Y < 26 => begin_$i ; reset{ Y } ; goto 2"
  done
  echo
  echo "state: 2"
  echo "prop: COLLISION"
  echo "invar: Y < 26"
  echo "trans:"
  echo "Y < 26 => cd ; reset{ Y } ; goto 0"
} > "$dir/csma_bus.tg"
