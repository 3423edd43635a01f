The product of several timed graphs written as one timed graph.

  $ run() { varnok "$@" > out 2> err; s=$?; tail -n +2 out; cat err; echo "status $s"; }

Train, gate and controller of the level crossing, each on its own: the
labels approach, exit, lower and raise synchronise, in, down and up are each
automaton's own moves. The product has the 12 locations and 17 transitions of
the hand-written examples/train_gate.tg; only the location vectors where every
automaton is initial carry INIT.

  $ cp $EXAMPLES/rail_train.tg $EXAMPLES/rail_gate.tg $EXAMPLES/rail_controller.tg .
  $ touch -d '-1 hour' rail_*.tg
  $ run rail_train.tg rail_gate rail_controller
  varnok: creating file rail_train.vnk...
  varnok: begin syntax analysis of rail_train.tg...
  varnok: end syntax analysis of rail_train.tg...
  varnok: file rail_train.[vnk,lab,prop,reg] created
  varnok: reading file rail_train.vnk...
  varnok: creating file rail_gate.vnk...
  varnok: begin syntax analysis of rail_gate.tg...
  varnok: end syntax analysis of rail_gate.tg...
  varnok: file rail_gate.[vnk,lab,prop,reg] created
  varnok: reading file rail_gate.vnk...
  varnok: creating file rail_controller.vnk...
  varnok: begin syntax analysis of rail_controller.tg...
  varnok: end syntax analysis of rail_controller.tg...
  varnok: file rail_controller.[vnk,lab,prop,reg] created
  varnok: reading file rail_controller.vnk...
  Building synchronization tables...
  Generating parallel product graph...
  Dumping output... files _out.[tg,vnk,lab,prop,reg] created.
  status 1
  $ ls _out.*
  _out.lab
  _out.prop
  _out.reg
  _out.tg
  _out.vnk
  $ cat _out.tg
  /* Timed graph generated for the parallel composition of:
  \tautomaton 0: rail_train.tg (esc)
  \tautomaton 1: rail_gate.tg (esc)
  \tautomaton 2: rail_controller.tg (esc)
  */
  #states 12
  #trans  17
  #clocks  3
  \tX /* rail_train */ (esc)
  \tY /* rail_gate */ (esc)
  \tZ /* rail_controller */ (esc)
  
  
  state: 0\t/* vector state: < 0, 0, 0 > */ (esc)
  prop: FAR INIT UP
  invar: TRUE
  trans:
  L: TRUE =C> APPROACH ; RESET{ X Z }; goto 1
  
  state: 1\t/* vector state: < 1, 0, 1 > */ (esc)
  prop: NEAR UP
  invar: X<=5 and Z<=1
  trans:
  L: 2<X and X<=5 =C> IN ; reset{}; goto 2
  L: Z=1 =C> LOWER ; RESET{ Y }; goto 3
  
  state: 2\t/* vector state: < 2, 0, 1 > */ (esc)
  prop: INSIDE UP
  invar: X<=5 and Z<=1
  trans:
  L: Z=1 =C> LOWER ; RESET{ Y }; goto 4
  
  state: 3\t/* vector state: < 1, 1, 2 > */ (esc)
  prop: NEAR COMING_DOWN
  invar: X<=5 and Y<=1
  trans:
  L: 2<X and X<=5 =C> IN ; reset{}; goto 4
  L: Y<=1 =C> DOWN ; reset{}; goto 5
  
  state: 4\t/* vector state: < 2, 1, 2 > */ (esc)
  prop: INSIDE COMING_DOWN
  invar: X<=5 and Y<=1
  trans:
  L: Y<=1 =C> DOWN ; reset{}; goto 6
  L: X<=5 =C> EXIT ; RESET{ Z }; goto 7
  
  state: 5\t/* vector state: < 1, 2, 2 > */ (esc)
  prop: NEAR DOWN
  invar: X<=5
  trans:
  L: 2<X and X<=5 =C> IN ; reset{}; goto 6
  
  state: 6\t/* vector state: < 2, 2, 2 > */ (esc)
  prop: INSIDE DOWN
  invar: X<=5
  trans:
  L: X<=5 =C> EXIT ; RESET{ Z }; goto 8
  
  state: 7\t/* vector state: < 0, 1, 3 > */ (esc)
  prop: FAR COMING_DOWN
  invar: Y<=1 and Z<=1
  trans:
  L: Y<=1 =C> DOWN ; reset{}; goto 8
  
  state: 8\t/* vector state: < 0, 2, 3 > */ (esc)
  prop: FAR DOWN
  invar: Z<=1
  trans:
  L: Z<=1 =C> RAISE ; RESET{ Y }; goto 9
  
  state: 9\t/* vector state: < 0, 3, 0 > */ (esc)
  prop: FAR GOING_UP
  invar: Y<=2
  trans:
  L: 1<=Y and Y<=2 =C> UP ; reset{}; goto 0
  L: TRUE =C> APPROACH ; RESET{ X Z }; goto 10
  
  state: 10\t/* vector state: < 1, 3, 1 > */ (esc)
  prop: NEAR GOING_UP
  invar: X<=5 and Y<=2 and Z<=1
  trans:
  L: 2<X and X<=5 =C> IN ; reset{}; goto 11
  L: 1<=Y and Y<=2 =C> UP ; reset{}; goto 1
  
  state: 11\t/* vector state: < 2, 3, 1 > */ (esc)
  prop: INSIDE GOING_UP
  invar: X<=5 and Y<=2 and Z<=1
  trans:
  L: 1<=Y and Y<=2 =C> UP ; reset{}; goto 2

