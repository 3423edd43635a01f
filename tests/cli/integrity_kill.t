A compile killed between its files never leaves files that the next run
takes for the compiled model: the next run compiles again. The library
preloaded here (tests/shim) kills the program just before the chosen
rename or unlink; a sanitizer runtime must come first in the preload list.

  $ [ -n "$VARNOK_KILL_SHIM" ] || exit 80
  $ asan=$(ldd "$(command -v varnok)" | awk '/libasan/ { print $3 }')
  $ killed() {
  >   (VARNOK_TEST_KILL_AT=$1 VARNOK_TEST_KILL_NTH=${2:-1} LD_PRELOAD="${asan:+$asan }$VARNOK_KILL_SHIM" \
  >     varnok "${@:3}" > /dev/null; echo "status $?") 2> /dev/null
  > }

Model A reaches END, model B (same tables, a guard that the invariant
forbids) does not.

  $ cat > a.tg <<'TG'
  > #states 2 #trans 1 #clocks 1 x
  > state: 0 prop: INIT invar: x <= 3 trans:
  > x >= 1 => go ; reset{ x } ; goto 1
  > state: 1 prop: END invar: true trans:
  > TG
  $ sed 's/x >= 1/x >= 4/' a.tg > b.tg

The points, in the order of a compile: the removal of the old .vnk, the
second removal just before the files are written, then each file put in
place, the .vnk last.

  $ for point in unlink:m.vnk:1 unlink:m.vnk:2 rename:m.prop:1 rename:m.lab:1 rename:m.reg:1 rename:m.vnk:1; do
  >   cp a.tg m.tg; touch -d '-1 hour' m.tg; varnok m > /dev/null
  >   cp b.tg m.tg
  >   IFS=: read call name nth <<< "$point"
  >   echo "$call $name $nth: $(killed $call:$name $nth m)"
  >   varnok -R END m 2> /dev/null | grep -e "m\.vnk" -e Reachability
  > done
  unlink m.vnk 1: status 137
  varnok: updating file m.vnk...
  varnok: Reachability: FALSE.
  unlink m.vnk 2: status 137
  varnok: creating file m.vnk...
  varnok: Reachability: FALSE.
  rename m.prop 1: status 137
  varnok: creating file m.vnk...
  varnok: Reachability: FALSE.
  rename m.lab 1: status 137
  varnok: creating file m.vnk...
  varnok: Reachability: FALSE.
  rename m.reg 1: status 137
  varnok: creating file m.vnk...
  varnok: Reachability: FALSE.
  rename m.vnk 1: status 137
  varnok: creating file m.vnk...
  varnok: Reachability: FALSE.

Without the kill, model A answers as it should.

  $ cp a.tg m.tg; varnok -R END m 2> /dev/null | grep -e "m\.vnk" -e Reachability
  varnok: updating file m.vnk...
  varnok: Reachability: TRUE.

A result killed before it is put in place leaves the earlier result as it
was, and no partial file under its name.

  $ echo 'init impl ED END' > f.tctl
  $ varnok m f > /dev/null; cp f.eval before.eval
  $ cp b.tg m.tg; touch -d '+1 second' m.tg
  $ killed rename:f.eval 1 m f
  status 137
  $ cmp f.eval before.eval && echo kept
  kept
  $ rm f.eval; killed rename:f.eval 1 m f; ls f.*
  status 137
  f.tctl
  $ varnok m f > /dev/null 2>&1; cmp -s f.eval before.eval || echo changed
  changed

The temporaries of killed runs are removed by a later run that writes the
same file, once their process is gone and they have not changed for ten
minutes; a temporary still being written, or of a live process, is kept.

  $ ls -a | grep -c '^\.f\.eval\..*\.tmp$'
  2
  $ touch -d '-1 hour' .f.eval.*.tmp
  $ touch .f.eval.999999999.0.tmp; touch -d '-1 hour' .f.eval.$$.0.tmp .f.eval.x.0.tmp
  $ varnok m f > /dev/null 2>&1; ls -a | grep '^\.f\.eval\.' | sed "s/\.$$\./.SHELL./" | LC_ALL=C sort
  .f.eval.999999999.0.tmp
  .f.eval.SHELL.0.tmp
  .f.eval.x.0.tmp
