An allocation that fails ends the run with "not enough memory" and status
1, also when it comes from the C++ library (here the breadth-first search
over several graphs reserves room for -FORW states). The sanitizers cannot
run under a memory limit: the test is skipped there.

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
