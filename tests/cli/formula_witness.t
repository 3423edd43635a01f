Runs for formulas evaluated backwards (-run without -forw): a failing
invariance gets a run to a state outside it, a reachability that holds a
run to its goal, a failing bounded response a run to its premise and on
outside its response for longer than its bound, found by forward searches
and replayed (here by run_replay.py too); any other shape or answer gets
one line saying why there is none.

  $ cp "$EXAMPLES"/train_gate.tg "$EXAMPLES"/fischer.tg "$EXAMPLES"/rail_*.tg .
  $ touch -d '-1 hour' *.tg
  $ replay() { python3 "$TESTDIR"/run_replay.py "$@"; }
  $ witness() { rm -f _run.reach; varnok -run -f "$@" > out 2>&1; grep -e "-run:" -e "_run" -e "internal error" out; }

  $ witness train_gate "init impl AB not INSIDE"
  varnok: file _run.reach dumped
  $ replay --goal INSIDE train_gate _run.reach
  replayed 1 runs, 4 transitions
  $ witness train_gate "init impl AB (not INSIDE or x < 4)"
  varnok: file _run.reach dumped
  $ replay --goal "INSIDE and x >= 4" train_gate _run.reach
  replayed 1 runs, 4 transitions
  $ witness train_gate "init impl ED (FAR and DOWN and y > 1)"
  varnok: file _run.reach dumped
  $ replay --goal "FAR and DOWN and y > 1" train_gate _run.reach
  replayed 1 runs, 5 transitions
  $ witness fischer "init and ED (CS1 and x2 > 3)"
  varnok: file _run.reach dumped
  $ replay --goal "CS1 and x2 > 3" fischer _run.reach
  replayed 1 runs, 3 transitions

The run starts at an initial state (every clock 0) of the condition, even
where the condition also holds elsewhere: the answer is about the initial
states only.

  $ witness train_gate "not INSIDE impl AB not INSIDE"
  varnok: file _run.reach dumped
  $ sed -n 2p _run.reach
  initial: location 0 (UP FAR INIT)  X=0 Y=0 Z=0

The answer is the evaluation's, the run only shows it: the .eval file and
the lines before the run are those of a run without -run (but for the
times they report).

  $ varnok -f train_gate "init impl AB not INSIDE" > plain.out 2>&1; cp _form.eval plain.eval
  $ witness train_gate "init impl AB not INSIDE"
  varnok: file _run.reach dumped
  $ untimed() { grep -v ': system .* user ' "$1"; }
  $ cmp plain.eval _form.eval && diff <(untimed plain.out) <(untimed out) | sed 's/^> /added: /'
  8a9,11
  added: varnok: file _path.reach dumped
  added: varnok: file _run.reach dumped
  added: varnok: abs lu: 4 states stored, 4 explored, 0 covered, 4 transitions, * bytes in store, peak memory * kB (glob)

No finite run shows a holding invariance, an unreached goal, or a formula
of another shape.

  $ witness fischer "init impl AB not (CS1 and CS2)"
  varnok: -run: no finite run is given: the invariance holds, which no finite run shows
  $ witness train_gate "init impl ED (INSIDE and UP)"
  varnok: -run: no finite run is given: the goal is not reached, which no finite run shows
  $ witness train_gate "init impl AD{<=10} INSIDE"
  varnok: -run: no finite run is given: only 'a impl AB p' and 'a impl AB (p impl AD{<=c} q)' that fail and 'a impl ED p' (or 'a and ED p') that holds have one
  $ witness train_gate "init impl AB not ED{<=1} INSIDE"
  varnok: -run: no finite run is given: the formula has clocks of its own
  $ test -f _run.reach || echo "no run"
  no run

A bounded response that fails: the run reaches a state where the premise
holds (the switch line), then stays outside the response for more than the
bound (AD{<c}: for c or more). It is made of two runs, the second found
first from where the first may end, so that the first ends where the second
starts.

  $ witness train_gate "init impl AB (NEAR impl AD{<=4} INSIDE)"
  varnok: file _run.reach dumped
  $ cat _run.reach
  run #1: 3 transitions
  initial: location 0 (UP FAR INIT)  X=0 Y=0 Z=0
  delay 0 -> X=0 Y=0 Z=0
  transition 0 -> location 1 (UP NEAR) labels APPROACH ; X:=0 Z:=0 -> X=0 Y=0 Z=0
  delay 0 -> X=0 Y=0 Z=0
  here NEAR holds; from here on INSIDE stays false for more than 4 time units
  delay 1 -> X=1 Y=1 Z=1
  transition 1 -> location 3 (NEAR COMING_DOWN) labels LOWER ; Y:=0 -> X=1 Y=0 Z=1
  delay 1 -> X=2 Y=1 Z=2
  transition 3 -> location 5 (NEAR DOWN) labels DOWN ; - -> X=2 Y=1 Z=2
  delay 3 -> X=5 Y=4 Z=5
  $ replay --response NEAR INSIDE "<=4" train_gate _run.reach
  replayed 1 runs, 3 transitions

