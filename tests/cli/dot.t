Pictures (-dot): the model, the simulation graph, the written product and
a concrete run as Graphviz DOT files, each of which dot renders.

  $ command -v dot > /dev/null || exit 80
  $ cp $EXAMPLES/train_gate.tg $EXAMPLES/rail_train.tg $EXAMPLES/rail_gate.tg $EXAMPLES/rail_controller.tg .
  $ touch -d '-1 hour' *.tg
  $ varnok -dot train_gate | grep dot
  varnok: file train_gate.dot dumped
  $ head -6 train_gate.dot
  digraph varnok {
    node [shape=box, fontname="monospace"];
    edge [fontname="monospace"];
    l0 [label="0\nUP FAR INIT\ninvar: TRUE"];
    l1 [label="1\nUP NEAR\ninvar: X<=5 and Z<=1"];
    l2 [label="2\nUP INSIDE\ninvar: X<=5 and Z<=1"];
  $ grep -c -- "->" train_gate.dot
  17
  $ varnok -dot -forw train_gate | grep "sim.dot"
  varnok: file train_gate.sim.dot dumped
  $ varnok -dot -run -R INSIDE train_gate | grep "_run"
  varnok: file _run.reach dumped
  varnok: file _run.dot dumped
  $ grep -c "color=red" _run.dot
  9
  $ varnok -dot rail_train rail_gate rail_controller 2>/dev/null | grep _out.dot
  varnok: file _out.dot dumped
  $ for f in train_gate.dot train_gate.sim.dot _run.dot _out.dot; do dot -Tsvg $f > $f.svg && echo "$f rendered"; done
  train_gate.dot rendered
  train_gate.sim.dot rendered
  _run.dot rendered
  _out.dot rendered

A file that cannot be written ends the run.

  $ mkdir blocked.dot
  $ cp train_gate.tg blocked.tg
  $ varnok -dot blocked | tail -1; echo "status ${PIPESTATUS[0]}"
  varnok: cannot write file blocked.dot
  status 1
