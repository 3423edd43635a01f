The README's quick start is run as it is written: each of its commands
must print exactly what the README shows (the examples' folder is given
as $EXAMPLES, as the quick start's set-up line exports it).

  $ python3 $TESTDIR/readme_quick_start.py $TESTDIR/../../README.md > quick.t
  $ grep -c '^  \$ ' quick.t
  11
  $ cram3 --shell=/bin/bash quick.t
  .
  # Ran 1 tests, 0 skipped, 0 failed.
