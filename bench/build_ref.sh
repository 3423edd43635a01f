#!/usr/bin/env bash
# Builds the varnok of an earlier revision of this repository, to serve as
# the reference binary of lu_bench.sh (measured in the same run as this
# build), and prints the path of that binary.
#   usage: build_ref.sh REVISION [DIR]   (DIR default: /tmp/varnok_ref_REVISION)
#   e.g.:  bench/lu_bench.sh "$(bench/build_ref.sh 50b6df2)" build 3
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
rev=$1
top=$(git -C "$here" rev-parse --show-toplevel)
sha=$(git -C "$top" rev-parse --short "$rev^{commit}")
dir=${2:-/tmp/varnok_ref_$sha}
if [ ! -x "$dir/build/varnok" ]; then
  rm -rf "$dir/src" && mkdir -p "$dir/src"
  git -C "$top" archive "$sha" | tar -x -C "$dir/src"
  cmake -S "$dir/src" -B "$dir/build" -DCMAKE_BUILD_TYPE=Release -DVARNOK_TESTS=OFF >/dev/null
  cmake --build "$dir/build" -j2 --target varnok clockpare >/dev/null
fi
echo "$dir/build/varnok"
