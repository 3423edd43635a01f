Documented combinations of -forw with a formula: -run on a network writes
the run of the witness, as every other search does.

  $ bash $EXAMPLES/../bench/gen_fischer.bash 3 . && for f in fischer_*.tg; do mv $f ${f#fischer_}; done
  $ varnok -forw -run -f p1 p2 p3 id "init impl AB not (CS1 and A2)" 2>&1 | grep -e dumped -e "\*\*\*"; echo "status ${PIPESTATUS[0]}"
  varnok: file _path.reach dumped
  varnok: file _trace.reach dumped
  varnok: file _run.reach dumped
  varnok: Invariance *** FALSE ***
  status 1
  $ head -4 _run.reach
  run #1: 3 transitions
  initial: location 0 (A1 A2 A3 ID0)  X1=0 X2=0 X3=0
  delay 0 -> X1=0 X2=0 X3=0
  transition 0 -> location 1 (A2 A3 ID0 REQ1) labels ZERO_1 ; X1:=0 -> X1=0 X2=0 X3=0

-forw with a formula honours -abs lu: reachability (ED) and invariance (AB)
are searched on the LU zone graph, without the state limit of the plain
forward search (which stops this network at 1000 states):

  $ varnok -forw -f p1 p2 p3 id "init impl AB not (CS1 and CS2)" 2>&1 | grep abort; echo "status ${PIPESTATUS[0]}"
  varnok abort: too many symbolic states (current MAX_SYMB_STATES = 1000;)
  status 255
  $ varnok -forw -abs lu -f p1 p2 p3 id "init impl AB not (CS1 and CS2)" 2>&1 | grep -e "abs lu" -e "\*\*\*"; echo "status ${PIPESTATUS[0]}"
  varnok: abs lu: 65 states stored, 65 explored, 0 covered, 120 transitions, * bytes in store, peak memory * kB (glob)
  varnok: Invariance *** TRUE ***
  status 1
  $ rm -f _*.reach; varnok -forw -abs lu -run -f p1 p2 p3 id "init and ED (CS1 and X1 > 12)" 2>&1 | grep -e dumped -e "\*\*\*"; ls _*.reach
  varnok: file _path.reach dumped
  varnok: file _run.reach dumped
  varnok: Reachability *** TRUE ***
  _path.reach
  _run.reach

Other shapes (a time bound, a condition to stay in) are decided by the
backward evaluator, which is exact, and the run says so:

  $ varnok -forw -abs lu -f p1 p2 p3 id "init and ED{<=30} CS1" 2>&1 | grep -e "abs lu" -e "\*\*\*"
  varnok: -abs lu searches reachability (ED) and invariance (AB) forwards; this formula is decided backwards
  varnok: Reachability *** TRUE ***
  $ varnok -forw -abs lu -f p1 p2 p3 id "init impl AD{<=5} CS1" 2>&1 | grep -e "abs lu" -e "\*\*\*"
  varnok: -abs lu searches reachability (ED) and invariance (AB) forwards; this formula is decided backwards
  varnok: Inevitability *** FALSE ***

A search stopped by -FORW leaves the answer to the backward evaluator:

  $ varnok -forw -abs lu -FORW 5 -f p1 p2 p3 id "init impl AB not (CS1 and CS2)" 2>&1 | grep -e "stopped" -e "\*\*\*"
  varnok: -abs lu search stopped at -FORW 5 states; the formula is decided backwards
  varnok: Invariance *** TRUE ***

Random graphs: the verdicts of -forw -abs lu agree with the backward
evaluation of the same question.

  $ mkdir random && cd random && python3 $TESTDIR/forw_lu_random.py varnok 150 4
  150 checks, 0 disagreements

Random networks of two or three graphs (synchronised and plain labels): the
verdicts of -forw -abs lu on the network agree with the backward evaluation
on the network.

  $ cd .. && mkdir network && cd network && python3 $TESTDIR/forw_lu_random.py varnok 20 6 network
  \d+ checks on networks, 0 disagreements (re)
