# Shared by the -abs lu benchmark scripts (sourced; $varnok must be set).

# timed_run DIR ARGS...: runs varnok ARGS in DIR within LU_BENCH_TIMEOUT
# seconds (default 60); sets secs
# (wall time), cpu (user + system time), kb (peak resident memory) and out
# (standard output and error). Returns non-zero when the run did not
# finish in time.
timed_run() {
  local dir=$1 start end status
  shift
  start=$(date +%s.%N)
  out=$(cd "$dir" && timeout "${LU_BENCH_TIMEOUT:-60}" /usr/bin/time -f "peak %M cpu %U %S" "$varnok" "$@" 2>&1)
  status=$?
  end=$(date +%s.%N)
  secs=$(echo "$end - $start" | bc -l)
  kb=$(echo "$out" | sed -n 's/^peak \([0-9]*\) cpu.*/\1/p' | tail -1)
  cpu=$(echo "$out" | sed -n 's/^peak [0-9]* cpu \([0-9.]*\) \([0-9.]*\)$/\1 + \2/p' | tail -1 | bc -l)
  [ "$status" -ne 124 ]
}

# lu_counts: stored, explored and bytes from the "abs lu:" line of $out,
# and four_counts, its four counts (stored, explored, covered, transitions).
lu_counts() {
  local line
  line=$(echo "$out" | grep "abs lu:")
  four_counts=$(echo "$line" | sed 's/.*lu: \([0-9]*\) states stored, \([0-9]*\) explored, \([0-9]*\) covered, \([0-9]*\) transitions.*/\1 \2 \3 \4/')
  stored=$(echo "$line" | sed 's/.*lu: \([0-9]*\) states stored.*/\1/')
  explored=$(echo "$line" | sed 's/.* \([0-9]*\) explored.*/\1/')
  bytes=$(echo "$line" | sed 's/.* \([0-9]*\) bytes in store.*/\1/')
}

# The thread counts of the -j columns: 2, and 4 where the machine has the
# cores; LU_BENCH_JOBS overrides them (for example "2 4 8").
bench_jobs() {
  if [ -n "${LU_BENCH_JOBS:-}" ]; then echo "$LU_BENCH_JOBS"
  elif [ "$(nproc)" -ge 4 ]; then echo "2 4"
  else echo 2; fi
}

# jobs_header: the header cells of the -j columns.
jobs_header() {
  local j
  for j in $(bench_jobs); do printf ' | %8s %10s %7s %8s %8s %7s %7s' "-j$j s" stored counts "peak MB" B/stored speedup "cpu/j1"; done
}

# median: the median of the numbers on standard input, one per line.
median() { sort -g | awk '{ a[NR] = $1 } END { print (a[int((NR + 1) / 2)] + a[int(NR / 2) + 1]) / 2 }'; }

# jobs_cells: runs "run -abs lu -j J" for each thread count and prints its
# cells: time, stored states, whether the four counts (stored, explored,
# covered, transitions) are those of -j 1 ("same", else "differ"), peak
# memory, bytes in store per stored state, the speed-up against $lu_secs
# (the -j 1 run of the same row, in the same run of the script), and the
# processor time (user + system) against $lu_cpu, that of the -j 1 run:
# what the threads spend beyond one thread. Called right after lu_counts
# read the -j 1 run.
# With LU_BENCH_ROUNDS=R (default 1), each -j J run is made R times, each
# but the first right after a -j 1 run of its own: the time is the median
# of the R runs, the speed-up the median of the R ratios of a round (on a
# machine whose speed drifts from one run to the next, a single pair can be
# off by a tenth either way); memory and processor time are the last run's.
jobs_cells() {
  local j r j1 ratio same ref=$four_counts rounds=${LU_BENCH_ROUNDS:-1} times ratios ok
  for j in $(bench_jobs); do
    times="" ratios="" ok=1
    for r in $(seq "$rounds"); do
      j1=$lu_secs
      if [ "$r" -gt 1 ]; then
        run -abs lu -j 1 || { ok=0; break; }
        j1=$secs
      fi
      run -abs lu -j "$j" || { ok=0; break; }
      times="$times $secs"
      ratios="$ratios $(echo "$j1 / $secs" | bc -l)"
    done
    if [ "$ok" = 1 ]; then
      lu_counts
      secs=$(echo $times | tr ' ' '\n' | median)
      ratio="-"  # the processor time of small runs reads 0
      if [ "$(echo "$lu_cpu > 0" | bc)" = 1 ]; then ratio=$(printf '%.2f' "$(echo "$cpu / $lu_cpu" | bc -l)"); fi
      same=differ
      [ "$four_counts" = "$ref" ] && same=same
      printf ' | %8.2f %10d %7s %8.0f %8.0f %7.2f %7s' "$secs" "$stored" "$same" "$(echo "$kb / 1024" | bc -l)" \
        "$(echo "$bytes / $stored" | bc -l)" "$(echo $ratios | tr ' ' '\n' | median)" "$ratio"
    else
      printf ' | %8s %10s %7s %8s %8s %7s %7s' "> 60 s" - - - - - -
    fi
  done
}
