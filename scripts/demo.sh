#!/usr/bin/env bash
# Runs the model checker on a bundled example.
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")/.." && pwd)
bin="$here/$build/varnok"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here"/examples/* "$work"/ 2>/dev/null || true
cd "$work"
if [ -f demo.sh ]; then
  exec bash demo.sh "$bin"
fi
echo "== varnok (no model checking is built yet: showing the usage text)"
"$bin" -v || true
