A graph whose transitions (or locations, or regions) do not fit 16 bits is
compiled to the wide form: the same four files with 32-bit counts and
indices and their markers in upper case. Hostile wide files are refused
with "bad format" and status 1, as narrow ones are.

  $ run() { varnok "$@" 2>&1 | tail -n +2; echo "status ${PIPESTATUS[0]}"; }
  $ python3 -c "
  > n = 33000
  > print('#states %d #trans %d #clocks 1 x #sync GO' % (n, 2 * n))
  > for i in range(n):
  >     prop = 'prop: P ' if i % 7 == 0 else ''
  >     print('state: %d %sinvar: x <= 5 trans:' % (i, prop))
  >     print('x >= 1 => GO ; reset{ x } ; goto %d' % ((i + 1) % n))
  >     print('x >= 2 => L ; ; goto %d' % ((i + 2) % n))
  > " > m.tg
  $ run m | tail -2
  varnok: file m.[vnk,lab,prop,reg] created
  status 1
  $ od -An -tx1 -N 17 m.vnk; od -An -tx1 -N 11 m.prop; od -An -tx1 -N 7 m.lab; od -An -tx1 -N 7 m.reg
   32 2e 34 00 23 48 00 e8 80 00 00 d0 01 01 00 01
   00
   32 2e 34 00 23 50 00 01 00 00 00
   23 4c 00 02 00 00 00
   23 52 00 b9 82 01 00
  $ for f in vnk lab prop reg; do cp m.$f good.$f; done
  $ restore() { for f in vnk lab prop reg; do cp good.$f m.$f; done; touch -d '-1 hour' m.tg; }
  $ poke() { printf "$2" | dd of=m.$1 bs=1 seek=$3 conv=notrunc 2> /dev/null; }
  $ bad() { run m -f "$1" | grep -v 'already exists\|reading file\|_form.tctl'; }

The good files read back and answer.

  $ restore; run m -f 'P impl x <= 5' | grep -e reading -e status; cat _form.eval
  varnok: reading file m.vnk...
  status 1
  true
  $ restore; run m -f 'state(32999) and ED P' | grep -e reading -e status; cat _form.eval
  varnok: reading file m.vnk...
  status 1
  state(32999) and (
  X<=5)

Counts beyond the file or negative (locations, transitions, propositions,
labels, regions), an invariant region beyond the region count, a target
beyond the location count, a label index beyond the label count:

  $ restore; poke vnk '\xff\xff\xff\x7f' 7; bad true
  varnok: bad format file m.vnk
  varnok: removed the earlier result _form.eval
  status 1
  $ restore; poke vnk '\xff\xff\xff\xff' 7; bad true
  varnok: bad format file m.vnk
  status 1
  $ restore; poke vnk '\x00\x00\x00\x01' 11; bad true
  varnok: bad format file m.vnk
  status 1
  $ restore; poke vnk '\x00\x00\x00\x01' 26; bad true
  varnok: bad format file m.vnk
  status 1
  $ restore; poke prop '\xff\xff\xff\x7f' 7; bad true
  varnok: bad format file m.vnk
  status 1
  $ restore; poke lab '\xff\xff\xff\xff' 3; bad true
  varnok: bad format file m.vnk
  status 1
  $ restore; poke reg '\x00\x00\x00\x01' 3; bad true
  varnok: bad format file m.vnk
  status 1

Files of both widths in one set, truncated files, bytes left over:

  $ restore; poke lab '#l' 0; bad true
  varnok: bad format file m.vnk
  status 1
  $ restore; poke reg '#r' 0; bad true
  varnok: bad format file m.vnk
  status 1
  $ restore; poke vnk '#h' 4; bad true
  varnok: bad format file m.vnk
  status 1
  $ for f in vnk lab prop reg; do restore; head -c -1 good.$f > m.$f; bad true; done
  varnok: bad format file m.vnk
  status 1
  varnok: bad format file m.vnk
  status 1
  varnok: bad format file m.vnk
  status 1
  varnok: bad format file m.vnk
  status 1
  $ for f in vnk lab prop reg; do restore; head -c 5000 good.$f > m.$f; bad true; done
  varnok: bad format file m.vnk
  status 1
  varnok: bad format file m.vnk
  status 1
  varnok: bad format file m.vnk
  status 1
  varnok: bad format file m.vnk
  status 1
  $ for f in vnk lab prop reg; do restore; printf 'x' >> m.$f; bad true; done
  varnok: bad format file m.vnk
  status 1
  varnok: bad format file m.vnk
  status 1
  varnok: bad format file m.vnk
  status 1
  varnok: bad format file m.vnk
  status 1
