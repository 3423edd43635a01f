A run that fails never ends with status 0, which a script reads as
success: a model that cannot be opened, read or compiled ends the run with
status 1, on one graph, in a network, under -abs lu, and so does a goal
that -abs lu refuses, named in the user's terms.

  $ bash $EXAMPLES/../bench/gen_fischer.bash 3 . && for f in fischer_*.tg; do mv $f ${f#fischer_}; done
  $ run() { varnok "$@" 2>&1 | grep -v -e "syntax analysis" -e "vnk" -e "release" -e "tctl created" -e "synchronization"; echo "status ${PIPESTATUS[0]}"; }

  $ run missing_model
  varnok: cannot open file missing_model.tg 
  status 1
  $ run p1 p2 missing_model
  varnok: cannot open file missing_model.tg 
  status 1
  $ run -abs lu -R CS1 p1 missing_model
  varnok: cannot open file missing_model.tg 
  status 1
  $ run -f p1 missing_model "init impl AB not CS1"
  varnok: cannot open file missing_model.tg 
  status 1
  $ mkdir dir.tg
  $ run dir
  varnok: cannot read file dir.tg
  status 1
  $ printf '#states 1 #trans 1 #clocks 1 x\nstate: 0 invar: x < 16383 trans: true => ; ; goto 0\n' > big.tg
  $ run big
  constant out of range at line 2, near `trans:'
  big.tg:2: constant out of range 'trans:'
  varnok: constants must lie between -16382 and 16382
  There were parsing errors, exiting...
  status 255

Goals that a network search under -abs lu does not take: an unknown clock,
a known clock (the goal speaks of locations only), a temporal operator.

  $ run -abs lu -R "CS1 and x9 > 1" p1 p2 p3 id
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Using breadth-first search with LU bounds and inclusion, no limit on symbolic states
  varnok: clock X9 is not a clock of the model
  _reach.tctl:1: unknown clock 'X9' (did you mean 'X1'?)
  status 1
  $ run -abs lu -R "CS1 and X1 > 1" p1 p2 p3 id | tail -2
  varnok: the goal of a search on several graphs speaks of locations only (propositions, state(n), init); it has a clock constraint
  status 1
  $ run -abs lu -I "init and ED CS1" -R CS2 p1 p2 p3 id | tail -2
  varnok: the initial condition of a search on several graphs speaks of locations only (propositions, state(n), init); it has a temporal operator
  status 1

An unknown clock on one graph ends the run with the evaluator's message
and status 1:

  $ run -abs lu -R "CS1 and x9 > 1" p1 | grep -e clock -e status
  varnok: clock name X9 not found
  _reach.tctl:1: unknown clock 'X9' (did you mean 'X1'?)
  status 1
