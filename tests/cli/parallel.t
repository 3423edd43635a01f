The -abs lu search on several threads (-j N, 0: one per core): the verdict
of the sequential search, a witness that replays, the counts of the whole
store; depth-first searches stay on one thread.

  $ run() { varnok "$@" > out 2> err; s=$?; cat out err | grep -v "^varnok: \(release\|reading\|file .* already exists\)\|syntax analysis\|creating file\|vnk,lab\|^-----\|total time"; echo "status $s"; }

A value that is not a whole number of threads from 0 to 256 is refused in
one line, before anything is written; so is a depth-first search with any
number of threads but 1.

  $ printf '#states 2 #trans 2 #clocks 1 x\nstate: 0 prop: INIT invar: x <= 2 trans:\nx >= 1 => a ; reset{ x } ; goto 0\nx = 2 => b ; ; goto 1\nstate: 1 prop: DONE invar: true trans:\n' > m.tg
  $ touch -d '2001-01-01' m.tg; varnok m > /dev/null; echo $?
  1
  $ for v in x 2.5 -1 257 1000 ''; do run -alu -j "$v" -R DONE m; done
  varnok: -j takes a number of threads from 0 (one per core) to 256: x
  status 255
  varnok: -j takes a number of threads from 0 (one per core) to 256: 2.5
  status 255
  varnok: -j takes a number of threads from 0 (one per core) to 256: -1
  status 255
  varnok: -j takes a number of threads from 0 (one per core) to 256: 257
  status 255
  varnok: -j takes a number of threads from 0 (one per core) to 256: 1000
  status 255
  varnok: -j takes a number of threads from 0 (one per core) to 256: 
  status 255
  $ varnok -alu -R DONE m -j 2>&1 | sed -n 2p; varnok -alu -R DONE m -j > /dev/null 2>&1; echo "status $?"
  varnok: -j needs a value
  status 255
  $ for o in -DFS -FULLDFS "-STACK 5"; do for j in 2 0; do run -alu $o -j $j -R DONE m; done; done; ls
  varnok: -DFS, -FULLDFS and -STACK search on one thread: leave out -j or give -j 1
  status 255
  varnok: -DFS, -FULLDFS and -STACK search on one thread: leave out -j or give -j 1
  status 255
  varnok: -DFS, -FULLDFS and -STACK search on one thread: leave out -j or give -j 1
  status 255
  varnok: -DFS, -FULLDFS and -STACK search on one thread: leave out -j or give -j 1
  status 255
  varnok: -DFS, -FULLDFS and -STACK search on one thread: leave out -j or give -j 1
  status 255
  varnok: -DFS, -FULLDFS and -STACK search on one thread: leave out -j or give -j 1
  status 255
  err
  m.lab
  m.prop
  m.reg
  m.tg
  m.vnk
  out
  $ run -alu -DFS -j 1 -R DONE m | grep Reachability
  varnok: Reachability: TRUE.

One graph whose goal needs y > 10 with x < 1: on 1, 2, 4 and one thread per
core, the same verdict and the same witness, which replays.

  $ cat > ring.tg <<'TG'
  > #states 3 #trans 3 #clocks 2 x y
  > state: 0 prop: INIT invar: x <= 2 trans:
  > x >= 1 => tick ; reset{ x } ; goto 0
  > y > 10 and x < 1 => late ; ; goto 1
  > state: 1 prop: LATE invar: true trans:
  > x > 3 => done ; ; goto 2
  > state: 2 prop: END invar: true trans:
  > TG
  $ touch -d '2001-01-01' ring.tg; varnok ring > /dev/null; echo $?
  1
  $ run -alu -R END -run ring; mv _path.reach seq.reach; mv _run.reach seq.run
  varnok: file _reach.tctl created
  varnok: file _init.tctl created
  varnok: begin forward analysis
  varnok: Evaluating reachability property... 
  varnok: file _path.reach dumped
  varnok: file _run.reach dumped
  varnok: Reachability: TRUE.
  varnok: abs lu: 2 states stored, 8 explored, 6 covered, 10 transitions, * bytes in store, peak memory * kB (glob)
  status 1
  $ for j in 2 4 0; do run -alu -j $j -R END -run ring | grep "Reachability\|status"; cmp seq.reach _path.reach && cmp seq.run _run.reach && python3 $TESTDIR/run_replay.py --goal END ring _run.reach; done
  varnok: Reachability: TRUE.
  status 1
  replayed 1 runs, 7 transitions
  varnok: Reachability: TRUE.
  status 1
  replayed 1 runs, 7 transitions
  varnok: Reachability: TRUE.
  status 1
  replayed 1 runs, 7 transitions

