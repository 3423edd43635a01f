#!/usr/bin/env python3
"""Random cross-check of "-forw -abs lu" formulas against the backward evaluator.

For random timed graphs (two clocks, disjunctive guards and invariants,
resets, INIT on some location) and random reachability and invariance
formulas, the verdict line of "varnok -forw -abs lu -f m 'init and ED p'"
(or 'init impl AB q') must agree with the backward evaluation of
'init impl not ED p' (or 'init impl AB q'), whose .eval is "true" exactly
when the reachability fails (or the invariance holds).

Mode "network": the same on networks of two or three graphs (synchronised
and plain labels), the backward evaluator run on the network.

Mode "limits": one graph or a network with constants up to 16382, diagonal
constraints, long waits and a clock that is never reset (past the largest
constant on long runs); every search of "-R goal" (breadth- and depth-first,
exact and -abs lu, -ax where no diagonal constraint makes it inexact) and
-forw -abs lu on both shapes against the backward evaluator. The other
clocks are reset only while the never reset one is at most B, and the
constants are at most 16382 - B, so that every exact bound of a zone stays
representable.

usage: forw_lu_random.py VARNOK ROUNDS SEED [graph|network|limits]
(run in an empty directory). VARNOK_RANDOM_FACTOR=N runs N times as many
rounds in the network and limits modes.
Prints one line per disagreement (the models kept in failure_K/) and a
closing count line.
"""
import os
import random
import shutil
import subprocess
import sys

varnok, rounds, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
MODE = sys.argv[4] if len(sys.argv) > 4 else "graph"
# The network and limits modes run FACTOR times as many rounds.
FACTOR = int(os.environ.get("VARNOK_RANDOM_FACTOR", "1"))
# limits: the share of checks (percent) that must not stop at a state limit.
MIN_DECIDED = 60
rng = random.Random(seed)
TOP = os.getcwd()
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


def graph_mode():
    """One graph of two clocks and small constants: -forw -abs lu against the backward evaluator."""
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
    return 1 if bad else 0


def verdict_of(args, timeout=60):
    """(answer, text): answer True/False from a "Reachability:" or "***" line,
    None for a search stopped at its state limit, "status N" otherwise."""
    try:
        done = subprocess.run([varnok] + args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)
    except subprocess.TimeoutExpired:
        return "timed out", ""
    out = done.stdout.decode(errors="replace")
    if "internal error" in out or done.returncode not in (1, 255):
        return "status %d" % done.returncode, out
    if (done.returncode == 255 and "too many symbolic states" in out) or "INCOMPLETE" in out \
            or "part of state space explored" in out:
        return None, out
    for line in out.splitlines():
        if ("Reachability: TRUE." in line or "*** TRUE ***" in line or "Reachability successful" in line
                or "Initial states satisfy reachability formula" in line):
            return True, out
        if "Reachability: FALSE." in line or "*** FALSE ***" in line or "Reachability failed." in line:
            return False, out
    return "status %d, no verdict" % done.returncode, out


def backward_unreachable(names, goal, timeout=60):
    """True when the backward evaluator says no initial state reaches the goal,
    None when it does not end within the timeout."""
    if os.path.exists("_form.eval"):
        os.remove("_form.eval")
    if verdict_of(["-f"] + names + ["init impl not ED (%s)" % goal], timeout)[0] == "timed out":
        return None
    with open("_form.eval") as f:
        return f.read().strip() == "true"


def keep(tag, names, what):
    """Keeps the models of a disagreement in ../tag (the round's directory is removed)."""
    tag = os.path.join("..", tag)
    os.makedirs(tag, exist_ok=True)
    for name in names:
        shutil.copy(name + ".tg", tag)
    with open(os.path.join(tag, "README"), "a") as f:
        f.write(what + "\n")


def round_dir(k):
    """Each round writes and compiles its models in a directory of its own."""
    os.chdir(TOP)
    if os.path.isdir("round"):
        shutil.rmtree("round")
    os.makedirs("round")
    os.chdir("round")


