Forward exploration of the product of several timed graphs, on the fly.

  $ run() { varnok "$@" > out 2> err; s=$?; grep -v "^varnok: \(release\|file rail\|reading\)" out; cat err; echo "status $s"; }
  $ cp $EXAMPLES/rail_train.tg $EXAMPLES/rail_gate.tg $EXAMPLES/rail_controller.tg .
  $ touch -d '-1 hour' rail_*.tg
  $ varnok rail_train rail_gate rail_controller > /dev/null 2>&1
  [1]

The simulation graph of the level crossing from its initial locations (the
formula "init", written to _init.tctl when no -i or -I is given).

  $ run -forw rail_train rail_gate rail_controller
  varnok: file _init.tctl created
  
  ---------------------------------------------------------------------------
  varnok: total time        : system * user * (glob)
  ---------------------------------------------------------------------------
  Building synchronization tables...
  Generating simulation graph...
  Dumping output... file _out.sim created.
  status 1
  $ cat _out.sim
  /* Simulation graph generated for the parallel composition of:
  \tautomaton 0: rail_train.tg (esc)
  \tautomaton 1: rail_gate.tg (esc)
  \tautomaton 2: rail_controller.tg (esc)
  */
  #states 11
  #trans  12
  #clocks  3
  \tX /* rail_train */ (esc)
  \tY /* rail_gate */ (esc)
  \tZ /* rail_controller */ (esc)
  
  
  state: 0\t/* vector state: < 0, 0, 0 > */ (esc)
  prop: FAR INIT UP
  invar: X=Y and X=Z
  trans:
  TRUE => APPROACH ; RESET{ X Z }; goto 1
  
  state: 1\t/* vector state: < 1, 0, 1 > */ (esc)
  prop: NEAR UP
  invar: Z<=1 and X<=Y and X=Z
  trans:
  Z=1 => LOWER ; RESET{ Y }; goto 2
  
  state: 2\t/* vector state: < 1, 1, 2 > */ (esc)
  prop: NEAR COMING_DOWN
  invar: 1<=X and Y<=1 and X=Y+1 and X=Z
  trans:
  Y<=1 => DOWN ; reset{}; goto 3
  
  state: 3\t/* vector state: < 1, 2, 2 > */ (esc)
  prop: NEAR DOWN
  invar: 1<=X and X<=5 and X=Y+1 and X=Z
  trans:
  2<X and X<=5 => IN ; reset{}; goto 4
  
  state: 4\t/* vector state: < 2, 2, 2 > */ (esc)
  prop: INSIDE DOWN
  invar: 2<X and X<=5 and X=Y+1 and X=Z
  trans:
  X<=5 => EXIT ; RESET{ Z }; goto 5
  
  state: 5\t/* vector state: < 0, 2, 3 > */ (esc)
  prop: FAR DOWN
  invar: Z<=1 and X=Y+1 and X<=Z+5 and Z+2<X
  trans:
  Z<=1 => RAISE ; RESET{ Y }; goto 6
  
  state: 6\t/* vector state: < 0, 3, 0 > */ (esc)
  prop: FAR GOING_UP
  invar: Y<=2 and X<=Z+5 and Z+2<X and Y<=Z and Z<=Y+1
  trans:
  1<=Y and Y<=2 => UP ; reset{}; goto 7
  TRUE => APPROACH ; RESET{ X Z }; goto 8
  
  state: 7\t/* vector state: < 0, 0, 0 > */ (esc)
  prop: FAR INIT UP
  invar: 1<=Y and X<=Z+5 and Z+2<X and Y<=Z and Z<=Y+1
  trans:
  TRUE => APPROACH ; RESET{ X Z }; goto 9
  
  state: 8\t/* vector state: < 1, 3, 1 > */ (esc)
  prop: NEAR GOING_UP
  invar: Y<=2 and Z<=1 and X<=Y and X=Z
  trans:
  1<=Y and Y<=2 => UP ; reset{}; goto 10
  
  state: 9\t/* vector state: < 1, 0, 1 > */ (esc)
  prop: NEAR UP
  invar: Z<=1 and X+1<=Y and X=Z
  trans:
  Z=1 => LOWER ; RESET{ Y }; goto 2
  
  state: 10\t/* vector state: < 1, 0, 1 > */ (esc)
  prop: NEAR UP
  invar: 1<=Y and Z<=1 and X<=Y and Y<=X+2 and X=Z
  trans:
  Z=1 => LOWER ; RESET{ Y }; goto 2

A limit on the symbolic states aborts the exploration; with -h the graph
built so far is dumped.

  $ run -FORW 3 -h rail_train rail_gate rail_controller
  varnok: file _init.tctl created
  
  ---------------------------------------------------------------------------
  varnok: total time        : system * user * (glob)
  ---------------------------------------------------------------------------
  Building synchronization tables...
  Generating simulation graph...
  varnok abort: too many symbolic states (current MAX_SYMB_STATES = 3;)
  hint: use the '-abs' option for abstractions,
  \tor use the '-FORW n' option to limit the search. (esc)
  varnok: file abort.sim dumped
  status 255
  $ cat abort.sim | grep -c "^state"
  3

