Depth-first reachability: verdicts on the two streams, the stack limit, and
the sample traces.

  $ run() { varnok "$@" 2>&1 | tail -n +2; echo "status ${PIPESTATUS[0]}"; }
  $ { echo "#states 10 #trans 9 #clocks 1 x"
  >   for i in 0 1 2 3 4 5 6 7 8; do
  >     echo "state: $i invar: true trans: true => s$i ; ; goto $((i+1))"
  >   done
  >   echo "state: 9 prop: LAST invar: true trans:"; } > chain.tg
  $ touch -d '2001-01-01' chain.tg
  $ varnok chain > /dev/null; echo $?
  1

A chain of ten locations with a stack of three entries: the fourth state is
made but cannot be pushed, so the answer is INCOMPLETE and the depth is the
limit.

  $ varnok -STACK 3 -R LAST chain 2>&1 >/dev/null
  varnok: Reachability: INCOMPLETE.
  varnok: Max stack size attained: 3
  [1]
  $ run -STACK 3 -R LAST chain | tail -4
  varnok: Max stack size attained: 3
  varnok: 4 simulation states generated
  varnok: 3 simulation transitions generated
  status 1

With room for the whole chain: TRUE and the trace on standard error, the
stack written as the sample trace; the deepest top index is 9.

  $ varnok -STACK 10 -R LAST chain 2>&1 >/dev/null
  varnok: Trace #1 dumped in file _dfs.trace
  varnok: Reachability: TRUE.
  varnok: 1 sample traces generated in _dfs.trace.
  varnok: Max stack size attained: 9
  [1]
  $ head -7 _dfs.trace; tail -4 _dfs.trace
  -- Trace #1 -- 
  < 0, TRUE>
  --- S0 --->
  < 1, TRUE>
  --- S1 --->
  < 2, TRUE>
  --- S2 --->
  < 8, TRUE>
  --- S8 --->
  < 9, TRUE>
  

Two ways to END: through location 1 (x = y stays) and through location 2
(x reset, so y >= x there); location 3 is reached with two different zones.
Without a goal hit FALSE is printed on standard output.

  $ cat > two.tg <<'TG'
  > #states 4 #trans 4 #clocks 2 x y
  > state: 0 invar: true trans:
  > true => a ; ; goto 1
  > true => b ; reset{ x } ; goto 2
  > state: 1 invar: true trans: true => c ; ; goto 3
  > state: 2 invar: true trans: true => d ; ; goto 3
  > state: 3 prop: END invar: true trans:
  > TG
  $ touch -d '2001-01-01' two.tg
  $ varnok two > /dev/null; echo $?
  1
  $ run -DFS -R "END" two
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  varnok: file two.vnk already exists 
  varnok: reading file two.vnk...
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: Reachability analysis using DFS ...
  varnok: Trace #1 dumped in file _dfs.trace
  varnok: Reachability: TRUE.
  varnok: 1 sample traces generated in _dfs.trace.
  varnok: Max stack size attained: 2
  varnok: 3 simulation states generated
  varnok: 2 simulation transitions generated
  status 1
  $ run -DFS -R "END and x > y" two | grep Reach
  varnok: Reachability analysis using DFS ...
  varnok: Reachability: FALSE.

Two traces wanted: the second one is appended under its own number. With
-v the explored graph is written to the .sim_dfs file.

  $ varnok -ALLPATHS 2 -DFS -v -R "END" two 2>&1 | tr '\r' '\n' | grep -v "states, "
  varnok: release 2.4.3 (i686) date ????/??/?? (glob)
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  varnok: file two.vnk already exists 
  varnok: reading file two.vnk...
  >>  init
  <<  init
  >>  END
  <<  END
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: Reachability analysis using DFS ...
  varnok: Trace #1 dumped in file _dfs.trace
  varnok: Trace #2 dumped in file _dfs.trace
  varnok: Reachability: TRUE.
  varnok: 2 sample traces generated in _dfs.trace.
  varnok: Max stack size attained: 2
  varnok: generating simulation graph... 
  varnok: file two.sim_dfs dumped
  varnok: 5 simulation states generated
  varnok: 4 simulation transitions generated
  $ cat _dfs.trace
  -- Trace #1 -- 
  < 0, X=Y>
  --- A --->
  < 1, X=Y>
  --- C --->
  < 3, X=Y>
  
  -- Trace #2 -- 
  < 0, X=Y>
  --- B --->
  < 2, X<=Y>
  --- D --->
  < 3, X<=Y>
  
  $ cat two.sim_dfs
  #states 5
  #trans  4
  #clocks  2
  X Y 
  
  state: 0	/* tg state: 0 */
  invar: X=Y
  trans:
  TRUE => A ; RESET{} ; goto 1
  TRUE => B ; RESET{ X } ; goto 3
  
  state: 1	/* tg state: 1 */
  invar: X=Y
  trans:
  TRUE => C ; RESET{} ; goto 2
  
  state: 2	/* tg state: 3 */
  prop: END
  invar: X=Y
  trans:
  
  state: 3	/* tg state: 2 */
  invar: X<=Y
  trans:
  TRUE => D ; RESET{} ; goto 4
  
  state: 4	/* tg state: 3 */
  prop: END
  invar: X<=Y
  trans:

Without -FULLDFS a known state is not explored again; with it, a state that
is not on the stack is, so END at x = y is met again through location 2
when x is not reset. One clock: both ways give the same zones.

  $ cat > one.tg <<'TG'
  > #states 4 #trans 4 #clocks 1 x
  > state: 0 invar: true trans:
  > true => a ; ; goto 1
  > true => b ; ; goto 2
  > state: 1 invar: true trans: true => c ; ; goto 3
  > state: 2 invar: true trans: true => d ; ; goto 3
  > state: 3 prop: END invar: true trans:
  > TG
  $ touch -d '2001-01-01' one.tg
  $ varnok one > /dev/null; echo $?
  1
  $ varnok -allpaths -DFS -R END one 2>&1 | grep -c "dumped in"
  1
  $ varnok -allpaths -FULLDFS -R END one 2>&1 | grep "Trace\|sample"
  varnok: Trace #1 dumped in file _dfs.trace
  varnok: Trace #2 dumped in file _dfs.trace
  varnok: 2 sample traces generated in _dfs.trace.
  $ grep -A4 "#2" _dfs.trace
  -- Trace #2 -- 
  < 0, TRUE>
  --- B --->
  < 2, TRUE>
  --- D --->

A loop that brings the newest state back to itself does not push it again:
the search ends with the whole (two-state) graph instead of filling the
stack.

  $ cat > loop.tg <<'TG'
  > #states 2 #trans 1 #clocks 1 x
  > state: 0 invar: x <= 3 trans: x >= 1 => tick ; ; goto 0
  > state: 1 prop: NEVER invar: true trans:
  > TG
  $ touch -d '2001-01-01' loop.tg
  $ varnok -DFS -R NEVER loop 2>&1 | tail -5
  varnok: Reachability: FALSE.
  varnok: Max stack size attained: 1
  varnok: 2 simulation states generated
  varnok: 2 simulation transitions generated
  varnok: removed the earlier result _dfs.trace
