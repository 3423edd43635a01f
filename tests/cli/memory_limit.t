An allocation that fails ends the run with "not enough memory" and status
1, also when it comes from the C++ library (here the breadth-first search
over several graphs reserves room for -FORW states). The sanitizers cannot
run under a memory limit: the test is skipped there.

  $ { nm "$(command -v varnok)"; nm -D "$(command -v varnok)"; } 2>/dev/null | grep -q __asan_init && exit 80
  [1]
  $ [ -n "$ASAN_OPTIONS" ] && exit 80
  [1]
  $ cp $EXAMPLES/rail_train.tg $EXAMPLES/rail_gate.tg $EXAMPLES/rail_controller.tg .
  $ touch -d '-1 hour' rail_*.tg
  $ varnok rail_train rail_gate rail_controller > /dev/null 2>&1
  [1]
  $ (ulimit -v 300000; varnok -FORW 200000000 -R "INSIDE and UP" rail_train rail_gate rail_controller 2>/dev/null | tail -2)
  
  varnok: not enough memory
  $ (ulimit -v 300000; varnok -FORW 200000000 -R "INSIDE and UP" rail_train rail_gate rail_controller > /dev/null 2>&1); echo $?
  1

The forward search on one graph: four clocks reset at different times
(and sixteen more that only make the zones big) give more symbolic states
than fit in 30 MB.

  $ {
  >   echo "#states 2 #trans 5 #clocks 20"; for i in $(seq 20); do printf 'x%d ' $i; done; echo
  >   echo "state: 0 prop: INIT invar: x1 <= 8 and x2 <= 9 and x3 <= 10 and x4 <= 11 trans:"
  >   for i in 1 2 3 4; do echo "x$i >= $i => t$i ; reset{ x$i } ; goto 0"; done
  >   echo "x1 > 10000 => e ; ; goto 1"
  >   echo "state: 1 prop: END invar: true trans:"
  > } > clocks.tg; touch -d "-1 hour" clocks.tg
  $ varnok clocks > /dev/null 2>&1
  [1]
  $ (ulimit -v 30000; varnok -FORW 100000000 -R END clocks 2>/dev/null | tail -4; echo "status ${PIPESTATUS[0]}")
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  
  varnok: not enough memory
  status 1

A compiled model too big to compile or to load (2500 locations, each with
an invariant of its own over 40 clocks): the compile leaves no .vnk, the
load stops cleanly.

  $ {
  >   echo "#states 2500 #trans 2499 #clocks 40"; for i in $(seq 40); do printf 'x%d ' $i; done; echo
  >   echo "state: 0 prop: INIT invar: true trans:"; echo "true => ; ; goto 1"
  >   for ((s = 1; s < 2499; s++)); do printf 'state: %d invar: x1 <= %d trans:\ntrue => ; ; goto %d\n' $s $s $((s + 1)); done
  >   echo "state: 2499 prop: END invar: true trans:"
  > } > chain.tg; touch -d "-1 hour" chain.tg
  $ (ulimit -v 12000; varnok chain 2>/dev/null | tail -2; echo "status ${PIPESTATUS[0]}"); ls -a | grep -e chain -e tmp
  
  varnok: not enough memory
  status 1
  chain.tg
  $ varnok chain > /dev/null 2>&1
  [1]
  $ (ulimit -v 12000; varnok -R END chain 2>/dev/null | tail -3; echo "status ${PIPESTATUS[0]}")
  varnok: reading file chain.vnk...
  
  varnok: not enough memory
  status 1
