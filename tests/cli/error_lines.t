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
  f.tctl:2: parse error 'STUCK'
  [255]
  $ varnok -f q "init impl # AB true" > /dev/null
  lexical error at line 1
  _form.tctl:1: unexpected character '#'
  [1]
  $ varnok -R "EF x" q > /dev/null
  parse error at line 2, near `X'
  _reach.tctl:1: parse error 'X'
  [255]
  $ formremap f q > /dev/null
  parse error at line 2, near `STUCK'
  f.tctl:2: parse error 'STUCK'
  [1]
