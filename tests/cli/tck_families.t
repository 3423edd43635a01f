Two more families of models with data, each against the same network in
timed graphs: CSMA/CD, whose bus enters a committed location on a
collision and keeps the number of its sender in an integer, and a token
ring whose token is an integer holder. The timed graphs write the
committed location as one that time cannot pass in, and the holder as an
automaton; both encodings have the same state space, so the verdicts and
the counts agree.

  $ counts() { varnok "$@" 2>&1 | sed -n 's/, [0-9]* bytes in store.*//p; /Reachability \(successful\|failed\)/p'; }
  $ same() {
  >   a=$(counts -abs lu -R "$1" $3); b=$(counts -abs lu -R "$2" $4)
  >   echo "$1: $a"; [ "$a" = "$b" ] || echo "  timed graphs ($2): $b"
  > }

CSMA/CD with 2 and 3 stations. Two stations transmit at once only while
the bus is in collision; sender is 0 there and while the bus is idle.

  $ for n in 2 3; do
  >   mkdir c$n && cd c$n
  >   bash $TESTDIR/tck/gen_csma_tck.sh $n > csma.tck
  >   bash $TESTDIR/../../bench/gen_csma.bash $n .
  >   sed -i 's/^invar: Y < 26$/invar: Y <= 0/; s/^Y < 26 => cd/true => cd/' csma_bus.tg
  >   tg="csma_bus.tg $(ls csma_s*.tg)"
  >   echo "N = $n"
  >   same 'TRANS1 and TRANS2 and ACTIVE' 'TRANS1 and TRANS2 and ACTIVE' csma.tck "$tg"
  >   same 'TRANS1 and TRANS2' 'TRANS1 and TRANS2' csma.tck "$tg"
  >   same 'COLLISION and WAIT1' 'COLLISION and WAIT1' csma.tck "$tg"
  >   same 'RETRY1 and RETRY2 and IDLE' 'RETRY1 and RETRY2 and IDLE' csma.tck "$tg"
  >   same 'ACTIVE and sender == 0' 'ACTIVE and IDLE' csma.tck "$tg"
  >   same 'TRANS2 and sender == 2' 'TRANS2 and ACTIVE' csma.tck "$tg"
  >   same 'COLLISION and sender != 0' 'COLLISION and IDLE' csma.tck "$tg"
  >   cd ..
  > done
  N = 2
  TRANS1 and TRANS2 and ACTIVE: Reachability failed.
  varnok: abs lu: 12 states stored, 12 explored, 0 covered, 24 transitions
  TRANS1 and TRANS2: varnok: Reachability successful. Sample-trace length: 2
  varnok: abs lu: 3 states stored, 2 explored, 0 covered, 4 transitions
  COLLISION and WAIT1: Reachability failed.
  varnok: abs lu: 12 states stored, 12 explored, 0 covered, 24 transitions
  RETRY1 and RETRY2 and IDLE: varnok: Reachability successful. Sample-trace length: 3
  varnok: abs lu: 7 states stored, 4 explored, 0 covered, 9 transitions
  ACTIVE and sender == 0: Reachability failed.
  varnok: abs lu: 12 states stored, 12 explored, 0 covered, 24 transitions
  TRANS2 and sender == 2: varnok: Reachability successful. Sample-trace length: 1
  varnok: abs lu: 2 states stored, 1 explored, 0 covered, 2 transitions
  COLLISION and sender != 0: Reachability failed.
  varnok: abs lu: 12 states stored, 12 explored, 0 covered, 24 transitions
  N = 3
  TRANS1 and TRANS2 and ACTIVE: Reachability failed.
  varnok: abs lu: 41 states stored, 41 explored, 0 covered, 114 transitions
  TRANS1 and TRANS2: varnok: Reachability successful. Sample-trace length: 2
  varnok: abs lu: 4 states stored, 2 explored, 0 covered, 5 transitions
  COLLISION and WAIT1: varnok: Reachability successful. Sample-trace length: 2
  varnok: abs lu: 10 states stored, 3 explored, 0 covered, 12 transitions
  RETRY1 and RETRY2 and IDLE: varnok: Reachability successful. Sample-trace length: 3
  varnok: abs lu: 16 states stored, 5 explored, 0 covered, 19 transitions
  ACTIVE and sender == 0: Reachability failed.
  varnok: abs lu: 41 states stored, 41 explored, 0 covered, 114 transitions
  TRANS2 and sender == 2: varnok: Reachability successful. Sample-trace length: 1
  varnok: abs lu: 2 states stored, 1 explored, 0 covered, 2 transitions
  COLLISION and sender != 0: Reachability failed.
  varnok: abs lu: 41 states stored, 41 explored, 0 covered, 114 transitions

