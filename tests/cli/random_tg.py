#!/usr/bin/env python3
"""Random timed graphs and networks whose witnesses are replayed.

usage: random_tg.py SEED ROUNDS MIN_RUNS [limits]
(varnok on PATH, run in an empty directory)

With "limits", the constants go up to 16382 - B, diagonal constraints are
more frequent and each graph has a clock that is never reset, the others
being reset only while it is at most B: long waits and clock values past
the largest constant, every exact bound still representable.
VARNOK_RANDOM_FACTOR=N then runs N times as many rounds.

Each round writes, in a directory of its own, either one timed graph or a
network of two or three (clocks of their own, sometimes a clock name that
two graphs share and the product renames, synchronisation labels and plain
ones, disjunctive guards and invariants, diagonal constraints, resets and
copies, INIT on some locations), picks random goals over the propositions
and clocks, and runs "varnok -run" reachability on them in several searches
(and, on one graph, the forward search of "init and (cond EU goal)").
A reachability search that reaches its goal must write a run, one that
does not must write none.
Every _run.reach written is replayed by run_replay.py against the .tg text,
with the goal checked at the last moment (and the condition at every earlier
one).

Prints one line per failure (the models are kept in failure_R_K/), then
"replayed N runs (T transitions), S searches without witness, C beyond the
state limit, F failures";
exits 1 on a failure or when fewer than MIN_RUNS runs were replayed.
"""
import os
import random
import shutil
import subprocess
import sys

sys.dont_write_bytecode = True  # keeps the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import run_replay  # noqa: E402

# -abs lu without extrapolation (diagonal constraints) need not end: its
# searches are held to a number of states.
LU = ["-alu", "-FORW", "3000"]
SINGLE_SEARCHES = [[], ["-DFS"], LU, ["-ax"], LU + ["-DFS"]]
# Depth-first search without an abstraction keeps no visited zones: it is
# bounded so that an unreachable goal ends quickly.
# The breadth-first searches of networks (exact and abstracted) write their
# runs too.
NETWORK_SEARCHES = [["-DFS", "-STACK", "6"], LU, LU + ["-DFS"], [], ["-ax"], ["-ai"]]
UNREACHED = ("Reachability failed", "Reachability: FALSE", "Reachability: INCOMPLETE")


