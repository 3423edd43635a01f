Under -verdict a run that answers a question prints one line last on
standard output and ends with status 0 (true), 1 (false), 3 (a search
stopped at a limit) or 2 (any error). -q leaves only that line, warnings
and errors.

  $ cp $EXAMPLES/train_gate.tg $EXAMPLES/train_gate_safe.tctl $EXAMPLES/rail_*.tg .
  $ v() { varnok -verdict -q "$@"; echo "status $?"; }
  $ last() { varnok -verdict "$@" 2>/dev/null | tail -1; echo "status ${PIPESTATUS[0]}"; }

Reachability on one graph, every search and abstraction:

  $ for s in "" "-DFS" "-FULLDFS" "-abs lu" "-abs lu -DFS" "-ai" "-ac" "-ax"; do echo "[$s]"; v $s -R INSIDE train_gate; v $s -R "INSIDE and NEARR" train_gate; done
  []
  REACHABLE true
  status 0
  varnok: error: no location carries the proposition NEARR (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'NEARR' (did you mean 'NEAR'?)
  varnok: removed the earlier result _path.reach
  varnok: removed the earlier result _trace.reach
  status 2
  [-DFS]
  REACHABLE true
  status 0
  varnok: error: no location carries the proposition NEARR (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'NEARR' (did you mean 'NEAR'?)
  varnok: removed the earlier result _dfs.trace
  status 2
  [-FULLDFS]
  REACHABLE true
  status 0
  varnok: error: no location carries the proposition NEARR (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'NEARR' (did you mean 'NEAR'?)
  varnok: removed the earlier result _dfs.trace
  status 2
  [-abs lu]
  REACHABLE true
  status 0
  varnok: error: no location carries the proposition NEARR (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'NEARR' (did you mean 'NEAR'?)
  varnok: removed the earlier result _path.reach
  status 2
  [-abs lu -DFS]
  REACHABLE true
  status 0
  varnok: error: no location carries the proposition NEARR (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'NEARR' (did you mean 'NEAR'?)
  varnok: removed the earlier result _path.reach
  status 2
  [-ai]
  REACHABLE true
  status 0
  varnok: error: no location carries the proposition NEARR (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'NEARR' (did you mean 'NEAR'?)
  varnok: removed the earlier result _path.reach
  varnok: removed the earlier result _trace.reach
  status 2
  [-ac]
  REACHABLE true
  status 0
  varnok: error: no location carries the proposition NEARR (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'NEARR' (did you mean 'NEAR'?)
  varnok: removed the earlier result _path.reach
  varnok: removed the earlier result _trace.reach
  status 2
  [-ax]
  REACHABLE true
  status 0
  varnok: error: no location carries the proposition NEARR (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'NEARR' (did you mean 'NEAR'?)
  varnok: removed the earlier result _path.reach
  varnok: removed the earlier result _trace.reach
  status 2
  $ v -STACK 1 -R INSIDE train_gate
  UNKNOWN
  status 3
  $ v -FORW 2 -R INSIDE train_gate
  varnok abort: too many symbolic states (current MAX_SYMB_STATES = 2;)
  hint: use the '-abs' option for abstractions,
  UNKNOWN
  status 3
  $ v -FORW 2 -abs lu -R INSIDE train_gate
  UNKNOWN
  status 3
  $ v -FORW 2 -abs lu -R "INSIDE and NEARR" train_gate
  varnok: error: no location carries the proposition NEARR (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'NEARR' (did you mean 'NEAR'?)
  status 2

On a network:

  $ for s in "" "-DFS" "-abs lu" "-abs lu -DFS"; do echo "[$s]"; v $s -R INSIDE rail_train rail_gate rail_controller; v $s -R "INSIDE and OPEN" rail_train rail_gate rail_controller; done
  []
  REACHABLE true
  status 0
  varnok: error: no location carries the proposition OPEN (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'OPEN'
  status 2
  [-DFS]
  REACHABLE true
  status 0
  varnok: error: no location carries the proposition OPEN (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'OPEN'
  varnok: removed the earlier result _reach.trace
  status 2
  [-abs lu]
  REACHABLE true
  status 0
  varnok: error: no location carries the proposition OPEN (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'OPEN'
  varnok: removed the earlier result _reach.trace
  status 2
  [-abs lu -DFS]
  REACHABLE true
  status 0
  varnok: error: no location carries the proposition OPEN (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'OPEN'
  varnok: removed the earlier result _reach.trace
  status 2
  $ v -FORW 2 -R INSIDE rail_train rail_gate rail_controller
  UNKNOWN
  status 3
  $ v -STACK 1 -R INSIDE rail_train rail_gate rail_controller
  UNKNOWN
  status 3
  $ v -FORW 2 -abs lu -R INSIDE rail_train rail_gate rail_controller
  UNKNOWN
  status 3

A formula holds when it holds in every initial state: backwards on one
graph and on a network, and with -forw (where the forward search starts from
the formula's own states, the verdict is still decided for the initial
states):

  $ v train_gate train_gate_safe
  HOLDS true
  status 0
  $ v -f train_gate "ED INSIDE"
  HOLDS true
  status 0
  $ v -f train_gate "AB not INSIDE"
  HOLDS false
  status 1
  $ v -f train_gate "not init"
  HOLDS false
  status 1
  $ v -forw train_gate train_gate_safe
  HOLDS true
  status 0
  $ v -forw -f train_gate "INSIDE and ED FAR"
  HOLDS false
  status 1
  $ v -forw -abs lu -f train_gate "init impl AB not INSIDE"
  varnok: removed the earlier result _trace.reach
  HOLDS false
  status 1
  $ v -FORW 2 -forw train_gate train_gate_safe
  varnok abort: too many symbolic states (current MAX_SYMB_STATES = 2;)
  hint: use the '-abs' option for abstractions,
  varnok: removed the earlier result train_gate_safe.eval
  varnok: removed the earlier result _path.reach
  HOLDS true
  status 0
  $ v -f rail_train rail_gate rail_controller "ED INSIDE"
  HOLDS true
  status 0
  $ v -f rail_train rail_gate rail_controller "AB not INSIDE"
  HOLDS false
  status 1
  $ v -forw -f rail_train rail_gate rail_controller "init impl AB not INSIDE"
  HOLDS false
  status 1

With -Inv the initial states are every valuation of the invariant at the
initial locations:

  $ v -f train_gate "X = 0"
  HOLDS true
  status 0
  $ v -Inv -f train_gate "X = 0"
  HOLDS false
  status 1

Every error is status 2: usage, a missing or bad model, an unknown name (a
warning becomes an error), a run that asks no question:

  $ varnok -verdict -q 2>/dev/null | head -1; echo "status ${PIPESTATUS[0]}"
  status 2
  $ varnok -verdict -q -xyz train_gate 2>/dev/null | head -1; echo "status ${PIPESTATUS[0]}"
  status 2
  $ v missing -R INSIDE
  varnok: cannot open file missing.tg 
  status 2
  $ mkdir dir.tg && v dir -R INSIDE
  varnok: cannot read file dir.tg
  status 2
  $ printf '#states 1\n' > bad.tg && v bad -R INSIDE
  syntax error at line 2, near `'
  bad.tg:2: syntax error at end of file
  There were parsing errors, exiting...
  status 2
  $ v -R INSIDEE train_gate
  varnok: error: no location carries the proposition INSIDEE (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'INSIDEE' (did you mean 'INSIDE'?)
  varnok: removed the earlier result _path.reach
  varnok: removed the earlier result _trace.reach
  status 2
  $ v -f train_gate "ED INSIDEE"
  varnok: error: no location carries the proposition INSIDEE (formula); it is false everywhere
  _form.tctl:1: unknown proposition 'INSIDEE' (did you mean 'INSIDE'?)
  varnok: removed the earlier result _form.eval
  status 2
  $ v -R "INSIDE and X9 > 1" -abs lu rail_train rail_gate rail_controller
  varnok: clock X9 is not a clock of the model
  _reach.tctl:1: unknown clock 'X9' (did you mean 'X'?)
  status 2
  $ v -f train_gate "ED ("
  parse error at line 2, near `'
  _form.tctl:2: parse error at end of file
  status 2
  $ v -f train_gate "x9 > 1"
  _form.tctl:1: unknown clock 'X9' (did you mean 'X'?)
  varnok: clock name X9 not found
  status 2
  $ v train_gate
  varnok: error: this run answers no question (-verdict needs a goal or a formula)
  status 2

The verdict is the last line of standard output, exactly one, in every run
kind:

  $ for a in "-R INSIDE train_gate" "-abs lu -R INSIDE train_gate" "-DFS -R INSIDE train_gate" "-R INSIDE rail_train rail_gate rail_controller" "-abs lu -R INSIDE rail_train rail_gate rail_controller" "train_gate train_gate_safe" "-forw train_gate train_gate_safe" "-f rail_train rail_gate rail_controller init"; do varnok -verdict $a 2>/dev/null | grep -c -e '^REACHABLE ' -e '^HOLDS ' -e '^UNKNOWN$'; last $a; done
  1
  REACHABLE true
  status 0
  1
  REACHABLE true
  status 0
  1
  REACHABLE true
  status 0
  1
  REACHABLE true
  status 0
  1
  REACHABLE true
  status 0
  1
  HOLDS true
  status 0
  1
  HOLDS true
  status 0
  1
  HOLDS true
  status 0

Without -verdict a completed run keeps its status 1 and its output:

  $ varnok -R INSIDE train_gate > /dev/null 2>&1; echo $?
  1
  $ varnok -q -R INSIDE train_gate; echo $?
  1

HOLDS agrees with the evaluator's own answer (the .eval of "init and not
(f)" is empty) on random graphs and networks, and under -Inv on random
graphs (the .eval of "(L) and not (f)" is empty, L the initial locations):

  $ mkdir random && cd random && python3 $TESTDIR/verdict_random.py varnok 40 5
  120 formulas checked, 0 disagreements
