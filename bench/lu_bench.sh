#!/usr/bin/env bash
# The -abs lu search on Fischer (goal "CS1 and CS2"), CSMA/CD ("TRANS1 and
# TRANS2 and IDLE") and FDDI ("STA1 and STA2"), none reachable, so that the
# whole state space is explored: per family and N, the stored, explored and
# covered states, time, peak memory and bytes per stored state of this
# build, and the time of a reference binary (an earlier build) measured in
# the same run, the two runs alternating ROUNDS times (the best time of
# each is kept). The counts of the two must be equal ("ok"); "DIFF" marks
# a row where they are not, and the script then ends with status 1. A run
# longer than LU_BENCH_TIMEOUT seconds (default 60) is stopped: of this
# build, that is a DIFF; of the reference, its time is shown as that limit
# and the row says "ref timeout".
#   usage: lu_bench.sh REF_VARNOK [BUILD_DIR] [ROUNDS]
#   the sizes: FISCHER_N, CSMA_N, FDDI_N (lists, e.g. FDDI_N="4 6 8")
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
ref=$(realpath "$1")
build=$(cd "${2:-$here/../build}" && pwd)
rounds=${3:-1}
fischer_n=${FISCHER_N-"7 8 9"}
csma_n=${CSMA_N-"8 9 10"}
fddi_n=${FDDI_N-"8 10 12"}
work=$(mktemp -d /tmp/lu_bench_XXXXXX)
trap 'rm -rf "$work"' EXIT

source "$here/lu_bench_lib.bash"

# The stored, explored and covered states of the "abs lu:" line of $out.
counts() { echo "$out" | sed -n 's/.*abs lu: \([0-9]*\) states stored, \([0-9]*\) explored, \([0-9]*\) covered.*/\1 \2 \3/p'; }

# Sets best_secs, best_kb, line and bytes for binary $1 on the network of $dir.
measure() {
  varnok=$1
  timed_run "$dir" -abs lu -R "$goal" $models || { line="timeout"; return; }
  line=$(counts)
  lu_counts
}

printf '%-7s %3s | %9s %9s %9s %8s %8s %9s | %8s %8s %6s | %s\n' family N stored explored covered "time s" "peak MB" "B/stored" \
  "ref s" "ref MB" "ratio" counts
status=0
row() {  # family N
  local family=$1 n=$2 new_s="" ref_s="" new_kb ref_kb new_line ref_line new_bytes
  dir=$work/$family$n
  case $family in
    fischer)
      "$here/gen_fischer.bash" "$n" "$dir"
      models="" && for i in $(seq 1 "$n"); do models="$models fischer_p$i"; done
      models="$models fischer_id" goal="CS1 and CS2" ;;
    csma)
      "$here/gen_csma.bash" "$n" "$dir"
      models="csma_bus" && for i in $(seq 1 "$n"); do models="$models csma_s$i"; done
      goal="TRANS1 and TRANS2 and IDLE" ;;
    fddi)
      "$here/gen_fddi.bash" "$n" "$dir"
      models="" && for i in $(seq 1 "$n"); do models="$models fddi_s$i"; done
      models="$models fddi_ring" goal="STA1 and STA2" ;;
  esac
  (cd "$dir" && for m in $models; do "$build/varnok" "$m" >/dev/null 2>&1; "$build/clockpare" "$m" >/dev/null 2>&1; done)
  for r in $(seq 1 "$rounds"); do
    measure "$build/varnok"
    new_line=$line new_bytes=${bytes:-0}
    if [ -z "$new_s" ] || [ "$(echo "$secs < $new_s" | bc -l)" = 1 ]; then new_s=$secs new_kb=$kb; fi
    measure "$ref"
    ref_line=$line
    if [ -z "$ref_s" ] || [ "$(echo "$secs < $ref_s" | bc -l)" = 1 ]; then ref_s=$secs ref_kb=$kb; fi
  done
  local check=ok
  if [ "$ref_line" = timeout ] && [ "$new_line" != timeout ]; then
    check="ref timeout" ref_kb=0
  elif [ "$new_line" != "$ref_line" ] || [ "$new_line" = timeout ]; then
    check="DIFF (ref: $ref_line)" status=1
  fi
  read -r st ex co <<<"$new_line"
  printf '%-7s %3d | %9s %9s %9s %8.2f %8.1f %9.0f | %8.2f %8.1f %6.2f | %s\n' "$family" "$n" "${st:--}" "${ex:--}" "${co:--}" \
    "$new_s" "$(echo "$new_kb / 1024" | bc -l)" "$(echo "$new_bytes / ${st:-1}" | bc -l)" "$ref_s" \
    "$(echo "$ref_kb / 1024" | bc -l)" "$(echo "$new_s / $ref_s" | bc -l)" "$check"
}
for n in $fischer_n; do row fischer "$n"; done
for n in $csma_n; do row csma "$n"; done
for n in $fddi_n; do row fddi "$n"; done
exit $status
