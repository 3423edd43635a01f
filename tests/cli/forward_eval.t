Formulas decided forwards (-forw with a formula): the verdict line after
the counts, no .eval file, the timing summary.

Location 0 (INIT, x <= 3) goes to 1 at x >= 1 resetting y; location 1
(y <= 2) goes to 3 at y = 2 resetting x; location 3 (x <= 1) goes to 2
(END) at x = 1. Every run enters END between 4 and 6 time units.

  $ run() { varnok "$@" 2>&1 | grep -v "release\|diag.vnk\|system\|^---\|^$"; echo "status ${PIPESTATUS[0]}"; }
  $ cat > diag.tg <<'TG'
  > #states 4 #trans 4 #clocks 2 x y
  > state: 0 prop: INIT invar: x <= 3 trans:
  > x >= 1 => a ; reset{ y } ; goto 1
  > state: 1 invar: y <= 2 trans:
  > x - y > 3 => b ; ; goto 2
  > y = 2 => c ; reset{ x } ; goto 3
  > state: 2 prop: END invar: true trans:
  > state: 3 invar: x <= 1 trans:
  > x = 1 => d ; ; goto 2
  > TG
  $ touch -d '2001-01-01' diag.tg
  $ varnok diag > /dev/null; echo $?
  1

  $ echo "init and ED{<=4} END" > early.tctl
  $ run -forw diag early
  varnok: begin evaluation of early.tctl
  varnok: begin forward analysis
  varnok: file _path.reach dumped
  varnok: file _trace.reach dumped
  varnok: 4 simulation states generated
  varnok: 3 simulation transitions generated
  varnok: Reachability *** TRUE ***
  varnok: end evaluation of early.tctl
  varnok: compacting
  status 1
  $ ls early.eval
  ls: cannot access 'early.eval': No such file or directory
  [2]
  $ tail -2 _trace.reach
  propositions: END
  constraint: 1<=X and _ex1<=4 and X+2=Y and X+3<=_ex1
  $ run -f -forw diag "ED{<4} END" | grep "\*\*\*"
  varnok: Reachability *** FALSE ***

Inevitability: at location 3 with x = 1 time cannot pass, so END is
entered by 6 time units on every run.

  $ run -f -forw diag "init impl AD{<=6} END" | grep "\*\*\*"
  varnok: Inevitability *** TRUE ***
  $ run -f -forw diag "init impl AD{<6} END" | grep "\*\*\*"
  varnok: Inevitability *** FALSE ***
  $ run -f -forw diag "init impl (not END) AU{<=6} END" | grep "\*\*\*"
  varnok: Conditional Inevitability *** TRUE ***
  $ run -f -forw diag "init and ((state(0) and x <= 1) EU state(1))" | grep "\*\*\*"
  varnok: Conditional Reachability *** TRUE ***
  $ run -f -forw diag "init and ((state(0) and x < 1) EU state(1))" | grep "\*\*\*"
  varnok: Conditional Reachability *** FALSE ***
  $ run -f -forw diag "init impl AB not END" | grep "\*\*\*"
  varnok: Invariance *** FALSE ***
  $ run -f -forw diag "init impl AB (END impl y - x = 2)" | grep "\*\*\*"
  varnok: Invariance *** TRUE ***

Shapes the forward evaluator does not decide.

  $ varnok -f -forw diag "ED true" 2>&1 >/dev/null
  ERROR: please simplify "TRUE" atoms in formulas
  [1]
  $ varnok -f -forw diag "init impl AD{>3} END" 2>&1 >/dev/null
  ERROR: can not apply forward analysis
  [1]
  $ varnok -f -forw diag "EB END" | tail -1
  varnok: Can not apply forward analysis
  $ varnok -f -forw diag "ED[1,2] END" > /dev/null; echo $?
  1
  $ varnok -f -forw diag "ED[1,2] END" | tail -1
  varnok: Can not apply forward analysis
  $ varnok -f -forw diag "(not END) EU[1,2] END" | tail -1
  varnok: Can not apply forward analysis

A universal until with a lower bound is refused on standard output.

  $ varnok -f -forw diag "init impl (not END) AU{>=3} END" 2>/dev/null | tail -1; echo "status ${PIPESTATUS[0]}"
  varnok: Can not apply forward analysis
  status 1
  $ varnok -f -forw diag "init impl (not END) AU{>3} END" 2>&1 >/dev/null
  [1]

A condition whose zones do not form a convex set cannot be followed by the
forward search while time passes; such a formula is decided by the
backward evaluator, and the run says so. From x = 0, location 1 (P) is
entered at x <= 1 or at x >= 3: along the way, x <= 1 or x >= 2 holds only
for the first.

  $ cat > gap.tg <<'TG'
  > #states 2 #trans 2 #clocks 1 x
  > state: 0 prop: INIT invar: x <= 4 trans:
  > x <= 1 => early ; ; goto 1
  > x >= 3 => late ; ; goto 1
  > state: 1 prop: P invar: true trans:
  > TG
  $ touch -d '2001-01-01' gap.tg
  $ varnok gap > /dev/null; echo $?
  1
  $ varnok -f -forw gap "init and ((x <= 1 or x >= 2) EU P)" 2>&1 | grep "location\|\*\*\*"
  varnok: location 0: the condition is not convex; the formula is decided backwards
  varnok: Conditional Reachability *** TRUE ***
  $ varnok -f -forw gap "init and ((x <= 1 or x >= 2) EU (P and x >= 3))" 2>&1 | grep "location\|\*\*\*"
  varnok: location 0: the condition is not convex; the formula is decided backwards
  varnok: Conditional Reachability *** FALSE ***
  $ varnok -f -forw gap "init impl (x <= 1 or x >= 2) AU{<=4} P" 2>&1 | grep "location\|\*\*\*"
  varnok: Conditional Inevitability *** FALSE ***
  $ varnok -f -forw gap "init impl (not P) AU{<=4} (P or (x > 1 and x < 2))" 2>&1 | grep "location\|\*\*\*"
  varnok: location 0: the condition is not convex; the formula is decided backwards
  varnok: Conditional Inevitability *** TRUE ***
