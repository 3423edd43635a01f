Concrete runs (-run): every witness a search writes is also written as a
timed run with exact delays to _run.reach, after a replay against the model.

  $ run() { varnok "$@" > out 2> err; s=$?; cat out err | grep -v "^varnok: \(release\|reading\|file .* already exists\)\|syntax analysis\|creating file\|vnk,lab\|created"; echo "status $s"; }

Location 0 must be left strictly between 0 and 1, and END needs 1 < y < 2
with x < 1 after x was reset: no integer run exists, halves and thirds do.

  $ cat > half.tg <<'TG'
  > #states 3 #trans 2 #clocks 2 x y
  > state: 0 prop: INIT invar: x < 1 trans:
  > x > 0 => go ; reset{ x } ; goto 1
  > state: 1 prop: MID invar: true trans:
  > y > 1 and y < 2 and x < 1 => stop ; ; goto 2
  > state: 2 prop: END invar: true trans:
  > TG
  $ touch -d '2001-01-01' half.tg
  $ varnok half > /dev/null; echo $?
  1
  $ run -run -R END half
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: file _path.reach dumped
  varnok: file _trace.reach dumped
  varnok: file _run.reach dumped
  varnok: Reachability: TRUE.
  varnok: 3 simulation states generated
  varnok: 2 simulation transitions generated
  status 1
  $ cat _run.reach
  run #1: 2 transitions
  initial: location 0 (INIT)  X=0 Y=0
  delay 1/2 -> X=1/2 Y=1/2
  transition 0 -> location 1 (MID) labels GO ; X:=0 -> X=0 Y=1/2
  delay 2/3 -> X=2/3 Y=7/6
  transition 1 -> location 2 (END) labels STOP ; - -> X=2/3 Y=7/6
  delay 1/3 -> X=1 Y=3/2

The same run from depth-first search and from -abs lu.

  $ mv _run.reach bfs.run
  $ run -run -DFS -R END half
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: Reachability analysis using DFS ...
  varnok: file _run.reach dumped
  varnok: 3 simulation states generated
  varnok: 2 simulation transitions generated
  varnok: Trace #1 dumped in file _dfs.trace
  varnok: Reachability: TRUE.
  varnok: 1 sample traces generated in _dfs.trace.
  varnok: Max stack size attained: 2
  varnok: removed the earlier result _path.reach
  varnok: removed the earlier result _trace.reach
  status 1
  $ cmp bfs.run _run.reach
  $ run -run -alu -R END half
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: file _path.reach dumped
  varnok: file _run.reach dumped
  varnok: Reachability: TRUE.
  varnok: abs lu: 2 states stored, 2 explored, 0 covered, 2 transitions, * bytes in store, peak memory * kB (glob)
  varnok: removed the earlier result _dfs.trace
  status 1
  $ cmp bfs.run _run.reach

Without -run nothing more is written; an unreachable goal gives no run.

  $ rm _run.reach
  $ run -R END half | grep -c _run
  0
  [1]
  $ run -run -R "END and y > 5 and x < 1" half
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: Reachability: FALSE.
  varnok: 3 simulation states generated
  varnok: 2 simulation transitions generated
  varnok: removed the earlier result _path.reach
  varnok: removed the earlier result _trace.reach
  status 1
  $ ls _run.reach
  ls: cannot access '_run.reach': No such file or directory
  [2]

The train and the gate as one graph: the train gets inside only once the
gate is down.

  $ cp "$EXAMPLES"/train_gate.tg "$EXAMPLES"/train_gate_reach_inside.tctl .
  $ touch -d '-1 hour' train_gate.tg
  $ varnok train_gate > /dev/null 2>&1
  [1]
  $ run -run -r train_gate_reach_inside train_gate
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: file _path.reach dumped
  varnok: file _trace.reach dumped
  varnok: file _run.reach dumped
  varnok: Reachability: TRUE.
  varnok: 5 simulation states generated
  varnok: 4 simulation transitions generated
  status 1
  $ cat _run.reach
  run #1: 4 transitions
  initial: location 0 (UP FAR INIT)  X=0 Y=0 Z=0
  delay 0 -> X=0 Y=0 Z=0
  transition 0 -> location 1 (UP NEAR) labels APPROACH ; X:=0 Z:=0 -> X=0 Y=0 Z=0
  delay 1 -> X=1 Y=1 Z=1
  transition 1 -> location 3 (NEAR COMING_DOWN) labels LOWER ; Y:=0 -> X=1 Y=0 Z=1
  delay 1 -> X=2 Y=1 Z=2
  transition 3 -> location 5 (NEAR DOWN) labels DOWN ; - -> X=2 Y=1 Z=2
  delay 1 -> X=3 Y=2 Z=3
  transition 5 -> location 6 (INSIDE DOWN) labels IN ; - -> X=3 Y=2 Z=3
  delay 0 -> X=3 Y=2 Z=3

