Command-line formula texts are written into their files.

-r without -i writes the initial formula init.

  $ varnok -r goal.tctl -v > out; echo "status $?"; tail -n +2 out | head -1
  status 0
  varnok: file _init.tctl created
  $ cat _init.tctl
  init

-I and -R write their texts.

  $ varnok -I "p and q" -R "x<3" > out; echo "status $?"; sed -n '2,3p' out
  status 0
  varnok: file _init.tctl created
  varnok: file _reach.tctl created
  $ cat _init.tctl _reach.tctl
  p and q
  x<3

With -f and two parameters the text goes to _form.tctl, even when longer than a name may be.

  $ varnok -f m.tg "$(printf 'true and %.0s' $(seq 10))true" > out 2> err; sed -n 2p out
  varnok: file _form.tctl created
  $ wc -c < _form.tctl
  95

With -f and three parameters the text is evaluated on the product of the two
graphs (a missing model is reported as for one graph); the text may be of
any length.

  $ varnok -f a.tg b.tg "p" > out; echo "status $?"; sed -n '2,3p' out
  status 1
  varnok: file _form.tctl created
  varnok: cannot open file a.tg 
  $ cp $EXAMPLES/rail_*.tg .
  $ varnok -f rail_train rail_gate rail_controller "$(printf 'true and %.0s' $(seq 10))true" > out 2> err; echo "status $?"; grep -e product -e eval out; cat _form.eval
  status 1
  varnok: product of 3 automata: 12 locations, 17 transitions
  varnok: begin evaluation of _form.tctl
  varnok: end evaluation of _form.tctl
  varnok: file _form.eval created
  true

Several models where the last names a formula file: the formula file is
evaluated on their product (an empty file is no formula).

  $ touch f.tctl
  $ varnok a.tg b.tg f > out; echo "status $?"; tail -n +2 out
  parse error at line 1, near `'
  f.tctl:1: parse error at end of file
  status 255
  $ echo 'init impl NonZeno' > f.tctl
  $ varnok rail_train rail_gate rail_controller f > out 2> err; echo "status $?"; grep -e created out; cat f.eval
  status 1
  varnok: file f.eval created
  true
  $ rm -f rail_* _out.* f.eval

Two parameters where the second names no formula file are two timed graphs:
their product is built, nothing is evaluated.

  $ cp $EXAMPLES/rail_train.tg $EXAMPLES/rail_gate.tg .
  $ varnok rail_train.tg rail_gate > out 2>&1; echo "status $?"; grep -c "evaluation" out
  status 1
  0
  [1]
  $ grep "product\|Dumping" out
  Generating parallel product graph...
  Dumping output... files _out.[tg,vnk,lab,prop,reg] created.

A formula file that cannot be created ends the run with status 1.

  $ mkdir ro && cd ro && mkdir _form.tctl _init.tctl
  $ varnok -f m.tg "p" | tail -n +2; echo "status ${PIPESTATUS[0]}"
  varnok: cannot open file _form.tctl
  status 1
  $ varnok -r g m.tg | tail -n +2; echo "status ${PIPESTATUS[0]}"
  varnok: cannot open file _init.tctl
  status 1
