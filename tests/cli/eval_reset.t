A clock reset over a constraint that no valuation meets holds nowhere: it
asks for the constraint with the clock at 0. One location, one clock X, no
invariant, no transition.

  $ cat > m.tg <<'TG'
  > #states 1
  > #trans 0
  > #clocks 1
  > X
  > state: 0
  > invar: true
  > trans:
  > TG
  $ touch -d '2001-01-01' m.tg
  $ run() { rm -f _form.eval; varnok -f "$1" "$2" > /dev/null; echo "$2: $(cat _form.eval)"; }

The first run compiles the model, the others read the compiled files.

  $ run m "X.(X < 0 or X < 0)"
  X.(X < 0 or X < 0): false
  $ for f in "X < 0" "X.(X < 0)" "X.(0 > X)" "ED X.(X < 0)" "X.(X < 0 or X < 0)" \
  >     "AD[1,2[ (EB{<= 1} (X.(X < 0)))"; do
  >   run m "$f"
  > done
  X < 0: false
  X.(X < 0): false
  X.(0 > X): false
  ED X.(X < 0): false
  X.(X < 0 or X < 0): false
  AD[1,2[ (EB{<= 1} (X.(X < 0))): false
  $ run m "not X.(X < 0)"
  not X.(X < 0): true

The reset over a constraint that X = 0 meets holds everywhere, over one that
X = 0 misses nowhere.

  $ for f in "X.(X <= 0)" "X.(X = 0)" "X.(0 >= X)" "X.(X > 0)" "X.(X = 1)" "X.(X >= 1)"; do
  >   run m "$f"
  > done
  X.(X <= 0): true
  X.(X = 0): true
  X.(0 >= X): true
  X.(X > 0): false
  X.(X = 1): false
  X.(X >= 1): false

The same with a second clock Y, reset over its own constraints and over
differences.

  $ cat > two.tg <<'TG'
  > #states 1
  > #trans 0
  > #clocks 2
  > X Y
  > state: 0
  > invar: true
  > trans:
  > TG
  $ for f in "Y.(Y < 0)" "not Y.(Y < 0)" "Y.(0 > Y)" "ED Y.(Y < 0)" "Y.(Y - X > 0)" "Y.(X - Y < 0)" \
  >     "Y.(Y - X < 0)"; do
  >   run two "$f"
  > done
  Y.(Y < 0): false
  not Y.(Y < 0): true
  Y.(0 > Y): false
  ED Y.(Y < 0): false
  Y.(Y - X > 0): false
  Y.(X - Y < 0): false
  Y.(Y - X < 0): state(0) and (
  0<X)
