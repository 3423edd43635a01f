Forward reachability on one timed graph: verdicts, the counts, and the
path and trace files.

Location 0 (INIT, x <= 3) goes to 1 at x >= 1 resetting y; location 1
(y <= 2) has a diagonal guard x - y > 3 that never holds (x - y stays
between 1 and 3 there) and goes to 3 at y = 2 resetting x; location 3
(x <= 1) goes to 2 (END) at x = 1. At END, y - x = 2 always.

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
  $ varnok diag > /dev/null; echo $?
  1

A goal met by a diagonal that never holds: FALSE, all of the graph explored.

  $ run -R "END and y - x > 2" diag
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  varnok: file diag.vnk already exists 
  varnok: reading file diag.vnk...
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: Reachability: FALSE.
  varnok: 4 simulation states generated
  varnok: 3 simulation transitions generated
  status 1
  $ cat _init.tctl _reach.tctl
  init
  END and y - x > 2
  $ ls _path.reach _trace.reach
  ls: cannot access '_path.reach': No such file or directory
  ls: cannot access '_trace.reach': No such file or directory
  [2]

A goal reached after three transitions: the path lists the simulation
states, the trace the clock values with which each location is entered and
left.

  $ run -R "END and y - x = 2 and x > 10" diag
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  varnok: file diag.vnk already exists 
  varnok: reading file diag.vnk...
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: file _path.reach dumped
  varnok: file _trace.reach dumped
  varnok: Reachability: TRUE.
  varnok: 4 simulation states generated
  varnok: 3 simulation transitions generated
  status 1
  $ cat _path.reach
  location: 0
  propositions: INIT
  constraint: X<=3 and X=Y
  transition: 1<=X and X<=3 => A ; RESET{ Y } ; goto 1
  
  location: 1
  constraint: Y<=2 and X<=Y+3 and Y+1<=X
  transition: Y=2 => C ; RESET{ X } ; goto 3
  
  location: 3
  constraint: X<=1 and X+2=Y
  transition: X=1 => D ; RESET{} ; goto 2
  
  location: 2
  propositions: END
  constraint: 1<=X and X+2=Y
  $ cat _trace.reach
  location: 0
  propositions: INIT
  constraint: X=0 and Y=0
  location: 0
  propositions: INIT
  constraint: 1<=X and X<=3 and X=Y
  transition: 1<=X and X<=3 => A ; RESET{ Y } ; goto 1
  
  location: 1
  constraint: 1<=X and X<=3 and Y=0
  location: 1
  constraint: Y=2 and X<=Y+3 and Y+1<=X
  transition: Y=2 => C ; RESET{ X } ; goto 3
  
  location: 3
  constraint: X=0 and Y=2
  location: 3
  constraint: X=1 and Y=3
  transition: X=1 => D ; RESET{} ; goto 2
  
  location: 2
  propositions: END
  constraint: X=1 and Y=3
  location: 2
  propositions: END
  constraint: 10<X and X+2=Y

The search stops at the first state that meets the goal: a goal in location
1 is met by the second state, before location 3 is reached. Only the
valuations that lead to x = 4 are kept along the trace (x - y is 2 or 3).

  $ run -R "state(1) and x = 4" diag | grep -v created
  varnok: file diag.vnk already exists 
  varnok: reading file diag.vnk...
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: file _path.reach dumped
  varnok: file _trace.reach dumped
  varnok: Reachability: TRUE.
  varnok: 2 simulation states generated
  varnok: 1 simulation transitions generated
  status 1
  $ cat _trace.reach
  location: 0
  propositions: INIT
  constraint: X=0 and Y=0
  location: 0
  propositions: INIT
  constraint: 2<=X and X<=3 and X=Y
  transition: 1<=X and X<=3 => A ; RESET{ Y } ; goto 1
  
  location: 1
  constraint: X<=3 and Y=0 and Y+2<=X
  location: 1
  constraint: X=4 and Y<=2 and X<=Y+3

Initial and goal formulas may use formula clocks of their own: they are
evaluated with them, and the search runs on the model's clocks. From
location 1, END is within 1 time unit only with y = 2 (then x is reset and
reaches 1); location 3 is never reached within 2 time units.

  $ run -R "state(1) and ED{<=1} END" diag | tail -4
  varnok: Reachability: TRUE.
  varnok: 2 simulation states generated
  varnok: 1 simulation transitions generated
  status 1
  $ tail -2 _trace.reach
  location: 1
  constraint: Y=2 and X<=Y+3 and Y+1<=X
  $ run -I "init and ED{<=2} state(1)" -R "state(3)" diag | tail -3
  varnok: 3 simulation states generated
  varnok: 2 simulation transitions generated
  status 1

With two formula clocks (AD{>0} needs both): every run reaches location 3.
An initial formula that fails in the initial state leaves no initial state:
the search answers FALSE at once.

  $ run -I "init and AD{>0} state(3)" -R "END" diag | grep Reach
  varnok: Reachability: TRUE.
  $ run -I "init and ED{<2} state(3)" -R "END" diag | tail -6
  varnok: Reachability: FALSE.
  varnok: 0 simulation states generated
  varnok: 0 simulation transitions generated
  varnok: removed the earlier result _path.reach
  varnok: removed the earlier result _trace.reach
  status 1

A goal met by an initial state: one state in the path, one step in the
trace, entered with every clock 0.

  $ run -R "state(0) and x >= 2" diag | tail -5
  varnok: file _trace.reach dumped
  varnok: Reachability: TRUE.
  varnok: 1 simulation states generated
  varnok: 0 simulation transitions generated
  status 1
  $ cat _path.reach
  location: 0
  propositions: INIT
  constraint: X<=3 and X=Y
  $ cat _trace.reach
  location: 0
  propositions: INIT
  constraint: X=0 and Y=0
  location: 0
  propositions: INIT
  constraint: 2<=X and X<=3 and X=Y