The replay refuses a response run whose premise does not hold at the
switch, whose response holds after it, that ends too early, or that has no
switch line (or one where no response is asked for).

  $ cp _run.reach good.run
  $ replay --response FAR INSIDE "<=4" train_gate good.run
  replay failed: good.run, line 6: P does not hold at the switch, [1] X=0 Y=0 Z=0
  [1]
  $ replay --response NEAR DOWN "<=4" train_gate good.run
  replay failed: good.run, line 11: Q holds at [5] X=2 Y=1 Z=2, 0 after the start of the delay
  [1]
  $ sed 's/more than 4/more than 5/' good.run > bad.run; replay --response NEAR INSIDE "<=5" train_gate bad.run
  replay failed: bad.run, line 12: the run ends 5 after the switch, not more than 5
  [1]
  $ replay --response NEAR INSIDE "<5" train_gate bad.run
  replay failed: bad.run, line 6: the switch line says more than 5, the bound is at least 5
  [1]
  $ witness train_gate "init impl AB not INSIDE"
  varnok: file _run.reach dumped
  $ replay --response NEAR INSIDE "<=4" train_gate _run.reach
  replay failed: _run.reach, line 12: run #1 has no switch line
  [1]
  $ replay train_gate good.run
  replay failed: good.run, line 6: a switch line, and no --response given
  [1]

  $ witness train_gate "init impl AB ((NEAR and x > 1) impl AD{<2} (INSIDE or not (FAR or NEAR)))"
  varnok: file _run.reach dumped
  $ grep here _run.reach
  here NEAR and (X>1) holds; from here on INSIDE or not (FAR or NEAR) stays false for at least 2 time units
  $ replay --response "NEAR and x > 1" "INSIDE or not (FAR or NEAR)" "<2" train_gate _run.reach
  replayed 1 runs, 3 transitions

AD{<0} q holds nowhere: the run ends at the switch, where q may hold.

  $ witness train_gate "init impl AB (NEAR impl AD{<0} NEAR)"
  varnok: file _run.reach dumped
  $ tail -2 _run.reach
  here NEAR holds; from here on NEAR stays false for at least 0 time units
  delay 0 -> X=0 Y=0 Z=0
  $ replay --response NEAR NEAR "<0" train_gate _run.reach
  replayed 1 runs, 1 transitions

The run and its pictures: the timing diagram and the graph show the two
runs as one.

  $ rm -f _run.dot _run.svg; varnok -run -dot -svg -f train_gate "init impl AB (true impl AD{<=3} (INSIDE or FAR))" | grep dumped
  varnok: file _run.reach dumped
  varnok: file _run.dot dumped
  varnok: file _run.svg dumped
  $ replay --response true "INSIDE or FAR" "<=3" train_gate _run.reach
  replayed 1 runs, 3 transitions
  $ grep -o "run: .* units" _run.svg; grep "^  label=" _run.dot
  run: 3 transitions, 4 time units
    label="a run of 3 transitions; start X=0 Y=0 Z=0, end after 4: X=4 Y=3 Z=4";

Holding, or of a shape no finite run shows: the bound (AD{>=c} fails only
on runs that never reach their response), or a premise or response beyond
what the searches read (a response with clocks, a premise with a temporal
operator).

  $ witness train_gate "init impl AB (NEAR impl AD{<=5} INSIDE)"
  varnok: -run: no finite run is given: the invariance holds, which no finite run shows
  varnok: removed the earlier result _run.dot
  varnok: removed the earlier result _run.svg
  $ witness train_gate "init impl AB (NEAR impl AD{>=3} INSIDE)"
  varnok: -run: no finite run is given: only a bounded response AD{<c} or AD{<=c} has one
  $ witness train_gate "init impl AB (NEAR impl AD{<=3} x < 2)"
  varnok: -run: no finite run is given: q in 'p impl AD{<=c} q' is not made of propositions and locations alone
  $ witness train_gate "init impl AB (EB{<1} NEAR impl AD{<=3} INSIDE)"
  varnok: -run: no finite run is given: p in 'p impl AD{<=c} q' has a temporal operator
  $ test -f _run.reach || echo "no run"
  no run

On a network the product built in memory is searched as one graph; its
run replays against the product written by the same models.

  $ witness rail_train rail_gate rail_controller "init impl AB not INSIDE"
  varnok: file _run.reach dumped
  $ varnok -out rail rail_train rail_gate rail_controller > /dev/null 2>&1
  [1]
  $ replay --goal INSIDE rail _run.reach
  replayed 1 runs, 4 transitions
  $ witness rail_train rail_gate rail_controller "init and ED (FAR and DOWN)" && replay --goal "FAR and DOWN" rail _run.reach
  varnok: file _run.reach dumped
  replayed 1 runs, 5 transitions
  $ witness rail_train rail_gate rail_controller "init impl AB (NEAR impl AD{<=4} INSIDE)"
  varnok: file _run.reach dumped
  $ replay --response NEAR INSIDE "<=4" rail _run.reach
  replayed 1 runs, 3 transitions

Random graphs and networks of two, with random bounded responses: every
one that fails gets a run that replays, none that holds gets one.

  $ mkdir random && cd random && python3 "$TESTDIR"/response_random.py 11 120 30
  replayed * runs (* transitions), * holding, 0 beyond the state limit, * networks skipped, 0 failures (glob)
