Forward reachability on the examples, with the reach formulas written for
them: the unsafe goals are out of reach (as the backward "init impl AB not
..." formulas say), the others are reached.

  $ cp "$EXAMPLES"/* .
  $ reach() { varnok "$@" 2>&1 | grep "Reachability:\|generated"; }

  $ reach -r train_gate_reach_unsafe train_gate
  varnok: Reachability: FALSE.
  varnok: 11 simulation states generated
  varnok: 12 simulation transitions generated
  $ reach -DFS -r train_gate_reach_unsafe train_gate
  varnok: Reachability: FALSE.
  varnok: 11 simulation states generated
  varnok: 12 simulation transitions generated
  $ reach -r train_gate_reach_inside train_gate
  varnok: Reachability: TRUE.
  varnok: 5 simulation states generated
  varnok: 4 simulation transitions generated
  $ grep -c location _path.reach
  5
  $ reach -r sensor_reach_alarm sensor
  varnok: Reachability: TRUE.
  varnok: 15 simulation states generated
  varnok: 17 simulation transitions generated

Fischer's protocol has clocks that grow without bound while a process
idles: the exact graph meets the state limit, extrapolation makes it finite
and inclusion smaller; mutual exclusion holds under each.

  $ varnok -r fischer_reach_both fischer 2>&1 >/dev/null | head -1
  varnok abort: too many symbolic states (current MAX_SYMB_STATES = 1000;)
  $ reach -ax -r fischer_reach_both fischer
  varnok: Reachability: FALSE.
  varnok: 41 simulation states generated
  varnok: 68 simulation transitions generated
  $ reach -ax -ai -r fischer_reach_both fischer
  varnok: Reachability: FALSE.
  varnok: 27 simulation states generated
  varnok: 48 simulation transitions generated
  $ reach -ax -DFS -r fischer_reach_both fischer
  varnok: Reachability: FALSE.
  varnok: 41 simulation states generated
  varnok: 68 simulation transitions generated
  $ varnok -ax -forw fischer | tail -3
  varnok: 41 simulation states generated
  varnok: 68 simulation transitions generated
  varnok: file fischer.sim dumped
  $ head -3 fischer.sim
  #states 41
  #trans  68
  #clocks  2
