#!/usr/bin/env python3
"""Random cross-check of formulas on networks.

For random networks of two or three small timed graphs (clocks of their own,
sometimes a clock name shared by two graphs, synchronisation labels, plain
labels, disjunctive guards and invariants, resets and copies, INIT on some
locations) and random formulas over every operator, the evaluation of
"varnok a b [c] f" must give, location by location, the .eval text of the
evaluation of the written product "varnok a b [c]" then "varnok _out f" (the
location-vector comments of the direct run left out).

usage: network_random.py VARNOK ROUNDS SEED   (run in an empty directory)
Prints one line per disagreement and a closing count line.
"""
import os
import random
import re
import shutil
import subprocess
import sys

# The generators draw from rng; a script that imports them sets it.
rng = random.Random(0)
varnok = "varnok"


def constraint(clocks, strict_ok=True):
    x = rng.choice(clocks)
    rel = rng.choice(["<", "<=", ">", ">=", "="] if strict_ok else ["<=", ">="])
    return "%s %s %d" % (x, rel, rng.randint(0, 3))


def guard(clocks):
    k = rng.random()
    if k < 0.25:
        return "true"
    g = constraint(clocks)
    if k < 0.45:
        g = "%s and %s" % (g, constraint(clocks))
    elif k < 0.65:
        g = "(%s) or (%s)" % (g, constraint(clocks))
    return g


def invariant(clocks):
    k = rng.random()
    if k < 0.45:
        return "true"
    x = rng.choice(clocks)
    if k < 0.8:
        return "%s <= %d" % (x, rng.randint(1, 4))
    return "%s <= %d or %s <= %d" % (x, rng.randint(0, 2), rng.choice(clocks), rng.randint(2, 4))


def automaton(index, sync, shared):
    locs = rng.randint(2, 3)
    clocks = ["C%d%d" % (index, k) for k in range(rng.randint(1, 2))]
    if shared and rng.random() < 0.5:
        clocks[0] = "T"  # the same name in another graph: renamed in the product
    props = ["P%d" % index, "Q%d" % index, "R"]
    lines = []
    trans = 0
    init = rng.random() < 0.5
    for l in range(locs):
        body = []
        for _ in range(rng.randint(0, 3)):
            labels = []
            r = rng.random()
            if r < 0.4:
                labels.append(rng.choice(sync))
            elif r < 0.6:
                labels.append("L%d" % index)
            resets = " ".join(c for c in clocks if rng.random() < 0.4)
            copy = ""
            if len(clocks) == 2 and rng.random() < 0.15:
                copy = " %s:=%s" % (clocks[0], clocks[1])
            body.append("%s => %s ; reset{ %s }%s ; goto %d" %
                        (guard(clocks), " ".join(labels), resets, copy, rng.randrange(locs)))
            trans += 1
        carried = [p for p in props if rng.random() < 0.4]
        if init and l == rng.randrange(locs):
            carried.append("INIT")
        prop = "prop: %s\n" % " ".join(carried) if carried else ""
        lines.append("state: %d\n%sinvar: %s\ntrans:\n%s\n" % (l, prop, invariant(clocks), "\n".join(body)))
    text = "#states %d\n#trans %d\n#clocks %d\n%s\n#sync %s\n\n%s" % (
        locs, trans, len(clocks), " ".join(clocks), " ".join(sync), "".join(lines))
    return text, [c for c in clocks if c != "T"]


def formula(clocks, props, depth):
    if depth == 0 or rng.random() < 0.2:
        k = rng.random()
        if k < 0.5:
            return rng.choice(props)
        if k < 0.75 and clocks:
            return constraint(clocks)
        return rng.choice(["init", "true", "enable(L0)", "enable(S)"])
    sub = lambda: formula(clocks, props, depth - 1)
    bound = "{%s %d}" % (rng.choice(["<", "<=", ">", ">="]), rng.randint(0, 3))
    choices = [
        lambda: "not (%s)" % sub(),
        lambda: "(%s) and (%s)" % (sub(), sub()),
        lambda: "(%s) or (%s)" % (sub(), sub()),
        lambda: "(%s) impl (%s)" % (sub(), sub()),
        lambda: "ED (%s)" % sub(),
        lambda: "AD (%s)" % sub(),
        lambda: "EB (%s)" % sub(),
        lambda: "AB (%s)" % sub(),
        lambda: "(%s) EU (%s)" % (sub(), sub()),
        lambda: "(%s) AU (%s)" % (sub(), sub()),
        lambda: "ED%s (%s)" % (bound, sub()),
        lambda: "AB%s (%s)" % (bound, sub()),
        lambda: "(%s) AU%s (%s)" % (sub(), bound, sub()),
        lambda: "%s.(%s)" % (rng.choice(clocks), sub()) if clocks else sub(),
        lambda: "NonZeno",
    ]
    return rng.choice(choices)()


def run(args):
    subprocess.run([varnok] + args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)


def result(name):
    """The .eval text (and removes the file) as one block per location, its
    zones sorted, the vector comments left out; None when the run wrote none."""
    try:
        with open(name + ".eval") as f:
            text = f.read()
    except FileNotFoundError:
        return None
    os.remove(name + ".eval")
    text = re.sub(r"\t/\* vector state: <[^>]*> \*/", "", text)
    # The zones of a location, in any order.
    blocks = []
    for block in text.split("\nor\nstate("):
        head, _, zones = block.partition("\n")
        lines = [z[:-3] if z.endswith(" or") else z.rstrip(")") for z in zones.split("\n") if z]
        blocks.append(head + "\n" + "\n".join(sorted(lines)))
    return blocks


def main():
    global varnok, rng
    varnok, rounds, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(seed)
    checked = disagreements = missing = 0
    for r in range(rounds):
        n = rng.randint(2, 3)
        sync = ["S"] if rng.random() < 0.7 else ["S", "U"]
        names, clocks = [], []
        for a in range(n):
            text, own = automaton(a, sync, a > 0)
            name = "g%d" % a
            with open(name + ".tg", "w") as f:
                f.write(text)
            names.append(name)
            clocks += own
        props = ["P0", "Q0", "P1", "Q1", "R", "INIT"]
        run(names + ["-out", "prod.tg"])
        for k in range(4):
            f = formula(clocks, props, rng.randint(1, 3))
            with open("f.tctl", "w") as out:
                out.write(f + "\n")
            run(["prod", "f"])
            written = result("f")
            run(names + ["f"])
            direct = result("f")
            checked += 1
            if written is None:
                missing += 1
            if written != direct:
                disagreements += 1
                print("round %d formula %r: the direct evaluation differs from the written product" % (r, f))
                keep = "disagreement_%d_%d" % (r, k)
                os.makedirs(keep, exist_ok=True)
                for name in names + ["f"]:
                    suffix = ".tctl" if name == "f" else ".tg"
                    shutil.copy(name + suffix, keep)
    # A formula that yields no result on the written product would make the check
    # empty: there must be none.
    print("%d formulas checked, %d disagreements, %d without a result" % (checked, disagreements, missing))


if __name__ == "__main__":
    main()
