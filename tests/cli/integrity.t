A result that cannot be written completely is reported, the run stops with
status 1 before saying it was created, and no temporary file is left.

  $ cp $EXAMPLES/train_gate.tg $EXAMPLES/train_gate_safe.tctl .
  $ varnok train_gate > /dev/null
  [1]
  $ ln -s /dev/full train_gate.sim
  $ varnok -forw train_gate 2>&1 | tail -2; echo "status ${PIPESTATUS[0]}"
  varnok: 12 simulation transitions generated
  varnok: cannot write file train_gate.sim
  status 1
  $ ln -s /dev/full train_gate_safe.eval
  $ varnok train_gate train_gate_safe 2>&1 | grep -e write -e created; echo "status ${PIPESTATUS[0]}"
  varnok: cannot write file train_gate_safe.eval
  status 1
  $ rm train_gate_safe.eval train_gate.sim; ls -a | grep -c tmp
  0
  [1]

The four compiled files are one unit: when one of them cannot be written no
.vnk is left, and the next run compiles again.

  $ touch train_gate.tg; rm train_gate.lab; ln -s /dev/full train_gate.lab
  $ varnok train_gate 2>&1 | tail -1; echo "status ${PIPESTATUS[0]}"; ls train_gate.*
  varnok: cannot write file train_gate.lab
  status 1
  train_gate.lab
  train_gate.prop
  train_gate.reg
  train_gate.tg
  $ rm train_gate.lab; varnok train_gate | tail -1
  varnok: file train_gate.[vnk,lab,prop,reg] created

A model that opens but cannot be read is reported and leaves nothing behind.

  $ mkdir m.tg
  $ varnok m 2>&1 | tail -1; echo "status ${PIPESTATUS[0]}"; ls -d m.*
  varnok: cannot read file m.tg
  status 1
  m.tg
