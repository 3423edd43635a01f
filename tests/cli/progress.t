Progress lines: with -progress (or on a terminal), every search and every
backward fix-point that runs longer than the interval (two seconds) prints
one line on standard error each interval. VARNOK_PROGRESS_INTERVAL_MS sets
the interval for the tests: 0 gives a line at every step of a search and
every fix-point iteration, so that each run kind shows its lines at once.
Only the rate and the memory vary from run to run.

  $ cp $EXAMPLES/train_gate.tg $EXAMPLES/train_gate_safe.tctl $EXAMPLES/rail_*.tg .
  $ export VARNOK_PROGRESS_INTERVAL_MS=0

Breadth-first search of one graph (stored, waiting, explored):

  $ varnok -q -verdict -progress -R INSIDE train_gate
  varnok: 1 stored, 1 waiting, 0 explored, \d+k?/s, \d+ MB (re)
  varnok: 2 stored, 1 waiting, 1 explored, \d+k?/s, \d+ MB (re)
  varnok: 3 stored, 1 waiting, 2 explored, \d+k?/s, \d+ MB (re)
  varnok: 4 stored, 1 waiting, 3 explored, \d+k?/s, \d+ MB (re)
  REACHABLE true

Depth-first (waiting is the depth of the stack), the simulation graph of
-forw, a -forw formula and -abs lu:

  $ varnok -q -verdict -progress -DFS -R INSIDE train_gate
  varnok: 1 stored, 1 waiting, 1 explored, \d+k?/s, \d+ MB (re)
  varnok: 2 stored, 2 waiting, 2 explored, \d+k?/s, \d+ MB (re)
  varnok: 2 stored, 2 waiting, 2 explored, \d+k?/s, \d+ MB (re)
  varnok: 3 stored, 3 waiting, 3 explored, \d+k?/s, \d+ MB (re)
  varnok: 4 stored, 4 waiting, 4 explored, \d+k?/s, \d+ MB (re)
  varnok: 5 stored, 5 waiting, 5 explored, \d+k?/s, \d+ MB (re)
  varnok: removed the earlier result _path.reach
  varnok: removed the earlier result _trace.reach
  REACHABLE true
  $ varnok -q -progress -forw train_gate 2>&1 | tail -2
  varnok: 11 stored, 2 waiting, 9 explored, \d+k?/s, \d+ MB (re)
  varnok: 11 stored, 1 waiting, 10 explored, \d+k?/s, \d+ MB (re)
  $ varnok -q -progress -forw train_gate train_gate_safe 2>&1 | grep -c stored
  11
  $ varnok -q -verdict -progress -abs lu -R INSIDE train_gate
  varnok: 2 stored, 1 waiting, 1 explored, \d+k?/s, \d+ MB (re)
  varnok: 3 stored, 1 waiting, 2 explored, \d+k?/s, \d+ MB (re)
  varnok: 4 stored, 1 waiting, 3 explored, \d+k?/s, \d+ MB (re)
  varnok: 4 stored, 0 waiting, 4 explored, \d+k?/s, \d+ MB (re)
  varnok: removed the earlier result _dfs.trace
  REACHABLE true

The on-the-fly product searches, breadth- and depth-first, and the
simulation graph of a product:

  $ varnok -q -verdict -progress -R INSIDE rail_train rail_gate rail_controller
  varnok: 1 stored, 1 waiting, 0 explored, \d+k?/s, \d+ MB (re)
  varnok: 2 stored, 1 waiting, 1 explored, \d+k?/s, \d+ MB (re)
  varnok: 3 stored, 1 waiting, 2 explored, \d+k?/s, \d+ MB (re)
  varnok: 4 stored, 1 waiting, 3 explored, \d+k?/s, \d+ MB (re)
  REACHABLE true
  $ varnok -q -verdict -progress -DFS -R INSIDE rail_train rail_gate rail_controller 2>&1 >/dev/null | tail -1
  varnok: 5 stored, 5 waiting, 5 explored, \d+k?/s, \d+ MB (re)
  $ varnok -q -progress -forw rail_train rail_gate rail_controller 2>&1 | tail -1
  varnok: 11 stored, 1 waiting, 10 explored, \d+k?/s, \d+ MB (re)

Backward fix-points, on one graph and on a network:

  $ varnok -q -verdict -progress train_gate train_gate_safe
  varnok: fix-point iteration 1, \d+ s, \d+ MB (re)
  varnok: fix-point iteration 2, \d+ s, \d+ MB (re)
  varnok: fix-point iteration 3, \d+ s, \d+ MB (re)
  HOLDS true
  $ varnok -q -progress -f rail_train rail_gate rail_controller "init impl AB not (INSIDE and UP)" 2>&1 | grep -c 'fix-point iteration'
  2

Without -progress, on a standard error that is not a terminal, no line;
with the default interval a short run prints none either:

  $ varnok -q -verdict -R INSIDE train_gate
  REACHABLE true
  $ VARNOK_PROGRESS_INTERVAL_MS= varnok -q -verdict -progress -R INSIDE train_gate
  REACHABLE true
