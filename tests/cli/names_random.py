#!/usr/bin/env python3
"""Random check that a misspelled name warns and never changes a verdict.

For random networks of two or three small timed graphs with shared
synchronisation labels and random location goals, each round misspells one
thing on purpose:
- a proposition of the goal (a name no location carries): the run must warn
  about it, and its verdict must be the one of the goal with that
  proposition replaced by "(P and not P)" for a proposition P that exists
  (false everywhere, as the unknown name is);
- a synchronisation label in one graph (declared and carried there only):
  the run must warn about it, and its verdict must be the one of the
  network in which those transitions have the guard false (a label no
  other graph declares never moves).
Both with -abs lu and with the breadth-first search.

usage: names_random.py VARNOK ROUNDS SEED   (run in an empty directory)
Prints one line per disagreement and a closing count line.
"""
import random
import subprocess
import sys

varnok, rounds, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rng = random.Random(seed)
LABELS = ["GO", "STOP", "TICK"]


def graph(a, n_locs, labels, bad_label=None, drop=None):
    """Text of graph a; transitions labelled bad_label are written with that
    label, or, when drop is set, with the guard false and no label."""
    x = "X%d" % a
    trans = []
    for l in range(n_locs):
        for _ in range(rng.randint(1, 2)):
            g = rng.choice(["true", "%s <= %d" % (x, rng.randint(0, 3)), "%s >= %d" % (x, rng.randint(0, 3))])
            lab = rng.choice(labels + [""])
            reset = rng.choice(["reset{ %s }" % x, ""])
            trans.append((l, g, lab, reset, rng.randrange(n_locs)))
    lines = ["#states %d" % n_locs, "#trans %d" % len(trans), "#clocks 1", x, "",
             "#sync " + " ".join(labels + ([bad_label] if bad_label else [])), ""]
    marked = [i for i, t in enumerate(trans) if t[2] == labels[0]]
    for l in range(n_locs):
        lines += ["state: %d" % l, "prop: P%d_%d%s" % (a, l, " INIT" if l == 0 else ""), "invar: true", "trans:"]
        for i, (src, g, lab, reset, dst) in enumerate(trans):
            if src != l:
                continue
            if bad_label and i in marked:
                if drop:
                    g, lab = "false", ""
                else:
                    lab = bad_label
            lines.append("%s => %s ; %s ; goto %d" % (g, lab, reset, dst))
        lines.append("")
    return "\n".join(lines) + "\n"


def verdict(args):
    r = subprocess.run([varnok] + args, capture_output=True, text=True)
    out = r.stdout + r.stderr
    warned = "warning: no " in out
    if "Reachability successful" in out:
        return "true", warned
    if "Reachability failed" in out:
        return "false", warned
    return "?" + out[-200:], warned


bad = 0
checks = 0
for k in range(rounds):
    n = rng.randint(2, 3)
    sizes = [rng.randint(2, 3) for _ in range(n)]
    states = rng.getstate()
    names = ["g%d" % a for a in range(n)]
    for a in range(n):
        with open(names[a] + ".tg", "w") as f:
            f.write(graph(a, sizes[a], LABELS[:2]))
    props = ["P%d_%d" % (a, l) for a in range(n) for l in range(sizes[a])]
    p, q = rng.choice(props), rng.choice(props)
    typo = p.replace("P", "PP")
    goal = "%s and %s" % (typo, q) if rng.random() < 0.5 else "%s or %s" % (typo, q)
    control = goal.replace(typo, "(%s and not %s)" % (p, p))
    for opts in (["-abs", "lu"], []):
        v1, w1 = verdict(opts + ["-R", goal] + names)
        v2, _ = verdict(opts + ["-R", control] + names)
        checks += 1
        if not w1 or v1 != v2 or v1.startswith("?"):
            bad += 1
            print("round %d %s proposition: goal %r warned %s verdict %s, control %s" % (k, opts, goal, w1, v1, v2))
    # A label misspelled in graph 0 only, against the same network with
    # those transitions disabled.
    rng2 = random.Random(seed * 1000 + k)
    texts = []
    for drop in (False, True):
        rng.setstate(states)
        texts.append([graph(a, sizes[a], LABELS[:2], bad_label="GOO" if a == 0 else None, drop=drop and a == 0)
                      for a in range(n)])
    goal = " or ".join(rng2.sample(props, 2))
    results = []
    for t in texts:
        for a in range(n):
            with open(names[a] + ".tg", "w") as f:
                f.write(t[a])
        results.append([verdict(opts + ["-R", goal] + names) for opts in (["-abs", "lu"], [])])
    for (v1, w1), (v2, _) in zip(results[0], results[1]):
        checks += 1
        if not w1 or v1 != v2 or v1.startswith("?"):
            bad += 1
            print("round %d label: goal %r warned %s verdict %s, control %s" % (k, goal, w1, v1, v2))
print("%d checks, %d disagreements" % (checks, bad))
