Whether the second parameter names a formula file is decided by one look
at it: when the open of reach.tctl fails (here once, with EACCES, made by
the library preloaded from tests/shim), reach is a model, and the formula is
never evaluated on the first model alone as a network of one automaton. A
sanitizer runtime must come first in the preload list.

  $ [ -n "$VARNOK_KILL_SHIM" ] || exit 80
  $ asan=$(ldd "$(command -v varnok)" | awk '/libasan/ { print $3 }')
  $ failing() {
  >   VARNOK_TEST_FAIL_AT=fopen:$1 LD_PRELOAD="${asan:+$asan }$VARNOK_KILL_SHIM" varnok "${@:2}" > out 2> err
  >   tail -n +2 out | grep -v -e "syntax analysis" -e "reading file" -e "already exists"; cat err
  > }
  $ cp $EXAMPLES/rail_train.tg .
  $ touch -d '-1 hour' rail_train.tg
  $ echo "init impl ED INSIDE" > reach.tctl

The train can be inside from its initial states: the formula holds
everywhere.

  $ varnok rail_train reach > /dev/null; cat reach.eval
  true

With the look failed, reach is a model that is not there; the train's
answer stays as it was.

  $ failing reach.tctl rail_train reach
  varnok: cannot open file reach.tg 
  $ cat reach.eval
  true
