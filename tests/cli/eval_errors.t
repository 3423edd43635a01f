Failures of a formula run: messages, statuses, and no result file.

  $ cat > two.tg <<'TG'
  > #states 2
  > #trans 1
  > #clocks 2
  > x y
  > state: 0
  > invar: x <= 2
  > trans:
  > x >= 1 => go ; reset{ x } ; goto 1
  > state: 1
  > invar: true
  > trans:
  > TG
  $ touch -d '2001-01-01' two.tg
  $ varnok two.tg > /dev/null
  [1]

A clock name that is no clock of the model ends the run after the message.

  $ varnok -f two "w <= 3" | tail -2; echo "status ${PIPESTATUS[0]}"
  _form.tctl:1: unknown clock 'W'
  varnok: begin evaluation of _form.tctl
  varnok: clock name W not found
  status 1
  $ ls _form.eval
  ls: cannot access '_form.eval': No such file or directory
  [2]

A constant that does not fit a bound is refused.

  $ varnok -f two "x <= 99999" > /dev/null; echo "status $?"
  varnok: ERROR: constant 99999 out of range (-16384 to 16382)
  status 255
  $ varnok -s 20000 -f two "AD (x >= 1)" > /dev/null; echo "status $?"
  varnok: ERROR: constant 20000 out of range (-16384 to 16382)
  status 255

A step below one time unit counts as one: AD (x >= 1) holds everywhere
(location 0 must be left at x >= 1, location 1 lets x grow).

  $ varnok -s -3 -f two "AD (x >= 1)" > /dev/null; cat _form.eval
  true

With -forw a formula is decided forwards: a verdict line, no .eval file.

  $ rm _form.eval
  $ varnok -forw -f two "ED (x > 3)" | grep Reachability; echo "status ${PIPESTATUS[0]}"
  varnok: Reachability *** TRUE ***
  status 1
  $ ls _form.eval
  ls: cannot access '_form.eval': No such file or directory
  [2]

A result file that cannot be created.

  $ mkdir f.eval
  $ echo "ED (x > 3)" > f.tctl
  $ varnok two f | tail -1; echo "status ${PIPESTATUS[0]}"
  varnok: cannot open file f.eval
  status 1

A missing model.

  $ varnok nosuch f | tail -2; echo "status ${PIPESTATUS[0]}"
  varnok: cannot open file nosuch.tg 
  varnok: cannot open file nosuch.vnk
  status 255
