Timing diagrams (-svg, which implies -run): _run.svg beside _run.reach,
rendered by rsvg-convert and checked against the run by run_svg.py (one
lane per automaton, a mark at every transition on the lanes of the
automata that take it, the exact instants on the axis).

  $ command -v rsvg-convert > /dev/null || { echo "rsvg-convert is missing (Debian package librsvg2-bin, make deps installs it)" >&2; exit 80; }
  $ cp "$EXAMPLES"/*.tg .
  $ touch -d '-1 hour' *.tg
  $ diagram() { rsvg-convert _run.svg -o run.png && python3 "$TESTDIR"/run_svg.py _run.reach _run.svg run.png; }

One timed graph, each search kind that writes a run.

  $ varnok -svg -R INSIDE train_gate | grep _run
  varnok: file _run.reach dumped
  varnok: file _run.svg dumped
  $ diagram
  diagram of 4 transitions on 1 lanes checked
  $ for o in -DFS -ax -alu "-alu -DFS"; do rm -f _run.svg; varnok -svg $o -R "FAR and DOWN and y > 1" train_gate > /dev/null 2>&1; diagram; done
  diagram of 5 transitions on 1 lanes checked
  diagram of 5 transitions on 1 lanes checked
  diagram of 5 transitions on 1 lanes checked
  diagram of 5 transitions on 1 lanes checked
  $ rm -f _run.svg; varnok -svg -forw -f train_gate "init impl AB not (GOING_UP and NEAR)" | grep -e _run -e "\*\*\*"
  varnok: file _run.reach dumped
  varnok: file _run.svg dumped
  varnok: Invariance *** FALSE ***
  $ diagram
  diagram of 7 transitions on 1 lanes checked

A network: one lane per automaton, named after its model; breadth-first
(after the search's lines), depth-first and -abs lu.

  $ for o in "" -ax -DFS -alu; do rm -f _run.svg; varnok -svg $o -R "FAR and DOWN" rail_train rail_gate rail_controller > out 2>&1; grep -c "_run.svg dumped" out; diagram; done
  1
  diagram of 5 transitions on 3 lanes checked
  1
  diagram of 5 transitions on 3 lanes checked
  1
  diagram of 5 transitions on 3 lanes checked
  1
  diagram of 5 transitions on 3 lanes checked
  $ grep -o '<text x="10" y="[0-9]*" font-size="12">[a-z_]*' _run.svg | sed 's/.*>//'
  rail_train
  rail_gate
  rail_controller
  $ grep -c '<g class="mark"' _run.svg
  8
  $ grep -A2 -m1 '<g class="mark"' _run.svg | sed 's/.*<title>//'
  step 1 at 0: APPROACH to location 1 NEAR
  before: X=0 Y=0 Z=0
  after: X=0 Y=0 Z=0</title><circle cx="280" cy="78" r="6" fill="#d00000"/><text x="280" y="68" font-size="10" text-anchor="middle" fill="#900000">APPROACH</text></g>

The checker refuses a diagram that does not draw the run: a mark moved to
another lane, a lane missing.

  $ sed 's/moving rail_gate labels DOWN/moving rail_train labels DOWN/' _run.reach > moved.reach
  $ python3 "$TESTDIR"/run_svg.py moved.reach _run.svg run.png
  step 3: no mark on lane rail_train
  [1]
  $ sed '/<g class="lane" data-automaton="1">$/,/^<\/g>$/d' _run.svg > two.svg; rsvg-convert two.svg -o two.png
  $ python3 "$TESTDIR"/run_svg.py _run.reach two.svg two.png
  lanes rail_train rail_controller, the run moves rail_train rail_controller rail_gate
  [1]

A run of many small steps stays readable: one column per transition, the
instants exact on the axis.

  $ python3 - <<'PY'
  > n = 40
  > out = ["#states %d #trans %d #clocks 2 x y\n" % (n + 1, n)]
  > for i in range(n + 1):
  >     props = "INIT" if i == 0 else ("END" if i == n else "")
  >     out.append("state: %d prop: %s invar: y < 1 trans:\n" % (i, props))
  >     if i < n:
  >         out.append("x > 0 => a ; reset{ x } ; goto %d\n" % (i + 1))
  > open("chain.tg", "w").write("".join(out))
  > PY
  $ varnok -svg -R END chain > /dev/null; diagram
  diagram of 40 transitions on 1 lanes checked
  $ grep -o 'data-moment="1"><title>t=[^:]*' _run.svg
  data-moment="1"><title>t=1/158

A diagram that cannot be written ends the run (status 1), the run itself
being written.

  $ rm _run.svg; mkdir _run.svg
  $ varnok -svg -R INSIDE train_gate 2>&1 | grep -e _run -e cannot; echo "status ${PIPESTATUS[0]}"
  varnok: file _run.reach dumped
  varnok: cannot open file _run.svg
  status 1
