-stats prints, after the verdict, one "key value" line per figure of the
run: the wall and processor times, the peak memory, and the counts the run
has (the searches' states and transitions, the locations of a formula's
graph or product).

  $ cp $EXAMPLES/train_gate.tg $EXAMPLES/train_gate_safe.tctl $EXAMPLES/rail_*.tg .
  $ varnok -q -verdict -stats -abs lu -R INSIDE train_gate; echo "status $?"
  REACHABLE true
  time_s \d+\.\d{3} (re)
  cpu_s \d+\.\d{3} (re)
  peak_memory_kb \d+ (re)
  states_stored 4
  states_explored 4
  states_covered 0
  transitions 4
  status 0
  $ varnok -q -verdict -stats -R INSIDE train_gate; echo "status $?"
  REACHABLE true
  time_s \d+\.\d{3} (re)
  cpu_s \d+\.\d{3} (re)
  peak_memory_kb \d+ (re)
  states_stored 5
  transitions 4
  status 0
  $ varnok -q -verdict -stats train_gate train_gate_safe; echo "status $?"
  HOLDS true
  time_s \d+\.\d{3} (re)
  cpu_s \d+\.\d{3} (re)
  peak_memory_kb \d+ (re)
  locations 12
  iterations 4
  result_zones 12
  status 0

A formula's run counts the iterations of its backward fix-points (their sum,
nested ones included: the "#iterations" of the timing summary) and the zones
of its result, as the .eval file lists them; a formula without a fix-point
has 0 iterations. The same keys on a network, and with -forw, where the
formula is also decided backwards under -verdict (no .eval is written, so no
result_zones):

  $ varnok -q -verdict -stats -f train_gate "init impl AB (NEAR impl AD{<=4} INSIDE)" | grep -v '_s '; echo "status ${PIPESTATUS[0]}"
  HOLDS false
  peak_memory_kb \d+ (re)
  locations 12
  iterations 13
  result_zones 14
  status 1
  $ varnok -v -f train_gate "init impl AB (NEAR impl AD{<=4} INSIDE)" | grep -o '#iterations.*'
  #iterations 13
  $ grep -c '^state' _form.eval
  12
  $ varnok -q -stats -f train_gate "init and x < 3" | grep -v '_s '
  peak_memory_kb \d+ (re)
  locations 12
  iterations 0
  result_zones 1
  $ varnok -q -stats -f train_gate "not true" | grep -v '_s '; cat _form.eval
  peak_memory_kb \d+ (re)
  locations 12
  iterations 0
  result_zones 0
  false
  $ varnok -q -verdict -stats -f rail_train rail_gate rail_controller "init impl AB not (INSIDE and UP)" | grep -v '_s '
  HOLDS true
  peak_memory_kb \d+ (re)
  locations 12
  iterations 3
  result_zones 12
  $ varnok -q -verdict -stats -forw train_gate train_gate_safe | grep -v '_s '
  varnok: removed the earlier result _path.reach
  varnok: removed the earlier result _trace.reach
  HOLDS true
  peak_memory_kb \d+ (re)
  states_stored 11
  transitions 12
  locations 12
  iterations 4
  $ varnok -q -verdict -stats -abs lu -R INSIDE rail_train rail_gate rail_controller; echo "status $?"
  REACHABLE true
  time_s \d+\.\d{3} (re)
  cpu_s \d+\.\d{3} (re)
  peak_memory_kb \d+ (re)
  states_stored 4
  states_explored 4
  states_covered 0
  transitions 4
  status 0

Without -verdict the figures follow the run's usual output, and its status
stays:

  $ varnok -stats -R INSIDE train_gate 2>/dev/null | tail -3; echo "status ${PIPESTATUS[0]}"
  peak_memory_kb \d+ (re)
  states_stored 5
  transitions 4
  status 1

The exact searches of a network (breadth- and depth-first on the fly, and
the simulation graph of -forw) give their stored states too:

  $ for o in "" -DFS; do varnok -q -verdict -stats $o -R "INSIDE and not DOWN" rail_train rail_gate rail_controller | grep -v '_s '; done
  varnok: removed the earlier result _reach.trace
  REACHABLE false
  peak_memory_kb \d+ (re)
  states_stored 11
  REACHABLE false
  peak_memory_kb \d+ (re)
  states_stored 11
  $ varnok -q -stats -forw rail_train rail_gate rail_controller 2>/dev/null | grep -v '_s '
  peak_memory_kb \d+ (re)
  states_stored 11
  transitions 12
