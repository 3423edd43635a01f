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
  status 0
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