class Net:
    """Networks of two or three graphs, or one graph (single), with labels
    that synchronise, plain labels and resets. In limits mode the constants
    go up to K, diagonal constraints appear, and each graph has a clock Y
    that is never reset; the other clocks are reset (or copied) only while
    Y <= B, so every difference between two clocks stays within B and every
    exact bound of a zone within B + K <= 16382."""

    def __init__(self, limits, B=0, K=4):
        self.limits, self.B, self.K = limits, B, K
        self.diagonals = False

    def const(self):
        k = rng.random()
        if not self.limits or k < 0.3:
            return rng.randint(0, 4)
        if k < 0.65:
            return self.K - rng.randint(0, 3)
        return rng.randint(0, self.K)

    def atom(self, clocks):
        if self.limits and len(clocks) > 1 and rng.random() < 0.3:
            self.diagonals = True
            x, y = rng.sample(clocks, 2)
            k = rng.random()
            d = (rng.randint(-4, 4) if k < 0.4 else rng.choice([-1, 1]) * (self.B - rng.randint(0, 2)) if k < 0.7
                 else rng.randint(-self.B, self.B) if k < 0.95 else rng.choice([-1, 1]) * self.const())
            rel = rng.choice(["<", "<=", ">", ">="])
            if d < 0:  # formulas take no negative constant
                x, y, rel, d = y, x, {"<": ">", "<=": ">=", ">": "<", ">=": "<="}[rel], -d
            return "%s - %s %s %d" % (x, y, rel, d)
        return "%s %s %d" % (rng.choice(clocks), rng.choice(["<", "<=", ">", ">=", "="]), self.const())

    def guard(self, clocks):
        k = rng.random()
        if k < 0.25:
            return "true"
        if k < 0.55:
            return self.atom(clocks)
        if k < 0.8:
            return "%s and %s" % (self.atom(clocks), self.atom(clocks))
        return "(%s) or (%s)" % (self.atom(clocks), self.atom(clocks))

    def invariant(self, clocks):
        k = rng.random()
        if k < 0.4:
            return "true"
        bound = lambda: "%s <= %d" % (rng.choice(clocks), max(1, self.const()))
        if k < 0.85:
            return bound()
        return "(%s) or (%s)" % (bound(), bound())

    def graph(self, a, single, sync):
        """Text of graph a and its clocks."""
        if single:
            never, reset = "Y", ["X", "Z"][:rng.randint(1, 2)]
        else:
            never, reset = "Y%d" % a, ["X%d" % a, "Z%d" % a][:rng.randint(1, 2)]
        clocks = reset + [never] if self.limits else reset
        n = rng.randint(2, 4)
        trans = []
        for l in range(n):
            for _ in range(rng.randint(1, 3)):
                g = self.guard(clocks)
                labels = []
                r = rng.random()
                if sync and r < 0.45:
                    labels.append(rng.choice(sync))
                elif r < 0.7:
                    labels.append("L%d" % a)
                resets = [c for c in reset if rng.random() < 0.4]
                copy = ""
                if self.limits and rng.random() < 0.1:
                    x = rng.choice(reset)
                    copy = " %s := %s" % (x, rng.choice([c for c in clocks if c != x]))
                if self.limits and (resets or copy):
                    g = "%s <= %d" % (never, self.B) if g == "true" else "(%s) and %s <= %d" % (g, never, self.B)
                trans.append((l, g, " ".join(labels), "reset{ %s }%s" % (" ".join(resets), copy), rng.randrange(n)))
        init = rng.randrange(n) if rng.random() < 0.3 else None
        lines = ["#states %d" % n, "#trans %d" % len(trans), "#clocks %d" % len(clocks), " ".join(clocks)]
        if sync:
            lines.append("#sync %s" % " ".join(sync))
        lines.append("")
        for l in range(n):
            props = "P%d%d%s" % (a, l, " INIT" if l == init else "")
            lines += ["state: %d" % l, "prop: %s" % props, "invar: %s" % self.invariant(clocks), "trans:"]
            lines += ["%s => %s ; %s ; goto %d" % (g, lab, r, d) for s, g, lab, r, d in trans if s == l]
            lines.append("")
        return "\n".join(lines) + "\n", clocks, n

    def write(self, single):
        """Writes g0.tg (and g1, g2) and returns their names, the clocks and
        the numbers of locations."""
        count = 1 if single else rng.randint(2, 3)
        sync = [] if single else (["S"] if rng.random() < 0.6 else ["S", "U"])
        names, clocks, sizes = [], [], []
        for a in range(count):
            text, own, n = self.graph(a, single, sync)
            names.append("g%d" % a)
            with open("g%d.tg" % a, "w") as f:
                f.write(text)
            clocks += own
            sizes.append(n)
        return names, clocks, sizes

    def goal(self, clocks, sizes):
        a = rng.randrange(len(sizes))
        g = "P%d%d" % (a, rng.randrange(sizes[a]))
        if len(sizes) > 1 and rng.random() < 0.5:
            b = rng.choice([b for b in range(len(sizes)) if b != a])
            g += " and P%d%d" % (b, rng.randrange(sizes[b]))
        if clocks and rng.random() < 0.6:
            g += " and %s" % self.atom(clocks)
        return g