class Generator:
    """Small constants; with limits, constants up to 16382 - B, more diagonal
    constraints, and in each graph a clock N that is never reset, the other
    clocks being reset or copied only while N <= B (every exact bound of a
    zone then stays within 16382)."""

    def __init__(self, rng, limits=False):
        self.rng = rng
        self.limits = limits
        self.B, self.K = 0, 4

    def const(self, low, high):
        rng = self.rng
        if not self.limits:
            return rng.randint(low, high)
        k = rng.random()
        if k < 0.3:
            return rng.randint(low, high)
        if k < 0.65:
            return self.K - rng.randint(0, 3)
        return rng.randint(max(low, 0), self.K)

    def atom(self, clocks, upper_only=False, low=-2):
        rng = self.rng
        if not upper_only and len(clocks) > 1 and rng.random() < (0.3 if self.limits else 0.15):
            x, y = rng.sample(clocks, 2)
            rel = rng.choice(["<", "<=", ">", ">="])
            d = rng.randint(low, 2)
            if self.limits and rng.random() < 0.6:
                d = rng.choice([-1, 1]) * rng.choice([self.B - rng.randint(0, 2), rng.randint(0, self.B)])
            return "%s - %s %s %d" % (x, y, rel, d)
        x = rng.choice(clocks)
        if upper_only:
            return "%s %s %d" % (x, rng.choice(["<", "<="]), max(1, self.const(1, 4)))
        rel = rng.choice(["<", "<=", ">", ">=", "="])
        c = self.const(0, 4)
        return rng.choice(["%s %s %d" % (x, rel, c), "%d %s %s" % (c, run_replay.FLIP[rel], x)])

    def conjunction(self, clocks, upper_only=False):
        return " and ".join(self.atom(clocks, upper_only) for _ in range(self.rng.randint(1, 2)))

    def guard(self, clocks):
        k = self.rng.random()
        if k < 0.3:
            return "true"
        if k < 0.6:
            return self.conjunction(clocks)
        return "(%s) or (%s)" % (self.conjunction(clocks), self.conjunction(clocks))

    def invariant(self, clocks):
        rng = self.rng
        k = rng.random()
        if k < 0.3:
            return "true"
        if k < 0.6:
            return self.conjunction(clocks, upper_only=True)
        if k < 0.9:
            return "%s or %s" % (self.conjunction(clocks, upper_only=True), self.conjunction(clocks, upper_only=True))
        # Not closed under time predecessors: varnok closes it.
        return "%s and %s >= 1" % (self.conjunction(clocks, upper_only=True), rng.choice(clocks))

    def graph(self, index, sync, shared_name):
        rng = self.rng
        n_locs = rng.randint(2, 4)
        clocks = ["C%d%d" % (index, k) for k in range(rng.randint(1, 3))]
        if shared_name and rng.random() < 0.4:
            clocks[0] = "T"  # another graph has a clock T too
        reset_ok = list(clocks)
        never = None
        if self.limits:
            never = "N%d" % index
            clocks.append(never)
        props = ["P%d" % index, "Q%d" % index, "R"]
        init_at = rng.randrange(n_locs) if rng.random() < 0.4 else None
        lines, n_trans = [], 0
        for l in range(n_locs):
            body = []
            for _ in range(rng.randint(1, 3)):
                labels = []
                r = rng.random()
                if sync and r < 0.45:
                    labels.append(rng.choice(sync))
                    if len(sync) > 1 and rng.random() < 0.15:
                        labels = list(sync)
                elif r < 0.75:
                    labels.append("L%d%d" % (index, rng.randint(0, 1)))
                resets = [c for c in reset_ok if rng.random() < 0.35]
                reset = "reset{ %s }" % " ".join(resets) if resets or rng.random() < 0.5 else ""
                copy = ""
                if len(clocks) > 1 and rng.random() < 0.2:
                    if never:
                        x = rng.choice(reset_ok)
                        y = rng.choice([c for c in clocks if c != x])
                    else:
                        x, y = rng.sample(clocks, 2)
                    copy = " %s := %s" % (x, y)
                deadline = rng.choice(["", "", "", "D: ", "E: "])
                guard = self.guard(clocks)
                if never and (resets or copy):
                    guard = "(%s) and %s <= %d" % (guard, never, self.B)
                body.append("%s%s => %s ; %s%s ; goto %d" % (deadline, guard, " ".join(labels), reset,
                                                             copy, rng.randrange(n_locs)))
                n_trans += 1
            carried = [p for p in props if rng.random() < 0.4]
            if l == init_at:
                carried.append("INIT")
            prop = "prop: %s\n" % " ".join(carried) if carried else ""
            lines.append("state: %d\n%sinvar: %s\ntrans:\n%s\n" % (l, prop, self.invariant(clocks), "\n".join(body)))
        head = "#states %d\n#trans %d\n#clocks %d\n%s\n" % (n_locs, n_trans, len(clocks), " ".join(clocks))
        if sync:
            head += "#sync %s\n" % " ".join(sync)
        return head + "\n" + "\n".join(lines), clocks, props

    def condition(self, clocks, props):
        rng = self.rng
        if rng.random() < 0.5:
            return "not %s" % rng.choice(props)
        return "%s and %s" % (self.atom(clocks, upper_only=True), self.atom(clocks, upper_only=True))

    def goal(self, clocks, props):
        rng = self.rng
        p = rng.choice(props)
        k = rng.random()
        if k < 0.45 or len(props) == 1:
            return p
        if k < 0.7 and clocks:
            return "%s and %s" % (p, self.atom(clocks, low=0))
        if k < 0.8:
            return "%s and %s" % (p, rng.choice([q for q in props if q != p]))
        return "(%s or %s) and not %s" % (p, rng.choice(props), rng.choice(props))


def varnok(args):
    try:
        done = subprocess.run(["varnok"] + args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=20)
    except subprocess.TimeoutExpired:
        return None, "timed out"
    return done.returncode, done.stdout.decode(errors="replace")