While the bus is in collision nothing but the collision signal moves, and
time does not pass: the trace of a collision goes straight on to cd.

  $ cd c2 && counts -abs lu -R 'RETRY1 and RETRY2' csma.tck > /dev/null && grep -- --- csma.trace && cd ..
    --- Bus:idle->active:begin1 + S1:wait->trans:begin1 --->
    --- Bus:active->collision:begin2 + S2:wait->trans:begin2 --->
    --- Bus:collision->idle:cd + S1:trans->retry:cd + S2:trans->retry:cd --->

The token ring with 2 to 4 stations. Every station uses the token for 2
time units at least, so the token comes back to station 1 no sooner than
2N after it took it: EARLY is out of reach with the watchdog's bound 2N
and within reach with 2N + 1.

  $ for n in 2 3 4; do
  >   for k in $((2 * n)) $((2 * n + 1)); do
  >     mkdir r$n-$k && cd r$n-$k
  >     bash $TESTDIR/tck/gen_ring_tck.sh $n $k > ring.tck
  >     bash $TESTDIR/tck/gen_ring_tg.sh $n . $k
  >     tg="ring_w.tg $(ls ring_s*.tg) ring_holder.tg"
  >     echo "N = $n, K = $k"
  >     same EARLY EARLY ring.tck "$tg"
  >     same 'USE1 and USE2' 'USE1 and USE2' ring.tck "$tg"
  >     same 'USE2 and holder == 2' 'USE2 and HOLDER_2' ring.tck "$tg"
  >     same 'USE2 and holder != 2' 'USE2 and not HOLDER_2' ring.tck "$tg"
  >     cd ..
  >   done
  > done
  N = 2, K = 4
  EARLY: Reachability failed.
  varnok: abs lu: 5 states stored, 5 explored, 0 covered, 5 transitions
  USE1 and USE2: Reachability failed.
  varnok: abs lu: 5 states stored, 5 explored, 0 covered, 5 transitions
  USE2 and holder == 2: varnok: Reachability successful. Sample-trace length: 3
  varnok: abs lu: 3 states stored, 3 explored, 0 covered, 3 transitions
  USE2 and holder != 2: Reachability failed.
  varnok: abs lu: 5 states stored, 5 explored, 0 covered, 5 transitions
  N = 2, K = 5
  EARLY: varnok: Reachability successful. Sample-trace length: 5
  varnok: abs lu: 5 states stored, 5 explored, 0 covered, 6 transitions
  USE1 and USE2: Reachability failed.
  varnok: abs lu: 9 states stored, 9 explored, 0 covered, 9 transitions
  USE2 and holder == 2: varnok: Reachability successful. Sample-trace length: 3
  varnok: abs lu: 3 states stored, 3 explored, 0 covered, 3 transitions
  USE2 and holder != 2: Reachability failed.
  varnok: abs lu: 9 states stored, 9 explored, 0 covered, 9 transitions
  N = 3, K = 6
  EARLY: Reachability failed.
  varnok: abs lu: 7 states stored, 7 explored, 0 covered, 7 transitions
  USE1 and USE2: Reachability failed.
  varnok: abs lu: 7 states stored, 7 explored, 0 covered, 7 transitions
  USE2 and holder == 2: varnok: Reachability successful. Sample-trace length: 3
  varnok: abs lu: 3 states stored, 3 explored, 0 covered, 3 transitions
  USE2 and holder != 2: Reachability failed.
  varnok: abs lu: 7 states stored, 7 explored, 0 covered, 7 transitions
  N = 3, K = 7
  EARLY: varnok: Reachability successful. Sample-trace length: 7
  varnok: abs lu: 7 states stored, 7 explored, 0 covered, 8 transitions
  USE1 and USE2: Reachability failed.
  varnok: abs lu: 13 states stored, 13 explored, 0 covered, 13 transitions
  USE2 and holder == 2: varnok: Reachability successful. Sample-trace length: 3
  varnok: abs lu: 3 states stored, 3 explored, 0 covered, 3 transitions
  USE2 and holder != 2: Reachability failed.
  varnok: abs lu: 13 states stored, 13 explored, 0 covered, 13 transitions
  N = 4, K = 8
  EARLY: Reachability failed.
  varnok: abs lu: 9 states stored, 9 explored, 0 covered, 9 transitions
  USE1 and USE2: Reachability failed.
  varnok: abs lu: 9 states stored, 9 explored, 0 covered, 9 transitions
  USE2 and holder == 2: varnok: Reachability successful. Sample-trace length: 3
  varnok: abs lu: 3 states stored, 3 explored, 0 covered, 3 transitions
  USE2 and holder != 2: Reachability failed.
  varnok: abs lu: 9 states stored, 9 explored, 0 covered, 9 transitions
  N = 4, K = 9
  EARLY: varnok: Reachability successful. Sample-trace length: 9
  varnok: abs lu: 9 states stored, 9 explored, 0 covered, 10 transitions
  USE1 and USE2: Reachability failed.
  varnok: abs lu: 17 states stored, 17 explored, 0 covered, 17 transitions
  USE2 and holder == 2: varnok: Reachability successful. Sample-trace length: 3
  varnok: abs lu: 3 states stored, 3 explored, 0 covered, 3 transitions
  USE2 and holder != 2: Reachability failed.
  varnok: abs lu: 17 states stored, 17 explored, 0 covered, 17 transitions