The same goal out of reach (x is reset before y passes 10 only when x >= 1):
the whole space is explored, FALSE on every number of threads, with the
counts of one thread: every shard of the store is offered its zones in the
order of the sequential search.

  $ for j in 1 2 4; do run -alu -j $j -R "END and y < 3" ring | grep "Reachability\|abs lu\|status"; done
  varnok: Reachability: FALSE.
  varnok: abs lu: 7 states stored, 9 explored, 2 covered, 10 transitions, * bytes in store, peak memory * kB (glob)
  status 1
  varnok: Reachability: FALSE.
  varnok: abs lu: 7 states stored, 9 explored, 2 covered, 10 transitions, * bytes in store, peak memory * kB (glob)
  status 1
  varnok: Reachability: FALSE.
  varnok: abs lu: 7 states stored, 9 explored, 2 covered, 10 transitions, * bytes in store, peak memory * kB (glob)
  status 1

Networks: Fischer's protocol for 4 processes. Mutual exclusion holds (the
whole space is explored); a process in its critical section is reached,
with a trace and a run that replays against the network.

  $ bash $TESTDIR/../../bench/gen_fischer.bash 4 f && cd f
  $ for m in fischer_p1 fischer_p2 fischer_p3 fischer_p4 fischer_id; do varnok $m > /dev/null; done; true
  $ net="fischer_p1 fischer_p2 fischer_p3 fischer_p4 fischer_id"
  $ for j in 1 2 4; do run -alu -j $j -R "CS1 and CS2" $net | grep -i "reachab\|explored"; done
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Reachability failed.
  Full state space explored.
  varnok: abs lu: 220 states stored, 268 explored, 62 covered, 552 transitions, * bytes in store, peak memory * kB (glob)
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Reachability failed.
  Full state space explored.
  varnok: abs lu: 220 states stored, 268 explored, 62 covered, 552 transitions, * bytes in store, peak memory * kB (glob)
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Reachability failed.
  Full state space explored.
  varnok: abs lu: 220 states stored, 268 explored, 62 covered, 552 transitions, * bytes in store, peak memory * kB (glob)
  $ for j in 1 2 4; do run -alu -j $j -run -R "CS3" $net | grep -i "reachab\|run"; python3 $TESTDIR/run_replay.py --goal CS3 $net _run.reach; done
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  varnok: file _run.reach dumped
  varnok: Reachability successful. Sample-trace length: 3
  replayed 1 runs, 3 transitions
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  varnok: file _run.reach dumped
  varnok: Reachability successful. Sample-trace length: 3
  replayed 1 runs, 3 transitions
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  varnok: file _run.reach dumped
  varnok: Reachability successful. Sample-trace length: 3
  replayed 1 runs, 3 transitions

With K = 100 the bounds of most zones no longer fit in a byte, while those
of the first ones do: each part of the store switches to two bytes per
bound when its first such zone arrives, and takes the zones that still fit
in a byte from then on. The counts stay those of one thread.

  $ bash $TESTDIR/../../bench/gen_fischer.bash 4 k100 100 && cd k100
  $ for m in $net; do varnok $m > /dev/null; done; true
  $ for j in 1 2 4; do run -alu -j $j -R "CS1 and CS2" $net | grep -i "explored"; done
  Full state space explored.
  varnok: abs lu: 220 states stored, 268 explored, 62 covered, 552 transitions, * bytes in store, peak memory * kB (glob)
  Full state space explored.
  varnok: abs lu: 220 states stored, 268 explored, 62 covered, 552 transitions, * bytes in store, peak memory * kB (glob)
  Full state space explored.
  varnok: abs lu: 220 states stored, 268 explored, 62 covered, 552 transitions, * bytes in store, peak memory * kB (glob)
  $ cd ..

A limit of -FORW stops the threads as it stops the one search.

  $ run -alu -j 2 -FORW 20 -R "CS1 and CS2" $net | grep -i "reachab\|limit"
  Evaluating reachability: _init.tctl and ed _reach.tctl 
  Reachability failed. Warning: part of state space explored.
  Search limited at -FORW 20 states.
  $ cd ..

The simulation graph (-forw) on two threads: the states stored, numbered
from 0, their transitions to stored states; the same size and counts as on
one thread.

  $ run -forw -alu -j 1 ring | grep "abs lu"; grep -c '^state:' ring.sim; grep -c goto ring.sim; mv ring.sim seq.sim
  varnok: abs lu: 3 states stored, 9 explored, 6 covered, 10 transitions, * bytes in store, peak memory * kB (glob)
  3
  3
  $ run -forw -alu -j 2 ring | grep "abs lu"; grep -c '^state:' ring.sim; grep -c goto ring.sim; grep '^state:' ring.sim | cut -f1 | tr '\n' ' '; echo
  varnok: abs lu: 3 states stored, 9 explored, 6 covered, 10 transitions, * bytes in store, peak memory * kB (glob)
  3
  3
  state: 0 state: 1 state: 2 

The random cross-check: single graphs and networks, reachable and
unreachable goals, -j 2 and -j 4 against -j 1 (the verdict, and the counts
of an unreachable goal's search), every witness replayed.

  $ mkdir random && cd random && python3 $TESTDIR/parallel_random.py varnok 60 7
  240 checks on -j 2 and -j 4 (35 of 60 goals reachable), 0 disagreements