def main():
    seed, rounds, min_runs = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3])
    limits = sys.argv[4:] == ["limits"]
    if limits:
        rounds *= int(os.environ.get("VARNOK_RANDOM_FACTOR", "1"))
    rng = random.Random(seed)
    gen = Generator(rng, limits)
    runs = moves = without = cut = failures = 0
    top = os.getcwd()
    for r in range(rounds):
        if limits:
            gen.B = rng.choice([2, rng.randint(3, 200), rng.randint(200, 8000)])
            gen.K = 16382 - gen.B
        work = os.path.join(top, "round%d" % r)
        os.makedirs(work)
        os.chdir(work)
        n = 1 if rng.random() < 0.4 else rng.randint(2, 3)
        sync = [] if n == 1 else (["S"] if rng.random() < 0.6 else ["S", "U"])
        names, clocks, props = [], [], ["INIT"]
        for a in range(n):
            text, own, p = gen.graph(a, sync, a > 0)
            names.append("g%d" % a)
            with open("g%d.tg" % a, "w") as f:
                f.write(text)
            props += p
            clocks += own
        system = run_replay.System([run_replay.read_graph(g) for g in names])
        clocks = system.clock_names
        props = sorted(set(p for g in system.graphs for l in g.locs for p in l.props)) or ["INIT"]
        searches = SINGLE_SEARCHES if n == 1 else NETWORK_SEARCHES
        starts = [[g.initial[0] for g in system.graphs]]
        zero = [0] * (len(clocks) + 1)
        for k in range(3):
            # A goal that holds at the start makes an empty run: draw again.
            for _ in range(10):
                # The network searches take propositions only.
                goal = gen.goal(clocks if n == 1 else [], props)
                if not run_replay.Goal(goal, system).holds(starts[0], zero):
                    break
            # On one graph, also the witness of "cond EU goal" (forward search).
            cond = gen.condition(clocks, props) if n == 1 else None
            for search in searches + ([None] if cond else []):
                if os.path.exists("_run.reach"):
                    os.remove("_run.reach")
                if search is None:
                    search = ["-forw", "-f"]
                    status, out = varnok(["-run", "-forw", "-f"] + names + ["init and ((%s) EU (%s))" % (cond, goal)])
                else:
                    status, out = varnok(["-run"] + search + ["-R", goal] + names)
                problem = None
                if status == 255 and "too many symbolic states" in out:
                    cut += 1  # an exact search beyond its state limit
                elif status is None or status not in (1,) or "internal error" in out:
                    problem = "varnok ended with status %s" % status
                elif search[:1] != ["-forw"] and any(u in out for u in UNREACHED) == os.path.exists("_run.reach"):
                    # A goal reached gets its run, one not reached none.
                    problem = "a run written for a goal not reached" if os.path.exists("_run.reach") else \
                        "no run for a goal reached"
                elif os.path.exists("_run.reach"):
                    replay = run_replay.Replay(system, run_replay.Goal(goal, system), False,
                                               run_replay.Goal(cond, system) if search[:1] == ["-forw"] else None)
                    try:
                        replay.file("_run.reach")
                        runs += replay.runs
                        moves += replay.moves
                    except run_replay.ReplayError as e:
                        problem = str(e)
                else:
                    without += 1
                if problem is not None:
                    failures += 1
                    keep = os.path.join(top, "failure_%d_%d" % (r, k))
                    os.makedirs(keep, exist_ok=True)
                    for g in names:
                        shutil.copy(g + ".tg", keep)
                    if os.path.exists("_run.reach"):
                        shutil.copy("_run.reach", keep)
                    print("round %d: varnok -run %s -R %r %s: %s"
                          % (r, " ".join(search), goal, " ".join(names), problem))
        os.chdir(top)
        shutil.rmtree(work)
    print("replayed %d runs (%d transitions), %d searches without witness, %d beyond the state limit, %d failures"
          % (runs, moves, without, cut, failures))
    if runs < min_runs:
        print("fewer than %d runs replayed" % min_runs)
    return 1 if failures or runs < min_runs else 0


if __name__ == "__main__":
    sys.exit(main())
