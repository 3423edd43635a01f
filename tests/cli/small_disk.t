A folder on a small file system (a 64 kB tmpfs, mounted in a namespace of
its own): files that do not fit are reported, none is left half written or
under a temporary name, and the files already there keep their contents.
Without user namespaces the test is skipped.

  $ unshare -rm true 2> /dev/null || exit 80
  $ cp $EXAMPLES/train_gate.tg $EXAMPLES/train_gate_safe.tctl .
  $ touch -d '-1 hour' train_gate.tg
  $ {
  >   echo "#states 100 #trans 99 #clocks 40"; for i in $(seq 40); do printf 'x%d ' $i; done; echo
  >   echo "state: 0 prop: INIT invar: true trans:"; echo "true => ; ; goto 1"
  >   for ((s = 1; s < 99; s++)); do printf 'state: %d invar: x1 <= %d trans:\ntrue => ; ; goto %d\n' $s $s $((s + 1)); done
  >   echo "state: 99 prop: END invar: true trans:"
  > } > big.tg
  $ cat > small.sh <<'SH'
  > mkdir small && mount -t tmpfs -o size=64k tmpfs small && cd small || exit 1
  > cp -p ../big.tg ../train_gate.tg ../train_gate_safe.tctl .
  > echo "-- a compile too big for the folder"
  > varnok big 2> /dev/null | tail -1; echo "status ${PIPESTATUS[0]}"; ls -A big.*
  > echo "-- an evaluation when the folder is full"
  > varnok train_gate train_gate_safe > /dev/null; cp train_gate_safe.eval ../before.eval
  > cat /dev/zero > filler 2> /dev/null
  > varnok train_gate train_gate_safe | tail -1; echo "status ${PIPESTATUS[0]}"
  > cmp train_gate_safe.eval ../before.eval && echo "train_gate_safe.eval kept"
  > ls -A | grep -c tmp
  > echo "-- room again"
  > rm filler; rm train_gate_safe.eval
  > varnok train_gate train_gate_safe | grep -e write -e "\.eval"
  > cmp train_gate_safe.eval ../before.eval && echo "same result"
  > SH
  $ unshare -rm bash small.sh
  -- a compile too big for the folder
  varnok: cannot write file big.reg
  status 1
  big.lab
  big.prop
  big.tg
  -- an evaluation when the folder is full
  varnok: cannot write file train_gate_safe.eval
  status 1
  train_gate_safe.eval kept
  0
  -- room again
  varnok: file train_gate_safe.eval created
  same result

The model too big for the small folder compiles in a roomy one.

  $ varnok big 2> /dev/null | tail -1
  varnok: file big.[vnk,lab,prop,reg] created