The same as a network of three automata (depth-first search and -abs lu):
location vectors, the moving automata, a synchronised label once.

  $ cp "$EXAMPLES"/rail_*.tg .
  $ touch -d '-1 hour' rail_*.tg
  $ varnok rail_train rail_gate rail_controller > /dev/null 2>&1
  [1]
  $ echo INSIDE > inside.tctl
  $ run -run -DFS -r inside rail_train rail_gate rail_controller
  Building synchronization tables...
  Evaluating reachability: _init.tctl and ed inside 
  Using depth-first search with max stack depth: 1000
  varnok: Trace #1 dumped in file inside.trace
  varnok: file _run.reach dumped
  varnok: Reachability successful. Sample-trace length: 4
  status 1
  $ cat _run.reach
  run #1: 4 transitions
  initial: locations ( 0, 0, 0 ) (FAR INIT UP)  X=0 Y=0 Z=0
  delay 0 -> X=0 Y=0 Z=0
  transition ( 0, 0, 0 ) -> locations ( 1, 0, 1 ) (NEAR UP INIT) moving rail_train rail_controller labels APPROACH ; X:=0 Z:=0 -> X=0 Y=0 Z=0
  delay 1 -> X=1 Y=1 Z=1
  transition ( 1, 0, 1 ) -> locations ( 1, 1, 2 ) (NEAR COMING_DOWN) moving rail_gate rail_controller labels LOWER ; Y:=0 -> X=1 Y=0 Z=1
  delay 1 -> X=2 Y=1 Z=2
  transition ( 1, 1, 2 ) -> locations ( 1, 2, 2 ) (NEAR DOWN) moving rail_gate labels DOWN ; - -> X=2 Y=1 Z=2
  delay 1 -> X=3 Y=2 Z=3
  transition ( 1, 2, 2 ) -> locations ( 2, 2, 2 ) (INSIDE DOWN) moving rail_train labels IN ; - -> X=3 Y=2 Z=3
  delay 0 -> X=3 Y=2 Z=3
  $ mv _run.reach dfs.run
  $ run -run -alu -r inside rail_train rail_gate rail_controller
  Building synchronization tables...
  Evaluating reachability: _init.tctl and ed inside 
  Using breadth-first search with LU bounds and inclusion, no limit on symbolic states
  varnok: Trace #1 dumped in file inside.trace
  varnok: file _run.reach dumped
  varnok: Reachability successful. Sample-trace length: 4
  varnok: abs lu: 4 states stored, 4 explored, 0 covered, 4 transitions, * bytes in store, peak memory * kB (glob)
  status 1
  $ cmp dfs.run _run.reach

