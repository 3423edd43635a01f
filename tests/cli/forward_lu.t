Forward reachability under the LU abstraction (-abs lu, short form -alu):
lower and upper bounds per location, inclusion between the zones stored at
one location, no state limit unless -FORW is given.

  $ run() { varnok "$@" > out 2> err; s=$?; cat out err | grep -v "^varnok: \(release\|reading\|file .* already exists\)\|syntax analysis\|creating file\|vnk,lab"; echo "status $s"; }

One graph where y grows without bound while x ticks: location 1 (LATE) is
entered once y > 10 with x < 1, and END once x > 3 after that. The path
of stored predecessors is written with the exact zones along its moves.

  $ cat > ring.tg <<'TG'
  > #states 3 #trans 3 #clocks 2 x y
  > state: 0 prop: INIT invar: x <= 2 trans:
  > x >= 1 => tick ; reset{ x } ; goto 0
  > y > 10 and x < 1 => late ; ; goto 1
  > state: 1 prop: LATE invar: true trans:
  > x > 3 => done ; ; goto 2
  > state: 2 prop: END invar: true trans:
  > TG
  $ touch -d '2001-01-01' ring.tg
  $ varnok ring > /dev/null; echo $?
  1
  $ run -alu -R END ring
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: file _path.reach dumped
  varnok: Reachability: TRUE.
  varnok: abs lu: 2 states stored, 8 explored, 6 covered, 10 transitions, * bytes in store, peak memory * kB (glob)
  status 1
  $ head -5 _path.reach; echo ...; tail -12 _path.reach
  location: 0
  propositions: INIT
  constraint: X<=2 and X=Y
  transition: 1<=X and X<=2 => TICK ; RESET{ X } ; goto 0
  
  ...
  propositions: INIT
  constraint: X<=2 and X+5<=Y and Y<=X+10
  transition: X<1 and 10<Y => LATE ; RESET{} ; goto 1
  
  location: 1
  propositions: LATE
  constraint: 10<Y and X+9<Y and Y<=X+10
  transition: 3<X => DONE ; RESET{} ; goto 2
  
  location: 2
  propositions: END
  constraint: 3<X and X+9<Y and Y<=X+10

A goal with a clock constraint counts in the bounds: END is never reached
with y < 10. Depth-first gives the same verdict.

  $ run -abs lu -R "END and y < 10" ring
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: Reachability: FALSE.
  varnok: abs lu: 9 states stored, 9 explored, 0 covered, 10 transitions, * bytes in store, peak memory * kB (glob)
  varnok: removed the earlier result _path.reach
  status 1
  $ run -alu -DFS -R "END and y < 10" ring | grep Reachability
  varnok: Reachability: FALSE.
  $ run -alu -DFS -R "END and y > 20" ring | grep Reachability
  varnok: Reachability: TRUE.

-FORW n still limits the search when it is given.

  $ run -alu -FORW 3 -R END ring | grep -v "file _\(init\|reach\).tctl"
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: Reachability: INCOMPLETE (search limited at -FORW 3 states).
  varnok: abs lu: 1 states stored, 3 explored, 3 covered, 3 transitions, * bytes in store, peak memory * kB (glob)
  varnok: removed the earlier result _path.reach
  status 1

A diagonal constraint makes the extrapolation unsound: the search goes on
without it, and says so.

  $ cat > diag.tg <<'TG'
  > #states 3 #trans 2 #clocks 2 x y
  > state: 0 prop: INIT invar: x <= 3 trans:
  > x >= 1 => a ; reset{ y } ; goto 1
  > state: 1 invar: y <= 2 trans:
  > x - y > 3 => b ; ; goto 2
  > state: 2 prop: END invar: true trans:
  > TG
  $ touch -d '2001-01-01' diag.tg
  $ varnok diag > /dev/null; echo $?
  1
  $ run -alu -R END diag | grep -v "file _\(init\|reach\).tctl"
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: Reachability: FALSE.
  varnok: abs lu: 2 states stored, 2 explored, 0 covered, 1 transitions, * bytes in store, peak memory * kB (glob)
  varnok: warning: diagonal constraints make the LU extrapolation unsound; -abs lu explores without extrapolation
  status 1

The simulation graph under -abs lu: the stored states that no other state
covers, with their transitions (a successor included in a stored state goes
to that state). y is forgotten where no test on it is ahead.

  $ run -alu -forw ring
  varnok: file _init.tctl created
  varnok: generating simulation graph... 
  varnok: abs lu: 3 states stored, 9 explored, 6 covered, 10 transitions, * bytes in store, peak memory * kB (glob)
  varnok: file ring.sim dumped
  status 1
  $ cat ring.sim
  #states 3
  #trans  3
  #clocks  2
  X Y 
  
  state: 0\t/* tg state: 0 */ (esc)
  prop: INIT
  invar: X<=2
  trans:
  1<=X and X<=2 => TICK ; RESET{ X } ; goto 0
  X<1 and 10<Y => LATE ; RESET{} ; goto 1
  
  state: 1\t/* tg state: 1 */ (esc)
  prop: LATE
  invar: TRUE
  trans:
  3<X => DONE ; RESET{} ; goto 2
  
  state: 2\t/* tg state: 2 */ (esc)
  prop: END
  invar: TRUE
  trans:

