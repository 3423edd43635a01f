The man pages render without a warning (skipped where man is not installed).

  $ command -v man > /dev/null || exit 80
  $ for p in varnok clockpare formremap; do
  >   MANWIDTH=80 man -P cat -l $TESTDIR/../../doc/man/$p.1 > $p.txt 2> $p.err; echo "$p: $? $(wc -c < $p.err)"
  >   head -1 $p.txt; done
  varnok: 0 0
  VARNOK(1)                        User Commands                       VARNOK(1)
  clockpare: 0 0
  CLOCKPARE(1)                     User Commands                    CLOCKPARE(1)
  formremap: 0 0
  FORMREMAP(1)                     User Commands                    FORMREMAP(1)
