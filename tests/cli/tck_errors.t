Models with data (.tck): every mistake in a model is refused with
FILE:LINE: message on standard error and status 1, never a crash.

  $ bad() { printf '%s\n' "$@" > m.tck; varnok -abs lu -R A m.tck 2>&1 >/dev/null; echo "status $?"; }
  $ head='system:s
  > event:e
  > clock:1:x
  > int:1:0:3:0:v
  > process:P'

Declarations that do not exist, and the system's own:

  $ bad "$head" 'location:P:A{initial:}' 'proc:Q'
  m.tck:7: unknown declaration 'proc'
  status 1
  $ bad 'event:e' 'process:P' 'location:P:A{initial:}'
  m.tck:1: no system declaration
  status 1
  $ bad 'system:s' 'system:t'
  m.tck:2: second system declaration
  status 1
  $ bad 'system:1s'
  m.tck:1: bad system name '1s'
  status 1
  $ bad 'system:s:t'
  m.tck:1: expected system:NAME
  status 1
  $ bad 'system:s'
  m.tck:2: no process
  status 1

Events, processes, clocks and integers:

  $ bad 'system:s' 'event:e' 'event:e'
  m.tck:3: event e declared twice
  status 1
  $ bad 'system:s' 'event:e{color: red}'
  m.tck:2: unknown attribute 'color'
  status 1
  $ bad "$head" 'process:Q' 'location:P:A{initial:}' 'location:Q:B'
  m.tck:6: process Q has no initial location
  status 1
  $ bad "$head" 'process:P'
  m.tck:6: process P declared twice
  status 1
  $ bad 'system:s' 'clock:0:x'
  m.tck:2: size 0 out of range 1..4096
  status 1
  $ bad 'system:s' 'clock:two:x'
  m.tck:2: bad size 'two'
  status 1
  $ bad 'system:s' 'clock:200:x' 'clock:100:y'
  m.tck:3: more than 254 clocks
  status 1
  $ bad "$head" 'clock:1:v'
  m.tck:6: variable v declared twice
  status 1
  $ bad 'system:s' 'int:1:5:2:3:v'
  m.tck:2: empty range 5..2
  status 1
  $ bad 'system:s' 'int:1:0:3:4:v'
  m.tck:2: initial value 4 outside 0..3
  status 1
  $ bad 'system:s' 'int:1:0:70000:0:v'
  m.tck:2: range 0..70000 wider than 65535
  status 1
  $ bad 'system:s' 'int:1:0:99999999999:0:v'
  m.tck:2: maximum 99999999999 out of range
  status 1
  $ bad 'system:s' 'int:1:0:3:v'
  m.tck:2: expected int:SIZE:MIN:MAX:INIT:NAME
  status 1

Locations:

  $ bad "$head" 'location:Q:A{initial:}'
  m.tck:6: undeclared process 'Q'
  status 1
  $ bad "$head" 'location:P:A{initial:}' 'location:P:B{initial:}'
  m.tck:7: second initial location of process P
  status 1
  $ bad "$head" 'location:P:A{initial:}' 'location:P:A'
  m.tck:7: location A declared twice
  status 1
  $ bad "$head" 'location:P:A{initial: yes}'
  m.tck:6: attribute initial takes no value
  status 1
  $ bad "$head" 'location:P:A{initial: : hurry:}'
  m.tck:6: unknown attribute 'hurry'
  status 1
  $ bad "$head" 'location:P:A{initial: : invariant: y <= 3}'
  m.tck:6: undeclared name 'y'
  status 1
  $ bad "$head" 'location:P:A{initial: : invariant: x <= 3 || v == 1}'
  m.tck:6: clocks can only be compared, in a conjunction of clock constraints
  status 1
  $ bad "$head" 'location:P:A{initial: : invariant: x + 1 <= 3}'
  m.tck:6: a clock constraint has the form x # e or x - y # e
  status 1
  $ bad "$head" 'location:P:A{initial: : labels: a,,b}'
  m.tck:6: missing label name
  status 1
  $ bad "$head" 'location:P:A{initial:'
  m.tck:6: attributes must end with '}' at the end of the line
  status 1

