Pictures (-dot): the model, the simulation graph, the written product and
a concrete run as Graphviz DOT files, each of which dot renders.

  $ command -v dot > /dev/null || exit 80
  $ cp $EXAMPLES/train_gate.tg $EXAMPLES/rail_train.tg $EXAMPLES/rail_gate.tg $EXAMPLES/rail_controller.tg .
  $ touch -d '-1 hour' *.tg
  $ varnok -dot train_gate | grep dot
  varnok: file train_gate.dot dumped
The initial location is bold with an entry arrow; a transition that
assigns nothing shows no assignment.

  $ head -8 train_gate.dot
  digraph varnok {
    node [shape=box, fontname="monospace"];
    edge [fontname="monospace"];
    l0_entry [shape=point, label=""];
    l0_entry -> l0;
    l0 [label="0\nUP FAR INIT\ninvar: TRUE", style=bold];
    l1 [label="1\nUP NEAR\ninvar: X<=5 and Z<=1"];
    l2 [label="2\nUP INSIDE\ninvar: X<=5 and Z<=1"];
  $ grep -c -- "->" train_gate.dot; grep -c "RESET{}" train_gate.dot
  18
  0
  [1]
  $ grep -m2 "l[0-9]* -> " train_gate.dot
    l0 -> l1 [label="TRUE => APPROACH ; RESET{ X Z }"];
    l1 -> l2 [label="2<X and X<=5 and Z<=1 => IN"];
  $ varnok -dot -forw train_gate | grep "file .*sim"
  varnok: file train_gate.sim dumped
  varnok: file train_gate.sim.dot dumped
  $ sed -n 4,5p train_gate.sim.dot
    s0 [label="0: location 0\nUP FAR INIT\nX=Y and X=Z", style=bold];
    s1 [label="1: location 1\nUP NEAR\nZ<=1 and X<=Y and X=Z"];
  $ varnok -dot -run -R INSIDE train_gate | grep "_run"
  varnok: file _run.reach dumped
  varnok: file _run.dot dumped

The run is drawn on the model: its steps are red edges numbered in order
with their labels and instants (the clock values after them as tooltip),
the locations it visits red, the start bold with an entry arrow, the end
doubly framed, everything else grey.

  $ grep -e "-> l.*color=red" _run.dot
    l0_entry -> l0 [color=red];
    l0 -> l1 [label="1: APPROACH at 0", tooltip="X=0 Y=0 Z=0", color=red, fontcolor=red, penwidth=2];
    l1 -> l3 [label="2: LOWER at 1", tooltip="X=1 Y=0 Z=1", color=red, fontcolor=red, penwidth=2];
    l3 -> l5 [label="3: DOWN at 2", tooltip="X=2 Y=1 Z=2", color=red, fontcolor=red, penwidth=2];
    l5 -> l6 [label="4: IN at 3", tooltip="X=3 Y=2 Z=3", color=red, fontcolor=red, penwidth=2];
  $ grep -c "color=grey" _run.dot; grep "peripheries" _run.dot; sed -n 4p _run.dot
  20
    l6 [label="6\nINSIDE DOWN", color=red, penwidth=2, peripheries=2];
    label="a run of 4 transitions; start X=0 Y=0 Z=0, end after 3: X=3 Y=2 Z=3";
  $ varnok -dot rail_train rail_gate rail_controller 2>/dev/null | grep _out.dot
  varnok: file _out.dot dumped
  $ for f in train_gate.dot train_gate.sim.dot _run.dot _out.dot; do dot -Tsvg $f > $f.svg && echo "$f rendered"; done
  train_gate.dot rendered
  train_gate.sim.dot rendered
  _run.dot rendered
  _out.dot rendered

The simulation graph's picture has one node per state of the .sim file and
one edge per transition, the initial states bold; so for a product (the
picture is named after the -out file) and under -abs lu.

  $ counts() { echo "$(grep '^#states' $1) $(grep '^#trans' $1)"; echo "nodes $(grep -c '^  s[0-9]* \[' $2) edges $(grep -c '^  s[0-9]* -> s[0-9]* \[' $2) bold $(grep -c 'style=bold' $2)"; }
  $ counts train_gate.sim train_gate.sim.dot
  #states 11 #trans  12
  nodes 11 edges 12 bold 1
  $ varnok -dot -forw -abs lu train_gate | grep "file .*sim"
  varnok: file train_gate.sim dumped
  varnok: file train_gate.sim.dot dumped
  $ counts train_gate.sim train_gate.sim.dot
  #states 8 #trans  9
  nodes 8 edges 9 bold 1
  $ sed -n 4p train_gate.sim.dot
    label="abs lu: zones extrapolated with the lower/upper clock bounds, a zone included in another merged into it";
  $ cp train_gate.sim.dot lu.sim.dot
  $ varnok -dot -forw -I FAR rail_train rail_gate rail_controller 2>&1 | grep "file .*sim"
  Dumping output... file _out.sim created.
  varnok: file _out.sim.dot dumped
  $ counts _out.sim _out.sim.dot
  #states 37 #trans  32
  nodes 37 edges 32 bold 16
  $ sed -n 4p _out.sim.dot; grep -m1 -- "->" _out.sim.dot
    s0 [label="0: locations 0, 0, 0\nFAR INIT UP\nX=Y and X=Z", style=bold];
    s0 -> s16 [label="TRUE => APPROACH ; RESET{ X Z }"];
  $ cp _out.sim.dot product.sim.dot
  $ varnok -dot -forw -abs lu -out lu_out rail_train rail_gate rail_controller 2>&1 | grep "file .*sim"
  file lu_out.sim created.
  varnok: file lu_out.sim.dot dumped
  $ counts lu_out.sim lu_out.sim.dot
  #states 8 #trans  9
  nodes 8 edges 9 bold 1
  $ for f in lu.sim.dot product.sim.dot lu_out.sim.dot; do dot -Tsvg $f > $f.svg && echo "$f rendered"; done
  lu.sim.dot rendered
  product.sim.dot rendered
  lu_out.sim.dot rendered

A reachability search of a network draws each of its timed graphs, with
the network's clock names, whether the goal is reached or not; the
breadth-first search writes (and draws) its run after its lines.

  $ rm -f rail_*.dot _run.dot
  $ varnok -dot -R "INSIDE and UP" rail_train rail_gate rail_controller 2>&1 | grep -e dot -e failed
  varnok: file rail_train.dot dumped
  varnok: file rail_gate.dot dumped
  varnok: file rail_controller.dot dumped
  Reachability failed.
  $ sed -n '4,6p' rail_gate.dot; grep -- "-> l" rail_gate.dot
    l0_entry [shape=point, label=""];
    l0_entry -> l0;
    l0 [label="0\nUP INIT\ninvar: TRUE", style=bold];
    l0_entry -> l0;
    l0 -> l1 [label="TRUE => LOWER ; Y:=0"];
    l1 -> l2 [label="Y<=1 => DOWN"];
    l2 -> l3 [label="TRUE => RAISE ; Y:=0"];
    l3 -> l0 [label="1<=Y and Y<=2 => UP"];
  $ varnok -dot -run -ai -R "FAR and DOWN" rail_train rail_gate rail_controller 2>&1 | grep -e dot -e depth -e _run -e re-run
  varnok: Reachability successful at depth 6.
  varnok: Please re-run using DFS (options -FULLDFS -STACK 6) to get a (shortest) counter-trace.
  varnok: file _run.reach dumped
  varnok: file _run.dot dumped
  varnok: file rail_train.dot dumped
  varnok: file rail_gate.dot dumped
  varnok: file rail_controller.dot dumped
  $ grep -e cluster -e "label=\"[0-9]:" _run.dot
    subgraph cluster_0 {
    a0_l0 -> a0_l1 [label="1: APPROACH at 0", tooltip="X=0 Y=0 Z=0", color=red, fontcolor=red, penwidth=2];
    a0_l1 -> a0_l2 [label="4: IN at 3", tooltip="X=3 Y=2 Z=3", color=red, fontcolor=red, penwidth=2];
    a0_l2 -> a0_l0 [label="5: EXIT at 3", tooltip="X=3 Y=2 Z=0", color=red, fontcolor=red, penwidth=2];
    subgraph cluster_1 {
    a1_l0 -> a1_l1 [label="2: LOWER at 1", tooltip="X=1 Y=0 Z=1", color=red, fontcolor=red, penwidth=2];
    a1_l1 -> a1_l2 [label="3: DOWN at 2", tooltip="X=2 Y=1 Z=2", color=red, fontcolor=red, penwidth=2];
    subgraph cluster_2 {
    a2_l0 -> a2_l1 [label="1: APPROACH at 0", tooltip="X=0 Y=0 Z=0", color=red, fontcolor=red, penwidth=2];
    a2_l1 -> a2_l2 [label="2: LOWER at 1", tooltip="X=1 Y=0 Z=1", color=red, fontcolor=red, penwidth=2];
    a2_l2 -> a2_l3 [label="5: EXIT at 3", tooltip="X=3 Y=2 Z=0", color=red, fontcolor=red, penwidth=2];
  $ for f in rail_train.dot rail_gate.dot _run.dot; do dot -Tsvg $f > $f.svg && echo "$f rendered"; done
  rail_train.dot rendered
  rail_gate.dot rendered
  _run.dot rendered

So does the simulation graph of a network, with or without -abs lu.

  $ for o in "" -alu; do rm -f rail_*.dot; varnok -dot -forw $o rail_train rail_gate rail_controller 2>&1 | grep "rail_.*dot"; done
  varnok: file rail_train.dot dumped
  varnok: file rail_gate.dot dumped
  varnok: file rail_controller.dot dumped
  varnok: file rail_train.dot dumped
  varnok: file rail_gate.dot dumped
  varnok: file rail_controller.dot dumped

A file that cannot be written ends the run.

  $ mkdir blocked.dot
  $ cp train_gate.tg blocked.tg
  $ varnok -dot blocked | tail -1; echo "status ${PIPESTATUS[0]}"
  varnok: cannot write file blocked.dot
  status 1
  $ mkdir blocked_out.sim.dot
  $ varnok -dot -forw -out blocked_out rail_train rail_gate rail_controller 2>/dev/null | tail -1; echo "status ${PIPESTATUS[0]}"
  varnok: cannot write file blocked_out.sim.dot
  status 1
