#!/usr/bin/env python3
"""Random cross-check of -reachable against the whole model.

For random networks of two or three small timed graphs, and random single
graphs (the generators of network_random.py), and random formulas over
every operator, the verdict of "varnok -q -verdict [-Inv] -reachable ..."
must be the verdict of the same run without -reachable: for the formula
itself, and for the formula looked at in every reachable state
("init impl AB (f)", "init impl ED (f)"). Then, location by location (the
locations found by their vector comment, or their number on one graph),
every zone of the -reachable .eval must lie in a location the whole run
also satisfies somewhere (a block of the -reachable .eval where the whole
one is empty is a disagreement).

usage: reachable_random.py VARNOK ROUNDS SEED   (run in an empty directory)
VARNOK_RANDOM_FACTOR=N runs N times as many rounds. Prints one line per
disagreement and a closing count line; exits 1 on a disagreement.
"""
import os
import random
import re
import shutil
import subprocess
import sys

sys.dont_write_bytecode = True  # keeps the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import network_random as gen  # noqa: E402

varnok, rounds, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rounds *= int(os.environ.get("VARNOK_RANDOM_FACTOR", "1"))
gen.rng = random.Random(seed)
rng = gen.rng


def verdict(args):
    """The verdict line and status, or "error" when the run ends in an error
    (status 2: a name no graph carries, a label no other graph takes)."""
    try:
        done = subprocess.run([varnok, "-q", "-verdict"] + args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=120)
    except subprocess.TimeoutExpired:
        return "timed out"
    if done.returncode == 2:
        return "error"
    lines = done.stdout.decode(errors="replace").strip().split("\n")
    return "%s (status %d)" % (lines[-1], done.returncode)


def read_eval(name):
    """The text of name.eval, stripped, or None when there is none."""
    try:
        with open(name + ".eval") as e:
            return e.read().strip()
    except FileNotFoundError:
        return None


def on_written_product(names, part_text):
    """The .eval of -reachable on a network, renumbered as the written
    product prod.tg (written here) numbers its locations, through the
    vector comments; None when the product cannot be written."""
    run(["-out", "prod"] + names)
    try:
        with open("prod.tg") as g:
            numbers = dict((v, k) for k, v in re.findall(r"^state: (\d+)\t/\* vector state: <([^>]*)> \*/", g.read(), re.M))
    except FileNotFoundError:
        return None

    def renumber(m):
        return "state(%s) and (" % numbers[m.group(1)]

    return re.sub(r"state\(\d+\) and \(\t/\* vector state: <([^>]*)> \*/", renumber, part_text)


def zone_check(inv, names, f, part_text):
    """The .eval E of -reachable, numbered as the locations of the graph
    (one graph: its own; a network: its written product), read back as a
    formula: E and not f must be empty everywhere, and no reachable state
    may satisfy f outside E. The problems found (none when a check run ends
    in an error)."""
    with open("inside.tctl", "w") as out:
        out.write("(%s) and not (%s)\n" % (part_text, f))
    run(names + ["inside"])
    extra = read_eval("inside")
    with open("cover.tctl", "w") as out:
        out.write("init impl AB not ((%s) and not (%s))\n" % (f, part_text))
    cover = verdict(inv + names + ["cover"])
    problems = []
    if extra not in (None, "false"):
        problems.append("%r: the -reachable .eval holds states where the formula does not" % f)
    if cover.startswith("HOLDS false"):
        problems.append("%r: a reachable state satisfies the formula outside the -reachable .eval" % f)
    return problems


def run(args):
    try:
        subprocess.run([varnok] + args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    except subprocess.TimeoutExpired:
        pass  # no .eval: nothing to compare


def satisfied_locations(name, network):
    """The locations with a non-empty block in name.eval (removed), by their
    vector (network) or number; None when no file was written."""
    try:
        with open(name + ".eval") as f:
            text = f.read()
    except FileNotFoundError:
        return None
    os.remove(name + ".eval")
    if text.strip() == "true":
        return "every location"
    if network:
        return set(re.findall(r"/\* vector state: <([^>]*)> \*/", text))
    return set(re.findall(r"state\((\d+)\)", text))


checked = disagreements = errors = 0
for r in range(rounds):
    # A network where a label finds no partner is an error under -verdict:
    # drawn again.
    for _ in range(20):
        n = 1 if rng.random() < 0.3 else rng.randint(2, 3)
        sync = ["S"] if rng.random() < 0.7 else ["S", "U"]
        names, clocks = [], []
        for a in range(n):
            text, own = gen.automaton(a, sync, a > 0)
            with open("g%d.tg" % a, "w") as f:
                f.write(text)
            names.append("g%d" % a)
            clocks += own
        if verdict(["-f"] + names + ["true"]) != "error":
            break
    props = ["P0", "Q0", "R", "INIT"] + (["P1", "Q1"] if n > 1 else [])
    for k in range(3):
        # So is a formula naming a proposition or label that no graph has.
        for _ in range(10):
            f = gen.formula(clocks, props, rng.randint(1, 3))
            if verdict(["-f"] + names + [f]) != "error":
                break
        inv = ["-Inv"] if rng.random() < 0.25 else []
        problems = []
        for shape in ["%s", "init impl AB (%s)", "init impl ED (%s)"]:
            text = shape % f
            whole = verdict(inv + ["-f"] + names + [text])
            part = verdict(inv + ["-reachable", "-f"] + names + [text])
            if whole == "error" == part or "timed out" in (whole, part):
                errors += 1
                continue
            checked += 1
            if whole != part:
                problems.append("%r: %s without -reachable, %s with it" % (text, whole, part))
        # The .eval of the formula itself, written by the last two runs of
        # the first shape again.
        with open("f.tctl", "w") as out:
            out.write(f + "\n")
        run(inv + names + ["f"])
        whole = satisfied_locations("f", n > 1)
        run(inv + ["-reachable"] + names + ["f"])
        part_text = read_eval("f")
        part = satisfied_locations("f", n > 1)
        if part_text not in (None, "true", "false"):
            if n == 1:
                problems += zone_check(inv, names, f, part_text)
            else:
                written = on_written_product(names, part_text)
                if written is not None:
                    problems += zone_check(inv, ["prod"], f, written)
        if whole is None or part is None or "every location" in (whole, part):
            pass
        elif not part <= whole:
            problems.append("%r: -reachable satisfies locations %s that the whole model does not" %
                            (f, sorted(part - whole)))
        for p in problems:
            disagreements += 1
            print("round %d %s" % (r, p))
        if problems:
            keep = "disagreement_%d_%d" % (r, k)
            os.makedirs(keep, exist_ok=True)
            for name in names:
                shutil.copy(name + ".tg", keep)
            with open(os.path.join(keep, "formula"), "w") as out:
                out.write(" ".join(inv) + " " + f + "\n")
print("%d verdicts compared, %d disagreements (%d runs ended in an error both ways or timed out)" %
      (checked, disagreements, errors))
sys.exit(1 if disagreements else 0)