Formulas on the ring: the values of holder are the propositions HOLDER_v
on both sides.

  $ holds() { varnok -verdict -q "$@" 2>&1 | tail -1; }
  $ mkdir f && cd f && bash $TESTDIR/tck/gen_ring_tck.sh 3 > ring.tck && bash $TESTDIR/tck/gen_ring_tg.sh 3 .
  $ for f in 'init impl AB not (USE1 and USE2)' 'init impl AB (USE1 impl AD IDLE1)' \
  >          'init impl AB (USE2 impl HOLDER_2)' 'init impl AB (IDLE2 impl AD USE2)' \
  >          'init impl AB (USE3 impl AD{<=5} HOLDER_1)' 'init impl AB (USE3 impl AD{<4} HOLDER_1)'; do
  >   a=$(holds -f ring.tck "$f"); b=$(holds -f ring_w ring_s1 ring_s2 ring_s3 ring_holder "$f")
  >   echo "$f: $a"; [ "$a" = "$b" ] || echo "  timed graphs: $b"
  > done
  init impl AB not (USE1 and USE2): HOLDS true
  init impl AB (USE1 impl AD IDLE1): HOLDS true
  init impl AB (USE2 impl HOLDER_2): HOLDS true
  init impl AB (IDLE2 impl AD USE2): HOLDS false
  init impl AB (USE3 impl AD{<=5} HOLDER_1): HOLDS true
  init impl AB (USE3 impl AD{<4} HOLDER_1): HOLDS false
