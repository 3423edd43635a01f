The example models: reduced graphs read back as timed graphs. In the train
and gate, x and z are reset together on "approach", so the train cannot be
inside while the controller still waits (x > 2 with z <= 1): the reduced
graph shows two transitions dead, which the parser drops.

  $ for m in train_gate fischer sensor; do cp $EXAMPLES/$m.tg .; done
  $ clockpare -g train_gate | grep -e reduction -e coeff
  clockpare: global reduction: 3 --> 2.
  clockpare: memory shrinking coeff. = 36.458% .
  $ cp train_gate.opt.tg r1.tg && varnok r1 > /dev/null; echo "status $?"
  varnok: Warning: transition 1 from 1 to 2 is not enabled, I ignored it
  varnok: Warning: transition 13 from 10 to 11 is not enabled, I ignored it
  status 1
  $ grep -c goto train_gate.opt.tg
  17
  $ for m in fischer sensor; do clockpare -g $m | grep -e reduction; cp $m.opt.tg r_$m.tg; varnok r_$m > /dev/null; echo "status $?"; done
  clockpare: no global reduction.
  status 1
  clockpare: no global reduction.
  status 1

A clock tested only in the second disjunct of a guard or an invariant is
active all the same; x and y are reset together, so they share X_1 at 0.

  $ cat > d.tg <<'TG'
  > #states 2 #trans 2 #clocks 3 x y z
  > state: 0 invar: true trans: x > 1 or y > 2 => ; ; goto 1
  > state: 1 invar: z < 1 or x < 2 trans: true => ; reset{ x y } ; goto 0
  > TG
  $ clockpare -ag d > /dev/null; sed -n '/act(/p' d.act; tail -n +4 d.opt.tg
  act(0) = { X Y Z } 
  act(1) = { X Z } 
  X_1 X_2 
  
  state: 0
  invar: TRUE
  trans:
  1<X_1 or
  2<X_1 => ; RESET{ }, ;  goto 1
  
  state: 1
  invar: X_2<1
  or
  X_1<2
  trans:
  X_2<1 or
  X_1<2 => ; RESET{ X_1 X_1 }, ;  goto 0
  
  $ cp d.opt.tg rd.tg && varnok rd > /dev/null; echo "status $?"
  status 1

No clock active anywhere: the reduced graph declares no clock, a reset of
an inactive clock prints its empty name, and it still reads back.

  $ cat > n.tg <<'TG'
  > #states 2 #trans 1 #clocks 2 x y
  > state: 0 invar: true trans: true => ; reset{ x } ; goto 1
  > state: 1 invar: true trans:
  > TG
  $ clockpare -rg n | grep -e reduction -e coeff; cat n.opt.tg; tail -7 n.ren
  clockpare: global reduction: 2 --> 0.
  clockpare: memory shrinking coeff. = 11.111% .
  #states 2
  #trans 1
  #clocks 0
  
  
  state: 0
  invar: TRUE
  trans:
  TRUE => ; RESET{  }, ;  goto 1
  
  state: 1
  invar: TRUE
  trans:
  
  
  state 0:
  
  { X Y }\t---> X_0 (esc)
  state 1:
  
  { X Y }\t---> X_0 (esc)
  $ cp n.opt.tg rn.tg && varnok rn > /dev/null; echo "status $?"
  status 1

A simulation graph (-s): x - y <= 2 is the invariant's own bound, so it
makes nothing active at 0; such constraints on clocks without a new name are
left out of the reduced graph. At 1 the guard is tighter.

  $ cat > s.tg <<'TG'
  > #states 2 #trans 2 #clocks 2 x y
  > state: 0 invar: x - y <= 2 trans: x - y <= 2 => ; reset{ x y } ; goto 1
  > state: 1 invar: x - y <= 2 trans: x - y <= 1 => ; reset{ x y } ; goto 0
  > TG
  $ clockpare -sag s | grep -e fixpoint -e reduction
  clockpare: activity fixpoint : system  *\d+\.\d{3}s \* user  *\d+\.\d{3}s \* #iterations 2 (re)
  clockpare: no global reduction.
  $ sed -n '/act(/p' s.act; tail -n +6 s.opt.tg
  act(0) = { } 
  act(1) = { X Y } 
  state: 0
  invar: TRUE
  trans:
  TRUE => ; RESET{ X_1 X_2 }, ;  goto 1
  
  state: 1
  invar: X_1<=X_2+2
  trans:
  X_1<=X_2+1 => ; RESET{   X_1 X_2 }, ;  goto 0
  
  $ cp s.opt.tg rs.tg && varnok rs > /dev/null; echo "status $?"
  status 1

Damaged compiled files and output files that cannot be made.

  $ cat > x.tg <<'TG'
  > #states 1 #trans 0 #clocks 1 x
  > state: 0 invar: true trans:
  > TG
  $ clockpare x > /dev/null; touch -d '2001-01-01' x.tg
  $ head -c 12 x.vnk > cut && mv cut x.vnk
  $ clockpare x; echo "status $?"
  clockpare: release 2.4.3 (i686) date ????/??/?? (glob)
  clockpare: file x.vnk already exists 
  clockpare: reading file x.vnk...
  clockpare: bad format file x.vnk
  status 1
  $ rm x.vnk x.opt && mkdir x.opt x.act
  $ clockpare x | tail -1; echo "status $?"
  clockpare: cannot create file x.opt
  status 0
  $ clockpare x > /dev/null; echo "status $?"
  status 1
  $ clockpare -a x | tail -1; clockpare -a x > /dev/null; echo "status $?"
  clockpare: cannot open file x.act
  status 255
