Faults met under stress: other runs in the same folder, stale files of
earlier commands, long witnesses, edits during a compile.

  $ cat > m.tg <<'TG'
  > #states 2 #trans 1 #clocks 1 x
  > state: 0 prop: INIT invar: x <= 3 trans:
  > x >= 1 => go ; reset{ x } ; goto 1
  > state: 1 prop: END invar: true trans:
  > TG
  $ echo 'init impl ED END' > f.tctl
  $ touch -d '-1 hour' m.tg; varnok m f > /dev/null 2>&1
  [1]

A run holds a lock on each temporary it writes, and a later run removes
only temporaries it can lock: a live run's temporary is kept even when its
process id says nothing (another pid namespace, another machine) and it
has not changed for an hour. Here the live run is a process holding the
lock of a temporary named after a process id that does not exist.

  $ touch .f.eval.999999999.0.tmp; touch -d '-1 hour' .f.eval.999999999.0.tmp
  $ python3 - .f.eval.999999999.0.tmp > /dev/null 2>&1 <<'PY' &
  > import fcntl, os, sys, time
  > fd = os.open(sys.argv[1], os.O_WRONLY)
  > fcntl.flock(fd, fcntl.LOCK_EX)
  > open("locked", "w").close()
  > while os.path.exists("locked"): time.sleep(0.05)
  > PY
  $ for i in $(seq 100); do [ -e locked ] && break; sleep 0.05; done
  $ varnok m f > /dev/null 2>&1; ls -a | grep '^\.f\.eval\.'
  .f.eval.999999999.0.tmp
  $ rm locked; wait
  $ varnok m f > /dev/null 2>&1; ls -a | grep -c '^\.f\.eval\.'
  0
  [1]

The lock is varnok's own: a compile that waits for its model (a pipe) holds
the lock of its .err temporary meanwhile.

  $ rm m.vnk; mv m.tg m.txt; mkfifo m.tg
  $ (varnok m > /dev/null 2>&1; echo "compile status $?" > compiled) &
  $ exec 3> m.tg
  $ for i in $(seq 100); do ls -a | grep -q '^\.m\.err\..*\.tmp$' && break; sleep 0.05; done
  $ python3 - .m.err.*.tmp <<'PY'
  > import fcntl, os, sys
  > fd = os.open(sys.argv[1], os.O_RDONLY)
  > try:
  >     fcntl.flock(fd, fcntl.LOCK_EX | fcntl.LOCK_NB); print("free")
  > except BlockingIOError:
  >     print("locked")
  > PY
  locked
  $ cat m.txt >&3; exec 3>&-; wait; cat compiled
  compile status 1
  $ rm m.tg; mv m.txt m.tg; touch -d '-1 hour' m.tg

A replaced result keeps the permissions of the file it replaces (a new
name is a new file: hard links to the old one keep the old contents).

  $ chmod 600 f.eval; ln f.eval linked.eval; stat -c %h f.eval
  2
  $ varnok m f > /dev/null 2>&1; stat -c '%a %h' f.eval linked.eval
  600 1
  600 1
  $ chmod 640 f.eval; varnok m f > /dev/null 2>&1; stat -c %a f.eval
  640

The history file is refused like every other output when it cannot be
written.

  $ ln -s /dev/full f.log; varnok -h m f | grep -e "f\.log" -e cannot; echo "status ${PIPESTATUS[0]}"
  varnok: cannot write file f.log
  status 1
  $ rm f.log

Under -run -allpaths, the first run a command writes starts _run.reach
afresh and draws _run.dot, also when the first witness has no run (a path
of the convex hull that the model cannot follow): no run of an earlier
command stays there.

  $ cat > hull.tg <<'TG'
  > #states 4 #trans 4 #clocks 2 x y
  > state: 0 prop: INIT invar: true trans:
  > x >= 3 => a ; reset{ y } ; goto 1
  > x <= 1 => a ; reset{ y } ; goto 1
  > true => b ; reset{ } ; goto 3
  > state: 1 prop: invar: y <= 0 trans:
  > x = 2 => c ; reset{ } ; goto 2
  > state: 2 prop: END invar: true trans:
  > state: 3 prop: END invar: true trans:
  > TG
  $ echo 'stale run' > _run.reach; echo stale > _run.dot
  $ varnok -run -dot -allpaths -DFS -ac -R END hull 2>&1 | grep -e "concrete run" -e "_run"
  varnok: no concrete run for this witness (the path cannot be followed in the model)
  varnok: file _run.reach dumped
  varnok: file _run.dot dumped
  $ head -2 _run.reach; head -1 _run.dot
  run #2: 1 transitions
  initial: location 0 (INIT)  X=0 Y=0
  digraph varnok {

Every exact witness gets its run, however many steps fall inside one time
unit: a chain of 300 moves, each after some time passes (x > 0, x reset),
all before y reaches 1. The values stay simple and the run replays.

  $ python3 - <<'PY'
  > n = 300
  > out = ["#states %d #trans %d #clocks 2 x y\n" % (n + 1, n)]
  > for i in range(n + 1):
  >     out.append("state: %d prop: %s invar: y < 1 trans:\n" % (i, "INIT" if i == 0 else "END" if i == n else ""))
  >     if i < n:
  >         out.append("x > 0 => a ; reset{ x } ; goto %d\n" % (i + 1))
  > open("chain.tg", "w").write("".join(out))
  > PY
  $ varnok chain > /dev/null
  [1]
  $ for o in "" -DFS -alu "-alu -DFS"; do rm -f _run.reach
  >   varnok -run $o -R END chain 2>&1 | grep -e "concrete run" -e Reachability -e "_run"
  >   python3 "$TESTDIR"/run_replay.py --goal END chain _run.reach; done
  varnok: file _run.reach dumped
  varnok: Reachability: TRUE.
  varnok: removed the earlier result _run.dot
  replayed 1 runs, 300 transitions
  varnok: Reachability analysis using DFS ...
  varnok: file _run.reach dumped
  varnok: Reachability: TRUE.
  replayed 1 runs, 300 transitions
  varnok: file _run.reach dumped
  varnok: Reachability: TRUE.
  replayed 1 runs, 300 transitions
  varnok: file _run.reach dumped
  varnok: Reachability: TRUE.
  replayed 1 runs, 300 transitions
  $ sed -n '2,3p;$p' _run.reach
  initial: location 0 (INIT)  X=0 Y=0
  delay 1/1198 -> X=1/1198 Y=1/1198
  delay 0 -> X=0 Y=1/2

A model saved while it is compiled: the compile reads the old text (here
through a pipe) and leaves compiled files that the next run compiles again,
saying so in one line.

  $ sed 's/x >= 1/x >= 4/' m.tg > b.txt; mv m.tg a.txt; rm m.vnk; mkfifo m.tg
  $ (varnok m > first.out 2>&1; echo "status $?" >> first.out) &
  $ exec 3> m.tg; cat a.txt >&3
  $ sleep 0.3; cp b.txt new.tg; mv new.tg m.tg; exec 3>&-; wait
  $ grep -e "m\.tg" -e status first.out
  varnok: begin syntax analysis of m.tg...
  varnok: end syntax analysis of m.tg...
  varnok: file m.tg changed while it was compiled: its compiled files are left out of date
  status 1
  $ varnok -R END m 2> /dev/null | grep -e "m\.vnk" -e Reachability
  varnok: updating file m.vnk...
  varnok: Reachability: FALSE.
