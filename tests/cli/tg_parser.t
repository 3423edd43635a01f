What the parser says about a model: warnings that keep the model, errors that
refuse it with the line and token, structural errors that stop at once.

  $ compile() { varnok "$@" 2>&1 | tail -n +2; echo "status ${PIPESTATUS[0]}"; }
  $ refused() { printf "$1" > e.tg; varnok e 2>&1 | tail -n +4; echo "status ${PIPESTATUS[0]}"; ls e.*; }

Warnings: clock declared twice (names are upper-cased), invariant closed
(code 2) or false (code 1), transition not enabled and dropped (code 3, not
counted against #trans), constant assigned (code 15), self-affected, affected
twice, negative constant against a clock (the atom is true), empty "prop:".

  $ cat > w.tg <<'TG'
  > #states 4 #trans 4 #clocks 3 x y X
  > state: 0 invar: x >= 3 trans:
  > x <= 5 => a ; reset{ x } y := 5 ; goto 1
  > state: 1 invar: x < 0 trans:
  > true => never ; ; goto 2
  > state: 2 invar: x <= 2 or x > 3 trans:
  > y - x <= -1 and x - x < 1 => b ; y := x x := x ; goto 3
  > x > 1 => c ; reset{ y } y := x ; goto 3
  > state: 3 prop: invar: x < -1 trans:
  > - 2 < y => ; ; goto 0
  > TG
  $ compile -c w
  varnok: creating file w.vnk...
  varnok: begin syntax analysis of w.tg...
  warning: clock declared twice at line 1, near `X'
  varnok: Warning: the invariant at state 0 is not closed, I closed it
  varnok: Warning: 5 replaced by 0 in Y := 5
  varnok: Warning: the invariant at state 1 is false
  varnok: Warning: transition 1 from 1 to 2 is not enabled, I ignored it
  varnok: Warning: the invariant at state 2 is not closed, I closed it
  varnok: Warning: clock X is self-affected
  varnok: Warning: clock Y is affected twice
  warning: positive integer expected at line 9, near `trans:'
  warning: positive integer expected at line 10, near `=>'
  varnok: end syntax analysis of w.tg...
  varnok: file w.[vnk,lab,prop,reg] created
  varnok: creating file w.cpt...
  varnok: file w.cpt dumped
  status 1
  $ cat w.cpt
  #states 4
  #trans 4
  #clocks 2
  X Y 
  
  state: 0
  invar: TRUE
  trans:
  X<=5 => A ; RESET{ X Y } ;  goto 1
  
  state: 1
  invar: FALSE
  trans:
  
  state: 2
  invar: TRUE
  trans:
  Y+1<=X => B ; RESET{ }, Y:=X ;  goto 3
  1<X => C ; RESET{ }, Y:=X ;  goto 3
  
  state: 3
  invar: TRUE
  trans:
  TRUE => ; RESET{} ;  goto 0
  

The listing reads back as a timed graph.

  $ cp w.cpt w2.tg
  $ compile w2 | tail -4
  varnok: Warning: the invariant at state 1 is false
  varnok: end syntax analysis of w2.tg...
  varnok: file w2.[vnk,lab,prop,reg] created
  status 1

Atoms, precedences and arithmetic: "+" and "-" bind tighter than "*" and "/",
unary minus loosest; diagonal constraints in every form.

  $ cat > a.tg <<'TG'
  > #states 1 #trans 8 #clocks 2 x y
  > state: 0 invar: true trans:
  > x < 2 * 3 + 1 => ; ; goto 0
  > 12 / 4 - 1 <= x => ; ; goto 0
  > x = 2 * 3 - 1 and - 2 * 3 + 7 < y => ; ; goto 0
  > 3 < x - y => ; ; goto 0
  > 2 + x >= y => ; ; goto 0
  > x <= 1 + y and x > y + 1 or (x - y = 2) => ; ; goto 0
  > x + 4 = y => ; ; goto 0
  > (x = y) => ; ; goto 0
  > TG
  $ compile -c a 2>&1 | grep -v file; grep goto a.cpt
  varnok: begin syntax analysis of a.tg...
  warning: positive integer expected at line 5, near `=>'
  varnok: end syntax analysis of a.tg...
  status 1
  X<8 => ; RESET{} ;  goto 0
  4<=X => ; RESET{} ;  goto 0
  X=4 => ; RESET{} ;  goto 0
  Y+3<X => ; RESET{} ;  goto 0
  Y<=X+2 => ; RESET{} ;  goto 0
  X=Y+2 => ; RESET{} ;  goto 0
  X+4=Y => ; RESET{} ;  goto 0
  X=Y => ; RESET{} ;  goto 0

Errors are counted with their line; parsing goes on to the end of the file,
then the model is refused and no compiled file is left.

  $ refused '#states 1 #trans 1 #clocks 1 x\nstate: 0 invar: z < 3 trans: x < 1/0 => ; reset{ w } ; goto 0\n'
  undeclared clock at line 2, near `trans:'
  e.tg:2: undeclared clock 'Z'
  division by zero at line 2, near `=>'
  e.tg:2: division by zero '=>'
  undeclared clock at line 2, near `}'
  e.tg:2: undeclared clock 'W'
  varnok: Warning: transition 0 from 0 to 0 is not enabled, I ignored it
  There were parsing errors, exiting...
  status 255
  e.tg

Constants must fit the 16-bit bound range (at most 16382 in absolute value).

  $ refused '#states 1 #trans 1 #clocks 1 x\nstate: 0 invar: x < 16383 trans: x - x < 99999999999 => ; ; goto 0\n'
  constant out of range at line 2, near `trans:'
  e.tg:2: constant out of range 'trans:'
  varnok: constants must lie between -16382 and 16382
  constant out of range at line 2, near `=>'
  e.tg:2: constant out of range '=>'
  There were parsing errors, exiting...
  status 255
  e.tg
  $ refused '#states 1 #trans 1 #clocks 1 x\nstate: 0 invar: x <= 16382 trans: x > 16382 => ; ; goto 0\n' | grep status
  status 1
  $ rm e.*

After an error inside a transition list the parser skips to the next number
(here the 1 of "x := 1", then the 0 of "goto 0") and goes on; an error
anywhere else ends the parse at once.

  $ refused '#states 1 #trans 2 #clocks 1 x\nstate: 0 invar: true trans:\nx < => ; ; goto 0\nx := 1 => ; ; goto 0\nx < 1 => ; goto 0\n'
  syntax error at line 3, near `=>'
  e.tg:3: syntax error '=>'
  syntax error at line 4, near `:='
  e.tg:4: syntax error ':='
  syntax error at line 4, near `=>'
  e.tg:4: syntax error '=>'
  syntax error at line 5, near `goto'
  e.tg:5: syntax error 'goto'
  There were parsing errors, exiting...
  status 255
  e.tg
  $ refused '#states 1 #trans 0 #clocks 1 x\nstate: 0 invar: x < 3 x trans:\n'
  syntax error at line 2, near `X'
  e.tg:2: syntax error 'X'
  There were parsing errors, exiting...
  status 255
  e.tg

Structural errors (codes 4 to 12) stop at once.

  $ refused '#states 20000000 #trans 0 #clocks 0\n'
  varnok: ERROR: the number of states must be less than 16777215
  e.tg:1: too many states '20000000' (at most 16777214)
  status 255
  e.tg
  $ refused '#states 1 #trans 16777216 #clocks 0\n'
  varnok: ERROR: the number of transitions must be less than 16777215
  e.tg:1: too many transitions '16777216' (at most 16777214)
  status 255
  e.tg
  $ refused '#states 1 #trans 1 #clocks 5001\n'
  varnok: ERROR: the number of clocks must be less than 5000
  e.tg:1: too many clocks '5001' (at most 4999)
  status 255
  e.tg
  $ refused '#states 1 #trans 1 #clocks 1 x y\n'
  varnok: ERROR: there are more clocks (2) than declared (1)
  e.tg:1: more clocks than #clocks declares 'Y' (#clocks 1)
  status 255
  e.tg
  $ refused '#states 2 #trans 1 #clocks 0\nstate: 1 invar: true trans:\n'
  varnok: ERROR: missing state 0
  e.tg:2: state out of order '1' (state 0 expected)
  status 255
  e.tg
  $ refused '#states 1 #trans 1 #clocks 0\nstate: 0 invar: true trans:\nstate: 1 invar: true trans:\n'
  varnok: ERROR: there are more states (1) than declared (1)
  e.tg:3: more states than #states declares '1' (#states 1)
  status 255
  e.tg
  $ refused '#states 1 #trans 1 #clocks 0\nstate: 0 invar: true trans: true => ; ; goto 0 true => ; ; goto 0\n'
  varnok: ERROR: there are more transitions (1) than declared (1)
  e.tg:2: more transitions than #trans declares 'goto 0' (#trans 1)
  status 255
  e.tg
  $ refused '#states 2 #trans 1 #clocks 0\nstate: 0 invar: true trans: true => ; ; goto 0\n'
  varnok: ERROR: there are less states (1) than declared (2)
  e.tg:3: fewer states than #states declares at end of file (#states 2, state 1 missing)
  status 255
  e.tg
  $ refused '#states 1 #trans 1 #clocks 0\nstate: 0 invar: true trans: true => ; ; goto 1\n'
  varnok: ERROR: invalid state 1 in transitions 0
  e.tg:2: invalid state in goto '1' (#states 1)
  status 255
  e.tg

"#clocks" without a number accepts any number of names, but zones hold at
most 254 clocks.

  $ refused "#states 1 #trans 0 #clocks $(for i in $(seq 255); do printf 'c%d ' $i; done)\n"
  varnok: ERROR: too many clocks (255), at most 254 with the formula's extra clocks
  status 255
  e.tg
  $ refused "#states 1 #trans 0 #clocks $(for i in $(seq 254); do printf 'c%d ' $i; done)\nstate: 0 invar: true trans:\n" | grep status
  status 1
  $ rm e.*

Deep nesting ends in a refusal, not a crash: the parser's stack outgrows
its limit, which is reported as any other memory exhaustion, and no
compiled file or .err file is left.

  $ printf '#states 1 #trans 0 #clocks 1 x\nstate: 0 invar: %s x < 1 trans:\n' "$(head -c 500000 /dev/zero | tr '\0' '(')" > e.tg
  $ varnok e 2>&1 | tail -n +4 | cut -c 1-40; echo "status ${PIPESTATUS[0]}"
  
  varnok: not enough memory
  status 1
  $ ls e.*
  e.tg

A graph with more regions (or locations, or transitions) than 16 bits can
count is compiled to the wide form of the compiled files: 32-bit counts and
indices, markers in upper case. It reads back like any other.

  $ python3 -c "
  > n = 40000
  > print('#states %d #trans %d #clocks 1 x' % (n, n))
  > for i in range(n): print('state: %d invar: x <= 5 trans: x >= 1 => ; ; goto %d' % (i, (i + 1) % n))
  > " > big.tg
  $ compile big | tail -2
  varnok: file big.[vnk,lab,prop,reg] created
  status 1
  $ for s in vnk prop; do od -An -tx1 -N 11 big.$s; done; for s in lab reg; do od -An -tx1 -N 7 big.$s; done
   32 2e 34 00 23 48 00 40 9c 00 00
   32 2e 34 00 23 50 00 00 00 00 00
   23 4c 00 00 00 00 00
   23 52 00 81 38 01 00
  $ touch -d 2000-01-01 big.tg
  $ varnok big -f 'state(39999) and x > 5' | grep -e reading -e created; cat _form.eval
  varnok: file _form.tctl created
  varnok: reading file big.vnk...
  varnok: file _form.eval created
  false
  $ varnok big -f 'state(39999) impl x <= 5' | grep -e already; cat _form.eval
  varnok: file big.vnk already exists 
  true

A constraint whose disjunctive form grows too large to handle (here 2^14
zones over 15 clocks) is refused instead of running for hours.

  $ python3 -c "
  > k = 14
  > print('#states 1 #trans 1 #clocks %d %s' % (k + 1, ' '.join('c%d' % i for i in range(k + 1))))
  > print('state: 0 invar: true trans:')
  > print(' and '.join('(c%d - c%d < 1 or c%d - c%d < 1)' % (i, i + 1, i + 1, i) for i in range(k)) + ' => ; ; goto 0')
  > " > blow.tg
  $ compile blow | tail -5
  constraint too large at line 3, near `)'
  blow.tg:3: constraint too large ')'
  varnok: Warning: transition 0 from 0 to 0 is not enabled, I ignored it
  There were parsing errors, exiting...
  status 255

The search with LU bounds keys a location in 16 bits and says so for a
larger graph.

  $ python3 -c "
  > n = 70000
  > print('#states %d #trans %d #clocks 1 x' % (n, n))
  > for i in range(n): print('state: %d invar: true trans: true => ; ; goto %d' % (i, (i + 1) % n))
  > " > big.tg
  $ varnok -R 'state(1)' -abs lu big | tail -1; echo "status ${PIPESTATUS[0]}"
  varnok: -abs lu takes automata of at most 65535 locations (here 70000)
  status 1
