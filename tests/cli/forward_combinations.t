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
