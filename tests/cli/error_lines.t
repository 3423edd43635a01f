Every error about a model or a formula also gets one compiler-style line,
FILE:LINE: MESSAGE 'TOKEN', on standard error, right after the usual report,
which is unchanged.

  $ cat > m.tg <<'TG'
  > #states 1 #trans 1 #clocks 1 x
  > state: 0 invar: x <= 2 trans:
  > y <= 1 => a ; reset{ x } ; goto 0
  > TG
  $ varnok m 2>&1 >/dev/null | grep -v '^varnok'
  undeclared clock at line 3, near `=>'
  m.tg:3: undeclared clock 'Y'
  There were parsing errors, exiting...
  $ cat > s.tg <<'TG'
  > #states 1 #trans 1 #clocks 1 x
  > state: 0 invar: x <= 2 trans:
  > x <= 1 => a ; reset{ x } ; goto 0 %
  > TG
  $ varnok s 2>&1 >/dev/null
  lexical error at line 3, skipping '%'
  s.tg:3: unexpected character '%'
  [1]
  $ cat > p.tg <<'TG'
  > #states 1 #trans 1 #clocks 1 x
  > state: 0 invar: x <= 2 trans:
  > x <= 1 => a ; reset{ x } goto 0
  > TG
  $ varnok p 2>&1 >/dev/null
  syntax error at line 3, near `goto'
  p.tg:3: syntax error 'goto'
  There were parsing errors, exiting...
  [255]
  $ cat > q.tg <<'TG'
  > #states 1 #trans 1 #clocks 1 x
  > state: 0 invar: x <= 2 trans:
  > x <= 1 => a ; reset{ x } ; goto 0
  > TG
  $ varnok q > /dev/null 2>&1
  [1]

Formulas: a file, a text given with -f or -R (named after the file the text
is written to), a character the scanner does not take, and formremap.

  $ printf 'init impl\n  EF STUCK\n' > f.tctl; varnok q f > /dev/null
  parse error at line 2, near `STUCK'
  f.tctl:2: unknown operator 'EF' (did you mean 'ED'?)
  [255]
  $ varnok -f q "init impl # AB true" > /dev/null
  lexical error at line 1
  _form.tctl:1: unexpected character '#'
  [1]
  $ varnok -R "EF x" q > /dev/null
  parse error at line 2, near `X'
  _reach.tctl:1: unknown operator 'EF' (did you mean 'ED'?)
  [255]
  $ formremap f q > /dev/null
  parse error at line 2, near `STUCK'
  f.tctl:2: unknown operator 'EF' (did you mean 'ED'?)
  [1]

The operators of other formula languages are named, with the operator of
this language that means the same (the parser's own line is unchanged):

  $ for f in "init impl EF INSIDE" "init impl AG not UP" "AF(INSIDE)" "init impl EG x < 1" \
  >          "E<> INSIDE" "A<> INSIDE" "A[] not INSIDE" "E[] UP" "E[UP U INSIDE]" "UP U INSIDE" \
  >          "NEAR --> INSIDE" "NEAR -> INSIDE"; do
  >   varnok -q -f q "$f" 2>&1 | grep '^_form'
  > done
  _form.tctl:1: unknown operator 'EF' (did you mean 'ED'?)
  _form.tctl:1: unknown operator 'AG' (did you mean 'AB'?)
  _form.tctl:1: unknown operator 'AF' (did you mean 'AD'?)
  _form.tctl:1: unknown operator 'EG' (did you mean 'EB'?)
  _form.tctl:1: unknown operator 'E<>' (did you mean 'ED'?)
  _form.tctl:1: unknown operator 'A<>' (did you mean 'AD'?)
  _form.tctl:1: unknown operator 'A[]' (did you mean 'AB'?)
  _form.tctl:1: unknown operator 'E[]' (did you mean 'EB'?)
  _form.tctl:1: unknown operator 'E[' (did you mean 'p EU q'?)
  _form.tctl:1: unknown operator 'U' (did you mean 'p EU q' or 'p AU q'?)
  _form.tctl:1: unknown operator '-->' (did you mean 'AB (p impl AD q)'?)
  _form.tctl:1: unknown operator '->' (did you mean 'impl'?)
  $ printf 'init\n  impl\n  ag x <= 2\n' > g.tctl; varnok q g > /dev/null
  parse error at line 3, near `X'
  g.tctl:3: unknown operator 'AG' (did you mean 'AB'?)
  [255]
  $ varnok -q -f q "a && ! b" 2>&1 | grep '^_form'
  _form.tctl:1: unexpected character '&' (did you mean 'and'?)
  _form.tctl:1: unexpected character '&' (did you mean 'and'?)
  _form.tctl:1: unexpected character '!' (did you mean 'not'?)
  _form.tctl:1: parse error 'B'

