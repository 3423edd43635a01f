# Shared by the -abs lu benchmark scripts (sourced; $varnok must be set).

# timed_run DIR ARGS...: runs varnok ARGS in DIR within LU_BENCH_TIMEOUT
# seconds (default 60); sets secs
# (wall time), kb (peak resident memory) and out (standard output and
# error). Returns non-zero when the run did not finish in time.
timed_run() {
  local dir=$1 start end status
  shift
  start=$(date +%s.%N)
  out=$(cd "$dir" && timeout "${LU_BENCH_TIMEOUT:-60}" /usr/bin/time -f "peak %M" "$varnok" "$@" 2>&1)
  status=$?
  end=$(date +%s.%N)
  secs=$(echo "$end - $start" | bc -l)
  kb=$(echo "$out" | sed -n 's/^peak \([0-9]*\)$/\1/p' | tail -1)
  [ "$status" -ne 124 ]
}

# lu_counts: stored, explored and bytes from the "abs lu:" line of $out.
lu_counts() {
  local line
  line=$(echo "$out" | grep "abs lu:")
  stored=$(echo "$line" | sed 's/.*lu: \([0-9]*\) states stored.*/\1/')
  explored=$(echo "$line" | sed 's/.* \([0-9]*\) explored.*/\1/')
  bytes=$(echo "$line" | sed 's/.* \([0-9]*\) bytes in store.*/\1/')
}
