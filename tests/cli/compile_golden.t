The four compiled files of a small model, byte for byte (little-endian).

  $ cat > m.tg <<'TG'
  > #states 2 #trans 2 #clocks 1 x
  > #sync go
  > state: 0 prop: init idle invar: x <= 2 trans: x = 2 => go ; reset{ x } ; goto 1
  > state: 1 invar: true trans: D: x > 1 =U> back ; ; goto 0
  > TG
  $ varnok m > /dev/null; echo "status $?"
  status 1

.vnk: version "2.4", "#h", 2 locations, 2 transitions, 1 clock named "X";
"#i", invariant regions 1 and 3; positions 1 and 0 of the transitions in the
target-ordered list; "#e", 2 records ordered by target: transition 1 (from 1
to 0, guard 4, mode 0, vector 0 1, 'D', 'U'), then transition 0 (from 0 to 1,
guard 2, mode 1, vector 0 0, 'L', 'C').

  $ od -A d -t x1 m.vnk
  0000000 32 2e 34 00 23 68 00 02 00 02 00 01 00 02 00 00
  0000016 00 58 00 23 69 00 01 00 03 00 01 00 00 00 23 65
  0000032 00 02 00 01 00 00 00 04 00 00 00 00 00 00 00 01
  0000048 00 44 55 00 00 01 00 02 00 01 00 00 00 00 00 00
  0000064 00 4c 43
  0000067

.prop: version, "#p", 2 propositions numbered from the last written (IDLE 0,
INIT 1), then location 0 with both, location 1 with none.

  $ od -A d -t x1 m.prop
  0000000 32 2e 34 00 23 70 00 02 00 05 00 49 44 4c 45 00
  0000016 05 00 49 4e 49 54 00 02 00 00 00 01 00 00 00
  0000031

.lab: "#l", 2 labels (GO declared under #sync: 'S'; BACK: 'N'), then one
label per transition in file order.

  $ od -A d -t x1 m.lab
  0000000 23 6c 00 02 00 03 00 47 4f 00 53 05 00 42 41 43
  0000016 4b 00 4e 01 00 00 00 01 00 01 00
  0000027

.reg: "#r", 5 regions: the empty one (count 0), then per region a count and
its zones (2x2 bounds and one edge word): x<=2; x=2; TRUE; 1<x.

  $ od -A d -t x1 m.reg
  0000000 23 72 00 05 00 00 00 00 00 01 00 00 00 01 00 01
  0000016 00 05 00 01 00 04 00 00 00 01 00 00 00 01 00 fd
  0000032 ff 05 00 01 00 06 00 00 00 01 00 00 00 01 00 01
  0000048 00 fe 7f 01 00 00 00 00 00 01 00 00 00 01 00 fe
  0000064 ff fe 7f 01 00 02 00 00 00
  0000073

Read back, the files give the same listing as the parse.

  $ varnok -c m > /dev/null; mv m.cpt parsed.cpt
  $ touch -d '-1 hour' m.tg
  $ varnok -c m | tail -n +2
  varnok: file m.vnk already exists 
  varnok: reading file m.vnk...
  varnok: creating file m.cpt...
  varnok: file m.cpt dumped
  $ cmp m.cpt parsed.cpt && cat m.cpt
  #states 2
  #trans 2
  #clocks 1
  X 
  
  state: 0
  prop: IDLE INIT
  invar: X<=2
  trans:
  X=2 => GO ; RESET{ X } ;  goto 1
  
  state: 1
  invar: TRUE
  trans:
  1<X => BACK ; RESET{} ;  goto 0
  