A name of a formula that the model does not have is placed too, with the
closest known name when one is a slip away (a name as long as the edit, such
as Y for X, gets no guess):

  $ cat > n.tg <<'TG'
  > #states 2 #trans 2 #clocks 2 x count
  > state: 0 prop: IDLE BUSY_WAIT invar: x <= 2 trans:
  > x <= 1 => a ; reset{ x } ; goto 1
  > state: 1 prop: BUSY invar: true trans:
  > true => b ; reset{ x count } ; goto 0
  > TG
  $ printf 'init impl\n  AB not (BUSYWAIT and cuont < 3)\n' > h.tctl
  $ varnok -q n h
  varnok: warning: no location carries the proposition BUSYWAIT (formula); it is false everywhere
  h.tctl:2: unknown proposition 'BUSYWAIT' (did you mean 'BUSY_WAIT'?)
  h.tctl:2: unknown clock 'CUONT' (did you mean 'COUNT'?)
  varnok: clock name CUONT not found
  [1]
  $ varnok -q -verdict -R "IDEL or y > 1" n
  varnok: error: no location carries the proposition IDEL (goal); it is false everywhere
  _reach.tctl:1: unknown proposition 'IDEL' (did you mean 'IDLE'?)
  [2]
  $ varnok -q -R "y > 1" n
  _reach.tctl:1: unknown clock 'Y'
  varnok: clock name Y not found
  [1]

The same for the clocks of a model:

  $ cat > u.tg <<'TG'
  > #states 1 #trans 1 #clocks 2 x count
  > state: 0 invar: cuont <= 2 trans:
  > x <= 1 => a ; reset{ xx } ; goto 0
  > TG
  $ varnok u 2>&1 >/dev/null | grep '^u.tg'
  u.tg:2: undeclared clock 'CUONT' (did you mean 'COUNT'?)
  u.tg:3: undeclared clock 'XX' (did you mean 'X'?)

The structural errors of a model name the line of the declaration or
transition they are about, also when the parser has read further:

  $ cat > t.tg <<'TG'
  > #states 2 #trans 3 #clocks 1 x
  > state: 0 invar: true trans:
  >   x < 1 => a ; reset{ x } ; goto 1
  >   x > 2 => b ; ; goto 9
  >   true => c ; ; goto 0
  > state: 1 invar: true trans:
  > TG
  $ varnok t 2>&1 >/dev/null | grep -v '^varnok: \(creating\|begin\)'
  varnok: ERROR: invalid state 9 in transitions 1
  t.tg:4: invalid state in goto '9' (#states 2)
  $ cat > o.tg <<'TG'
  > #states 3 #trans 1 #clocks 1 x
  > state: 0 invar: true trans:
  >   x < 1 => a ; reset{ x } ; goto 0
  > 
  > state: 2
  >   invar: true trans:
  > TG
  $ varnok o 2>&1 >/dev/null | grep -v '^varnok: \(creating\|begin\)'
  varnok: ERROR: missing state 1
  o.tg:5: state out of order '2' (state 1 expected)
  $ printf '#states 1 #trans 1 #clocks 1 x\nstate: 0 invar: true trans:\n  true => a ; ; goto 0\n  true => b ; ; goto 0\n' > m2.tg
  $ clockpare m2 2>&1 >/dev/null | grep -v '^clockpare: \(creating\|begin\)'
  clockpare: ERROR: there are more transitions (1) than declared (1)
  m2.tg:4: more transitions than #trans declares 'goto 0' (#trans 1)

A goal of a search on several graphs with a clock that no graph has:

  $ cp $EXAMPLES/rail_*.tg .
  $ varnok -q -alu -R "INSIDE and ZZ > 2" rail_train rail_gate rail_controller; echo "status $?"
  varnok: clock ZZ is not a clock of the model
  _reach.tctl:1: unknown clock 'ZZ' (did you mean 'Z'?)
  status 1