The product reads back as a timed graph (the text is newer than the compiled
files, so they are rebuilt from it), without a warning.

  $ run -c _out
  varnok: updating file _out.vnk...
  varnok: begin syntax analysis of _out.tg...
  varnok: end syntax analysis of _out.tg...
  varnok: file _out.[vnk,lab,prop,reg] updated
  varnok: creating file _out.cpt...
  varnok: file _out.cpt dumped
  status 1

"-out" names the product; the compiled models are now reused.

  $ run -out prod.tg rail_train rail_gate rail_controller
  varnok: file rail_train.vnk already exists 
  varnok: reading file rail_train.vnk...
  varnok: file rail_gate.vnk already exists 
  varnok: reading file rail_gate.vnk...
  varnok: file rail_controller.vnk already exists 
  varnok: reading file rail_controller.vnk...
  Building synchronization tables...
  Generating parallel product graph...
  Dumping output... files prod.[tg,vnk,lab,prop,reg] created.
  status 1
  $ cmp prod.tg _out.tg

Synchronisation modes. p and q share the synchronisation label a and each
has an unlabelled move. By default (label sets) the moves are p alone, the
joint a, q alone; "-sync diag" adds both unlabelled moves together;
"-sync enum" lists them with the last automaton changing fastest.

  $ cat > p.tg <<'TG'
  > #states 2 #trans 2 #clocks 1 x
  > #sync a
  > state: 0 invar: x <= 4 trans: x >= 1 => a ; reset{ x } ; goto 1 true => ; ; goto 1
  > state: 1 invar: true trans:
  > TG
  $ sed 's/x/y/g' p.tg > q.tg
  $ touch -d '-1 hour' p.tg q.tg
  $ run p q -out pq | grep -v "^varnok"
  Building synchronization tables...
  Generating parallel product graph...
  Dumping output... files pq.[tg,vnk,lab,prop,reg] created.
  status 1
  $ sed -n '/^state: 0/,/^$/p' pq.tg
  state: 0\t/* vector state: < 0, 0 > */ (esc)
  invar: X<=4 and Y<=4
  trans:
  L: X<=4 =C> ; reset{}; goto 1
  L: 1<=X and X<=4 and 1<=Y and Y<=4 =C> A ; RESET{ X Y }; goto 2
  L: Y<=4 =C> ; reset{}; goto 3
  
  $ run -sync diag p q -out pq > /dev/null; sed -n '/^state: 0/,/^$/p' pq.tg
  state: 0\t/* vector state: < 0, 0 > */ (esc)
  invar: X<=4 and Y<=4
  trans:
  L: X<=4 =C> ; reset{}; goto 1
  L: 1<=X and X<=4 and 1<=Y and Y<=4 =C> A ; RESET{ X Y }; goto 2
  L: Y<=4 =C> ; reset{}; goto 3
  L: X<=4 and Y<=4 =C> ; reset{}; goto 2
  
  $ run -se p q -out pq > /dev/null; sed -n '/^state: 0/,/^$/p' pq.tg
  state: 0\t/* vector state: < 0, 0 > */ (esc)
  invar: X<=4 and Y<=4
  trans:
  L: Y<=4 =C> ; reset{}; goto 1
  L: 1<=X and X<=4 and 1<=Y and Y<=4 =C> A ; RESET{ X Y }; goto 2
  L: X<=4 =C> ; reset{}; goto 3
  
  $ run -se -sd p q -out pq > /dev/null; sed -n '/^state: 0/,/^$/p' pq.tg
  state: 0\t/* vector state: < 0, 0 > */ (esc)
  invar: X<=4 and Y<=4
  trans:
  L: Y<=4 =C> ; reset{}; goto 1
  L: 1<=X and X<=4 and 1<=Y and Y<=4 =C> A ; RESET{ X Y }; goto 2
  L: X<=4 =C> ; reset{}; goto 3
  L: X<=4 and Y<=4 =C> ; reset{}; goto 2
  