Several graphs: the level crossing. The train is never inside with the gate
up; it is inside with the gate down after four moves (trace file as the
depth-first search writes it).

  $ cp $EXAMPLES/rail_train.tg $EXAMPLES/rail_gate.tg $EXAMPLES/rail_controller.tg .
  $ touch -d '-1 hour' rail_*.tg
  $ varnok rail_train rail_gate rail_controller > /dev/null 2>&1
  [1]
  $ run -alu -R "INSIDE and UP" rail_train rail_gate rail_controller
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  Building synchronization tables...
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Using breadth-first search with LU bounds and inclusion, no limit on symbolic states
  Reachability failed.
  Full state space explored.
  varnok: abs lu: 8 states stored, 8 explored, 0 covered, 9 transitions, * bytes in store, peak memory * kB (glob)
  status 1
  $ run -alu -R "INSIDE and DOWN" rail_train rail_gate rail_controller | grep -v "file _\(init\|reach\).tctl"
  Building synchronization tables...
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Using breadth-first search with LU bounds and inclusion, no limit on symbolic states
  varnok: Trace #1 dumped in file _reach.trace
  varnok: Reachability successful. Sample-trace length: 4
  varnok: abs lu: 4 states stored, 4 explored, 0 covered, 4 transitions, * bytes in store, peak memory * kB (glob)
  status 1
  $ run -alu -forw rail_train rail_gate rail_controller | grep -v "file _init"
  
  ---------------------------------------------------------------------------
  varnok: total time        : system * user * (glob)
  ---------------------------------------------------------------------------
  Building synchronization tables...
  Generating simulation graph with LU bounds and inclusion...
  varnok: abs lu: 8 states stored, 8 explored, 0 covered, 9 transitions, * bytes in store, peak memory * kB (glob)
  file _out.sim created.
  status 1
  $ grep -c "^state:" _out.sim; sed -n 6p _out.sim
  8
  #states 8
  $ cat _reach.trace
  -- Trace #1 -- 
  < ( 0, 0, 0 ), X=Y and X=Z >
    --- APPROACH  --->
  < ( 1, 0, 1 ), X<=1 and X<=Y and X=Z >
    --- LOWER  --->
  < ( 1, 1, 2 ), 1<=X and X<=2 and X=Y+1 and X=Z >
    --- DOWN  --->
  < ( 1, 2, 2 ), 1<=X and X<=5 and X=Y+1 and X=Z >
    --- IN  --->
  < ( 2, 2, 2 ), 2<X and X<=5 and X=Y+1 and X=Z >
  
  

Eight automata with 21 transitions each: their transition vectors do not
fit a 32-bit code, so the other searches refuse the network (and name the
option that explores it); -abs lu decides it.

  $ for i in 2 3 4 5 6 7 8; do
  >   { echo "#states 2 #trans 21 #clocks 0 #sync go"
  >     echo "state: 0 prop: INIT invar: true trans:"
  >     for k in $(seq 1 20); do echo "true => t${i}_$k ; ; goto 0"; done
  >     echo "true => go ; ; goto 1"
  >     echo "state: 1 prop: D$i invar: true trans:"; } > a$i.tg
  > done
  $ { echo "#states 2 #trans 21 #clocks 1 x #sync go"
  >   echo "state: 0 prop: INIT invar: x <= 5 trans:"
  >   for k in $(seq 1 20); do echo "x >= 1 => t1_$k ; reset{ x } ; goto 0"; done
  >   echo "x >= 3 => go ; ; goto 1"
  >   echo "state: 1 prop: D1 invar: true trans:"; } > a1.tg
  $ touch -d '-1 hour' a?.tg
  $ run -R "D1 and D8" a1 a2 a3 a4 a5 a6 a7 a8 | grep -v "file _\(init\|reach\).tctl"
  ERROR: Cannot encode transition vectors: too many transitions!
  varnok: hint: -abs lu (with -forw, -r or -R) explores networks whose vectors do not fit a code
  status 255
  $ run -alu -R "D1 and D8" a1 a2 a3 a4 a5 a6 a7 a8 | grep -v "file _\(init\|reach\).tctl"
  Building synchronization tables...
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Using breadth-first search with LU bounds and inclusion, no limit on symbolic states
  varnok: Trace #1 dumped in file _reach.trace
  varnok: Reachability successful. Sample-trace length: 1
  varnok: abs lu: 1 states stored, 1 explored, 0 covered, 161 transitions, * bytes in store, peak memory * kB (glob)
  status 1
  $ run -alu -DFS -R "D1 and INIT" a1 a2 a3 a4 a5 a6 a7 a8 | grep -v "file _\(init\|reach\).tctl"
  Building synchronization tables...
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Using depth-first search with LU bounds and inclusion, no limit on symbolic states
  Reachability failed.
  Full state space explored.
  varnok: abs lu: 2 states stored, 2 explored, 0 covered, 161 transitions, * bytes in store, peak memory * kB (glob)
  varnok: removed the earlier result _reach.trace
  status 1
