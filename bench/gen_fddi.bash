#!/usr/bin/env bash
# Writes the FDDI token ring for N stations as N + 1 timed graphs in
# directory DIR: fddi_ring.tg (clock T: the token travels to station i in
# no time, is held by it, and is released to station i + 1) and fddi_s1.tg
# .. fddi_sN.tg (clocks Yi, ZAi, ZBi). A station alternates two modes A and
# B: on taking the token it transmits synchronously for SA = 20 (clock Yi),
# then asynchronously as long as the rotation timer of the mode (ZAi in A,
# ZBi in B, reset when the token was taken in the other mode) is within
# TTRT = 50 * N, and releases the token. Station i and the ring share
# TT_i (take) and RT_i (release).
#   usage: gen_fddi.bash N DIR
set -euo pipefail
n=$1
dir=$2
sa=20
ttrt=$((50 * n))
mkdir -p "$dir"
for i in $(seq 1 "$n"); do
  cat > "$dir/fddi_s$i.tg" <<TG
/* Station $i of the FDDI ring: modes A (states 0-2) and B (states 3-5). */
#states 6
#trans 8
#clocks 3
Y$i ZA$i ZB$i

#sync TT_$i RT_$i

state: 0
prop: IDLEA$i
invar: true
trans:
true => TT_$i ; reset{ Y$i ZB$i } ; goto 1

state: 1
prop: STA$i
invar: Y$i <= $sa
trans:
Y$i = $sa and ZA$i >= $ttrt => RT_$i ; ; goto 3
Y$i = $sa and ZA$i < $ttrt => asyncA_$i ; ; goto 2

state: 2
prop: ATA$i
invar: ZA$i <= $ttrt
trans:
true => RT_$i ; ; goto 3

state: 3
prop: IDLEB$i
invar: true
trans:
true => TT_$i ; reset{ Y$i ZA$i } ; goto 4

state: 4
prop: STB$i
invar: Y$i <= $sa
trans:
Y$i = $sa and ZB$i >= $ttrt => RT_$i ; ; goto 0
Y$i = $sa and ZB$i < $ttrt => asyncB_$i ; ; goto 5

state: 5
prop: ATB$i
invar: ZB$i <= $ttrt
trans:
true => RT_$i ; ; goto 0
TG
done
{
  echo "/* The ring: state 2i - 2 sends the token to station i, 2i - 1 waits for it. */"
  echo "#states $((2 * n))"
  echo "#trans $((2 * n))"
  echo "#clocks 1"
  echo "T"
  echo
  printf '#sync'
  for i in $(seq 1 "$n"); do printf ' TT_%d RT_%d' "$i" "$i"; done
  echo
  for i in $(seq 1 "$n"); do
    echo
    echo "state: $((2 * i - 2))"
    echo "prop: TO$i"
    echo "invar: T <= 0"
    echo "trans:"
    echo "true => TT_$i ; ; goto $((2 * i - 1))"
    echo
    echo "state: $((2 * i - 1))"
    echo "prop: AT$i"
    echo "invar: true"
    echo "trans:"
    echo "true => RT_$i ; reset{ T } ; goto $((2 * i % (2 * n)))"
  done
} > "$dir/fddi_ring.tg"
