Simulation graphs of one timed graph: the .sim and .reach files, initial
formulas, the state limit and its abort dump.

  $ run() { varnok "$@" 2>&1 | tail -n +2; echo "status ${PIPESTATUS[0]}"; }
  $ cat > diag.tg <<'TG'
  > #states 4 #trans 4 #clocks 2 x y
  > state: 0 prop: INIT invar: x <= 3 trans:
  > x >= 1 => a ; reset{ y } ; goto 1
  > state: 1 invar: y <= 2 trans:
  > x - y > 3 => b ; ; goto 2
  > y = 2 => c ; reset{ x } ; goto 3
  > state: 2 prop: END invar: true trans:
  > state: 3 invar: x <= 1 trans:
  > x = 1 => d ; ; goto 2
  > TG
  $ touch -d '2001-01-01' diag.tg

The whole graph: four states, the diagonal guard never fires. Simulation
transitions name target simulation states, not locations.

  $ run -forw diag.tg
  varnok: creating file diag.vnk...
  varnok: begin syntax analysis of diag.tg...
  varnok: end syntax analysis of diag.tg...
  varnok: file diag.[vnk,lab,prop,reg] created
  varnok: file _init.tctl created
  varnok: generating simulation graph... 
  varnok: simulation graph generated                   
  varnok: 4 simulation states generated
  varnok: 3 simulation transitions generated
  varnok: file diag.sim dumped
  status 1
  $ cat diag.sim
  #states 4
  #trans  3
  #clocks  2
  X Y 
  
  state: 0\t/* tg state: 0 */ (esc)
  prop: INIT
  invar: X<=3 and X=Y
  trans:
  1<=X and X<=3 => A ; RESET{ Y } ; goto 1
  
  state: 1\t/* tg state: 1 */ (esc)
  invar: Y<=2 and X<=Y+3 and Y+1<=X
  trans:
  Y=2 => C ; RESET{ X } ; goto 2
  
  state: 2\t/* tg state: 3 */ (esc)
  invar: X<=1 and X+2=Y
  trans:
  X=1 => D ; RESET{} ; goto 3
  
  state: 3\t/* tg state: 2 */ (esc)
  prop: END
  invar: 1<=X and X+2=Y
  trans:
  $ cat diag.reach
  Reachable tg states:
  ====================
  tg state: 0
  tg state: 1
  tg state: 2
  tg state: 3

An initial formula with clock values: location 1 with y = 0 and x = 4 is
past the diagonal guard (x - y > 3), so location 2 (END) can be entered at
once; y still reaches 2 (with x = 6), so location 3 is reached too.

  $ run -I "state(1) and y = 0 and x = 4" -forw diag | grep -v "^varnok: file diag.vnk\|reading"
  varnok: file _init.tctl created
  varnok: generating simulation graph... 
  varnok: simulation graph generated                   
  varnok: 4 simulation states generated
  varnok: 3 simulation transitions generated
  varnok: file diag.sim dumped
  status 1
  $ grep -A4 "^state" diag.sim
  state: 0\t/* tg state: 1 */ (esc)
  invar: 4<=X and Y<=2 and X=Y+4
  trans:
  Y<=2 and Y+3<X => B ; RESET{} ; goto 1
  Y=2 => C ; RESET{ X } ; goto 2
  --
  state: 1\t/* tg state: 2 */ (esc)
  prop: END
  invar: 4<=X and X=Y+4
  trans:
  
  state: 2\t/* tg state: 3 */ (esc)
  invar: X<=1 and X+2=Y
  trans:
  X=1 => D ; RESET{} ; goto 3
  
  state: 3\t/* tg state: 2 */ (esc)
  prop: END
  invar: 1<=X and X+2=Y
  trans:

An initial formula that holds nowhere stops the run.

  $ run -I "state(7)" -forw diag
  varnok: file _init.tctl created
  varnok: file diag.vnk already exists 
  varnok: reading file diag.vnk...
  varnok: generating simulation graph... 
  ERROR: initial states set is empty
  status 255

Two symbolic states at most: the third one aborts the run with the hint on
standard error, the reached locations and the timing summary; with
-history the graph so far is dumped into abort.sim.

  $ varnok -FORW 2 -forw diag > out 2> err; echo "status $?"
  status 255
  $ tail -n +4 out
  varnok: file _init.tctl created
  varnok: generating simulation graph... 
  
  ---------------------------------------------------------------------------
  varnok: forward analysis  : system  *\d+\.\d{3}s \* user  *\d+\.\d{3}s \* (re)
  ---------------------------------------------------------------------------
  $ cat err
  varnok abort: too many symbolic states (current MAX_SYMB_STATES = 2;)
  hint: use the '-abs' option for abstractions,
  \tor use the '-FORW n' option to limit the search. (esc)
  $ cat diag.reach
  Reachable tg states:
  ====================
  tg state: 0
  tg state: 1
  $ ls abort.sim
  ls: cannot access 'abort.sim': No such file or directory
  [2]
  $ varnok -h -FORW 2 -forw diag 2>/dev/null | grep abort
  varnok: file abort.sim dumped
  $ cat abort.sim
  #states 2
  #trans  1
  #clocks  2
  X Y 
  
  state: 0\t/* tg state: 0 */ (esc)
  prop: INIT
  invar: X<=3 and X=Y
  trans:
  1<=X and X<=3 => A ; RESET{ Y } ; goto 1
  
  state: 1\t/* tg state: 1 */ (esc)
  invar: Y<=2 and X<=Y+3 and Y+1<=X
  trans:

The limit also stops a reachability search.

  $ varnok -FORW 1 -R END diag 2>&1 >/dev/null | head -1
  varnok abort: too many symbolic states (current MAX_SYMB_STATES = 1;)

With -H the zone hash statistics of the run are written.

  $ run -H 3 -forw diag | tail -2
  varnok: file hash_stat.3 dumped
  status 1

One location without transitions: the three count lines, the clock line and
one state block ending with its "trans:" line.

  $ printf '#states 1 #trans 0 #clocks 1 x\nstate: 0 invar: x <= 2 trans:\n' > one.tg
  $ varnok -forw one.tg > /dev/null; echo $?
  1
  $ cat one.sim
  #states 1
  #trans  0
  #clocks  1
  X 
  
  state: 0\t/* tg state: 0 */ (esc)
  invar: X<=2
  trans:
