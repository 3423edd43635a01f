Abstractions of the forward search, and guards and invariants made of
several zones.

  $ run() { varnok "$@" 2>&1 | tail -n +2; echo "status ${PIPESTATUS[0]}"; }
  $ sim() { varnok "$@" > /dev/null 2>&1; grep -c "^state" "${@: -1}.sim"; }

Two ways into location 1, the second one with x >= 2 already: its state is
included in the first one's. Without abstraction both are kept; inclusion
and the convex hull reuse the older state.

  $ cat > incl.tg <<'TG'
  > #states 3 #trans 3 #clocks 2 x y
  > state: 0 invar: x <= 5 trans:
  > x <= 5 => a ; ; goto 1
  > x >= 2 => b ; ; goto 1
  > state: 1 invar: true trans: y >= 7 => c ; reset{ x } ; goto 2
  > state: 2 prop: END invar: x <= 0 trans:
  > TG
  $ sim -forw incl
  4
  $ grep -A3 "state: 2" incl.sim | head -4
  state: 2\t/* tg state: 1 */ (esc)
  invar: 2<=X and X=Y
  trans:
  7<=Y => C ; RESET{ X } ; goto 3
  $ sim -ai -forw incl
  3
  $ sim -abs cvxhull -forw incl
  3
  $ sed -n 6,10p incl.sim
  state: 0\t/* tg state: 0 */ (esc)
  invar: X<=5 and X=Y
  trans:
  X<=5 => A ; RESET{} ; goto 1
  2<=X and X<=5 => B ; RESET{} ; goto 1

Two disjoint entries into location 1 (x in [0, 1] and in [4, 5], y = 0,
no delay there): x = 3 is not reachable. Inclusion keeps both; the convex
hull merges them into a new state and so reaches x = 3, but the trace
cannot be followed back and is reported invalid.

  $ cat > nest.tg <<'TG'
  > #states 2 #trans 2 #clocks 2 x y
  > state: 0 invar: x <= 5 trans:
  > x <= 1 => a ; reset{ y } ; goto 1
  > x >= 4 => b ; reset{ y } ; goto 1
  > state: 1 prop: GOAL invar: y <= 0 trans:
  > TG
  $ run -R "GOAL and x = 3" nest | grep -v "\.tctl\|nest"
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: Reachability: FALSE.
  varnok: 3 simulation states generated
  varnok: 2 simulation transitions generated
  status 1
  $ run -ai -R "GOAL and x = 3" nest | grep Reach
  varnok: Reachability: FALSE.
  $ run -ac -R "GOAL and x = 3" nest | tail -7
  varnok: Evaluating reachability property... 
  varnok: file _path.reach dumped
  varnok: invalid simulation trace
  varnok: Reachability: TRUE.
  varnok: 3 simulation states generated
  varnok: 2 simulation transitions generated
  status 1
  $ cat _trace.reach
  Invalid simulation trace
  $ tail -3 _path.reach
  location: 1
  propositions: GOAL
  constraint: X<=5 and Y=0
  $ run -ax -R "GOAL and x = 3" nest | grep Reach
  varnok: Reachability: FALSE.
  $ cat approx_zone
  Approximation:
  X<=5 and Y=0

A clock that grows without bound (y counts the ticks of x): the exact graph
is infinite and meets the state limit; extrapolation keeps the largest
constants, x <= 1 from the guard and y > 5 from the goal, and ends.

  $ cat > tick.tg <<'TG'
  > #states 1 #trans 1 #clocks 2 x y
  > state: 0 invar: x <= 1 trans: x = 1 => tick ; reset{ x } ; goto 0
  > TG
  $ varnok -FORW 30 -forw tick 2>&1 >/dev/null | head -1
  varnok abort: too many symbolic states (current MAX_SYMB_STATES = 30;)
  $ run -R "y - x > 5" tick | tail -5
  varnok: file _trace.reach dumped
  varnok: Reachability: TRUE.
  varnok: 7 simulation states generated
  varnok: 6 simulation transitions generated
  status 1
  $ run -ax -R "y - x > 5" tick | grep Reach
  varnok: Reachability: TRUE.
  $ cat approx_zone
  Approximation:
  X<=1 and Y<5
  $ run -ax -R "y - x > 5 and y < 3" tick | grep Reach
  varnok: Reachability: FALSE.
  $ run -ax -forw tick | grep generated
  varnok: simulation graph generated                   
  varnok: 2 simulation states generated
  varnok: 2 simulation transitions generated
  $ tail -4 tick.sim
  state: 1\t/* tg state: 0 */ (esc)
  invar: X<=1 and X<Y
  trans:
  X=1 => TICK ; RESET{ X } ; goto 1

With x := y the maximum of y follows that of x.

  $ cat > copy.tg <<'TG'
  > #states 2 #trans 2 #clocks 2 x y
  > state: 0 invar: true trans: x >= 7 => a ; x := y ; goto 1
  > state: 1 invar: true trans: y <= 2 => b ; ; goto 0
  > TG
  $ varnok -ax -forw copy > /dev/null 2>&1; cat approx_zone
  Approximation:
  X<=7 and Y<=7

A guard of two zones is taken zone by zone: each gives its own successor.

  $ cat > disj.tg <<'TG'
  > #states 2 #trans 1 #clocks 2 x y
  > state: 0 invar: y <= 5 trans: y < 1 or y > 4 => a ; reset{ x } ; goto 1
  > state: 1 prop: ONE invar: x <= 0 trans:
  > TG
  $ run -R "ONE and y > 4" disj | grep Reach
  varnok: Reachability: TRUE.
  $ cat _path.reach
  location: 0
  constraint: Y<=5 and X=Y
  transition: 4<Y and Y<=5 => A ; RESET{ X } ; goto 1
  
  location: 1
  propositions: ONE
  constraint: X=0 and 4<Y and Y<=X+5
  $ run -R "ONE and y > 1 and y < 4" disj | grep Reach
  varnok: Reachability: FALSE.
  $ sim -forw disj
  3
  $ sed -n 6,10p disj.sim
  state: 0\t/* tg state: 0 */ (esc)
  invar: Y<=5 and X=Y
  trans:
  Y<1 => A ; RESET{ X } ; goto 1
  4<Y and Y<=5 => A ; RESET{ X } ; goto 2

An invariant whose zones do not make a convex set: time passes in it zone
by zone. Location 1 is entered with x >= 2 and y = 0, so only the zone
y <= 1 of its invariant holds there: x >= 4 is reached (A), y >= 2 is not
(B), although the hull of the invariant would allow both.

  $ cat > nonconv.tg <<'TG'
  > #states 4 #trans 3 #clocks 2 x y
  > state: 0 invar: true trans: x >= 2 => a ; reset{ y } ; goto 1
  > state: 1 invar: x <= 1 or y <= 1 trans:
  > x >= 4 => b ; ; goto 2
  > y >= 2 => c ; ; goto 3
  > state: 2 prop: A invar: true trans:
  > state: 3 prop: B invar: true trans:
  > TG
  $ sim -forw nonconv
  3
  $ sed -n 11,14p nonconv.sim
  state: 1\t/* tg state: 1 */ (esc)
  invar: Y<=1 and Y+2<=X
  trans:
  4<=X and Y<=1 => B ; RESET{} ; goto 2
  $ varnok -R A nonconv 2>&1 | grep "Reachability:"
  varnok: Reachability: TRUE.
  $ varnok -R B nonconv 2>&1 | grep "Reachability:"
  varnok: Reachability: FALSE.
