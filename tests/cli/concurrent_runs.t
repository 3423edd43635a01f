A run answers the formula of its own command line: the text given with -R,
-I or -f is parsed as given, not read back from the file it is written to,
which another run in the same folder may overwrite meanwhile.

  $ python3 - <<'PY'
  > n = 3000
  > out = ["#states %d\n#trans %d\n#clocks 1\nx\n" % (n, n - 1)]
  > for i in range(n):
  >     prop = "INIT" if i == 0 else ("END" if i == n - 1 else "")
  >     out.append("state: %d\nprop: %s\ninvar: x <= 1\ntrans:\n" % (i, prop))
  >     if i < n - 1:
  >         out.append("x >= 1 => a ; reset{ x } ; goto %d\n" % (i + 1))
  >     out.append("\n")
  > open("chain.txt", "w").write("".join(out))
  > PY
  $ cp $EXAMPLES/train_gate.tg .

The model of the first run is a pipe: the run has written its goal and waits
while it reads the model; a second run writes another goal meanwhile.

  $ mkfifo chain.tg
  $ (varnok -R END -FORW 10000 chain > first.out 2>&1; echo "status $?" >> first.out) &
  $ for i in $(seq 50); do [ -s _reach.tctl ] && break; sleep 0.1; done; cat _reach.tctl
  END
  $ varnok -R "INIT and END" train_gate > /dev/null 2>&1; cat _reach.tctl
  INIT and END
  $ cat chain.txt > chain.tg; wait
  $ grep -e Reachability -e status first.out
  varnok: Reachability: TRUE.
  status 1
  $ rm chain.tg chain.vnk; cp chain.txt chain.tg
  $ varnok -R "INIT and END" -FORW 10000 chain | grep Reachability
  varnok: removed the earlier result _path.reach
  varnok: removed the earlier result _trace.reach
  varnok: Reachability: FALSE.

A text that cannot be written completely is reported and nothing is
evaluated.

  $ rm _reach.tctl; ln -s /dev/full _reach.tctl
  $ varnok -R END -FORW 10000 chain; echo "status $?"
  varnok: release 2.4.3 (i686) date * (glob)
  varnok: cannot write file _reach.tctl
  status 1
  $ rm _reach.tctl

With -prefix P every file a run writes, besides the compiled files of its
models, has P put in front of its name: runs given different prefixes share
no file. The answers are those of a run without prefix.

  $ varnok -prefix one_ -R END -FORW 10000 -run chain | grep -e "file one" -e Reach
  varnok: file one__reach.tctl created
  varnok: file one__init.tctl created
  varnok: file one__path.reach dumped
  varnok: file one__trace.reach dumped
  varnok: file one__run.reach dumped
  varnok: Reachability: TRUE.
  $ varnok -R END -FORW 10000 -run chain > /dev/null
  [1]
  $ for f in _path.reach _trace.reach _run.reach; do cmp $f one_$f; done
  $ varnok -prefix two_ -f -h train_gate "init impl AB not INIT" | grep -e tctl -e created
  varnok: file two__form.tctl created
  varnok: begin evaluation of two__form.tctl
  varnok: end evaluation of two__form.tctl
  varnok: file two__form.log created
  varnok: file two__form.eval created
  $ varnok -f train_gate "init impl AB not INIT" > /dev/null; cmp _form.eval two__form.eval
  $ varnok -prefix two_ -f train_gate "init impl AB" 2>&1 | tail -5
  varnok: file two__form.tctl created
  parse error at line 2, near `'
  two__form.tctl:2: parse error at end of file
  varnok: removed the earlier result two__form.eval
  varnok: removed the earlier result two__form.log
  $ ls two_*
  two__form.err
  two__form.tctl

The written product, its compiled files and its simulation graph:

  $ cp $EXAMPLES/rail_*.tg .
  $ varnok -prefix p rail_train rail_gate rail_controller 2>&1 | grep created
  varnok: file rail_train.[vnk,lab,prop,reg] created
  varnok: file rail_gate.[vnk,lab,prop,reg] created
  varnok: file rail_controller.[vnk,lab,prop,reg] created
  Dumping output... files p_out.[tg,vnk,lab,prop,reg] created.
  $ varnok -prefix p -forw rail_train rail_gate rail_controller 2>&1 | grep created
  varnok: file p_init.tctl created
  Dumping output... file p_out.sim created.
  $ varnok p_out > /dev/null; grep -c "^state:" p_out.tg
  12
  $ varnok -prefix p -forw -dot rail_train rail_gate rail_controller 2>&1 | grep dot
  varnok: file p_out.sim.dot dumped
  varnok: file prail_train.dot dumped
  varnok: file prail_gate.dot dumped
  varnok: file prail_controller.dot dumped
  $ varnok -prefix p -dot -run -R INSIDE train_gate | grep dot
  varnok: file ptrain_gate.dot dumped
  varnok: file p_run.dot dumped

Results named after a model in another folder stay in that folder.

  $ mkdir sub && cp train_gate.tg sub/
  $ varnok -prefix q -forw sub/train_gate | grep dumped
  varnok: file sub/qtrain_gate.sim dumped
  $ ls sub
  qtrain_gate.reach
  qtrain_gate.sim
  train_gate.lab
  train_gate.prop
  train_gate.reg
  train_gate.tg
  train_gate.vnk

A prefix is a file name part:

  $ varnok -prefix a/b train_gate
  varnok: release 2.4.3 (i686) date * (glob)
  varnok: -prefix takes a non-empty name without '/': a/b
  [255]
  $ varnok -prefix "" train_gate 2>&1 | tail -1
  varnok: -prefix takes a non-empty name without '/': 
