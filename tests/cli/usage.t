Banner and usage: no argument is a usage error, options alone are not.

  $ varnok > out; echo "status $?"
  status 255
  $ head -1 out
  varnok: release 2.4.3 (i686) date ????/??/?? (glob)
  $ tail -n +2 out
  
  usage: varnok [options] aut1[.tg] [... autn[.tg]] [formula] 
  ***** `formula' implies backward (fix-point) analysis and can be:
    - either a `xxx.tctl' file (default)
    - or a string "xxx" given in command line (-f option)
  ***** `options' can be:
    -abs xtra\t (-ax) \t extrapolation abstraction (esc)
    -abs incl\t (-ai) \t inclusion abstraction (esc)
    -abs cvxhull\t (-ac) \t convex-hull abstraction (esc)
    -Act \t\t\t optimize resets w.r.t. clock activity (esc)
    -CONTROL number \t set max no. of control locations (default 2048) (esc)
    -DFS\t\t\t depth-first search (implies -forw, needs -r or -R) (esc)
    -FULLDFS\t\t exhaustive DFS (do not stop at visited states) (esc)
    -f(ormula)\t\t specify fix-point formula in command line  (esc)
    -forw\t\t\t forward reachability analysis: build simulation graph (esc)
    -FORW number\t\t limited forw. analysis (set MAX_SYMB_STATES to number) (esc)
    -h(istory) \t\t display fix-point information (esc)
    -Inv\t\t\t initial clock values anywhere in invariant (default is 0) (esc)
    -i(nit) form.tctl  \t specify initial locations by means of a formula (esc)
    -I(NIT) "formula"  \t as '-i', but formula is given in command line (esc)
    -r(each) form.tctl  \t forw. analysis: try to reach states satisfying `form' (esc)
    -R(EACH) "formula"  \t as '-r', but formula is given in command line (esc)
    -STACK number \t set max stack depth (implies -DFS, needs -r or -R) (esc)
    -s(tep) number \t set fix-point-iter. step for AD(.) formulae (default 1) (esc)
    -sync diag\t(-sd)\t include diagonals in label synchronization  (esc)
    -sync enum\t(-se)\t synchronize by enumerating transitions (esc)
    -v(erbose) \t\t progress information  (esc)
  ***** `number' is a positive integer
  

Only options: the usage text and status 0; nothing on standard error.

  $ varnok -v -h -COMPACT 3 -CONTROL 0 -step 0 -ta_whatever -back > out 2> err; echo "status $?"
  status 0
  $ wc -l < out; wc -c < err
  30
  0

Unknown option, unknown -abs or -sync parameter, and a missing value are usage errors.

  $ for a in "-nope" "-abs foo" "-sync bar" "-step" "-r"; do varnok $a > out 2>&1; echo "$a: $? $(grep -c usage: out)"; done
  -nope: 255 1
  -abs foo: 255 1
  -sync bar: 255 1
  -step: 255 1
  -r: 255 1

Depth-first search needs a reach formula.

  $ varnok -DFS m.tg > out; echo "status $?"; grep -c usage: out
  varnok: -DFS, -FULLDFS and -STACK need a goal (-r or -R)
  status 255
  1
  $ varnok -STACK 4 m.tg > out; echo "status $?"
  varnok: -DFS, -FULLDFS and -STACK need a goal (-r or -R)
  status 255

More than 30 arguments in all.

  $ varnok $(seq 1 31) ; echo "status $?"
  varnok: release * (glob)
  varnok: too many parameters
  status 1

Over-long names are refused, never cut.

  $ varnok -i $(printf 'a%.0s' $(seq 64)) m.tg > /dev/null 2> err; echo "status $?"; cut -c1-45 err
  status 255
  varnok: parameter too long (at most 63 charac
  $ varnok $(printf 'a%.0s' $(seq 64)) > /dev/null 2> err; echo "status $?"; cut -c1-45 err
  status 255
  varnok: parameter too long (at most 63 charac
