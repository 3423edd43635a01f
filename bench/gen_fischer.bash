#!/usr/bin/env bash
# Writes Fischer's mutual-exclusion protocol for N processes and K (10 by
# default) as N + 1 timed graphs in directory DIR: fischer_p1.tg ..
# fischer_pN.tg (one clock Xi each) and fischer_id.tg (the shared
# variable, no clock).
#   usage: gen_fischer.bash N DIR [K]
set -euo pipefail
n=$1
dir=$2
k=${3:-10}
mkdir -p "$dir"
for i in $(seq 1 "$n"); do
  cat > "$dir/fischer_p$i.tg" <<TG
/* Process $i of Fischer's protocol. */
#states 4
#trans 5
#clocks 1
X$i

#sync ZERO_$i SET_$i TEST_$i RESET_$i

state: 0
prop: A$i
invar: true
trans:
true => ZERO_$i ; reset{ X$i } ; goto 1

state: 1
prop: REQ$i
invar: X$i <= $k
trans:
X$i <= $k => SET_$i ; reset{ X$i } ; goto 2

state: 2
prop: WAIT$i
invar: true
trans:
true => ZERO_$i ; reset{ X$i } ; goto 1
X$i > $k => TEST_$i ; ; goto 3

state: 3
prop: CS$i
invar: true
trans:
true => RESET_$i ; ; goto 0
TG
done
{
  echo "/* The shared variable of Fischer's protocol: idv means id = v. */"
  echo "#states $((n + 1))"
  echo "#trans $((2 * n * (n + 1) + 2 * n))"
  echo "#clocks 0"
  echo
  printf '#sync'
  for i in $(seq 1 "$n"); do printf ' ZERO_%d SET_%d TEST_%d RESET_%d' "$i" "$i" "$i" "$i"; done
  echo
  for v in $(seq 0 "$n"); do
    echo
    echo "state: $v"
    echo "prop: id$v"
    echo "invar: true"
    echo "trans:"
    for i in $(seq 1 "$n"); do
      [ "$v" = 0 ] && echo "true => ZERO_$i ; ; goto 0"
      echo "true => SET_$i ; ; goto $i"
      [ "$v" = "$i" ] && echo "true => TEST_$i ; ; goto $i"
      echo "true => RESET_$i ; ; goto 0"
    done
  done
} > "$dir/fischer_id.tg"
