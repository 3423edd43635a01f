The compiled model files: when they are made, reused or refused.

  $ run() { varnok "$@" 2>&1 | tail -n +2; echo "status ${PIPESTATUS[0]}"; }
  $ cat > m.tg <<'TG'
  > #states 2 #trans 2 #clocks 1 x
  > state: 0 invar: x <= 2 trans: x = 2 => go ; reset{ x } ; goto 1
  > state: 1 invar: true trans: x > 1 => back ; ; goto 0
  > TG

A missing model: message, nothing compiled, status 0.

  $ run nothere
  varnok: cannot open file nothere.tg 
  status 1

First run: created. A run on an unchanged model reuses the files; touching
the model (equal modification seconds count as out of date) updates them.

  $ run m.tg
  varnok: creating file m.vnk...
  varnok: begin syntax analysis of m.tg...
  varnok: end syntax analysis of m.tg...
  varnok: file m.[vnk,lab,prop,reg] created
  status 1
  $ touch -d '-1 hour' m.tg
  $ run m
  varnok: file m.vnk already exists 
  varnok: reading file m.vnk...
  status 1
  $ touch m.vnk m.tg
  $ run m
  varnok: updating file m.vnk...
  varnok: begin syntax analysis of m.tg...
  varnok: end syntax analysis of m.tg...
  varnok: file m.[vnk,lab,prop,reg] updated
  status 1

"-compact" writes the listing, and leaves it alone while it is newer than the
.vnk file. The listing is the same whether the tables were parsed or read.

  $ run -compact m | tail -3
  varnok: creating file m.cpt...
  varnok: file m.cpt dumped
  status 1
  $ cp m.cpt parsed.cpt
  $ touch -d '-2 hour' m.tg; touch -d '-1 hour' m.vnk
  $ run -c m
  varnok: file m.vnk already exists 
  varnok: reading file m.vnk...
  varnok: file m.cpt is up to date
  status 1
  $ rm m.cpt; run -c m | tail -3
  varnok: creating file m.cpt...
  varnok: file m.cpt dumped
  status 1
  $ cmp m.cpt parsed.cpt
  $ cat m.cpt
  #states 2
  #trans 2
  #clocks 1
  X 
  
  state: 0
  invar: X<=2
  trans:
  X=2 => GO ; RESET{ X } ;  goto 1
  
  state: 1
  invar: TRUE
  trans:
  1<X => BACK ; RESET{} ;  goto 0
  

A model without propositions has a .prop file with count 0 and one zero count
per location.

  $ od -A d -t x1 m.prop
  0000000 32 2e 34 00 23 70 00 00 00 00 00 00 00
  0000013

Forward analysis on the compiled model: the simulation graph is built.

  $ run -forw m
  varnok: file m.vnk already exists 
  varnok: reading file m.vnk...
  varnok: file _init.tctl created
  varnok: generating simulation graph... 
  varnok: simulation graph generated                   
  varnok: 3 simulation states generated
  varnok: 3 simulation transitions generated
  varnok: file m.sim dumped
  status 1

"-ta" runs "reducto -l" on the model after compiling it; its result is
ignored.

  $ mkdir bin; printf '#!/bin/sh\necho "reducto called with $*"\nexit 3\n' > bin/reducto; chmod +x bin/reducto
  $ PATH=$PWD/bin:$PATH run -ta m
  varnok: file m.vnk already exists 
  varnok: reading file m.vnk...
  reducto called with -l m
  status 1

Hostile compiled files are refused with "bad format" and status 1, never read
half-way. Each case starts from good files newer than the model.

  $ for f in vnk lab prop reg; do cp m.$f good.$f; done
  $ restore() { for f in vnk lab prop reg; do cp good.$f m.$f; done; touch -d '-1 hour' m.tg; }
  $ poke() { printf "$2" | dd of=m.$1 bs=1 seek=$3 conv=notrunc 2> /dev/null; }
  $ bad() { run m | grep -v 'already exists\|reading file'; }

Another version, another marker:

  $ restore; poke vnk '2.5' 0; bad
  varnok: bad format file m.vnk
  status 1
  $ restore; poke vnk '#x' 4; bad
  varnok: bad format file m.vnk
  status 1
  $ restore; poke lab '#x' 0; bad
  varnok: bad format file m.vnk
  status 1
  $ restore; poke prop '\x32\x2e\x33' 0; bad
  varnok: bad format file m.vnk
  status 1
  $ restore; poke reg '#x' 0; bad
  varnok: bad format file m.vnk
  status 1

Truncated files, empty files, bytes left over:

  $ for f in vnk lab prop reg; do restore; head -c -1 good.$f > m.$f; bad; done
  varnok: bad format file m.vnk
  status 1
  varnok: bad format file m.vnk
  status 1
  varnok: bad format file m.vnk
  status 1
  varnok: bad format file m.vnk
  status 1
  $ restore; : > m.vnk; bad
  varnok: bad format file m.vnk
  status 1
  $ restore; printf 'x' >> m.reg; bad
  varnok: bad format file m.vnk
  status 1

Counts that do not fit the file (a location count of 65535, a clock count of
255, a clock name of 2^31 bytes), a clock name without its terminator:

  $ restore; poke vnk '\xff\xff' 7; bad
  varnok: bad format file m.vnk
  status 1
  $ restore; poke vnk '\xff' 11; bad
  varnok: bad format file m.vnk
  status 1
  $ restore; poke vnk '\x00\x00\x00\x80' 13; bad
  varnok: bad format file m.vnk
  status 1
  $ restore; poke vnk 'y' 18; bad
  varnok: bad format file m.vnk
  status 1

Indices out of range: an invariant region beyond the region count, a target
location beyond the location count, a label index beyond the label count, a
clock beyond the clock count in an assignment vector, an unknown deadline tag:

  $ restore; poke vnk '\x09' 22; bad
  varnok: bad format file m.vnk
  status 1
  $ restore; poke vnk '\x05' 37; bad
  varnok: bad format file m.vnk
  status 1
  $ restore; poke lab '\x07' 25; bad
  varnok: bad format file m.vnk
  status 1
  $ restore; poke vnk '\x02' 47; bad
  varnok: bad format file m.vnk
  status 1
  $ restore; poke vnk 'Q' 49; bad
  varnok: bad format file m.vnk
  status 1

A zone that is not closed (x <= 2 with a lower bound x >= 3), a zone whose
edges do not describe it (the edge of x <= 2 cleared), a first region that is
not empty:

  $ restore; poke reg '\xfb\xff' 15; bad
  varnok: bad format file m.vnk
  status 1
  $ restore; poke reg '\x00' 21; bad
  varnok: bad format file m.vnk
  status 1
  $ restore; poke reg '\x01' 5; bad
  varnok: bad format file m.vnk
  status 1

The good files still load.

  $ restore; run m
  varnok: file m.vnk already exists 
  varnok: reading file m.vnk...
  status 1

A compiled file that has disappeared ends the run when it must be read.

  $ rm m.lab; run m
  varnok: file m.vnk already exists 
  varnok: reading file m.vnk...
  varnok: cannot open file m.lab
  status 255

A listing that cannot be created ends the run with status 1.

  $ mkdir cpt && cd cpt && cp ../m.tg . && mkdir m.cpt && touch -d '-2 hour' m.cpt
  $ run -c m
  varnok: creating file m.vnk...
  varnok: begin syntax analysis of m.tg...
  varnok: end syntax analysis of m.tg...
  varnok: file m.[vnk,lab,prop,reg] created
  varnok: cannot open file m.cpt
  status 1
