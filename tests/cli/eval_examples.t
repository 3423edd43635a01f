Every formula of the examples with its verdict: "true" when it holds in every
state (for "init impl ..." formulas: in the initial state), otherwise the
first line of the states where it holds.

  $ cp "$EXAMPLES"/* .
  $ for f in *.tctl; do
  >   f=${f%.tctl}; m=${f%%_*}; [ "$m" = train ] && m=train_gate
  >   varnok "$m" "$f" > "$f.out"; s=$?
  >   echo "$f: status $s, $(head -1 "$f.eval")"
  > done
  fischer_enter: status 1, true
  fischer_enter_fast: status 1, state(0) and (
  fischer_mutex: status 1, true
  fischer_nonzeno: status 1, true
  fischer_reset: status 1, true
  sensor_alarm: status 1, true
  sensor_nonzeno: status 1, true
  sensor_reset: status 1, true
  sensor_response: status 1, true
  sensor_safe: status 1, true
  train_gate_lower: status 1, true
  train_gate_nonzeno: status 1, true
  train_gate_reset: status 1, true
  train_gate_response: status 1, true
  train_gate_response_fast: status 1, state(0) and (
  train_gate_safe: status 1, true

The failing initial states: location 0 with every clock 0 is not in the
result, every other valuation of location 0 is.

  $ sed -n '1,4p' fischer_enter_fast.eval
  state(0) and (
  0<X1 or
  0<X2)
  or

The demo script runs on a copy of the examples.

  $ bash demo.sh "$(command -v varnok)" | grep -c VERDICT
  6
