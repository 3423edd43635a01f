Products of timed graphs whose guards and invariants are disjunctions: one
product move per combination of guard zones, invariants that are the exact
conjunction of the components' regions, and time that passes in such an
invariant zone by zone; no "Composition may be incorrect." warning.

  $ reach() { varnok "$@" 2>&1 | grep -i "reachab"; }

A's only transition takes the synchronisation label GO when x < 1 or x > 3;
C takes GO when y >= 4, within y <= 5. Both take it together at x = y = 4.

  $ cat > a.tg <<'TG'
  > #states 2 #trans 1 #clocks 1 x
  > #sync GO
  > state: 0 invar: true trans: x < 1 or x > 3 => GO ; reset{ x } ; goto 1
  > state: 1 prop: DONE invar: true trans:
  > TG
  $ cat > c.tg <<'TG'
  > #states 2 #trans 1 #clocks 1 y
  > #sync GO
  > state: 0 invar: y <= 5 trans: y >= 4 => GO ; ; goto 1
  > state: 1 prop: LATE invar: true trans:
  > TG
  $ touch -d '-1 hour' a.tg c.tg
  $ reach -ax -R "DONE and LATE" a c
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  varnok: Reachability successful at depth 2.
  $ varnok a c 2>&1 >/dev/null
  Building synchronization tables...
  Generating parallel product graph...
  Dumping output... files _out.[tg,vnk,lab,prop,reg] created.
  [1]
  $ sed -n 11,20p _out.tg
  
  state: 0\t/* vector state: < 0, 0 > */ (esc)
  invar: Y<=5
  trans:
  L: X<1 and 4<=Y and Y<=5 =C> GO ; RESET{ X }; goto 1
  L: 3<X and 4<=Y and Y<=5 =C> GO ; RESET{ X }; goto 1
  
  state: 1\t/* vector state: < 1, 1 > */ (esc)
  prop: DONE LATE
  invar: TRUE

The written product reads back as one timed graph with the same answer,
forwards and backwards.

  $ reach -R "DONE and LATE" _out
  varnok: Evaluating reachability property... 
  varnok: Reachability: TRUE.
  $ varnok _out -f "init impl ED (DONE and LATE)" > /dev/null; cat _form.eval
  true

The same with the disjunction in an invariant: B resets z at x >= 2 and
then waits where x <= 1 or z <= 1. Only the zone z <= 1 holds there (x is
at least 2), and it lets x, and with it y, reach 4: GO can be taken. The
first zone alone (x <= 1) would make the location unreachable.

  $ cat > b.tg <<'TG'
  > #states 3 #trans 2 #clocks 2 x z
  > #sync GO
  > state: 0 invar: true trans: x >= 2 => ; reset{ z } ; goto 1
  > state: 1 invar: x <= 1 or z <= 1 trans: true => GO ; ; goto 2
  > state: 2 prop: DONE invar: true trans:
  > TG
  $ touch -d '-1 hour' b.tg
  $ reach -R "DONE and LATE" b c
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  varnok: Reachability successful at depth 3.
  $ reach -ax -DFS -R "DONE and LATE" b c
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  varnok: Reachability successful. Sample-trace length: 2
  $ varnok b c > /dev/null 2>&1
  [1]
  $ sed -n 17,23p _out.tg
  state: 1\t/* vector state: < 1, 0 > */ (esc)
  invar: X<=1 and Y<=5
  or
  Z<=1 and Y<=5
  trans:
  L: X<=1 and 4<=Y and Y<=5 =C> GO ; reset{}; goto 2
  L: Z<=1 and 4<=Y and Y<=5 =C> GO ; reset{}; goto 2
  $ reach -R "DONE and LATE" _out
  varnok: Evaluating reachability property... 
  varnok: Reachability: TRUE.
  $ varnok _out -f "init impl ED (DONE and LATE)" > /dev/null; cat _form.eval
  true

The simulation graph of the product splits the state at location (1, 0)
into one state per invariant zone that holds some of it.

  $ varnok -forw -I init b c > /dev/null 2>&1
  [1]
  $ grep -A1 "vector state: < 1, 0 >" _out.sim
  state: 1\t/* vector state: < 1, 0 > */ (esc)
  invar: Z<=1 and Y<=5 and X<=Z+5 and Z+2<=X and X=Y
