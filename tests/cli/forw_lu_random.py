#!/usr/bin/env python3
"""Random cross-check of "-forw -abs lu" formulas against the backward evaluator.

For random timed graphs (two clocks, disjunctive guards and invariants,
resets, INIT on some location) and random reachability and invariance
formulas, the verdict line of "varnok -forw -abs lu -f m 'init and ED p'"
(or 'init impl AB q') must agree with the backward evaluation of
'init impl not ED p' (or 'init impl AB q'), whose .eval is "true" exactly
when the reachability fails (or the invariance holds).

usage: forw_lu_random.py VARNOK ROUNDS SEED   (run in an empty directory)
Prints one line per disagreement and a closing count line.
"""
import random
import subprocess
import sys

varnok, rounds, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rng = random.Random(seed)
CLOCKS = ["X", "Y"]


def atom():
    return "%s %s %d" % (rng.choice(CLOCKS), rng.choice(["<", "<=", ">", ">=", "="]), rng.randint(0, 4))


def guard():
    k = rng.random()
    if k < 0.3:
        return "true"
    if k < 0.6:
        return atom()
    if k < 0.8:
        return "%s and %s" % (atom(), atom())
    return "(%s) or (%s)" % (atom(), atom())


def model(n):
    trans = [(l, guard(), rng.choice(["reset{ X }", "reset{ Y }", "", "reset{ X Y }"]), rng.randrange(n))
             for l in range(n) for _ in range(rng.randint(1, 2))]
    lines = ["#states %d" % n, "#trans %d" % len(trans), "#clocks 2", "X Y", ""]
    for l in range(n):
        inv = rng.choice(["true", "true", "X <= %d" % rng.randint(2, 5), "(Y <= 3) or (X >= 2)"])
        lines += ["state: %d" % l, "prop: P%d" % l, "invar: %s" % inv, "trans:"]
        lines += ["%s => ; %s ; goto %d" % (g, r, d) for s, g, r, d in trans if s == l]
        lines.append("")
    return "\n".join(lines) + "\n"


def run(args):
    return subprocess.run([varnok] + args, capture_output=True, text=True).stdout


bad = checks = 0
for k in range(rounds):
    n = rng.randint(2, 5)
    with open("m.tg", "w") as f:
        f.write(model(n))
    p = "P%d and %s" % (rng.randrange(n), atom())
    if rng.random() < 0.5:
        forw, back, holds_when_true = "init and ED (%s)" % p, "init impl not ED (%s)" % p, False
    else:
        forw, back, holds_when_true = "init impl AB not (%s)" % p, "init impl AB not (%s)" % p, True
    out = run(["-forw", "-abs", "lu", "-f", "m", forw])
    line = [l for l in out.splitlines() if "***" in l]
    run(["-f", "m", back])
    with open("_form.eval") as f:
        back_true = f.read().strip() == "true"
    checks += 1
    expected = "TRUE" if back_true == holds_when_true else "FALSE"
    if len(line) != 1 or ("*** %s ***" % expected) not in line[0]:
        bad += 1
        print("round %d: %r gives %s, backward %s" % (k, forw, line, expected))
        with open("failure_%d.tg" % k, "w") as f, open("m.tg") as g:
            f.write(g.read())
print("%d checks, %d disagreements" % (checks, bad))
