Formula runs on one timed graph: messages, the .eval result, the history
file and the verbose trace.

Location 0 (START, x <= 5) goes to 1 at 2 <= x resetting x; location 1
(MID, x <= 3) goes to 2 at x = 3; location 2 (END) is final. Every path
reaches END within 5 time units exactly from 3 <= x in location 0.

  $ cat > chain.tg <<'TG'
  > #states 3
  > #trans 2
  > #clocks 1
  > x
  > state: 0
  > prop: START
  > invar: x <= 5
  > trans:
  > x >= 2 => a ; reset{ x } ; goto 1
  > state: 1
  > prop: MID
  > invar: x <= 3
  > trans:
  > x = 3 => b ; ; goto 2
  > state: 2
  > prop: END
  > invar: true
  > trans:
  > TG
  $ touch -d '2001-01-01' chain.tg
  $ echo "AD{<=5} END" > deadline.tctl
  $ varnok chain.tg deadline; echo "status $?"
  varnok: release 2.4.3 (i686) date ????/??/?? (glob)
  varnok: creating file chain.vnk...
  varnok: begin syntax analysis of chain.tg...
  varnok: end syntax analysis of chain.tg...
  varnok: file chain.[vnk,lab,prop,reg] created
  varnok: reading file chain.vnk...
  varnok: begin evaluation of deadline.tctl
  varnok: end evaluation of deadline.tctl
  varnok: compacting
  varnok: file deadline.eval created
  
  ---------------------------------------------------------------------------
  varnok: fixpoint          : system  *\d+\.\d{3}s \* user  *\d+\.\d{3}s \* #iterations 3 (re)
  varnok: compact time      : system  *\d+\.\d{3}s \* user  *\d+\.\d{3}s \* (re)
  varnok: total time        : system  *\d+\.\d{3}s \* user  *\d+\.\d{3}s \* (re)
  ---------------------------------------------------------------------------
  status 1
  $ cat deadline.eval
  state(0) and (
  3<=X and X<=5)
  or
  state(1) and (
  X<=3)
  or
  state(2) and (
  TRUE)

A formula that holds everywhere is written as true, one that holds nowhere
as false; the second run reads the compiled files.

  $ varnok -f chain "ED END" > out; echo "status $?"; sed -n '2,4p' out
  status 1
  varnok: file _form.tctl created
  varnok: file chain.vnk already exists 
  varnok: reading file chain.vnk...
  $ cat _form.eval
  true
  $ varnok -f chain.tg "START EU END" > /dev/null; cat _form.eval
  state(2) and (
  TRUE)
  $ varnok -f chain.tg "EB START" > /dev/null; cat _form.eval
  false

Without a fix-point there is no fixpoint line.

  $ varnok -f chain.tg "MID or END" | tail -4
  ---------------------------------------------------------------------------
  varnok: compact time      : system  *\d+\.\d{3}s \* user  *\d+\.\d{3}s \* (re)
  varnok: total time        : system  *\d+\.\d{3}s \* user  *\d+\.\d{3}s \* (re)
  ---------------------------------------------------------------------------

-init and -reach are reported as ignored; the result does not change.

  $ varnok -I "MID" chain deadline | sed -n '2,3p'; cat deadline.eval
  varnok: file _init.tctl created
  varnok: options -init (-INIT) and -reach (-REACH) are ignored
  state(0) and (
  3<=X and X<=5)
  or
  state(1) and (
  X<=3)
  or
  state(2) and (
  TRUE)

-v traces the evaluation, nested operands indented, with the iterations of
the fix-points; -h writes them into the .log file.

  $ varnok -v -h chain deadline | sed -n '4,12p'
  varnok: begin evaluation of deadline.tctl
  >>  (AD{<=5}END)
    >>  END
    <<  END
  iter #: 1,2,3
  <<  (AD{<=5}END)
  varnok: end evaluation of deadline.tctl
  varnok: compacting
  varnok: file deadline.log created
  $ grep -c -- '---' deadline.log
  3
  $ head -3 deadline.log
  1 --- 
  state(0) and (
  X<=5 and 5<_ex1)

The unbounded universal until iterates in steps; its nested existential
fix-points print their own counts.

  $ varnok -v -f chain "START AU MID" | sed -n '/^>>/,/^<</p'
  >>  (STARTAUMID)
    >>  MID
    <<  MID
    >>  START
    <<  START
  iter #: 1, iter #: 1,2
          2, iter #: 1,2
          3, iter #: 1,2
          4, iter #: 1,2
          5, iter #: 1,2
          6, iter #: 1
  <<  (STARTAUMID)
  $ cat _form.eval
  state(0) and (
  X<=5)
  or
  state(1) and (
  X<=3)

-C 2 compacts the result by hull differences; the set stays the same.

  $ varnok -C 2 chain deadline > /dev/null; cat deadline.eval
  state(0) and (
  3<=X and X<=5)
  or
  state(1) and (
  X<=3)
  or
  state(2) and (
  TRUE)

A formula whose text is read from a file given with its suffix.

  $ varnok chain.tg deadline.tctl | grep evaluation
  varnok: begin evaluation of deadline.tctl
  varnok: end evaluation of deadline.tctl