def network_mode():
    """Networks with small constants: -forw -abs lu on the network against
    the backward evaluator on the network, for reachability and invariance."""
    gen = Net(False)
    bad = checks = 0
    for k in range(rounds * FACTOR):
        round_dir(k)
        names, clocks, sizes = gen.write(False)
        goal = gen.goal(clocks, sizes)
        unreachable = backward_unreachable(names, goal)
        for forw, true_when_unreachable in (("init and ED (%s)" % goal, False),
                                            ("init impl AB not (%s)" % goal, True)):
            answer, out = verdict_of(["-forw", "-abs", "lu", "-f"] + names + [forw])
            checks += 1
            if answer is not (unreachable == true_when_unreachable):
                bad += 1
                print("round %d: %r on %s gives %s, backward %s" % (k, forw, " ".join(names), answer,
                                                                   "unreachable" if unreachable else "reachable"))
                keep("failure_%d" % k, names, forw)
    round_dir(0)
    print("%d checks on networks, %d disagreements" % (checks, bad))
    return 1 if bad else 0


# Every search of a reachability goal: breadth-first and depth-first, exact
# and -abs lu; -ax only where it is exact (no diagonal constraint); the
# forward evaluator of -abs lu on both shapes. Depth-first search without an
# abstraction keeps no visited zones: it is bounded on networks.
# -abs lu without extrapolation (diagonal constraints) explores every zone
# that the long waits make: its searches are held to a number of states.
LU = ["-alu", "-FORW", "5000"]


def searches(diagonals, single):
    plain = [[], ["-DFS"] if single else ["-DFS", "-STACK", "8"], LU, LU + ["-DFS"]]
    if not diagonals:
        plain.append(["-ax"])
    return plain


def limits_mode():
    """One graph or a network, constants up to 16382, diagonal constraints,
    long waits, a clock never reset: every search, the forward evaluator of
    -abs lu and the backward evaluator agree."""
    bad = checks = stopped = reached = slow = 0
    for k in range(rounds * FACTOR):
        B = rng.choice([2, rng.randint(3, 200), rng.randint(200, 8000)])
        gen = Net(True, B, 16382 - B)
        round_dir(k)
        single = rng.random() < 0.5
        names, clocks, sizes = gen.write(single)
        goal = gen.goal(clocks if single else [], sizes)
        diagonals = gen.diagonals
        # Many large zones can make the backward fixpoint slow (a network of
        # six clocks with long loops): such a round is left out.
        unreachable = backward_unreachable(names, goal, 20)
        if unreachable is None:
            slow += 1
            continue
        reached += not unreachable
        runs = [(s + ["-R", goal] + names, s, not unreachable) for s in searches(diagonals, single)]
        runs += [(["-forw", "-abs", "lu", "-FORW", "5000", "-f"] + names + ["init and ED (%s)" % goal], "ED",
                  not unreachable),
                 (["-forw", "-abs", "lu", "-FORW", "5000", "-f"] + names + ["init impl AB not (%s)" % goal], "AB",
                  unreachable)]
        for args, what, expected in runs:
            answer, out = verdict_of(args)
            checks += 1
            if answer is None:
                stopped += 1
            elif answer is not expected:
                bad += 1
                print("round %d: varnok %s gives %s, backward %s" % (k, " ".join(args), answer,
                                                                    "unreachable" if unreachable else "reachable"))
                keep("failure_%d" % k, names, " ".join(args))
    round_dir(0)
    print("%d checks near the constant limit (%d of %d goals reachable, %d left to a slow backward evaluation), "
          "%d stopped at the state limit, %d disagreements" % (checks, reached, rounds * FACTOR, slow, stopped, bad))
    if checks - stopped < MIN_DECIDED * checks // 100:
        print("fewer than %d%% of the checks decided" % MIN_DECIDED)
        return 1
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit({"graph": graph_mode, "network": network_mode, "limits": limits_mode}[MODE]())
