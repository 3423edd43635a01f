The concrete runs of -run witnesses, replayed by run_replay.py against the
.tg text: exact rationals, invariants at every moment of every delay, guards
and assignments, synchronisation on networks, the goal at the last moment.

  $ cp "$EXAMPLES"/*.tg .
  $ touch -d '-1 hour' *.tg
  $ replay() { python3 "$TESTDIR"/run_replay.py "$@"; }
  $ check() { goal=$1; shift; models=; while [ "$1" != -- ]; do models="$models $1"; shift; done; shift
  >   rm -f _run.reach; varnok -run "$@" -R "$goal" $models > out 2>&1
  >   grep "internal error\|no concrete run" out; replay --goal "$goal" $models _run.reach; }

The examples, breadth- and depth-first, with abstractions and -abs lu.

  $ for o in "" -DFS -ax -ai "-ax -Act" -alu "-alu -DFS"; do check "INSIDE and x > 4" train_gate -- $o; done
  replayed 1 runs, 4 transitions
  replayed 1 runs, 4 transitions
  replayed 1 runs, 4 transitions
  replayed 1 runs, 4 transitions
  replayed 1 runs, 4 transitions
  replayed 1 runs, 4 transitions
  replayed 1 runs, 4 transitions
  $ for g in "GOING_UP and NEAR" "FAR and DOWN and y > 1"; do for o in "" -DFS -alu; do check "$g" train_gate -- $o; done; done
  replayed 1 runs, 7 transitions
  replayed 1 runs, 7 transitions
  replayed 1 runs, 7 transitions
  replayed 1 runs, 5 transitions
  replayed 1 runs, 5 transitions
  replayed 1 runs, 5 transitions
  $ for g in "CS1 and WAITING" "CS2 and x1 - x2 > 2" "WAITING and x2 > 3"; do for o in "" "-ax -DFS" -ax -alu "-alu -DFS"; do check "$g" fischer -- $o; done; done
  replayed 1 runs, 5 transitions
  replayed 1 runs, 13 transitions
  replayed 1 runs, 5 transitions
  replayed 1 runs, 5 transitions
  replayed 1 runs, 5 transitions
  replayed 1 runs, 3 transitions
  replayed 1 runs, 18 transitions
  replayed 1 runs, 3 transitions
  replayed 1 runs, 3 transitions
  replayed 1 runs, 3 transitions
  replayed 1 runs, 2 transitions
  replayed 1 runs, 2 transitions
  replayed 1 runs, 2 transitions
  replayed 1 runs, 2 transitions
  replayed 1 runs, 2 transitions
  $ for g in ALARM "LATE and s > 3" "SAMPLED and w > 5"; do for o in "" -DFS -ax -alu; do check "$g" sensor -- $o; done; done
  replayed 1 runs, 7 transitions
  replayed 1 runs, 15 transitions
  replayed 1 runs, 7 transitions
  replayed 1 runs, 7 transitions
  replayed 1 runs, 2 transitions
  replayed 1 runs, 4 transitions
  replayed 1 runs, 2 transitions
  replayed 1 runs, 2 transitions
  replayed 1 runs, 4 transitions
  replayed 1 runs, 6 transitions
  replayed 1 runs, 4 transitions
  replayed 1 runs, 4 transitions

Depth-first search with -allpaths writes a run per trace.

  $ check "CS1" fischer -- -FULLDFS -allpaths -STACK 6
  replayed 3 runs, 13 transitions
  $ grep -c "^run #" _run.reach
  3

With -Inv the run may start anywhere in the invariant.

  $ rm -f _run.reach; varnok -run -Inv -R "CS1 and x2 > 1" fischer > out 2>&1; replay --init-anywhere --goal "CS1 and x2 > 1" fischer _run.reach
  replayed 1 runs, 3 transitions

The railway as a network of three automata (its goals are propositions):
synchronised labels move two automata together, the others one alone.

  $ for g in "FAR and DOWN" "GOING_UP and NEAR" "NEAR and COMING_DOWN" INSIDE; do for o in "-DFS" "-alu" "-alu -DFS"; do check "$g" rail_train rail_gate rail_controller -- $o; done; done
  replayed 1 runs, 5 transitions
  replayed 1 runs, 5 transitions
  replayed 1 runs, 5 transitions
  replayed 1 runs, 7 transitions
  replayed 1 runs, 7 transitions
  replayed 1 runs, 7 transitions
  replayed 1 runs, 2 transitions
  replayed 1 runs, 2 transitions
  replayed 1 runs, 2 transitions
  replayed 1 runs, 4 transitions
  replayed 1 runs, 4 transitions
  replayed 1 runs, 4 transitions

  $ grep -o "moving [a-z_ ]* labels" _run.reach | sort | uniq -c
        1 moving rail_gate labels
        1 moving rail_gate rail_controller labels
        1 moving rail_train labels
        1 moving rail_train rail_controller labels

The breadth-first searches of a network keep the way back to the
initial states: the run to the goal found is written after the search's
lines, under the exact engine and each abstraction.

  $ for g in "FAR and DOWN" "NEAR and COMING_DOWN" "UP and FAR"; do for o in "" -ax -ai -ac; do check "$g" rail_train rail_gate rail_controller -- $o; done; done
  replayed 1 runs, 5 transitions
  replayed 1 runs, 5 transitions
  replayed 1 runs, 5 transitions
  replayed 1 runs, 5 transitions
  replayed 1 runs, 2 transitions
  replayed 1 runs, 2 transitions
  replayed 1 runs, 2 transitions
  replayed 1 runs, 2 transitions
  replayed 1 runs, 0 transitions
  replayed 1 runs, 0 transitions
  replayed 1 runs, 0 transitions
  replayed 1 runs, 0 transitions
  $ check "GOING_UP and NEAR" rail_train rail_gate rail_controller --
  replayed 1 runs, 7 transitions

The written product is one timed graph again, with clock constraints in
the goal.

  $ varnok rail_train rail_gate rail_controller -out rail > /dev/null 2>&1
  [1]
  $ check "INSIDE and x > 4" rail -- -DFS
  replayed 1 runs, 4 transitions

Counterexamples of forward invariance formulas and witnesses of until and
inevitability formulas (the path is replayed; the formula is not the goal of
one state).

  $ for f in "init impl AB not INSIDE" "init impl AB not (GOING_UP and NEAR)" "init and ((not INSIDE) EU{<=3} DOWN)" "init impl (not INSIDE) AU{<=4} DOWN" "init and ED INSIDE"; do
  >   rm -f _run.reach; varnok -run -forw -f train_gate "$f" > out 2>&1; grep "\*\*\*" out; replay train_gate _run.reach; done
  varnok: Invariance *** FALSE ***
  replayed 1 runs, 4 transitions
  varnok: Invariance *** FALSE ***
  replayed 1 runs, 7 transitions
  varnok: Conditional Reachability *** TRUE ***
  replayed 1 runs, 3 transitions
  varnok: Conditional Inevitability *** FALSE ***
  replayed 1 runs, 0 transitions
  varnok: Reachability *** TRUE ***
  replayed 1 runs, 4 transitions
  $ for f in "init impl AB not (CS1 and WAITING)" "init and ED (CS2 and x1 > 3)"; do
  >   rm -f _run.reach; varnok -run -forw -f fischer "$f" > out 2>&1; grep "\*\*\*" out; replay fischer _run.reach; done
  varnok: Invariance *** FALSE ***
  replayed 1 runs, 5 transitions
  varnok: Reachability *** TRUE ***
  replayed 1 runs, 3 transitions

The witness of "cond EU goal" stays in the condition until the goal: the
condition is checked at every moment of every delay.

  $ for cg in "not INSIDE:DOWN" "z <= 1:DOWN" "x < 3:INSIDE"; do c=${cg%:*}; g=${cg#*:}
  >   rm -f _run.reach; varnok -run -forw -f train_gate "init and (($c) EU ($g))" > out 2>&1; grep "\*\*\*" out
  >   replay --goal "$g" --cond "$c" train_gate _run.reach; done
  varnok: Conditional Reachability *** TRUE ***
  replayed 1 runs, 3 transitions
  varnok: Conditional Reachability *** TRUE ***
  replayed 1 runs, 3 transitions
  varnok: Conditional Reachability *** TRUE ***
  replayed 1 runs, 4 transitions
  $ replay --goal INSIDE --cond "x < 2" train_gate _run.reach
  replay failed: _run.reach, line 9: [5] X=2 Y=1 Z=2, 1/2 after the start of the delay, is outside the condition
  [1]
  $ replay --goal INSIDE --cond "not NEAR" train_gate _run.reach
  replay failed: _run.reach, line 5: [1] X=0 Y=0 Z=0, 0 after the start of the delay, is outside the condition
  [1]

Exact delays that no integer run has (halves and thirds), and a guard and
an invariant that are disjunctions, in a network.

  $ cat > half.tg <<'TG'
  > #states 3 #trans 2 #clocks 2 x y
  > state: 0 prop: INIT invar: x < 1 trans:
  > x > 0 => go ; reset{ x } ; goto 1
  > state: 1 prop: MID invar: true trans:
  > y > 1 and y < 2 and x < 1 => stop ; ; goto 2
  > state: 2 prop: END invar: true trans:
  > TG
  $ cat > a.tg <<'TG'
  > #states 2 #trans 1 #clocks 1 x
  > #sync GO
  > state: 0 invar: true trans: x < 1 or x > 3 => GO ; reset{ x } ; goto 1
  > state: 1 prop: DONE invar: true trans:
  > TG
  $ cat > b.tg <<'TG'
  > #states 3 #trans 2 #clocks 2 x z
  > #sync GO
  > state: 0 invar: true trans: x >= 2 => ; reset{ z } ; goto 1
  > state: 1 invar: x <= 1 or z <= 1 trans: x >= 4 => GO ; ; goto 2
  > state: 2 prop: LATE invar: true trans:
  > TG
  $ touch -d '-1 hour' half.tg a.tg b.tg
  $ for o in "" -DFS -alu; do check END half -- $o; done
  replayed 1 runs, 2 transitions
  replayed 1 runs, 2 transitions
  replayed 1 runs, 2 transitions
  $ grep "/" _run.reach
  delay 1/2 -> X=1/2 Y=1/2
  transition 0 -> location 1 (MID) labels GO ; X:=0 -> X=0 Y=1/2
  delay 2/3 -> X=2/3 Y=7/6
  transition 1 -> location 2 (END) labels STOP ; - -> X=2/3 Y=7/6
  delay 1/3 -> X=1 Y=3/2
  $ check "DONE and LATE" a b -- -DFS
  replayed 1 runs, 2 transitions
  $ cat _run.reach
  run #1: 2 transitions
  initial: locations ( 0, 0 ) ()  X=0 X_1=0 Z=0
  delay 4 -> X=4 X_1=4 Z=4
  transition ( 0, 0 ) -> locations ( 0, 1 ) () moving b labels - ; Z:=0 -> X=4 X_1=4 Z=0
  delay 0 -> X=4 X_1=4 Z=0
  transition ( 0, 1 ) -> locations ( 1, 2 ) (DONE LATE) moving a b labels GO ; X:=0 -> X=0 X_1=4 Z=0
  delay 0 -> X=0 X_1=4 Z=0

Delays are whole where the zones allow, then halves: here the first
delay may be anything from 1 to 3 and is 1, although the later steps need
halves and thirds (the clock Z keeps the fraction of Y).

  $ cat > late.tg <<'TG'
  > #states 4 #trans 3 #clocks 3 x y z
  > state: 0 prop: INIT invar: true trans:
  > z >= 1 and z <= 3 => a ; reset{ x y } ; goto 1
  > state: 1 prop: MID invar: x < 1 trans:
  > x > 0 => go ; reset{ x } ; goto 2
  > state: 2 prop: NEXT invar: true trans:
  > y > 1 and y < 2 and x < 1 => stop ; ; goto 3
  > state: 3 prop: END invar: true trans:
  > TG
  $ touch -d '-1 hour' late.tg
  $ for o in "" -DFS -alu; do check END late -- $o; grep -m1 "^delay" _run.reach; done
  replayed 1 runs, 3 transitions
  delay 1 -> X=1 Y=1 Z=1
  replayed 1 runs, 3 transitions
  delay 1 -> X=1 Y=1 Z=1
  replayed 1 runs, 3 transitions
  delay 1 -> X=1 Y=1 Z=1
  $ grep "^delay" _run.reach
  delay 1 -> X=1 Y=1 Z=1
  delay 1/2 -> X=1/2 Y=1/2 Z=3/2
  delay 2/3 -> X=2/3 Y=7/6 Z=13/6
  delay 1/3 -> X=1 Y=3/2 Z=5/2
  $ for g in "INSIDE and x > 4" "GOING_UP and NEAR" "FAR and DOWN and y > 1"; do check "$g" train_gate -- -DFS > /dev/null; grep -c "^delay.*/" _run.reach; done
  0
  0
  0
  [1]

