Random small models and goals, two questions running at once in one folder,
runs killed with SIGKILL at random moments (compiles among them): after each,
a clean run gives the answer and the files of a run never disturbed
(stress.py says how). It runs for VARNOK_STRESS_SECONDS (30 by default, at
most 120 in CI) from seed VARNOK_STRESS_SEED (default 1; a failure prints
its seed and keeps its folder).

  $ python3 "$TESTDIR"/stress.py "${VARNOK_STRESS_SEED:-1}" "${VARNOK_STRESS_SECONDS:-30}" > stress.out
  $ grep -v "rounds, .* runs killed" stress.out; grep -o "[0-9]* failures$" stress.out
  0 failures
