The scanner of the .tg text: keywords in any case, names in upper case,
comments, commas, characters it cannot read.

  $ compile() { varnok "$@" 2>&1 | tail -n +2; echo "status ${PIPESTATUS[0]}"; }

Keywords in any mixture of case; "state:", "loc:" and "LoC:" all open a
location; names are stored in upper case, so x and X are one clock.

  $ cat > kw.tg <<'TG'
  > #STATES 3 #Trans 3 #ClOcKs 1 x
  > STATE: 0 INVAR: X <= 3 TRANS: x >= 1 => a; RESET{x}; GOTO 1
  > Loc: 1 Prop: p invar: TRUE trans: x < 2 Or FALSE =U> A b ; ; goto 2
  > loc: 2 invar: true trans: E: true => ; reset{ X } ; goto 0
  > TG
  $ compile -c kw
  varnok: creating file kw.vnk...
  varnok: begin syntax analysis of kw.tg...
  varnok: end syntax analysis of kw.tg...
  varnok: file kw.[vnk,lab,prop,reg] created
  varnok: creating file kw.cpt...
  varnok: file kw.cpt dumped
  status 1
  $ cat kw.cpt
  #states 3
  #trans 3
  #clocks 1
  X 
  
  state: 0
  invar: X<=3
  trans:
  1<=X and X<=3 => A ; RESET{ X } ;  goto 1
  
  state: 1
  prop: P
  invar: TRUE
  trans:
  X<2 => A B ; RESET{} ;  goto 2
  
  state: 2
  invar: TRUE
  trans:
  TRUE => ; RESET{ X } ;  goto 0
  

The word state followed by a blank and a colon is a name and a character the
scanner skips; here the name starts a transition, the parse fails, and no
compiled file is left behind.

  $ printf '#states 2 #trans 0 #clocks 1 x\nstate: 0 invar: true trans:\nstate : 1 invar: true trans:\n' > sp.tg
  $ compile sp
  varnok: creating file sp.vnk...
  varnok: begin syntax analysis of sp.tg...
  lexical error at line 3, skipping ':'
  sp.tg:3: unexpected character ':'
  syntax error at line 3, near `1'
  sp.tg:3: syntax error '1'
  syntax error at line 3, near `invar:'
  sp.tg:3: syntax error 'invar:'
  There were parsing errors, exiting...
  status 255
  $ ls sp.*
  sp.tg

Comments of both kinds and commas are skipped; commas separate nothing, so a
reset list with commas is the list without them.

  $ cat > cm.tg <<'TG'
  > /* a comment
  >    over two lines */ #states 1 #trans 2 #clocks 2 x,y // two clocks
  > state: 0 invar: x <= 4 trans:
  > x = 4 => ; reset{ x, y } ; goto 0
  > x = 4 ,=>,, ; reset{ y,,x } ; goto 0
  > TG
  $ compile -c cm > /dev/null
  $ sed -n '/trans:/,$p' cm.cpt
  trans:
  X=4 => ; RESET{ X Y } ;  goto 0
  X=4 => ; RESET{ X Y } ;  goto 0
  

Both transitions enter location 0: the compiled records stand in reverse file
order (transition 1, guard region 3, first), both with mode 1 and vector 0 0 0.

  $ od -A d -t x1 cm.vnk | sed -n 3,4p
  0000032 00 00 23 65 00 02 00 00 00 00 00 03 00 01 00 00
  0000048 00 00 00 00 00 00 00 4c 43 00 00 00 00 02 00 01

A "//" comment needs its end of line: on the last line of a file without a
final newline it is two "/" tokens.

  $ printf '#states 1 #trans 0 #clocks 0\nstate: 0 invar: true trans: // end' > nl.tg
  $ compile nl
  varnok: creating file nl.vnk...
  varnok: begin syntax analysis of nl.tg...
  syntax error at line 2, near `/'
  nl.tg:2: syntax error '/'
  There were parsing errors, exiting...
  status 255
  $ printf '#states 1 #trans 0 #clocks 0\nstate: 0 invar: true trans: // end\n' > nl2.tg
  $ compile nl2 | tail -2
  varnok: file nl2.[vnk,lab,prop,reg] created
  status 1

An identifier e, d or l directly followed by ":=" is the deadline tag and "=";
a blank before ":=" makes it an assignment.

  $ printf '#states 1 #trans 1 #clocks 2 e x\nstate: 0 invar: true trans:\ntrue => ; e:=x ; goto 0\n' > dl.tg
  $ compile dl
  varnok: creating file dl.vnk...
  varnok: begin syntax analysis of dl.tg...
  syntax error at line 3, near `e:'
  dl.tg:3: syntax error 'e:'
  There were parsing errors, exiting...
  status 255
  $ printf '#states 1 #trans 1 #clocks 2 e x\nstate: 0 invar: true trans:\ntrue => ; e :=x ; goto 0\n' > dl2.tg
  $ compile -c dl2 | tail -1; grep goto dl2.cpt
  status 1
  TRUE => ; RESET{ }, E:=X ;  goto 0

Carriage returns are not blanks: a file with two-character line ends still
parses, with one message per line.

  $ printf '#states 1 #trans 0\r\n#clocks 0\r\nstate: 0 invar: true trans:\r\n' > cr.tg
  $ compile cr | cat -v
  varnok: creating file cr.vnk...
  varnok: begin syntax analysis of cr.tg...
  lexical error at line 1, skipping '^M'
  cr.tg:1: unexpected character '^M'
  lexical error at line 2, skipping '^M'
  cr.tg:2: unexpected character '^M'
  lexical error at line 3, skipping '^M'
  cr.tg:3: unexpected character '^M'
  varnok: end syntax analysis of cr.tg...
  varnok: file cr.[vnk,lab,prop,reg] created
  status 1

An identifier longer than 255 characters is refused.

  $ printf '#states 1 #trans 0 #clocks 1 %s\nstate: 0 invar: true trans:\n' "$(printf 'x%.0s' $(seq 256))" > ln.tg
  $ compile ln | sed 's/XXXXXXXXXX*/X.../'
  varnok: creating file ln.vnk...
  varnok: begin syntax analysis of ln.tg...
  identifier too long at line 1, near `X...'
  ln.tg:1: identifier too long 'X...'
  There were parsing errors, exiting...
  status 255

Form feeds and vertical tabs are not blanks either: each is reported and
skipped.

  $ printf '#states 1 #trans 0\f#clocks 0\nstate: 0\v invar: true trans:\n' > ff.tg
  $ compile ff | cat -v
  varnok: creating file ff.vnk...
  varnok: begin syntax analysis of ff.tg...
  lexical error at line 1, skipping '^L'
  ff.tg:1: unexpected character '^L'
  lexical error at line 2, skipping '^K'
  ff.tg:2: unexpected character '^K'
  varnok: end syntax analysis of ff.tg...
  varnok: file ff.[vnk,lab,prop,reg] created
  status 1
