#!/usr/bin/env python3
"""Random cross-check of the HOLDS verdict.

For random single timed graphs and networks of two or three (the generator
of network_random.py) and random formulas f, "varnok -verdict ... f" must say
HOLDS true exactly when the evaluator's own .eval of "init and not (f)" is
empty ("false"): f holds in every initial state. The status must match the
line (0 true, 1 false), and f.eval must be byte for byte the one of the same
run without -verdict. Under -Inv (every valuation of the invariant at the
initial locations), on one graph, HOLDS true must come exactly when the
.eval of "(L) and not (f)" is empty, L the locations where init holds.

usage: verdict_random.py VARNOK ROUNDS SEED   (run in an empty directory)
Prints one line per disagreement and a closing count line. A run that does
not finish within 120 s counts as a disagreement too. With KEEP_DIR set in
the environment, the graphs and formula files of every formula that
disagrees are copied to KEEP_DIR/round<R>-<K>, to be run again by hand.
"""
import glob
import os
import re
import shutil
import subprocess
import sys

varnok, rounds, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)
import network_random as gen  # noqa: E402

gen.rng.seed(seed)


def verdict(args):
    p = subprocess.run([varnok, "-verdict", "-q"] + args, capture_output=True, text=True, timeout=120)
    return p.stdout, p.returncode


def run(args):
    subprocess.run([varnok] + args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)


def keep(r, k):
    """Copies the round's inputs to KEEP_DIR/round<r>-<k> when KEEP_DIR is set."""
    keep_dir = os.environ.get("KEEP_DIR")
    if not keep_dir:
        return
    dest = os.path.join(keep_dir, "round%d-%d" % (r, k))
    os.makedirs(dest, exist_ok=True)
    for name in glob.glob("g*.tg") + glob.glob("*.tctl"):
        shutil.copy(name, dest)


def check(r, f, n, names):
    """Checks formula f (in f.tctl) on the graphs; answers the number of
    verdicts checked and the disagreement lines."""
    checked, found = 0, []
    run(names + ["f"])
    with open("f.eval") as e:
        plain = e.read()
    line, status = verdict(names + ["f"])
    if status == 2:
        return 0, []  # a name the graph lacks (R, S): an error under -verdict
    with open("f.eval") as e:
        if e.read() != plain:
            found.append("round %d formula %r: f.eval differs under -verdict" % (r, f))
    run(names + ["c"])
    with open("c.eval") as e:
        empty = e.read().strip() == "false"
    os.remove("c.eval")
    checked += 1
    want = ("HOLDS true\n", 0) if empty else ("HOLDS false\n", 1)
    if (line, status) != want:
        found.append("round %d formula %r: %r status %d, the .eval says %s" % (r, f, line, status, want[0].strip()))
    # -Inv: every valuation of the invariant at the initial locations:
    # the locations where init holds. On one graph only: on a network
    # state(n) means every automaton at its location n, and INIT holds
    # with the clocks 0 only, so no formula names the initial product
    # locations with their whole invariants.
    if n > 1:
        return checked, found
    with open("c.tctl", "w") as out:
        out.write("init\n")
    run(names + ["c"])
    with open("c.eval") as e:
        start = " or ".join(re.findall(r"^(state\(\d+\)) and", e.read(), re.M))
    os.remove("c.eval")
    with open("c.tctl", "w") as out:
        out.write("(%s) and not (%s)\n" % (start, f))
    run(names + ["c"])
    with open("c.eval") as e:
        empty = e.read().strip() == "false"
    os.remove("c.eval")
    line, status = verdict(["-Inv"] + names + ["f"])
    if status == 2:
        return checked, found
    checked += 1
    want = ("HOLDS true\n", 0) if empty else ("HOLDS false\n", 1)
    if (line, status) != want:
        found.append("round %d formula %r -Inv: %r status %d, the .eval says %s" % (r, f, line, status, want[0].strip()))
    return checked, found


checked = disagreements = 0
for r in range(rounds):
    n = gen.rng.randint(1, 3)
    sync = ["S"]
    names, clocks = [], []
    for a in range(n):
        text, own = gen.automaton(a, sync, a > 0)
        with open("g%d.tg" % a, "w") as f:
            f.write(text)
        names.append("g%d" % a)
        clocks += own
    props = ["P0", "Q0", "INIT"] + (["P1", "Q1", "R"] if n > 1 else [])
    for k in range(4):
        f = gen.formula(clocks, props, gen.rng.randint(1, 3))
        with open("f.tctl", "w") as out:
            out.write(f + "\n")
        with open("c.tctl", "w") as out:
            out.write("init and not (%s)\n" % f)
        try:
            done, found = check(r, f, n, names)
        except subprocess.TimeoutExpired as e:
            done, found = 0, ["round %d formula %r: %s did not finish within 120 s" % (r, f, " ".join(e.cmd[1:]))]
        checked += done
        disagreements += len(found)
        for line in found:
            print(line)
        if found:
            keep(r, k)
print("%d formulas checked, %d disagreements" % (checked, disagreements))