The checker itself: each of these changes to a correct run is refused, and
so is a file without a run.

  $ check END half -- > /dev/null
  $ cp _run.reach good.run
  $ tamper() { sed "$1" good.run > bad.run; replay --goal END half bad.run; }
  $ tamper 's/^delay 1\/2 -> X=1\/2 Y=1\/2/delay 1 -> X=1 Y=1/'
  replay failed: bad.run, line 3: the invariant of location 0 does not hold throughout the delay 1 from X=0 Y=0
  [1]
  $ tamper 's/^delay 2\/3 -> X=2\/3 Y=7\/6/delay 1\/6 -> X=1\/6 Y=2\/3/'
  replay failed: bad.run, line 6: no transition from [1] to [2] takes this move at X=1/6 Y=2/3 (the guard of automaton 0 does not hold)
  [1]
  $ tamper 's/^delay 1\/2 -> X=1\/2 Y=1\/2/delay -1\/2 -> X=-1\/2 Y=-1\/2/'
  replay failed: bad.run, line 3: negative delay -1/2
  [1]
  $ tamper 's/X:=0 -> X=0 Y=1\/2/- -> X=1\/2 Y=1\/2/'
  replay failed: bad.run, line 4: no transition from [0] to [1] takes this move at X=1/2 Y=1/2 (assignments X:=0)
  [1]
  $ tamper 's/X:=0 -> X=0 Y=1\/2/X:=0 -> X=0 Y=1/'
  replay failed: bad.run, line 4: no transition from [0] to [1] takes this move at X=1/2 Y=1/2 (it leads to X=0 Y=1/2)
  [1]
  $ tamper 's/location 2 (END)/location 2 (MID)/'
  replay failed: bad.run, line 6: propositions (MID) printed, the locations carry (END)
  [1]
  $ tamper 's/labels STOP/labels GO/'
  replay failed: bad.run, line 6: no transition from [1] to [2] takes this move at X=2/3 Y=7/6 (labels STOP)
  [1]
  $ tamper 's/2 transitions/3 transitions/'
  replay failed: bad.run, line 8: run #1 announces 3 transitions and has 2
  [1]
  $ tamper 's/^delay 1\/3 -> X=1 Y=3\/2/delay 2\/6 -> X=1 Y=3\/2/'
  replay failed: bad.run, line 7: '2/6' is not written in lowest terms
  [1]
  $ replay --goal "END and y > 2" half good.run
  replay failed: good.run, line 8: the run ends at [2] X=1 Y=3/2, outside the goal
  [1]
  $ : > empty.run; replay half empty.run
  replay failed: empty.run: no run to replay
  [1]
  $ check "DONE and LATE" a b -- -DFS > /dev/null
  $ sed 's/moving a b/moving b/' _run.reach > bad.run; replay a b bad.run
  replay failed: bad.run, line 6: automaton 0 changes location without moving
  [1]
  $ sed 's/moving a b labels GO ; X:=0/moving a labels GO ; X:=0/; s/( 1, 2 ) (DONE LATE)/( 1, 1 ) (DONE)/' _run.reach > bad.run; replay a b bad.run
  replay failed: bad.run, line 6: no transition from [0, 1] to [1, 1] takes this move at X=4 X_1=4 Z=0 (not a legal synchronisation)
  [1]

Random timed graphs and networks: every run written is replayed.

  $ mkdir random && cd random && python3 "$TESTDIR"/random_tg.py 7 40 100
  replayed 303 runs (382 transitions), 417 searches without witness, 0 beyond the state limit, 0 failures