No initial state: nothing is written, status 1 (a run that gives up never
ends with 0).

  $ run -forw -I "INSIDE and FAR" -out none rail_train rail_gate rail_controller
  varnok: file _init.tctl created
  Building synchronization tables...
  Generating simulation graph...
  status 1
  $ ls none.sim
  ls: cannot access 'none.sim': No such file or directory
  [2]

The formula true as initial formula is refused.

  $ run -forw -I "true" -out none rail_train rail_gate rail_controller
  varnok: file _init.tctl created
  ERROR: initial-state formula is `true'
  Building synchronization tables...
  Generating simulation graph...
  status 255

Breadth-first reachability. The crossing is safe: the train is never inside
while the gate is not down. It is inside at depth 5; initial states satisfy
"FAR".

  $ run -R "INSIDE and not DOWN" rail_train rail_gate rail_controller
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  Building synchronization tables...
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Using breadth-first search with max symbolic-states set size: 1000
  Reachability failed.
  Full state space explored: 11 states. Max depth reached: 9
  status 1
  $ run -R "INSIDE" rail_train rail_gate rail_controller
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  Building synchronization tables...
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Using breadth-first search with max symbolic-states set size: 1000
  varnok: Reachability successful at depth 5.
  varnok: Please re-run using DFS (options -FULLDFS -STACK 5) to get a (shortest) counter-trace.
  status 1
  $ run -R "FAR and UP" rail_train rail_gate rail_controller
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  Building synchronization tables...
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Using breadth-first search with max symbolic-states set size: 1000
  varnok: Reachability successful at depth 1.
  varnok: Initial states satisfy reachability formula.
  status 1
  $ run -FORW 4 -R "INSIDE" rail_train rail_gate rail_controller
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  Building synchronization tables...
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Using breadth-first search with max symbolic-states set size: 4
  Reachability failed. Warning: part of state space explored.
  BFS limited at MAX_SYMB_STATES = 4.
  Hint: use the '-abs' option for abstractions,
  \tor use the '-FORW n' option to set the search limit. (esc)
  status 1

Depth-first reachability writes sample traces into the reach formula's
.trace file; with a stack of 3 the search stops at depth 2.

  $ run -DFS -R "INSIDE" rail_train rail_gate rail_controller
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  Building synchronization tables...
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Using depth-first search with max stack depth: 1000
  varnok: Trace #1 dumped in file _reach.trace
  varnok: Reachability successful. Sample-trace length: 4
  status 1
  $ cat _reach.trace
  -- Trace #1 -- 
  < ( 0, 0, 0 ), X=Y and X=Z >
    --- APPROACH  --->
  < ( 1, 0, 1 ), Z<=1 and X<=Y and X=Z >
    --- LOWER  --->
  < ( 1, 1, 2 ), 1<=X and Y<=1 and X=Y+1 and X=Z >
    --- DOWN  --->
  < ( 1, 2, 2 ), 1<=X and X<=5 and X=Y+1 and X=Z >
    --- IN  --->
  < ( 2, 2, 2 ), 2<X and X<=5 and X=Y+1 and X=Z >
  
  
  $ run -STACK 3 -R "INSIDE" rail_train rail_gate rail_controller
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  Building synchronization tables...
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Using depth-first search with max stack depth: 3
  Reachability failed. Warning: part of state space explored.
  4 symbolic states generated. DFS limited at depth 2.
  Hint: use the '-abs' option for abstractions,
  \tor use the '-STACK n' option to set the search limit. (esc)
  varnok: removed the earlier result _reach.trace
  status 1
  $ run -FULLDFS -ALLPATHS 2 -R "GOING_UP" rail_train rail_gate rail_controller
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  Building synchronization tables...
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Using depth-first search with max stack depth: 1000
  varnok: Trace #1 dumped in file _reach.trace
  varnok: Trace #2 dumped in file _reach.trace
  varnok: Reachability successful. Sample-trace length: 13
  status 1
  $ grep -- "-- Trace" _reach.trace
  -- Trace #1 -- 
  -- Trace #2 -- 

Formulas with clocks are refused by the searches.

  $ run -R "x <= 2" rail_train rail_gate rail_controller
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  Building synchronization tables...
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Using breadth-first search with max symbolic-states set size: 1000
  forw_init_reach: please use simple boolean formulae as init and reach condition.
  Reachability failed. Warning: part of state space explored.
  BFS limited at MAX_SYMB_STATES = 1000.
  Hint: use the '-abs' option for abstractions,
  \tor use the '-FORW n' option to set the search limit. (esc)
  varnok: removed the earlier result _reach.trace
  status 1

Abstractions: inclusion, convex hull, extrapolation (whose zone is written
to approx_zone).

  $ run -ai -R "INSIDE and not DOWN" rail_train rail_gate rail_controller | tail -3
  Reachability failed.
  Full state space explored: 9 states. Max depth reached: 8
  status 1
  $ run -ac -R "INSIDE and not DOWN" rail_train rail_gate rail_controller | tail -3
  Reachability failed.
  Full state space explored: 9 states. Max depth reached: 8
  status 1
  $ run -ax -R "INSIDE and not DOWN" rail_train rail_gate rail_controller | tail -3
  Reachability failed.
  Full state space explored: 11 states. Max depth reached: 9
  status 1
  $ cat approx_zone
  Approximation:
  X<=5 and Y<=2 and Z<=1
  $ run -ai -forw rail_train rail_gate rail_controller | tail -1; grep "^#states" _out.sim
  status 1
  #states 9
