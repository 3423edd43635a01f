-reachable decides a formula on the part of the state space that the
-abs lu search reaches: the product is built over the discrete states it
reaches only, and the result is cut down to the zones it keeps. One more
line says how large that part is.

  $ cp $EXAMPLES/rail_*.tg .
  $ rail="rail_train rail_gate rail_controller"
  $ varnok -reachable $rail -f 'INSIDE and not DOWN' 2> err | grep -e 'product of' -e 'reachable part' -e 'created'
  varnok: file _form.tctl created
  varnok: file rail_train.[vnk,lab,prop,reg] created
  varnok: file rail_gate.[vnk,lab,prop,reg] created
  varnok: file rail_controller.[vnk,lab,prop,reg] created
  varnok: product of 3 automata: 8 locations, 9 transitions
  varnok: reachable part: 8 discrete states, 8 zones (of 48 composed locations)
  varnok: file _form.eval created
  $ cat err
  Building synchronization tables...
  Generating the reachable part with LU bounds and inclusion...
  Generating the product of the reachable part...
  $ cat _form.eval
  false
  $ varnok -q -verdict -reachable $rail -f 'init impl AB (INSIDE impl DOWN)'; echo "status $?"
  HOLDS true
  status 0

Fischer's protocol with four processes: the reachable part has fewer
discrete states than the product; the verdicts of the three formulas and
their negations are those of the whole product, with and without -Inv.

  $ bash $TESTDIR/../../bench/gen_fischer.bash 4 . && fischer="fischer_p1 fischer_p2 fischer_p3 fischer_p4 fischer_id"
  $ varnok $fischer -f 'true' 2> /dev/null | grep 'product of'
  varnok: product of 5 automata: 752 locations, 2240 transitions
  $ varnok -reachable $fischer -f 'true' 2> /dev/null | grep -e 'product of' -e 'reachable part'
  varnok: product of 5 automata: 220 locations, 492 transitions
  varnok: reachable part: 220 discrete states, 220 zones (of 1280 composed locations)
  $ for f in 'init impl AB not (CS1 and CS2)' 'init impl AB (REQ1 impl AD{<=10} WAIT1)' 'init impl AB (REQ1 impl AD CS1)'; do
  >   for g in "$f" "not ($f)"; do for inv in "" -Inv; do
  >     whole=$(varnok -q -verdict $inv $fischer -f "$g"); part=$(varnok -q -verdict $inv -reachable $fischer -f "$g")
  >     echo "$whole $part $inv"; done; done; done
  HOLDS true HOLDS true 
  HOLDS true HOLDS true -Inv
  HOLDS false HOLDS false 
  HOLDS false HOLDS false -Inv
  HOLDS true HOLDS true 
  HOLDS true HOLDS true -Inv
  HOLDS false HOLDS false 
  HOLDS false HOLDS false -Inv
  HOLDS false HOLDS false 
  HOLDS false HOLDS false -Inv
  HOLDS true HOLDS true 
  HOLDS false HOLDS false -Inv

The .eval names the locations of the restricted product, each with its
location vector; a location outside the reachable part is not there.

  $ varnok -reachable $rail -f 'INSIDE' > /dev/null 2>&1; cat _form.eval
  state(4) and (\t/* vector state: < 2, 2, 2 > */ (esc)
  2<X and X<=5)
  $ varnok -reachable $fischer -f 'REQ1 and REQ2 and WAIT3' > /dev/null 2>&1; grep -c 'vector state' _form.eval
  7
  $ varnok $fischer -f 'REQ1 and REQ2 and WAIT3' > /dev/null 2>&1; grep -c 'vector state' _form.eval
  10

One timed graph: its locations keep their numbers; a location the search
never reaches holds nothing in the .eval.

  $ cp $EXAMPLES/train_gate.tg .
  $ cp $EXAMPLES/train_gate_response.tctl .
  $ varnok -reachable train_gate train_gate_response 2>/dev/null | grep -e 'reachable part' -e created
  varnok: file train_gate.[vnk,lab,prop,reg] created
  varnok: reachable part: 8 discrete states, 8 zones (of 12 composed locations)
  varnok: file train_gate_response.eval created
  $ for f in 'init impl AB (NEAR impl AD{<=5} INSIDE)' 'init impl AB (INSIDE impl DOWN)' 'init impl ED INSIDE'; do
  >   echo "$(varnok -q -verdict train_gate -f "$f") $(varnok -q -verdict -reachable train_gate -f "$f")"; done
  HOLDS true HOLDS true
  HOLDS true HOLDS true
  HOLDS true HOLDS true

What -reachable does not take: a state limit, the forward evaluation,
activity resets on a network, constants the forward zones cannot hold
exactly.

  $ varnok -reachable -forw train_gate -f 'init impl AB (INSIDE impl DOWN)' | tail -1; echo "status ${PIPESTATUS[0]}"
  varnok: removed the earlier result _form.eval
  varnok: -reachable decides a formula backwards: it does not go with -forw
  status 1
  $ varnok -reachable -Act $rail -f 'true' 2> /dev/null | tail -1; echo "status ${PIPESTATUS[0]}"
  varnok: -reachable does not go with -Act
  status 1
  $ varnok -reachable -FORW 5 $fischer -f 'true' 2> /dev/null | tail -1; echo "status ${PIPESTATUS[0]}"
  varnok: -reachable explores the whole reachable part: it does not go with -FORW
  status 1
  $ cat > big.tg <<'TG'
  > #states 2
  > #trans 2
  > #clocks 1
  > x
  > 
  > state: 0
  > prop: INIT
  > invar: x <= 9000
  > trans:
  > x >= 9000 => ; reset{ x } ; goto 1
  > 
  > state: 1
  > invar: true
  > trans:
  > true => ; reset{ x } ; goto 0
  > TG
  $ varnok -q -verdict big -f 'init impl AB true'; echo "status $?"
  HOLDS true
  status 0
  $ varnok -reachable big -f 'init impl AB true' 2> /dev/null | tail -1; echo "status ${PIPESTATUS[0]}"
  varnok: -reachable takes clock constants up to 8191 (here 9000)
  status 1

Random networks and single graphs, random formulas over every operator:
the verdicts with -reachable are those without it (the formula itself, and
looked at in every reachable state), and the .eval never satisfies a
location that the whole model does not (VARNOK_RANDOM_FACTOR=N for N
times as many rounds).

  $ mkdir random && cd random && python3 $TESTDIR/reachable_random.py varnok 25 5
  \d+ verdicts compared, 0 disagreements \(\d+ runs ended in an error both ways or timed out\) (re)
