A small model reduced with every listing and the reduced graph. At 1, x
takes y's value, so x = y there; z is reset on the way back with y, so y = z
at 0, and z is never tested at 1.

  $ cat > m.tg <<'TG'
  > #states 2 #trans 2 #clocks 3 x y z
  > #sync go
  > state: 0 prop: init invar: z <= 4 trans: x >= 1 and z >= 2 => go ; reset{ } x:=y ; goto 1
  > state: 1 invar: x <= 3 and y <= 3 trans: true => back ; reset{ y z } ; goto 0
  > TG
  $ clockpare -aerg m; echo "status $?"
  clockpare: release 2.4.3 (i686) date ????/??/?? (glob)
  clockpare: creating file m.vnk...
  clockpare: begin syntax analysis of m.tg...
  clockpare: end syntax analysis of m.tg...
  clockpare: file m.[vnk,lab,prop,reg] created
  clockpare: computing clock activity ...done.
  clockpare: computing clock equality ...done.
  clockpare: renaming clocks ...done.
  clockpare: file m.act dumped
  clockpare: file m.equ dumped
  clockpare: file m.ren dumped
  
  ---------------------------------------------------------------------------
  clockpare: activity fixpoint : system  *\d+\.\d{3}s \* user  *\d+\.\d{3}s \* #iterations 2 (re)
  clockpare: equality fixpoint : system  *\d+\.\d{3}s \* user  *\d+\.\d{3}s \* #iterations 2 (re)
  ---------------------------------------------------------------------------
  clockpare: global reduction: 3 --> 2.
  clockpare: memory shrinking coeff. = 40.625% .
  ---------------------------------------------------------------------------
  clockpare: creating file m.opt.tg...
  clockpare: file m.opt.tg dumped
  status 0

  $ cat m.act
  activity distribution:
  
  declaration : 3 clocks
  
  2 clocks\t: 1 states (esc)
  3 clocks\t: 1 states (esc)
  
  activity sets:
  
  act(0) = { X Y Z } 
  act(1) = { X Y } 
  
  $ cat m.equ
  equality relations:
  
  state 0:
  
  rel(X)\t: { X }  (esc)
  rel(Y)\t: { X Y Z }  (esc)
  rel(Z)\t: { X Y Z }  (esc)
  
  state 1:
  
  rel(X)\t: { X Y Z }  (esc)
  rel(Y)\t: { X Y Z }  (esc)
  rel(Z)\t: { X Y Z }  (esc)
  
  $ cat m.ren
  renaming distribution:
  
  declaration : 3 clocks
  
  0 new clocks\t: 0 states (esc)
  1 new clocks\t: 1 states (esc)
  2 new clocks\t: 1 states (esc)
  3 new clocks\t: 0 states (esc)
  
  state 0:
  
  { }\t---> X_0 (esc)
  { X }\t---> X_1 (esc)
  { Y Z }\t---> X_2 (esc)
  state 1:
  
  { Z }\t---> X_0 (esc)
  { X Y }\t---> X_1 (esc)

The renaming file: per location the count and one entry per clock (the
reference clock first), 16-bit little-endian.

  $ od -A d -t x1 m.opt
  0000000 02 00 00 00 01 00 02 00 02 00 01 00 00 00 01 00
  0000016 01 00 00 00
  0000020

The reduced graph: x and y share X_1 at 1, so both assignments into 1 read
X_2 (y's clock at 0), and X_2, unused at 1, is reset on the way in.

  $ cat m.opt.tg
  #states 2
  #trans 2
  #clocks 2
  X_1 X_2 
  
  state: 0
  prop: INIT
  invar: X_2<=4
  trans:
  1<=X_1 and 2<=X_2 and X_2<=4 => GO ; RESET{ X_2 }, X_1:=X_2 X_1:=X_2 ;  goto 1
  
  state: 1
  invar: X_1<=3 and X_1<=3
  trans:
  X_1<=3 and X_1<=3 => BACK ; RESET{ X_2 X_2 }, ;  goto 0
  

It reads back as a timed graph.

  $ cp m.opt.tg r.tg && varnok r; echo "status $?"
  varnok: release 2.4.3 (i686) date ????/??/?? (glob)
  varnok: creating file r.vnk...
  varnok: begin syntax analysis of r.tg...
  varnok: end syntax analysis of r.tg...
  varnok: file r.[vnk,lab,prop,reg] created
  status 1

From the compiled files the result is the same; one group of letters acts
as separate ones.

  $ mkdir first && mv m.act m.equ m.ren m.opt m.opt.tg first/
  $ touch -d '2001-01-01' m.tg
  $ clockpare -a -e -r -g m.tg | grep -v fixpoint
  clockpare: release 2.4.3 (i686) date ????/??/?? (glob)
  clockpare: file m.vnk already exists 
  clockpare: reading file m.vnk...
  clockpare: computing clock activity ...done.
  clockpare: computing clock equality ...done.
  clockpare: renaming clocks ...done.
  clockpare: file m.act dumped
  clockpare: file m.equ dumped
  clockpare: file m.ren dumped
  
  ---------------------------------------------------------------------------
  ---------------------------------------------------------------------------
  clockpare: global reduction: 3 --> 2.
  clockpare: memory shrinking coeff. = 40.625% .
  ---------------------------------------------------------------------------
  clockpare: creating file m.opt.tg...
  clockpare: file m.opt.tg dumped
  $ for f in m.act m.equ m.ren m.opt m.opt.tg; do cmp $f first/$f; done

Without activity and equality every location keeps all its clocks; only the
renaming file is written, and no fix-point time is reported.

  $ rm m.act m.equ m.ren m.opt m.opt.tg
  $ clockpare -AE m | tail -7
  clockpare: renaming clocks ...done.
  
  ---------------------------------------------------------------------------
  ---------------------------------------------------------------------------
  clockpare: no global reduction.
  clockpare: memory shrinking coeff. = 100.000% .
  ---------------------------------------------------------------------------
  $ ls m.*
  m.lab
  m.opt
  m.prop
  m.reg
  m.tg
  m.vnk
  $ od -A d -t x1 m.opt
  0000000 03 00 00 00 01 00 02 00 03 00 03 00 00 00 01 00
  0000016 02 00 03 00
  0000020

The letter d writes the initial activity sets before the fix-point: at 1
only what is tested there, at 0 without y, which only the assignment brings.

  $ clockpare -dl m > /dev/null; cat m.act.init
  activity sets:
  
  act(0) = { X Z } 
  act(1) = { X Y } 
  
