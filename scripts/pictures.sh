#!/usr/bin/env bash
# Draws the pictures of the README into doc/: the train-gate model and a
# concrete run of it reaching INSIDE (varnok -dot, then dot -Tsvg), and the
# timing diagram of a run of the railway (varnok -svg).
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/examples/train_gate.tg" "$here"/examples/rail_*.tg "$work/"
cd "$work"
"$build/varnok" -dot -run -R INSIDE train_gate > /dev/null || true  # a completed run exits with 1
mkdir -p "$here/doc"
dot -Tsvg train_gate.dot > "$here/doc/train_gate.svg"
dot -Tsvg _run.dot > "$here/doc/train_gate_run.svg"
"$build/varnok" -svg -R "FAR and DOWN" rail_train rail_gate rail_controller > /dev/null 2>&1 || true
cp _run.svg "$here/doc/rail_run_timing.svg"
echo "doc/train_gate.svg doc/train_gate_run.svg doc/rail_run_timing.svg written"
