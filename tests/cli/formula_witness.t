Runs for formulas evaluated backwards (-run without -forw): a failing
invariance gets a run to a state outside it, a reachability that holds a
run to its goal, found by the -abs lu search and replayed (here by
run_replay.py too); any other shape or answer gets one line saying why
there is none.

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
  varnok: -run: no finite run is given: only 'a impl AB p' that fails and 'a impl ED p' (or 'a and ED p') that holds have one
  $ witness train_gate "init impl AB (NEAR impl AD{<=3} INSIDE)"
  varnok: -run: no finite run is given: the formula has clocks of its own
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
