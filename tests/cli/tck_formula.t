Formulas on models with data: the discrete states that the integer guards
let a run reach become the locations of one timed graph, <model>_data.tg
(each a location vector with the values of the integers, which are also
propositions v_k), on which the formula is evaluated backwards.

  $ cp $TESTDIR/tck/*.tck $TESTDIR/tck/*.tg .
  $ holds() { varnok -verdict -q "$@" 2>&1 | tail -1; }
  $ varnok -f train_gate.tck 'init impl AB not (INSIDE and UP)' | grep "created\|HOLDS"
  varnok: file train_gate_data.tg created
  varnok: file _form.tctl created
  varnok: file train_gate_data.[vnk,lab,prop,reg] created
  varnok: file _form.eval created
  $ cat _form.eval
  true
  $ sed -n '/^state: 1$/,/^$/p' train_gate_data.tg
  state: 1
  /* Train.near Gate.up Controller.closing passed=0 */
  prop: CLOSING NEAR PASSED_0 UP
  invar: x <= 5 and hurry <= 0
  trans:
  true => lower ; reset{ y hurry } ; goto 2
  

The same verdicts as the network of timed graphs (where the committed
locations are locations that time cannot pass in), for safety, liveness
and bounded formulas:

  $ for f in 'init impl AB not (INSIDE and UP)' 'init impl AB (NEAR impl AD INSIDE)' \
  >          'init impl ED (INSIDE and GOING_UP)' 'init impl AB (COMING_DOWN impl AD{<=1} DOWN)' \
  >          'init impl AB (INSIDE impl AD FAR)' 'init impl EB not INSIDE'; do
  >   a=$(holds -f train_gate.tck "$f"); b=$(holds -f tg_train tg_gate tg_controller "$f")
  >   echo "$f: $a"; [ "$a" = "$b" ] || echo "  timed graphs: $b"
  > done
  init impl AB not (INSIDE and UP): HOLDS true
  init impl AB (NEAR impl AD INSIDE): HOLDS true
  init impl ED (INSIDE and GOING_UP): HOLDS false
  init impl AB (COMING_DOWN impl AD{<=1} DOWN): HOLDS true
  init impl AB (INSIDE impl AD FAR): HOLDS true
  init impl EB not INSIDE: HOLDS true
  $ holds -f train_gate.tck 'init impl AB (PASSED_3 impl ED PASSED_0)'
  HOLDS true

Fischer with three processes against the network with its id automaton,
the values of id as propositions on both sides:

  $ mkdir f3 && (cd f3 && bash $TESTDIR/../../bench/gen_fischer.bash 3 . > /dev/null)
  $ bash $TESTDIR/tck/gen_fischer_tck.sh 3 > f3/fischer.tck && cd f3
  $ for f in 'init impl AB not (CS1 and CS2)' 'init impl AB (REQ1 impl AD WAIT1)' \
  >          'init impl AB (WAIT1 impl ED CS1)' 'init impl AB (CS1 impl AD A1)' 'init impl AB (CS2 impl (ID@2 or ID@3))'; do
  >   a=$(holds -f fischer.tck "$(echo "$f" | sed 's/@/_/g')"); b=$(holds -f fischer_p1 fischer_p2 fischer_p3 fischer_id "$(echo "$f" | sed 's/@//g')")
  >   echo "$f: $a"; [ "$a" = "$b" ] || echo "  timed graphs: $b"
  > done
  init impl AB not (CS1 and CS2): HOLDS true
  init impl AB (REQ1 impl AD WAIT1): HOLDS true
  init impl AB (WAIT1 impl ED CS1): HOLDS true
  init impl AB (CS1 impl AD A1): HOLDS false
  init impl AB (CS2 impl (ID@2 or ID@3)): HOLDS true
  $ cd ..

A clock set to a value other than 0 cannot be written as a timed graph:

  $ printf '%s\n' 'system:s' 'event:e' 'clock:1:x' 'process:P' 'location:P:A{initial:}' 'edge:P:A:A:e{do: x = 2}' > set.tck
  $ varnok -f set.tck 'init impl AB true' > out 2>&1; echo "status $?"; grep -v "^varnok: release" out
  status 1
  varnok: set.tck: edge P:A->A:e: clock x is set to 2, which timed graphs cannot write
