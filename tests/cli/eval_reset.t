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

The first run compiles the model, the others read the compiled files.

  $ varnok -f m "X.(X < 0 or X < 0)" > /dev/null; cat _form.eval
  false
  $ for f in "X < 0" "X.(X < 0)" "Y.(Y < 0)" "X.(0 > X)" "ED X.(X < 0)" \
  >     "X.(X < 0 or X < 0)" "AD[1,2[ (EB{<= 1} (X.(X < 0)))"; do
  >   varnok -f m "$f" > /dev/null; echo "$f: $(cat _form.eval)"
  > done
  X < 0: false
  X.(X < 0): false
  Y.(Y < 0): false
  X.(0 > X): false
  ED X.(X < 0): false
  X.(X < 0 or X < 0): false
  AD[1,2[ (EB{<= 1} (X.(X < 0))): false
  $ varnok -f m "not X.(X < 0)" > /dev/null; cat _form.eval
  true

The reset over a constraint that X = 0 meets holds everywhere, over one that
X = 0 misses nowhere.

  $ for f in "X.(X <= 0)" "X.(X = 0)" "X.(0 >= X)" "Y.(Y < 1)" "X.(X > 0)" "X.(X = 1)" "X.(X >= 1)"; do
  >   varnok -f m "$f" > /dev/null; echo "$f: $(cat _form.eval)"
  > done
  X.(X <= 0): true
  X.(X = 0): true
  X.(0 >= X): true
  Y.(Y < 1): true
  X.(X > 0): false
  X.(X = 1): false
  X.(X >= 1): false
