A formula on several timed graphs: the graphs are composed in memory, as the
written product would be, and the formula is evaluated backwards on their
product. The result names the product's locations as the written product
numbers them, each with its location vector as a comment.

  $ cp $EXAMPLES/rail_*.tg .
  $ rail="rail_train rail_gate rail_controller"
  $ varnok $rail -f 'INSIDE and not DOWN' 2> err | tail -n +2 | grep -v -e time -e '^---'
  varnok: file _form.tctl created
  varnok: creating file rail_train.vnk...
  varnok: begin syntax analysis of rail_train.tg...
  varnok: end syntax analysis of rail_train.tg...
  varnok: file rail_train.[vnk,lab,prop,reg] created
  varnok: reading file rail_train.vnk...
  varnok: creating file rail_gate.vnk...
  varnok: begin syntax analysis of rail_gate.tg...
  varnok: end syntax analysis of rail_gate.tg...
  varnok: file rail_gate.[vnk,lab,prop,reg] created
  varnok: reading file rail_gate.vnk...
  varnok: creating file rail_controller.vnk...
  varnok: begin syntax analysis of rail_controller.tg...
  varnok: end syntax analysis of rail_controller.tg...
  varnok: file rail_controller.[vnk,lab,prop,reg] created
  varnok: reading file rail_controller.vnk...
  varnok: product of 3 automata: 12 locations, 17 transitions
  varnok: begin evaluation of _form.tctl
  varnok: end evaluation of _form.tctl
  varnok: compacting
  varnok: file _form.eval created
  
  $ cat err
  Building synchronization tables...
  Generating parallel product graph...
  $ cat _form.eval
  state(2) and (\t/* vector state: < 2, 0, 1 > */ (esc)
  X<=5 and Z<=1)
  or
  state(4) and (\t/* vector state: < 2, 1, 2 > */ (esc)
  X<=5 and Y<=1)
  or
  state(11) and (\t/* vector state: < 2, 3, 1 > */ (esc)
  X<=5 and Y<=2 and Z<=1)

Every example formula of the train and gate gives on the components the sets
that it gives on their written product, location by location.

  $ varnok $rail > /dev/null 2>&1; touch -d 2000-01-01 _out.tg
  $ for f in $EXAMPLES/train_gate_*.tctl; do
  >   cp $f f.tctl
  >   varnok _out f > /dev/null 2>&1; mv f.eval written.eval
  >   varnok $rail f > /dev/null 2>&1; sed 's|\t/\* vector state: <[^>]*> \*/||' f.eval > direct.eval
  >   cmp -s written.eval direct.eval && echo "same: $(cat f.tctl)" || echo "DIFFERENT: $(cat f.tctl)"
  > done
  same: init impl AB (COMING_DOWN impl AD{<=1} DOWN)
  same: init impl NonZeno
  same: INSIDE
  same: INSIDE and not DOWN
  same: init impl AB (NEAR impl x.(AD{<=5} INSIDE))
  same: init impl AB (NEAR impl AD{<=5} INSIDE)
  same: init impl AB (NEAR impl AD{<=4} INSIDE)
  same: init impl AB (INSIDE impl DOWN)

On a network, state(n) holds where every automaton is at location n; a
proposition holds where some automaton's location carries it; INIT only on
the product's initial vectors.

  $ varnok $rail -f 'state(2)' > /dev/null 2>&1; cat _form.eval
  state(6) and (\t/* vector state: < 2, 2, 2 > */ (esc)
  X<=5)
  $ varnok $rail -f 'init' > /dev/null 2>&1; cat _form.eval
  state(0) and (\t/* vector state: < 0, 0, 0 > */ (esc)
  X=0 and Y=0 and Z=0)

A clock that no automaton has, a formula that does not parse, a model that
is missing:

  $ varnok $rail -f 'W < 1' 2> /dev/null | tail -1; echo "status ${PIPESTATUS[0]}"
  varnok: clock name W not found
  status 1
  $ varnok $rail -f 'AB (' 2>&1 | tail -3; echo "status ${PIPESTATUS[0]}"
  varnok: file _form.tctl created
  parse error at line 2, near `'
  _form.tctl:2: parse error at end of file
  status 255
  $ varnok $rail nothere -f 'true' 2> /dev/null | tail -1; echo "status ${PIPESTATUS[0]}"
  varnok: cannot open file nothere.tg 
  status 1

Random networks of two or three small graphs (disjunctive guards and
invariants, copies, a clock name taken twice, INIT on some locations) and
random formulas over every operator: the direct evaluation and the
evaluation of the written product agree location by location.

  $ mkdir random && cd random && python3 $TESTDIR/network_random.py varnok 50 14
  200 formulas checked, 0 disagreements, 0 without a result
