The formula renaming tool: checks a formula, reads the renaming that
clockpare wrote for a model and lists it on request. It names itself in
every message.

  $ cat > m.tg <<'TG'
  > #states 2 #trans 2 #clocks 3 x y z
  > state: 0 invar: z <= 4 trans: x >= 1 and z >= 2 => ; reset{ } x:=y ; goto 1
  > state: 1 invar: x <= 3 and y <= 3 trans: true => ; reset{ y z } ; goto 0
  > TG
  $ clockpare m > /dev/null && touch -d '2001-01-01' m.tg

The formula's extra clock (for the bound of EU) does not count among the
model's clocks.

  $ echo 'init impl (p EU{<5} q)' > f.tctl
  $ formremap -r f m; echo "status $?"
  formremap: release 2.4.3 \(i686\) date \d{4}/\d{2}/\d{2} (re)
  formremap: file m.vnk already exists 
  formremap: reading file m.vnk...
  formremap: file m.ren dumped
  status 0
  $ cat m.ren
  state 0:
  
  { }\t---> X_0 (esc)
  { X }\t---> X_1 (esc)
  { Y Z }\t---> X_2 (esc)
  state 1:
  
  { Z }\t---> X_0 (esc)
  { X Y }\t---> X_1 (esc)
  $ ls f.*
  f.tctl

Without -r nothing is written; the suffixes are optional.

  $ rm m.ren
  $ formremap f.tctl m.opt; echo "status $?"
  formremap: release 2.4.3 \(i686\) date \d{4}/\d{2}/\d{2} (re)
  formremap: file m.vnk already exists 
  formremap: reading file m.vnk...
  status 0
  $ ls m.ren
  ls: cannot access 'm.ren': No such file or directory
  [2]

Usage errors and help, before any file is read.

  $ formremap; echo "status $?"
  formremap: release 2.4.3 \(i686\) date \d{4}/\d{2}/\d{2} (re)
  usage: formremap [-h] [-r] file[.tctl] file[.opt]
  status 255
  $ formremap f; echo "status $?"
  formremap: release 2.4.3 \(i686\) date \d{4}/\d{2}/\d{2} (re)
  usage: formremap [-h] [-r] file[.tctl] file[.opt]
  status 255
  $ formremap -x f m; echo "status $?"
  formremap: release 2.4.3 \(i686\) date \d{4}/\d{2}/\d{2} (re)
  formremap: unknown option -x
  usage: formremap [-h] [-r] file[.tctl] file[.opt]
  status 255
  $ formremap x y z; echo "status $?"
  formremap: release 2.4.3 \(i686\) date \d{4}/\d{2}/\d{2} (re)
  usage: formremap [-h] [-r] file[.tctl] file[.opt]
  status 255
  $ formremap -rh nothere nothere; echo "status $?"
  formremap: release 2.4.3 \(i686\) date \d{4}/\d{2}/\d{2} (re)
  usage: formremap [-h] [-r] file[.tctl] file[.opt]
  \t\t -h: print this information and exit (esc)
  \t\t -r: print the new renaming (esc)
  status 1

A formula with a syntax error leaves its .err file; the renaming is not read.

  $ echo 'init and (' > bad.tctl
  $ formremap -r bad m; echo "status $?"
  formremap: release 2.4.3 \(i686\) date \d{4}/\d{2}/\d{2} (re)
  parse error at line 2, near `'
  bad.tctl:2: parse error at end of file
  formremap: syntax error: file bad.err dumped
  status 1
  $ ls bad.* m.ren
  ls: cannot access 'm.ren': No such file or directory
  bad.err
  bad.tctl
  [2]

Missing files.

  $ formremap nothere m; echo "status $?"
  formremap: release 2.4.3 \(i686\) date \d{4}/\d{2}/\d{2} (re)
  formremap: cannot open file nothere.tctl
  status 1
  $ formremap f nothere; echo "status $?"
  formremap: release 2.4.3 \(i686\) date \d{4}/\d{2}/\d{2} (re)
  formremap: cannot open file nothere.opt
  status 255
  $ cp m.opt lone.opt
  $ formremap f lone; echo "status $?"
  formremap: release 2.4.3 \(i686\) date \d{4}/\d{2}/\d{2} (re)
  formremap: cannot open file lone.tg 
  status 1

Renaming files that do not fit the model: cut short, one byte too many,
empty, a count above the model's clocks, a new clock number above the count.

  $ for c in short long empty count entry; do cp m.tg $c.tg; cp m.opt $c.opt; done
  $ head -c 19 m.opt > short.opt
  $ printf 'x' >> long.opt
  $ : > empty.opt
  $ printf '\011' | dd of=count.opt bs=1 seek=0 conv=notrunc 2> /dev/null
  $ printf '\011' | dd of=entry.opt bs=1 seek=6 conv=notrunc 2> /dev/null
  $ for c in short long empty count entry; do formremap -r f $c > out; echo "status $?"; tail -1 out; done
  status 1
  formremap: bad format file short.opt
  status 1
  formremap: bad format file long.opt
  status 1
  formremap: bad format file empty.opt
  status 1
  formremap: bad format file count.opt
  status 1
  formremap: bad format file entry.opt
  $ ls *.ren
  ls: cannot access '*.ren': No such file or directory
  [2]
