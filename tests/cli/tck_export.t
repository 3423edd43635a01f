-tck writes the loaded timed graphs as one model with data (.tck): a
process per graph, its propositions as labels, a synchronisation vector per
synchronisation label. The search of -abs lu then gives the same verdicts
on both forms.

  $ cp $EXAMPLES/*.tg .
  $ varnok -tck rail_train rail_gate rail_controller 2>&1 | grep -v "^varnok: \(release\|creating\|begin\|end\|reading\|file rail\)"
  Building synchronization tables...
  varnok: file _out.tck created
  $ cat _out.tck
  # 3 timed graphs, written by -tck
  system:_out
  event:APPROACH
  event:EXIT
  event:LOWER
  event:RAISE
  event:IN
  event:DOWN
  event:UP
  clock:1:X
  clock:1:Y
  clock:1:Z
  process:rail_train
  location:rail_train:L0{initial: : labels: FAR,INIT}
  location:rail_train:L1{invariant: X <= 5 : labels: NEAR}
  location:rail_train:L2{invariant: X <= 5 : labels: INSIDE}
  edge:rail_train:L0:L1:APPROACH{do: X = 0}
  edge:rail_train:L1:L2:IN{provided: X > 2 && X <= 5}
  edge:rail_train:L2:L0:EXIT{provided: X <= 5}
  process:rail_gate
  location:rail_gate:L0{initial: : labels: UP,INIT}
  location:rail_gate:L1{invariant: Y <= 1 : labels: COMING_DOWN}
  location:rail_gate:L2{labels: DOWN}
  location:rail_gate:L3{invariant: Y <= 2 : labels: GOING_UP}
  edge:rail_gate:L0:L1:LOWER{do: Y = 0}
  edge:rail_gate:L1:L2:DOWN{provided: Y <= 1}
  edge:rail_gate:L2:L3:RAISE{do: Y = 0}
  edge:rail_gate:L3:L0:UP{provided: Y >= 1 && Y <= 2}
  process:rail_controller
  location:rail_controller:L0{initial: : labels: INIT}
  location:rail_controller:L1{invariant: Z <= 1}
  location:rail_controller:L2
  location:rail_controller:L3{invariant: Z <= 1}
  edge:rail_controller:L0:L1:APPROACH{do: Z = 0}
  edge:rail_controller:L1:L2:LOWER{provided: Z >= 1 && Z <= 1}
  edge:rail_controller:L2:L3:EXIT{do: Z = 0}
  edge:rail_controller:L3:L0:RAISE{provided: Z <= 1}
  sync:rail_train@APPROACH:rail_controller@APPROACH
  sync:rail_train@EXIT:rail_controller@EXIT
  sync:rail_gate@LOWER:rail_controller@LOWER
  sync:rail_gate@RAISE:rail_controller@RAISE

The round trip: every bundled model that the format can hold, and the
Fischer network of the benchmarks (its id automaton included), searched
for every label and every pair of labels of two processes, in both forms.

  $ verdict() { varnok -abs lu -R "$@" 2>&1 | sed -n 's/.*Reachability\(: TRUE\| successful\).*/true/p; s/.*Reachability\(: FALSE\| failed\).*/false/p'; }
  $ roundtrip() {
  >   name=$1; shift
  >   varnok -tck -out $name "$@" > /dev/null 2>&1 || true
  >   labels=$(sed -n 's/^location:\([^:]*\):.*labels: \([^}]*\).*/\1 \2/p' $name.tck | tr ',' ' ')
  >   goals=$(echo "$labels" | tr ' ' '\n' | grep -v '^INIT$' | grep -v -F "$(echo "$labels" | cut -d' ' -f1)" | sort -u)
  >   pairs=$(echo "$labels" | while read p ls; do for l in $ls; do echo "$p $l"; done; done | grep -v ' INIT$' |
  >     awk '{ p[NR] = $1; l[NR] = $2 } END { for (i = 1; i <= NR; i++) for (j = i + 1; j <= NR; j++) if (p[i] != p[j]) print l[i] " and " l[j] }')
  >   n=0; bad=0
  >   while read g; do
  >     [ -n "$g" ] || continue
  >     a=$(verdict "$g" "$@"); b=$(verdict "$g" $name.tck); n=$((n + 1))
  >     [ "$a" = "$b" ] && [ -n "$a" ] || { bad=$((bad + 1)); echo "$name: $g: timed graphs $a, .tck $b"; }
  >   done <<< "$(printf '%s\n' "$goals" "$pairs")"
  >   echo "$name: $n goals, $bad different"
  > }
  $ roundtrip rail rail_train rail_gate rail_controller
  rail: 19 goals, 0 different
  $ roundtrip tgate train_gate
  tgate: 7 goals, 0 different
  $ roundtrip fisch fischer
  fisch: 3 goals, 0 different
  $ mkdir f3 && bash $TESTDIR/../../bench/gen_fischer.bash 3 f3 && cd f3
  $ roundtrip fischer3 fischer_p1 fischer_p2 fischer_p3 fischer_id
  fischer3: 112 goals, 0 different
  $ cd ..

What the format cannot hold is refused, and nothing is written:

  $ varnok -tck -out s sensor 2>&1 | grep -- -tck; ls s.tck
  varnok: -tck: a transition of sensor copies a clock into another
  ls: cannot access 's.tck': No such file or directory
  [2]
