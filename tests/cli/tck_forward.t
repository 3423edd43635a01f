The forward search on models with data (.tck): integer variables in the
discrete key, clock constants that are integer expressions, committed and
urgent locations, synchronisation vectors. The verdict and count lines are
those of the search on several timed graphs.

  $ run() { varnok "$@" > out 2> err; s=$?; cat out err | grep -v "^varnok: \(release\|file _.*created\)\|^Using"; echo "status $s"; }
  $ counts() { varnok "$@" 2>&1 | sed -n 's/, [0-9]* bytes in store.*//p; /Reachability \(successful\|failed\)/p'; }
  $ cp $TESTDIR/tck/*.tck $TESTDIR/tck/*.tg .

Fischer's protocol with a shared integer id, N = 2 .. 6: mutual exclusion
holds with the wait guard X > 10 and fails with X >= 10. The same network
in timed graphs, with the id as an automaton of its own, gives the same
verdicts, and where the whole space is explored the same counts.

  $ for n in 2 3 4 5 6; do
  >   mkdir tg$n && (cd tg$n && bash $TESTDIR/../../bench/gen_fischer.bash $n . > /dev/null)
  >   bash $TESTDIR/tck/gen_fischer_tck.sh $n '>' > fischer$n.tck
  >   bash $TESTDIR/tck/gen_fischer_tck.sh $n '>=' > fischer_ge$n.tck
  >   counts -abs lu -R 'CS1 and CS2' fischer$n.tck > a
  >   (cd tg$n && counts -abs lu -R 'CS1 and CS2' fischer_p*.tg fischer_id.tg) > b
  >   cmp -s a b && cat a || { echo "N = $n differs"; cat a b; }
  >   sed -i 's/X\([0-9]*\) > 10/X\1 >= 10/' tg$n/fischer_p*.tg
  >   counts -abs lu -R 'CS1 and CS2' fischer_ge$n.tck | head -1
  >   (cd tg$n && counts -abs lu -R 'CS1 and CS2' fischer_p*.tg fischer_id.tg) | head -1
  > done
  Reachability failed.
  varnok: abs lu: 18 states stored, 18 explored, 0 covered, 26 transitions
  varnok: Reachability successful. Sample-trace length: 6
  varnok: Reachability successful. Sample-trace length: 6
  Reachability failed.
  varnok: abs lu: 65 states stored, 71 explored, 6 covered, 126 transitions
  varnok: Reachability successful. Sample-trace length: 6
  varnok: Reachability successful. Sample-trace length: 6
  Reachability failed.
  varnok: abs lu: 220 states stored, 268 explored, 62 covered, 552 transitions
  varnok: Reachability successful. Sample-trace length: 6
  varnok: Reachability successful. Sample-trace length: 6
  Reachability failed.
  varnok: abs lu: 727 states stored, 977 explored, 373 covered, 2290 transitions
  varnok: Reachability successful. Sample-trace length: 6
  varnok: Reachability successful. Sample-trace length: 6
  Reachability failed.
  varnok: abs lu: 2378 states stored, 3458 explored, 1762 covered, 9132 transitions
  varnok: Reachability successful. Sample-trace length: 6
  varnok: Reachability successful. Sample-trace length: 6

The trace of a reached goal shows the locations and the integer values at
each step, and the edges taken between them; -verdict and -stats report as
for timed graphs. Labels compare as propositions do, whatever the case.

  $ run -abs lu -R 'cs1 && Cs2' fischer_ge2.tck
  varnok: Trace #1 dumped in file fischer_ge2.trace
  varnok: Reachability successful. Sample-trace length: 6
  varnok: abs lu: 19 states stored, 15 explored, 0 covered, 24 transitions, * bytes in store, peak memory * kB (glob)
  status 1
  $ cat fischer_ge2.trace
  -- Trace #1 -- 
  < P1.A, P2.A, id = 0 >
    --- P1:A->req:tau --->
  < P1.req, P2.A, id = 0 >
    --- P2:A->req:tau --->
  < P1.req, P2.req, id = 0 >
    --- P1:req->wait:tau --->
  < P1.wait, P2.req, id = 1 >
    --- P1:wait->cs:tau --->
  < P1.cs, P2.req, id = 1 >
    --- P2:req->wait:tau --->
  < P1.cs, P2.wait, id = 2 >
    --- P2:wait->cs:tau --->
  < P1.cs, P2.cs, id = 2 >
  
  

With -run, the witness becomes a concrete run with exact delays, each step
with the edges taken, the state reached and the clocks set:

  $ run -run -abs lu -R 'DOWN and passed == 1' train_gate.tck
  varnok: Trace #1 dumped in file train_gate.trace
  varnok: Run #1 dumped in file train_gate_run.reach
  varnok: Reachability successful. Sample-trace length: 5
  varnok: abs lu: 5 states stored, 5 explored, 0 covered, 5 transitions, * bytes in store, peak memory * kB (glob)
  status 1
  $ cat train_gate_run.reach
  run #1: 5 transitions
  initial: < Train.far, Gate.up, Controller.idle, passed = 0 >  x=0 y=0
  delay 0 -> x=0 y=0
  transition Train:far->near:approach Controller:idle->closing:approach -> < Train.near, Gate.up, Controller.closing, passed = 0 > ; x:=0 -> x=0 y=0
  delay 0 -> x=0 y=0
  transition Gate:up->coming:lower Controller:closing->busy:lower -> < Train.near, Gate.coming, Controller.busy, passed = 0 > ; y:=0 -> x=0 y=0
  delay 1 -> x=1 y=1
  transition Gate:coming->down:down -> < Train.near, Gate.down, Controller.busy, passed = 0 > ; - -> x=1 y=1
  delay 2 -> x=3 y=3
  transition Train:near->inside:in -> < Train.inside, Gate.down, Controller.busy, passed = 0 > ; - -> x=3 y=3
  delay 0 -> x=3 y=3
  transition Train:inside->far:exit Controller:busy->opening:exit -> < Train.far, Gate.down, Controller.opening, passed = 1 > ; - -> x=3 y=3
  delay 0 -> x=3 y=3
  $ printf '%s\n' 'system:s' 'event:e' 'clock:1:x' 'clock:1:y' 'int:1:0:9:0:n' 'process:P' \
  >   'location:P:A{initial: : labels: A}' 'location:P:B{labels: B}' \
  >   'edge:P:A:A:e{provided: x > 0 && x < 1 : do: x = 0; n = n + 1}' 'edge:P:A:B:e{provided: y > n - 1 && y < n}' > frac.tck
  $ run -run -abs lu -R 'B && n == 3' frac.tck > /dev/null; grep -v '^delay 0 ' frac_run.reach
  run #1: 4 transitions
  initial: < P.A, n = 0 >  x=0 y=0
  delay 9/10 -> x=9/10 y=9/10
  transition P:A->A:e -> < P.A, n = 1 > ; x:=0 -> x=0 y=9/10
  delay 14/15 -> x=14/15 y=11/6
  transition P:A->A:e -> < P.A, n = 2 > ; x:=0 -> x=0 y=11/6
  delay 2/3 -> x=2/3 y=5/2
  transition P:A->A:e -> < P.A, n = 3 > ; x:=0 -> x=0 y=5/2
  transition P:A->B:e -> < P.B, n = 3 > ; - -> x=0 y=5/2

  $ varnok -verdict -stats -abs lu -R 'CS1 and CS2' fischer3.tck 2>/dev/null | grep -v "^varnok:\|_s "; echo "status $?"
  REACHABLE false
  peak_memory_kb * (glob)
  states_stored 65
  states_explored 71
  states_covered 6
  transitions 126
  status 0
  $ run -abs lu -FORW 10 -R 'CS1 and CS2' fischer4.tck
  Reachability failed. Warning: part of state space explored.
  Search limited at -FORW 10 states.
  varnok: abs lu: 11 states stored, * (glob)
  status 1
  $ counts -abs lu -DFS -R 'CS1 and CS2' fischer_ge3.tck | head -1
  varnok: Reachability successful. Sample-trace length: * (glob)

A train-gate whose controller closes the gate the moment a train approaches
and opens it the moment the train leaves (committed locations), with a
counter of the trains that passed; in timed graphs the committed locations
are locations where time cannot pass.

  $ for g in 'INSIDE and UP' 'INSIDE and COMING_DOWN' 'INSIDE and GOING_UP' 'NEAR and GOING_UP' 'FAR and DOWN and OPENING'; do
  >   a=$(counts -abs lu -R "$g" train_gate.tck | head -1)
  >   b=$(counts -abs lu -R "$g" tg_train.tg tg_gate.tg tg_controller.tg | head -1)
  >   echo "$g: $a"; [ "$a" = "$b" ] || echo "timed graphs: $b"
  > done
  INSIDE and UP: Reachability failed.
  INSIDE and COMING_DOWN: Reachability failed.
  INSIDE and GOING_UP: Reachability failed.
  NEAR and GOING_UP: varnok: Reachability successful. Sample-trace length: 7
  FAR and DOWN and OPENING: varnok: Reachability successful. Sample-trace length: 5
  $ counts -abs lu -R 'DOWN and passed == 3 and not BUSY' train_gate.tck
  varnok: Reachability successful. Sample-trace length: 17
  varnok: abs lu: 21 states stored, 21 explored, 0 covered, 23 transitions
  $ counts -abs lu -R 'passed == 2 and INSIDE' train_gate.tck
  varnok: Reachability successful. Sample-trace length: 16
  varnok: abs lu: 20 states stored, 20 explored, 0 covered, 22 transitions

The goal may also constrain the clocks, in a conjunction as a guard does
(x # e, x - y # e): it holds where its conditions hold and the zone meets
its clock constraints, whose constants count in the clock bounds. The
train is near for 5 time units at most; x and y are reset at one instant
(the controller's committed location), so they stay equal while the train
is near or inside; a diagonal constraint keeps the zones exact:

  $ for g in 'NEAR and x > 5' 'NEAR and x >= 5' 'INSIDE and x < 2' 'INSIDE and x <= 3 && passed == 0' \
  >          'INSIDE and x - y > 0' 'INSIDE and y - x >= 0 and y > 4'; do
  >   echo "$g: $(counts -abs lu -R "$g" train_gate.tck | head -1)"
  > done
  NEAR and x > 5: Reachability failed.
  NEAR and x >= 5: varnok: Reachability successful. Sample-trace length: 3
  INSIDE and x < 2: Reachability failed.
  INSIDE and x <= 3 && passed == 0: varnok: Reachability successful. Sample-trace length: 4
  INSIDE and x - y > 0: Reachability failed.
  INSIDE and y - x >= 0 and y > 4: varnok: Reachability successful. Sample-trace length: 4
  $ varnok -abs lu -R 'INSIDE and x - y > 0' train_gate.tck 2>&1 | grep warning
  varnok: warning: diagonal constraints make the LU extrapolation unsound; -abs lu explores without extrapolation

A run to such a goal ends where its clock constraints hold:

  $ run -run -abs lu -R 'DOWN and passed == 1 and x > 4' train_gate.tck > /dev/null; grep -A1 'near->inside' train_gate_run.reach
  transition Train:near->inside:in -> < Train.inside, Gate.down, Controller.busy, passed = 0 > ; - -> x=5 y=5
  delay 0 -> x=5 y=5

Clock constraints under `or` or `not`, `!=` on clocks and sums of clocks
are refused:

  $ for g in 'NEAR or x > 5' 'not (x > 1)' 'x != 3' 'x + y > 3' 'x > y'; do run -abs lu -R "$g" train_gate.tck; done
  varnok: goal: clocks can only be compared, in a conjunction of clock constraints
  varnok: removed the earlier result train_gate.trace
  varnok: removed the earlier result train_gate_run.reach
  status 1
  varnok: goal: clocks can only be compared, in a conjunction of clock constraints
  status 1
  varnok: goal: '!=' on clocks is not a clock constraint
  status 1
  varnok: goal: a clock constraint has the form x # e or x - y # e
  status 1
  varnok: goal: a clock constraint compares clocks with an integer expression
  status 1

The clock bounds take an integer expression at its largest value over the
values its variables can take: the initial value and what the assignments
can give (a remainder stays below its divisor), not the whole declared
range. So k declared 0..100 but only ever 0..3, or a parameter K that is
never assigned, gives the same count as the narrow declaration:

  $ wide() {
  >   printf '%s\n' 'system:s' 'event:e' 'clock:1:x' 'clock:1:y' "int:1:0:$1:0:k" "int:1:0:$2:$3:K" 'process:P' \
  >     'location:P:A{initial: : labels: A : invariant: x <= 1}' 'location:P:B{labels: B}' \
  >     'edge:P:A:A:e{provided: x == 1 : do: x = 0; k = (k + 1) % 4}' 'edge:P:A:B:e{provided: y >= 2 * k + K}' > w.tck
  >   counts -abs lu -R 'A and B' w.tck | tail -1
  > }
  $ wide 3 1 1; wide 100 1 1; wide 3 1000 1
  varnok: abs lu: 8 states stored, 16 explored, 8 covered, 21 transitions
  varnok: abs lu: 8 states stored, 16 explored, 8 covered, 21 transitions
  varnok: abs lu: 8 states stored, 16 explored, 8 covered, 21 transitions

With -dot the model is drawn (model.dot: a cluster per process, the
initial locations bold with an entry arrow, committed and urgent ones
filled; the expressions written back with the parentheses they need), and
with -run the concrete run as a path of moments (model_run.dot):

  $ printf '%s\n' 'system:pic' 'event:e' 'clock:2:x' 'int:1:0:3:0:n' 'int:3:0:9:1:a' 'process:P' \
  >   'location:P:A{initial: : labels: A,START}' 'location:P:B{urgent: : labels: B : invariant: x[0] <= n * 2}' \
  >   'edge:P:A:B:e{provided: (n + 1) * 2 >= a[0] - (a[1] - 1) && !(n == 1) && x[0] - x[1] < n + 1 && a[n % 3] % 3 == 1 - -n : do: if n < 2 || a[0] > 1 then n = n + 1; x[1] = 0 else nop end; a[2] = 10 - (3 - 2)}' > pic.tck
  $ varnok -dot -abs lu -R B pic.tck 2>/dev/null | grep dumped; sed -n '/cluster/,$p' pic.dot
  varnok: file pic.dot dumped
    subgraph cluster_0 {
    label="P";
    p0_l0_entry [shape=point, label=""];
    p0_l0_entry -> p0_l0;
    p0_l0 [label="A\nA START", style=bold];
    p0_l1 [label="B (urgent)\nB\ninv: x[0] <= n * 2", style=filled, fillcolor=lightgrey];
    }
    p0_l0 -> p0_l1 [label="(n + 1) * 2 >= a[0] - (a[1] - 1) && !(n == 1) && a[n % 3] % 3 == 1 - -n && x[0] - x[1] < n + 1 => e ; if n < 2 || a[0] > 1 then n = n + 1; x[1] = 0 else nop end; a[2] = 10 - (3 - 2)"];
  }
  $ varnok -dot -run -abs lu -R 'DOWN and passed == 1' train_gate.tck 2>/dev/null | grep dumped
  varnok: file train_gate_run.dot dumped
  varnok: file train_gate.dot dumped
  $ grep -c cluster train_gate.dot; grep committed train_gate.dot; grep -- '->' train_gate_run.dot | tail -2
  3
    p2_l1 [label="closing (committed)\nCLOSING", style=filled, fillcolor=lightgrey];
    p2_l3 [label="opening (committed)\nOPENING", style=filled, fillcolor=lightgrey];
    m3 -> m4 [label="delay 2\nTrain:near->inside:in", color=red, penwidth=2];
    m4 -> m5 [label="delay 0\nTrain:inside->far:exit\nController:busy->opening:exit", color=red, penwidth=2];
  $ grep m5 train_gate_run.dot | head -1
    m5 [label="< Train.far, Gate.down, Controller.opening, passed = 1 >\nx=3 y=3", color=red, penwidth=2];
  $ rm train_gate.dot; varnok -dot -abs lu -R 'INSIDE and UP' train_gate.tck 2>/dev/null | grep dumped
  varnok: file train_gate.dot dumped

Committed and urgent locations, and a weak participant. P enters B at
once and sets v, which Q waits for; P leaves B one time unit later. While
P is in a committed B only P may move; in an urgent B anyone may move, but
time does not pass; in a plain B both hold.

  $ model() {
  >   printf '%s\n' 'system:s' 'event:go' 'event:step' 'clock:1:x' 'int:1:0:1:0:v' 'process:P' 'process:Q' \
  >     'location:P:A{initial:}' "location:P:B{$1 labels: PB}" 'location:P:C{labels: PC}' \
  >     'location:Q:Q0{initial:}' 'location:Q:Q1{labels: Q1}' \
  >     'edge:P:A:B:go{do: x = 0; v = 1}' 'edge:P:B:C:go{provided: x >= 1}' \
  >     'edge:Q:Q0:Q1:step{provided: v == 1}' "$2" > m.tck
  > }
  $ for kind in 'committed: :' 'urgent: :' ''; do
  >   model "$kind"
  >   echo "${kind:-plain} PB and Q1: $(counts -abs lu -R 'PB and Q1' m.tck | head -1)"
  >   echo "${kind:-plain} PC: $(counts -abs lu -R PC m.tck | head -1)"
  > done
  committed: : PB and Q1: Reachability failed.
  committed: : PC: Reachability failed.
  urgent: : PB and Q1: varnok: Reachability successful. Sample-trace length: 2
  urgent: : PC: Reachability failed.
  plain PB and Q1: varnok: Reachability successful. Sample-trace length: 2
  plain PC: varnok: Reachability successful. Sample-trace length: 2

With Q a weak participant of P's go, P moves alone while Q's guard does
not hold, and Q goes along once it holds:

  $ model '' 'sync:P@go:Q@step?'
  $ counts -abs lu -R 'PB and Q1' m.tck | head -1
  Reachability failed.
  $ counts -abs lu -R 'PC and Q1' m.tck | head -1; cat m.trace | grep -- ---
  varnok: Reachability successful. Sample-trace length: 2
    --- P:A->B:go --->
    --- P:B->C:go + Q:Q0->Q1:step --->
  $ model '' 'sync:P@go:Q@step'
  $ counts -abs lu -R 'PC' m.tck | head -1
  Reachability failed.

Random models with integers, clock constants that are integer
expressions, urgent and committed locations and synchronisation vectors,
against an exploration in integer time:

  $ mkdir random && cd random && python3 $TESTDIR/tck_random.py varnok 800 1
  1600 checks, * runs replayed, 0 disagreements (glob)
  $ python3 $TESTDIR/tck_random.py varnok 400 2 strict
  800 checks, * runs replayed, 0 disagreements (glob)