Resets and copies over the product's clocks, a clock name used by two
automata (the second one is renamed), an uncontrollable move, a plain label
carried by both participants and a location without moves.

  $ cat > c1.tg <<'TG'
  > #states 3 #trans 3 #clocks 2 x z
  > #sync a
  > state: 0 prop: P invar: true trans: x > 2 => a go ; reset{ x } z := x ; goto 1
  > state: 1 prop: P Q invar: z <= 4 trans: true =U> b ; z := 0 ; goto 0 true => ; ; goto 2
  > state: 2 invar: true trans:
  > TG
  $ cat > c2.tg <<'TG'
  > #states 1 #trans 1 #clocks 1 x
  > #sync a
  > state: 0 prop: Q invar: x <= 3 trans: x >= 1 => go a ; ; goto 0
  > TG
  $ run c1 c2 -out cp | grep -v "^varnok"
  Warning: clock X of c2.tg is called X_1 in the product.
  Building synchronization tables...
  Generating parallel product graph...
  Dumping output... files cp.[tg,vnk,lab,prop,reg] created.
  status 1
  $ cat cp.tg
  /* Timed graph generated for the parallel composition of:
  \tautomaton 0: c1.tg (esc)
  \tautomaton 1: c2.tg (esc)
  */
  #states 3
  #trans  3
  #clocks  3
  \tX Z /* c1 */ (esc)
  \tX_1 /* c2 */ (esc)
  
  
  state: 0\t/* vector state: < 0, 0 > */ (esc)
  prop: P Q
  invar: X_1<=3
  trans:
  L: 2<X and 1<=X_1 and X_1<=3 =C> A GO GO ; RESET{ X } Z:=X ; goto 1
  
  state: 1\t/* vector state: < 1, 0 > */ (esc)
  prop: P Q
  invar: Z<=4 and X_1<=3
  trans:
  L: Z<=4 =U> B ; RESET{ Z }; goto 0
  L: Z<=4 =C> ; reset{}; goto 2
  
  state: 2\t/* vector state: < 2, 0 > */ (esc)
  prop: Q
  invar: X_1<=3
  trans:
  $ run cp
  varnok: updating file cp.vnk...
  varnok: begin syntax analysis of cp.tg...
  varnok: end syntax analysis of cp.tg...
  varnok: file cp.[vnk,lab,prop,reg] updated
  status 1

Initial locations: every combination of the automata's INIT locations
(automaton 0 fastest, each list in decreasing location number); an automaton
without INIT starts at location 0.

  $ cat > i1.tg <<'TG'
  > #states 4 #trans 0 #clocks 0
  > state: 0 invar: true trans:
  > state: 1 prop: INIT invar: true trans:
  > state: 2 invar: true trans:
  > state: 3 prop: INIT invar: true trans:
  > TG
  $ cat > i2.tg <<'TG'
  > #states 2 #trans 0 #clocks 0
  > state: 0 invar: true trans:
  > state: 1 invar: true trans:
  > TG
  $ run i1 i2 -out ii > /dev/null; cat ii.tg
  /* Timed graph generated for the parallel composition of:
  \tautomaton 0: i1.tg (esc)
  \tautomaton 1: i2.tg (esc)
  */
  #states 2
  #trans  0
  #clocks  0
  
  
  state: 0\t/* vector state: < 3, 0 > */ (esc)
  prop: INIT
  invar: TRUE
  trans:
  
  state: 1\t/* vector state: < 1, 0 > */ (esc)
  prop: INIT
  invar: TRUE
  trans:

