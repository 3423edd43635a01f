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

With -f and three parameters: not implemented, usage text, status 0.

  $ varnok -f a.tg b.tg "p" > out; echo "status $?"; sed -n '2,3p' out; grep -c usage: out
  status 0
  Model-checking for >1 automata not yet implemented. Sorry...
  (try their parallel product).
  1
  $ varnok -f a.tg b.tg "$(printf 'true and %.0s' $(seq 10))true" > out; echo "status $?"; sed -n 2p out
  status 0
  Model-checking for >1 automata not yet implemented. Sorry...

Several models where the last names a formula file: the two lines only.

  $ touch f.tctl
  $ varnok a.tg b.tg f > out; echo "status $?"; tail -n +2 out
  status 0
  Model-checking for >1 automata not yet implemented. Sorry...
  (try their parallel product).

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
