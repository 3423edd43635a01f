A run that fails after it started removes the result files of its
question that an earlier run left behind, so that the old answer is not
read as the new one, and says so on standard error. A run that succeeds
replaces them; a failed write keeps them whole (see small_disk.t).

  $ cp $EXAMPLES/train_gate.tg .
  $ varnok train_gate > /dev/null
  [1]
  $ run() { varnok "$@" 2>&1 | grep -e removed -e "not found" -e "syntax error" -e "clock" -e "parse error"; echo "status ${PIPESTATUS[0]}"; }

An unknown clock in a formula after an earlier run of the same formula
file (with its history):

  $ echo "init impl AB not (INSIDE and UP)" > f.tctl
  $ varnok -h train_gate f > /dev/null; cat f.eval; ls f.*
  true
  f.eval
  f.log
  f.tctl
  $ echo "init impl AB (INSIDE impl Y9 < 3)" > f.tctl
  $ run -h train_gate f
  varnok: clock name Y9 not found
  f.tctl:1: unknown clock 'Y9' (did you mean 'Y'?)
  varnok: removed the earlier result f.eval
  varnok: removed the earlier result f.log
  status 1
  $ ls f.*
  f.tctl

A formula error, with an output prefix, on a network:

  $ cp $EXAMPLES/rail_*.tg .
  $ varnok -prefix n_ -f rail_train rail_gate rail_controller "init impl AB not FAR" > /dev/null 2>&1; ls n_*
  n__form.eval
  n__form.tctl
  $ run -prefix n_ -f rail_train rail_gate rail_controller "init impl AB not (FAR and"
  parse error at line 2, near `'
  n__form.tctl:2: parse error at end of file
  varnok: removed the earlier result n__form.eval
  status 255
  $ ls n_*
  n__form.err
  n__form.tctl

A goal with an unknown clock after an earlier search that wrote its
witnesses:

  $ varnok -run -R INSIDE train_gate > /dev/null; ls _*.reach
  _path.reach
  _run.reach
  _trace.reach
  $ run -run -R "INSIDE and Q > 1" train_gate
  varnok: clock name Q not found
  _reach.tctl:1: unknown clock 'Q'
  varnok: removed the earlier result _run.reach
  varnok: removed the earlier result _path.reach
  varnok: removed the earlier result _trace.reach
  status 1
  $ ls _*.reach
  ls: cannot access '_*.reach': No such file or directory
  [2]

A goal that -abs lu refuses on a network, after an earlier trace:

  $ varnok -abs lu -R INSIDE rail_train rail_gate rail_controller > /dev/null 2>&1; ls _reach.*
  _reach.tctl
  _reach.trace
  $ run -abs lu -R "INSIDE and X > 1" rail_train rail_gate rail_controller
  varnok: the goal of a search on several graphs speaks of locations only (propositions, state(n), init); it has a clock constraint
  varnok: removed the earlier result _reach.trace
  status 1
  $ ls _reach.*
  _reach.tctl

A run that succeeds keeps nothing stale and prints no such line:

  $ echo "init impl AB not (INSIDE and UP)" > f.tctl
  $ varnok -h train_gate f > /dev/null; varnok train_gate f 2>&1 | grep -c removed; ls f.*
  0
  f.eval
  f.log
  f.tctl

Witness files always belong to the last run that completed: a search that
does not reach its goal, a formula without a run and a search without
-run remove the earlier paths, traces and runs that they did not replace,
so that an old witness never sits beside a new verdict:

  $ rm -f _*.reach _reach.trace
  $ cp $EXAMPLES/train_gate_reach_*.tctl .
  $ varnok -abs lu -run -r train_gate_reach_inside train_gate > /dev/null 2>&1; ls _*.reach
  _path.reach
  _run.reach
  $ varnok -abs lu -run -r train_gate_reach_unsafe train_gate 2>&1 | grep -e FALSE -e removed
  varnok: Reachability: FALSE.
  varnok: removed the earlier result _run.reach
  varnok: removed the earlier result _path.reach
  $ ls _*.reach
  ls: cannot access '_*.reach': No such file or directory
  [2]

A reached goal without -run replaces the path and removes the earlier run:

  $ varnok -abs lu -run -r train_gate_reach_inside train_gate > /dev/null 2>&1
  [1]
  $ varnok -abs lu -r train_gate_reach_inside train_gate 2>&1 | grep -e TRUE -e removed -e dumped
  varnok: file _path.reach dumped
  varnok: Reachability: TRUE.
  varnok: removed the earlier result _run.reach
  $ ls _*.reach
  _path.reach

On a network, the goal's trace of an earlier run that reached it goes when
the goal is no longer reached:

  $ varnok -abs lu -R INSIDE rail_train rail_gate rail_controller > /dev/null 2>&1; ls _reach.*
  _reach.tctl
  _reach.trace
  $ varnok -abs lu -R "INSIDE and not INSIDE" rail_train rail_gate rail_controller 2>&1 | grep -e "Reachability failed" -e removed
  Reachability failed.
  varnok: removed the earlier result _reach.trace

A formula that holds has no run: the earlier run of a failing one goes:

  $ varnok -run -f train_gate "init impl AB not INSIDE" > /dev/null 2>&1; ls _run.reach
  _run.reach
  $ varnok -run -f train_gate "init impl AB not (INSIDE and UP)" 2>&1 | grep -e removed
  varnok: removed the earlier result _path.reach
  varnok: removed the earlier result _run.reach
  $ ls _run.reach
  ls: cannot access '_run.reach': No such file or directory
  [2]

So on a model with data: its trace, run and run picture of a reached goal
go when the next search does not reach its goal, and stay when it does.

  $ cp $TESTDIR/tck/train_gate.tck .
  $ varnok -alu -run -dot -R INSIDE train_gate.tck > /dev/null 2>&1; ls train_gate.* train_gate_run.* 2>/dev/null | grep -v -e "\.tg$" -e "\.vnk$" -e "\.lab$" -e "\.prop$" -e "\.reg$"
  train_gate.dot
  train_gate.tck
  train_gate.trace
  train_gate_run.dot
  train_gate_run.reach
  $ varnok -alu -R INSIDE train_gate.tck 2>&1 | grep -e dumped -e removed
  varnok: Trace #1 dumped in file train_gate.trace
  varnok: removed the earlier result train_gate_run.reach
  varnok: removed the earlier result train_gate_run.dot
  $ varnok -alu -R "INSIDE and UP" train_gate.tck 2>&1 | grep -e failed -e removed
  Reachability failed.
  varnok: removed the earlier result train_gate.trace
  $ ls train_gate.* train_gate_run.* 2>/dev/null | grep -v -e "\.tg$" -e "\.vnk$" -e "\.lab$" -e "\.prop$" -e "\.reg$"
  train_gate.dot
  train_gate.tck
