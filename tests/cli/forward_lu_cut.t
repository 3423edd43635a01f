Under -abs lu a simulation graph that -FORW n cuts is never written as the
whole one: as the exact forward engine does at its limit, the run aborts
with status 255 and writes neither model.sim nor its picture; with -h the
graph so far is written as abort.sim. The train's graph has three states:
exploring two is not enough.

  $ run() { varnok "$@" > out 2> err; s=$?; tail -n +2 out | grep -v -e "syntax analysis" -e "reading file" -e "already exists" -e "vnk" -e "created"; cat err; echo "status $s"; }
  $ cp $EXAMPLES/rail_train.tg $EXAMPLES/rail_gate.tg $EXAMPLES/rail_controller.tg .
  $ touch -d '-1 hour' rail_*.tg
  $ run -abs lu -forw -FORW 2 -dot rail_train
  varnok: file rail_train.dot dumped
  varnok: generating simulation graph... 
  varnok: abs lu: 3 states stored, 2 explored, 0 covered, 2 transitions, * bytes in store, peak memory * kB (glob)
  varnok abort: too many symbolic states (current MAX_SYMB_STATES = 2;)
  hint: under -abs lu only '-FORW n' limits the search: raise n, or leave it out.
  status 255
  $ ls *.sim*
  ls: cannot access '*.sim*': No such file or directory
  [2]
  $ run -abs lu -forw -FORW 2 -h rail_train
  varnok: generating simulation graph... 
  varnok: file abort.sim dumped
  varnok: abs lu: 3 states stored, 2 explored, 0 covered, 2 transitions, * bytes in store, peak memory * kB (glob)
  varnok abort: too many symbolic states (current MAX_SYMB_STATES = 2;)
  hint: under -abs lu only '-FORW n' limits the search: raise n, or leave it out.
  status 255
  $ ls *.sim*
  abort.sim
  $ head -2 abort.sim
  #states 3
  #trans  2

The product of the crossing, the same.

  $ rm abort.sim
  $ run -abs lu -forw -FORW 2 -dot -out cut rail_train rail_gate rail_controller
  Building synchronization tables...
  Generating simulation graph with LU bounds and inclusion...
  varnok abort: too many symbolic states (current MAX_SYMB_STATES = 2;)
  hint: under -abs lu only '-FORW n' limits the search: raise n, or leave it out.
  varnok: abs lu: 3 states stored, 2 explored, 0 covered, 2 transitions, * bytes in store, peak memory * kB (glob)
  status 255
  $ ls *.sim*
  ls: cannot access '*.sim*': No such file or directory
  [2]

A limit that the graph stays within changes nothing.

  $ run -abs lu -forw -FORW 20 -dot rail_train
  varnok: file rail_train.dot dumped
  varnok: generating simulation graph... 
  varnok: abs lu: 3 states stored, 3 explored, 0 covered, 3 transitions, * bytes in store, peak memory * kB (glob)
  varnok: file rail_train.sim dumped
  varnok: file rail_train.sim.dot dumped
  status 1
