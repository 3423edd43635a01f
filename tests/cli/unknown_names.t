A name that exists nowhere is reported on standard error, one line each,
and the answer stays what it was (a proposition that no location carries
is false everywhere). Fischer's protocol for three processes, as four
graphs:

  $ bash $EXAMPLES/../bench/gen_fischer.bash 3 . && for f in fischer_*.tg; do mv $f ${f#fischer_}; done
  $ run() { varnok "$@" 2>&1 | grep -v -e "syntax analysis" -e "vnk" -e "release" -e "tctl created" -e "time  " -e "^--*$" -e "^$"; echo "status ${PIPESTATUS[0]}"; }

A misspelled proposition in a goal (CSS2), a network search:

  $ run -abs lu -R "CS1 and CSS2" p1 p2 p3 id | grep -v "abs lu:"
  Building synchronization tables...
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Using breadth-first search with LU bounds and inclusion, no limit on symbolic states
  varnok: warning: no location carries the proposition CSS2 (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'CSS2' (did you mean 'CS2'?)
  Reachability failed.
  Full state space explored.
  status 1
  $ run -R "CS1 and CSS2" -I "A1 or A9" p1 p2 p3 id | grep warning
  varnok: warning: no location carries the proposition A9 (initial condition); it is false everywhere
  varnok: warning: no location carries the proposition CSS2 (goal); it is false everywhere

In a formula on the network, named once however often it occurs; the
result is the one of the formula with the proposition false:

  $ run -f p1 p2 p3 id "init impl AB not (CS1 and (CS9 or CS9))" | grep -e warning -e created -e status
  varnok: warning: no location carries the proposition CS9 (formula); it is false everywhere
  varnok: file _form.eval created
  status 1
  $ cat _form.eval
  true

On one graph: a goal, an initial condition, a formula, backwards and
forwards.

  $ cp $EXAMPLES/train_gate.tg .
  $ run -R "INSIDE and UPP" train_gate | grep -e warning -e Reach
  varnok: warning: no location carries the proposition UPP (goal); it is false everywhere
  varnok: Reachability: FALSE.
  $ run -abs lu -I "INIT or NEARR" -R INSIDE train_gate | grep -e warning -e Reach
  varnok: warning: no location carries the proposition NEARR (initial condition); it is false everywhere
  varnok: Reachability: TRUE.
  $ run -f train_gate "init impl AB not (INSIDE and UPP)" | grep -e warning -e status; cat _form.eval
  varnok: warning: no location carries the proposition UPP (formula); it is false everywhere
  status 1
  true
  $ run -forw -f train_gate "init impl AB not (INSIDE and UPP)" | grep -e warning -e "\*\*\*"
  varnok: warning: no location carries the proposition UPP (formula); it is false everywhere
  varnok: Invariance *** TRUE ***

Known names give no warning, INIT on a network included (it holds on the
initial location vectors even where no graph carries it):

  $ run -abs lu -R "CS1 and CS2" -I INIT p1 p2 p3 id | grep -c warning
  0
  [1]

A synchronisation label spelled differently in one graph (TSET_1 in id.tg,
TEST_1 in p1.tg): neither is declared by another graph, so no move
synchronises on either, and CS1 is unreachable. A label declared under
#sync that no transition of its graph carries is named as well.

  $ sed -i 's/TEST_1/TSET_1/g' id.tg
  $ sed -i 's/^#sync \(.*\)$/#sync \1 IS1/' p1.tg
  $ run -abs lu -R CS1 p1 p2 p3 id | grep -e warning -e Reach
  varnok: warning: no other graph declares the synchronisation label TEST_1 of p1.tg; no move synchronises on it
  varnok: warning: no other graph declares the synchronisation label IS1 of p1.tg; no move synchronises on it
  varnok: warning: no transition of p1.tg carries its synchronisation label IS1
  varnok: warning: no other graph declares the synchronisation label TSET_1 of id.tg; no move synchronises on it
  Reachability failed.

The same warnings when the network is only composed:

  $ run p1 p2 p3 id | grep -c warning
  4

Random networks in which one proposition of the goal or one label of one
graph is misspelled on purpose: the run always warns, and its verdict is
the one of the goal with the proposition false everywhere, or of the
network with those transitions disabled (-abs lu and breadth-first).

  $ mkdir random && cd random && python3 $TESTDIR/names_random.py varnok 25 23
  100 checks, 0 disagreements