Edges:

  $ bad "$head" 'location:P:A{initial:}' 'edge:P:A:B:e'
  m.tck:7: undeclared location 'B'
  status 1
  $ bad "$head" 'location:P:A{initial:}' 'edge:P:A:A:f'
  m.tck:7: undeclared event 'f'
  status 1
  $ bad "$head" 'location:P:A{initial:}' 'edge:P:A:A:e{provided: x != 3}'
  m.tck:7: '!=' on clocks is not a clock constraint
  status 1
  $ bad "$head" 'location:P:A{initial:}' 'edge:P:A:A:e{provided: v <}'
  m.tck:7: expected an expression at the end
  status 1
  $ bad "$head" 'location:P:A{initial:}' 'edge:P:A:A:e{do: if v == 1 then v = 2}'
  m.tck:7: expected 'end' at the end
  status 1
  $ bad "$head" 'location:P:A{initial:}' 'edge:P:A:A:e{do: v = x}'
  m.tck:7: a clock is assigned an integer expression, not a clock
  status 1
  $ bad "$head" 'location:P:A{initial:}' 'edge:P:A:A:e{do: v = 1 v = 2}'
  m.tck:7: expected ';' before 'v'
  status 1
  $ bad "$head" 'location:P:A{initial:}' 'edge:P:A:A:e{do: v[1] = 2}'
  m.tck:7: 'v' is not an array
  status 1
  $ bad "$head" 'location:P:A{initial:}' 'edge:P:A:A:e{do: v = 1 $ 2}'
  m.tck:7: unexpected character '$'
  status 1
  $ bad "$head" 'location:P:A{initial:}' 'edge:P:A:A:e{when: v == 1}'
  m.tck:7: unknown attribute 'when'
  status 1

Synchronisations:

  $ bad "$head" 'location:P:A{initial:}' 'sync:P'
  m.tck:7: expected PROCESS@EVENT, not 'P'
  status 1
  $ bad "$head" 'location:P:A{initial:}' 'sync:P@f'
  m.tck:7: undeclared event 'f'
  status 1
  $ bad "$head" 'location:P:A{initial:}' 'sync:P@e:P@e?'
  m.tck:7: process P twice in one synchronisation
  status 1

Sizes that hostile input could abuse: deep nesting, long names.

  $ deep=$(printf '(%.0s' $(seq 100))1$(printf ')%.0s' $(seq 100))
  $ bad "$head" "location:P:A{initial: : invariant: v == $deep}"
  m.tck:6: expression nested deeper than 64
  status 1
  $ bad 'system:s' "event:$(printf 'e%.0s' $(seq 300))"
  m.tck:2: event name longer than 256 characters
  status 1

Errors while searching name the edge (or location) and the value:

  $ printf '%s\n' "$head" 'location:P:A{initial:}' 'edge:P:A:A:e{do: v = v + 2}' > m.tck
  $ varnok -abs lu -R 'v == 3' m.tck 2>&1 >/dev/null; echo "status $?"
  Using breadth-first search with LU bounds and inclusion, no limit on symbolic states
  varnok: m.tck: edge P:A->A:e: value 4 assigned to v outside its range 0..3
  status 1
  $ bad "$head" 'location:P:A{initial: : invariant: x <= 10 / v : labels: A}'
  Using breadth-first search with LU bounds and inclusion, no limit on symbolic states
  varnok: m.tck: invariant of P:A: division by zero
  status 1
  $ bad "$head" 'location:P:A{initial:}'
  varnok: goal: undeclared name 'A'
  status 1

A model that cannot be read, or a run that is not a search:

  $ varnok -abs lu -R A missing.tck 2>&1 >/dev/null; echo "status $?"
  varnok: cannot open file missing.tck
  status 1
  $ varnok m.tck 2>&1 >/dev/null; echo "status $?"
  varnok: a .tck model is searched with -abs lu -R GOAL (or -r FILE)
  status 1
  $ varnok -abs lu -R A m.tck m.tck 2>&1 >/dev/null; echo "status $?"
  varnok: a .tck model is searched alone (-abs lu -R GOAL) or with one formula
  status 1