Activity: with "-Act" the clocks inactive at the target locations (read from
the .opt files) are reset as well.

  $ printf '\0\0\1\0\1\0\0\0\1\0\0\0' > p.opt
  $ printf '\0\0\1\0\1\0\0\0\1\0\1\0' > q.opt
  $ run -Act p q -out act > /dev/null; sed -n '/^state: 0/,/^$/p' act.tg
  state: 0\t/* vector state: < 0, 0 > */ (esc)
  invar: X<=4 and Y<=4
  trans:
  L: X<=4 =C> ; RESET{ X }; goto 1
  L: 1<=X and X<=4 and 1<=Y and Y<=4 =C> A ; RESET{ X X Y }; goto 2
  L: Y<=4 =C> ; reset{}; goto 3
  
  $ run act
  varnok: updating file act.vnk...
  varnok: begin syntax analysis of act.tg...
  varnok: end syntax analysis of act.tg...
  varnok: file act.[vnk,lab,prop,reg] updated
  status 1

Models whose names share their first 31 characters still find their own
.opt files.

  $ l=a_model_name_longer_than_thirty_one_chars
  $ cp p.tg ${l}_p.tg; cp p.opt ${l}_p.opt; cp q.tg ${l}_q.tg; cp q.opt ${l}_q.opt
  $ run -Act ${l}_p ${l}_q -out long > /dev/null
  $ diff <(tail -n +10 act.tg) <(tail -n +10 long.tg)

Errors. A missing model stops the loading (as for one model); more product
locations than "-CONTROL" allows, or location spaces that cannot be coded,
end the run with status 255.

  $ run p nothere
  varnok: file p.vnk already exists 
  varnok: reading file p.vnk...
  varnok: cannot open file nothere.tg 
  status 1
  $ run -CONTROL 2 rail_train rail_gate rail_controller | tail -3
  MAX_CONTROL_STATES (2) exceeded!
  Please use the '-CONTROL n' option to set it to 'n'
  status 255
  $ run -CONTROL 2147483647 p q | tail -2
  Dumping output... files _out.[tg,vnk,lab,prop,reg] created.
  status 1
  $ for m in m1 m2 m3; do
  >   { echo "#states 1300 #trans 0 #clocks 0"; for i in $(seq 0 1299); do echo "state: $i invar: true trans:"; done; } > $m.tg
  > done
  $ run m1 m2 m3 | tail -3
  Sorry, MAX N_OF_STATES=2147483646
  varnok: hint: -abs lu (with -forw, -r or -R) explores networks whose vectors do not fit a code
  status 255

Transition vectors whose codes do not fit in 31 bits, and products with more
transitions than a timed graph can hold, are refused as well.

  $ mk() { { echo "#states 1 #trans $2 #clocks 0 state: 0 invar: true trans:"; seq $2 | sed 's/.*/true => ; ; goto 0/'; } > $1.tg; }
  $ mk t1 50000; mk t2 50000
  $ run t1 t2 | tail -3
  ERROR: Cannot encode transition vectors: too many transitions!
  varnok: hint: -abs lu (with -forw, -r or -R) explores networks whose vectors do not fit a code
  status 255
  $ mk s1 300; mk s2 300
  $ run -sync diag s1 s2 | tail -2
  Dumping output... files _out.[tg,vnk,lab,prop,reg] created.
  status 1

A product of more than 65535 transitions is written (its compiled files in
the wide form, 32-bit counts), reads back, and is evaluated.

  $ grep '^#trans'  _out.tg; od -An -tx1 -j 4 -N 11 _out.vnk
  #trans  90600
   23 48 00 01 00 00 00 e8 61 01 00
  $ touch -d 2000-01-01 _out.tg
  $ varnok _out -f 'init impl ED init' | grep -e reading -e created; cat _form.eval
  varnok: file _form.tctl created
  varnok: reading file _out.vnk...
  varnok: file _form.eval created
  true
  $ rm _out.vnk; varnok _out -f 'init impl ED init' | grep -e created; cat _form.eval
  varnok: file _form.tctl created
  varnok: file _out.[vnk,lab,prop,reg] created
  varnok: file _form.eval created
  true
