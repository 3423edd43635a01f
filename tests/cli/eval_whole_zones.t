A universal until on the product of three small graphs (6 locations, 6
clocks): the rounds of its fix-point pass on the parts of their zones outside
the states already found, and these differences split one location's states
into hundreds of zones, whose double complement (the compaction inside the
fix-point) would grow without end. Past a fixed budget of zone comparisons
the fix-point starts again with whole zones: the same states, in a fraction
of a second.

  $ cat > g0.tg <<'TG'
  > #states 3
  > #trans 6
  > #clocks 2
  > C00 C01
  > #sync S
  > 
  > state: 0
  > prop: P0
  > invar: C00 <= 2
  > trans:
  > (C00 < 2) or (C01 >= 3) => S ; reset{ C00 C01 } ; goto 0
  > C01 = 0 and C00 < 2 =>  ; reset{ C01 } ; goto 1
  > (C01 <= 2) or (C00 = 3) =>  ; reset{ C01 } ; goto 2
  > state: 1
  > invar: C01 <= 0 or C00 <= 4
  > trans:
  > 
  > state: 2
  > prop: P0 R INIT
  > invar: C01 <= 3
  > trans:
  > true =>  ; reset{  } ; goto 0
  > C01 <= 3 =>  ; reset{  } ; goto 0
  > C01 <= 1 =>  ; reset{ C00 C01 } ; goto 2
  > TG
  $ cat > g1.tg <<'TG'
  > #states 2
  > #trans 2
  > #clocks 2
  > T C11
  > #sync S
  > 
  > state: 0
  > prop: Q1
  > invar: T <= 3
  > trans:
  > T = 0 => L1 ; reset{ C11 } ; goto 0
  > T > 1 => S ; reset{ T } ; goto 0
  > state: 1
  > prop: Q1
  > invar: C11 <= 3
  > trans:
  > 
  > TG
  $ cat > g2.tg <<'TG'
  > #states 2
  > #trans 4
  > #clocks 2
  > C20 C21
  > #sync S
  > 
  > state: 0
  > prop: Q2 INIT
  > invar: true
  > trans:
  > C21 <= 2 => S ; reset{  } ; goto 0
  > C20 >= 2 and C21 <= 2 =>  ; reset{  } ; goto 0
  > state: 1
  > prop: P2 Q2 INIT
  > invar: C20 <= 3
  > trans:
  > C21 < 2 => S ; reset{  } ; goto 1
  > C20 < 3 => L2 ; reset{  } ; goto 0
  > TG
  $ echo '(P0) AU (C00 > 2)' > f.tctl
  $ echo 'init and not ((P0) AU (C00 > 2))' > c.tctl
  $ varnok g0 g1 g2 > /dev/null 2>&1
  [1]

The loop of location 2 resets both clocks of the first graph every time
unit, so C00 never passes 2 there: the formula fails initially. -v shows the
second pass.

  $ timeout 60 varnok -q -verdict g0 g1 g2 f; echo "status $?"
  HOLDS false
  status 1
  $ timeout 60 varnok -v g0 g1 g2 f 2> /dev/null | sed -n '/^iter/,/^<<  (P0AU/p'
  iter #: 1, iter #: 1,2,3,4,5,6
  again with whole-zone frontiers
  iter #: 1, iter #: 1,2,3,4,5,6
          2, iter #: 1,2,3,4,5,6
          3, iter #: 1,2,3,4,5,6
  <<  (P0AU(C00>2))

The same verdict on the reachable part, whose fix-points carry whole zones
from the start, and the same initial states where the formula fails, from
the whole product and from the reachable part.

  $ timeout 60 varnok -q -verdict -reachable g0 g1 g2 f; echo "status $?"
  HOLDS false
  status 1
  $ timeout 60 varnok -q g0 g1 g2 c 2> /dev/null; mv c.eval whole.eval
  $ timeout 60 varnok -q -reachable g0 g1 g2 c 2> /dev/null; diff whole.eval c.eval
  $ cat c.eval
  state(0) and (\t/* vector state: < 2, 0, 1 > */ (esc)
  C00=0 and C01=0 and T=0 and C11=0 and C20=0 and C21=0)
  or
  state(1) and (\t/* vector state: < 2, 0, 0 > */ (esc)
  C00=0 and C01=0 and T=0 and C11=0 and C20=0 and C21=0)