A conditional search (E cond U goal with a condition) writes a run that
stays in the condition until its last moment, which is in the goal: the
train is not inside until the gate is down, reached right after the move.
Bounded inevitabilities that fail give a run avoiding their goal until the
bound has passed (the formula clock is not shown): the train stays far for
5 time units, and 3 is already too late for "< 3".

  $ rm -f _run.reach
  $ varnok -run -forw -f train_gate "init and ((not DOWN) EU INSIDE)" | grep -i "run\|\*\*\*"
  varnok: removed the earlier result _path.reach
  varnok: removed the earlier result _trace.reach
  varnok: Conditional Reachability *** FALSE ***
  $ test -e _run.reach || echo "no _run.reach"
  no _run.reach
  $ varnok -run -forw -f train_gate "init and ((not INSIDE) EU{<=3} DOWN)" | grep -i "run\|\*\*\*"
  varnok: file _run.reach dumped
  varnok: Conditional Reachability *** TRUE ***
  $ cat _run.reach
  run #1: 3 transitions
  initial: location 0 (UP FAR INIT)  X=0 Y=0 Z=0
  delay 0 -> X=0 Y=0 Z=0
  transition 0 -> location 1 (UP NEAR) labels APPROACH ; X:=0 Z:=0 -> X=0 Y=0 Z=0
  delay 1 -> X=1 Y=1 Z=1
  transition 1 -> location 3 (NEAR COMING_DOWN) labels LOWER ; Y:=0 -> X=1 Y=0 Z=1
  delay 0 -> X=1 Y=0 Z=1
  transition 3 -> location 5 (NEAR DOWN) labels DOWN ; - -> X=1 Y=0 Z=1
  delay 0 -> X=1 Y=0 Z=1
  $ varnok -run -forw -f train_gate "init impl (not INSIDE) AU{<=4} DOWN" | grep -i "run\|\*\*\*"
  varnok: file _run.reach dumped
  varnok: Conditional Inevitability *** FALSE ***
  $ tail -1 _run.reach
  delay 5 -> X=5 Y=5 Z=5
  $ varnok -run -forw -f train_gate "init impl AD{<3} DOWN" | grep -i "run\|\*\*\*"
  varnok: file _run.reach dumped
  varnok: Inevitability *** FALSE ***
  $ tail -1 _run.reach
  delay 3 -> X=3 Y=3 Z=3
  $ varnok -run -forw -f train_gate "init and ED INSIDE" | grep -i "run\|\*\*\*"
  varnok: file _run.reach dumped
  varnok: Reachability *** TRUE ***

The guard piece to take is found by going back: x < 1 is tried first and
fails two moves later (x - y stays below 1), x > 2 then gives the run.

  $ cat > back.tg <<'TG'
  > #states 4 #trans 3 #clocks 2 x y
  > state: 0 prop: INIT invar: true trans:
  > x < 1 or x > 2 => go ; reset{ y } ; goto 1
  > state: 1 prop: MID invar: true trans:
  > true => on ; ; goto 2
  > state: 2 prop: LATE invar: true trans:
  > x - y > 2 => stop ; ; goto 3
  > state: 3 prop: END invar: true trans:
  > TG
  $ touch -d '2001-01-01' back.tg
  $ run -run -R END back | grep run
  varnok: file _run.reach dumped
  $ cat _run.reach
  run #1: 3 transitions
  initial: location 0 (INIT)  X=0 Y=0
  delay 3 -> X=3 Y=3
  transition 0 -> location 1 (MID) labels GO ; Y:=0 -> X=3 Y=0
  delay 0 -> X=3 Y=0
  transition 1 -> location 2 (LATE) labels ON ; - -> X=3 Y=0
  delay 0 -> X=3 Y=0
  transition 2 -> location 3 (END) labels STOP ; - -> X=3 Y=0
  delay 0 -> X=3 Y=0

A run through locations past 65535 (a chain of 70000 locations, one clock
reset every time unit): the witness of 69999 moves is followed, replayed and
written.

  $ python3 -c "
  > n = 70000
  > print('#states %d #trans %d #clocks 1 x' % (n, n - 1))
  > for i in range(n - 1): print('state: %d %s invar: x <= 1 trans: x = 1 => ; reset{ x } ; goto %d' % (i, 'prop: INIT' if i == 0 else '', i + 1))
  > print('state: %d prop: GOAL invar: x <= 1 trans:' % (n - 1))
  > " > chain.tg
  $ touch -d '2001-01-01' chain.tg
  $ run -FORW 100000 -R GOAL -run chain
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: file _path.reach dumped
  varnok: file _trace.reach dumped
  varnok: file _run.reach dumped
  varnok: Reachability: TRUE.
  varnok: 70000 simulation states generated
  varnok: 69999 simulation transitions generated
  status 1
  $ head -1 _run.reach; grep -c "^transition" _run.reach; tail -3 _run.reach
  run #1: 69999 transitions
  69999
  delay 1 -> X=1
  transition 69998 -> location 69999 (GOAL) labels - ; X:=0 -> X=0
  delay 0 -> X=0
