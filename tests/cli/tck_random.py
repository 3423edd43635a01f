#!/usr/bin/env python3
"""Random cross-check of the search on models with data (.tck).

Random models of two or three processes with one or two clocks, one or two
bounded integers (at times declared wider than the values they take),
integer guards, clock constraints whose constants are integer expressions,
if-then-else statements, clock assignments, urgent and committed locations
and synchronisation vectors (some with a weak participant). Every clock constraint is non-strict, so that integer delays
reach every location and valuation that real delays reach: the verdict of
"varnok -abs lu -R GOAL m.tck" must agree with an exploration of the states
(locations, integer values, integer clock values above every constant
merged) in integer time, written here from the semantics of the format.
The goal is one or two labels, at times a comparison of an integer and at
times a clock constraint (non-strict: integer time still reaches it). The
concrete run of a reached goal (-run) is replayed here with exact rational
clocks: its delays, edges, states and clock values, and its end must meet
the goal's clock constraint.

Mode "strict": strict clock constraints as well; the verdicts are not
compared (integer time no longer reaches everything), the runs of the
reached goals are replayed.

usage: tck_random.py VARNOK ROUNDS SEED [strict]   (run in an empty directory)
Prints one line per disagreement (the model kept in failure_K.tck) and a
closing count line.
"""
import itertools
import os
import random
import re
from fractions import Fraction
import shutil
import subprocess
import sys

varnok, rounds, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
STRICT = len(sys.argv) > 4 and sys.argv[4] == "strict"
rng = random.Random(seed)
CMAX = 4  # constants stay below; clock values past CMAX + 1 are merged
VMAX = 3  # integers range over 0..VMAX


class Model:
    pass


def gen():
    m = Model()
    m.clocks = ["x", "y"][: rng.randint(1, 2)]
    m.ints = ["a", "b"][: rng.randint(1, 2)]
    # At times declared wider than the values they take (0..VMAX): the
    # clock bounds narrowed to the values assigned must stay sound.
    m.vhi = rng.choice([VMAX, VMAX + 6])
    m.events = ["e", "f", "g"]
    m.procs = []
    for p in range(rng.randint(2, 3)):
        locs = []
        for l in range(rng.randint(2, 3)):
            kind = rng.choice(["", "", "", "urgent", "committed"]) if l else ""
            inv = None
            if rng.random() < 0.4:
                inv = "%s %s %d" % (rng.choice(m.clocks), rng.choice(["<=", "<"] if STRICT else ["<="]), rng.randint(1, CMAX))
                if rng.random() < 0.3:
                    inv = "%s <= %s + 1" % (rng.choice(m.clocks), rng.choice(m.ints))
            locs.append({"name": "L%d" % l, "kind": kind, "inv": inv, "label": "P%dL%d" % (p, l)})
        edges = []
        for _ in range(rng.randint(2, 4)):
            s, t = rng.randrange(len(locs)), rng.randrange(len(locs))
            conds = []
            if rng.random() < 0.4:
                conds.append("%s %s %d" % (rng.choice(m.ints), rng.choice(["==", "!=", "<", ">="]), rng.randint(0, VMAX)))
            if rng.random() < 0.5:
                rels = ["<=", ">=", "==", "<", ">"] if STRICT else ["<=", ">=", "=="]
                conds.append("%s %s %d" % (rng.choice(m.clocks), rng.choice(rels), rng.randint(0, CMAX)))
            if STRICT and rng.random() < 0.3:
                c = rng.choice(m.clocks)
                k = rng.randint(0, CMAX - 1)
                conds += ["%s > %d" % (c, k), "%s < %d" % (c, k + 1)]
            if rng.random() < 0.35:
                conds.append("%s %s %s + 1" % (rng.choice(m.clocks), rng.choice(["<=", ">="]), rng.choice(m.ints)))
            stmts = []
            if rng.random() < 0.5:
                stmts.append("%s = 0" % rng.choice(m.clocks))
            if rng.random() < 0.2:
                stmts.append("%s = %d" % (rng.choice(m.clocks), rng.randint(1, 2)))
            if rng.random() < 0.5:
                v = rng.choice(m.ints)
                stmts.append("if %s < %d then %s = %s + 1 else %s = 0 end" % (v, VMAX, v, v, v))
            if rng.random() < 0.3:
                stmts.append("%s = (%s * 2 + 1) %% %d" % (rng.choice(m.ints), rng.choice(m.ints), VMAX + 1))
            edges.append({"s": s, "t": t, "ev": rng.choice(m.events), "conds": conds, "do": stmts})
        m.procs.append({"name": "P%d" % p, "locs": locs, "edges": edges})
    m.syncs = []
    if rng.random() < 0.7:
        ps = rng.sample(range(len(m.procs)), 2)
        m.syncs.append([(ps[0], "f", False), (ps[1], "f", rng.random() < 0.4)])
    if rng.random() < 0.3:
        m.syncs.append([(p, "g", False) for p in range(len(m.procs))])
    return m


def write(m, path):
    out = ["system:random", "event:e", "event:f", "event:g"]
    out += ["clock:1:%s" % c for c in m.clocks]
    out += ["int:1:0:%d:0:%s" % (m.vhi, v) for v in m.ints]
    for p in m.procs:
        out.append("process:%s" % p["name"])
        for i, l in enumerate(p["locs"]):
            at = ["initial:"] if i == 0 else []
            if l["kind"]:
                at.append(l["kind"] + ":")
            if l["inv"]:
                at.append("invariant: " + l["inv"])
            at.append("labels: " + l["label"])
            out.append("location:%s:%s{%s}" % (p["name"], l["name"], " : ".join(at)))
        for e in p["edges"]:
            at = []
            if e["conds"]:
                at.append("provided: " + " && ".join(e["conds"]))
            if e["do"]:
                at.append("do: " + "; ".join(e["do"]))
            out.append("edge:%s:%s:%s:%s{%s}" % (p["name"], p["locs"][e["s"]]["name"], p["locs"][e["t"]]["name"], e["ev"],
                                                 " : ".join(at)))
    for v in m.syncs:
        out.append("sync:" + ":".join("%s@%s%s" % (m.procs[p]["name"], ev, "?" if w else "") for p, ev, w in v))
    with open(path, "w") as f:
        f.write("\n".join(out) + "\n")


# ---------------------------------------------------------------------------
# The integer-time semantics, independently of varnok.

def ev(text, env):
    py = text.replace("&&", " and ").replace("||", " or ").replace("/", "//")
    py = py.replace("!=", "<>").replace("!", " not ").replace("<>", "!=")
    return eval(py, {}, dict(env))


def run_stmts(stmts, env, clk):
    for s in stmts:
        if s.startswith("if "):
            cond, rest = s[3:].split(" then ")
            then, other = rest[: -len(" end")].split(" else ")
            run_stmts([then if ev(cond, env) else other], env, clk)
            continue
        lhs, rhs = [t.strip() for t in s.split("=", 1)]
        val = ev(rhs, env)
        if lhs in clk:
            clk[lhs] = val
        else:
            env[lhs] = val
    return env, clk


def holds(conds, env, clk):
    full = dict(env)
    full.update(clk)
    return all(ev(c, full) for c in conds)


def fire(mv, locs, env, clk):
    """The state after the move mv (its edges' guards hold, their statements
    run in order, the targets taken), or None when a guard fails."""
    if not all(holds(e["conds"], env, clk) for _, e in mv):
        return None
    env2, clk2 = dict(env), dict(clk)
    for _, e in mv:
        run_stmts(e["do"], env2, clk2)
    locs2 = list(locs)
    for p, e in mv:
        locs2[p] = e["t"]
    return locs2, env2, clk2


def inv_ok(m, locs, env, clk):
    for p, l in zip(m.procs, locs):
        inv = p["locs"][l]["inv"]
        if inv and not holds([inv], env, clk):
            return False
    return True


def moves(m, locs, env):
    synced = {(p, ev_) for v in m.syncs for p, ev_, _ in v}
    committed = any(m.procs[p]["locs"][l]["kind"] == "committed" for p, l in enumerate(locs))
    int_ok = lambda e: all(ev(c, env) for c in e["conds"] if not any(c.startswith(k) for k in m.clocks))
    out = []
    for p, pr in enumerate(m.procs):
        for e in pr["edges"]:
            if e["s"] == locs[p] and (p, e["ev"]) not in synced and int_ok(e):
                out.append([(p, e)])
    for v in m.syncs:
        lists = []
        for p, ev_, weak in v:
            c = [(p, e) for e in m.procs[p]["edges"] if e["s"] == locs[p] and e["ev"] == ev_ and int_ok(e)]
            if not c:
                if not weak:
                    break
                c = [None]
            lists.append(c)
        else:
            for combo in itertools.product(*lists):
                mv = [x for x in combo if x is not None]
                if mv:
                    out.append(mv)
    if committed:
        out = [mv for mv in out if any(m.procs[p]["locs"][locs[p]]["kind"] == "committed" for p, _ in mv)]
    return out


def reachable(m, goal_labels, goal_int, goal_clk):
    def key(locs, env, clk):
        return (tuple(locs), tuple(sorted(env.items())), tuple(sorted((c, min(v, CMAX + 1)) for c, v in clk.items())))

    env0 = {v: 0 for v in m.ints}
    clk0 = {c: 0 for c in m.clocks}
    locs0 = [0] * len(m.procs)
    if not inv_ok(m, locs0, env0, clk0):
        return False
    seen = set()
    todo = [(locs0, env0, clk0)]
    while todo:
        locs, env, clk = todo.pop()
        k = key(locs, env, clk)
        if k in seen:
            continue
        seen.add(k)
        labels = {m.procs[p]["locs"][l]["label"] for p, l in enumerate(locs)}
        if all(g in labels for g in goal_labels) and ev(goal_int, env) and holds(goal_clk, env, clk):
            return True
        clk = {c: min(v, CMAX + 2) for c, v in clk.items()}
        hurry = any(m.procs[p]["locs"][l]["kind"] for p, l in enumerate(locs))
        if not hurry:
            later = {c: v + 1 for c, v in clk.items()}
            if inv_ok(m, locs, env, later):
                todo.append((locs, env, later))
        for mv in moves(m, locs, env):
            after = fire(mv, locs, env, clk)
            if after and inv_ok(m, *after):
                todo.append(after)
    return False


def replay(m, path, goal_labels, goal_int, goal_clk):
    """None when the run of file path is one of m reaching the goal, else why."""
    lines = open(path).read().splitlines()
    state_re = re.compile(r"< (.*?) >")
    vals_re = re.compile(r"(\w+)=(-?\d+(?:/\d+)?)")

    def parse_state(text):
        parts = state_re.search(text).group(1).split(", ")
        locs, env = [], {}
        for part in parts:
            if " = " in part:
                k, v = part.split(" = ")
                env[k] = int(v)
            else:
                pname, lname = part.split(".")
                locs.append([l["name"] for l in m.procs[int(pname[1:])]["locs"]].index(lname))
        return locs, env

    def parse_vals(text):
        return {k: Fraction(v) for k, v in vals_re.findall(text)}

    locs, env = parse_state(lines[1])
    if locs != [0] * len(m.procs) or any(env.values()):
        return "bad initial state"
    clk = {c: Fraction(0) for c in m.clocks}
    if parse_vals(lines[1].split(">")[1]) != clk:
        return "initial clocks not 0"
    for line in lines[2:]:
        if line.startswith("delay "):
            d = Fraction(line.split()[1])
            hurry = any(m.procs[p]["locs"][l]["kind"] for p, l in enumerate(locs))
            if d < 0 or (d > 0 and hurry):
                return "delay %s not allowed: %s" % (d, line)
            clk = {c: v + d for c, v in clk.items()}
            if not inv_ok(m, locs, env, clk) or parse_vals(line) != clk:
                return "after the delay: " + line
            continue
        names = line.split(" -> ")[0].split()[1:]
        want_locs, want_env = parse_state(line)
        want_clk = parse_vals(line.split(" -> ")[-1])
        ok = False
        for mv in moves(m, locs, env):
            if sorted("P%d:%s->%s:%s" % (p, m.procs[p]["locs"][e["s"]]["name"], m.procs[p]["locs"][e["t"]]["name"], e["ev"])
                      for p, e in mv) != sorted(names):
                continue
            after = fire(mv, locs, env, clk)
            if not after:
                continue
            locs2, env2, clk2 = after
            if locs2 == want_locs and env2 == want_env and clk2 == want_clk and inv_ok(m, locs2, env2, clk2):
                ok = True
                break
        if not ok:
            return "no such move: " + line
        locs, env, clk = want_locs, want_env, want_clk
    labels = {m.procs[p]["locs"][l]["label"] for p, l in enumerate(locs)}
    if not (all(g in labels for g in goal_labels) and ev(goal_int, env) and holds(goal_clk, env, clk)):
        return "the run does not end in the goal"
    return None


failures = checks = runs = 0
for r in range(rounds):
    m = gen()
    write(m, "m.tck")
    goal_labels = [rng.choice(p["locs"])["label"] for p in rng.sample(m.procs, rng.randint(1, 2))]
    goal_int = "%s == %d" % (rng.choice(m.ints), rng.randint(0, VMAX)) if rng.random() < 0.5 else "1"
    goal_clk = []
    if rng.random() < 0.4:
        cmp = rng.choice(["<=", ">=", "<", ">"] if STRICT else ["<=", ">="])
        rhs = str(rng.randint(0, CMAX)) if rng.random() < 0.7 else "%s + 1" % rng.choice(m.ints)
        goal_clk = ["%s %s %s" % (rng.choice(m.clocks), cmp, rhs)]
    goal = " && ".join(goal_labels + ([goal_int] if goal_int != "1" else []) + goal_clk)
    want = None if STRICT else reachable(m, goal_labels, goal_int, goal_clk)
    for opts in ([], ["-DFS"]):
        if os.path.exists("m_run.reach"):
            os.remove("m_run.reach")
        p = subprocess.run([varnok, "-abs", "lu", "-run"] + opts + ["-R", goal, "m.tck"], capture_output=True, text=True)
        got = "Reachability successful" in p.stderr
        failed = "Full state space explored." in p.stderr
        checks += 1
        if (want is not None and got != want) or (not got and not failed):
            failures += 1
            shutil.copy("m.tck", "failure_%d.tck" % failures)
            print("round %d %s goal %s: varnok %s, integer time %s (failure_%d.tck)%s" %
                  (r, " ".join(opts), goal, got, want, failures, p.stderr.strip().splitlines()[-1:] if p.stderr else ""))
        if got:
            runs += 1
            why = replay(m, "m_run.reach", goal_labels, goal_int, goal_clk) if os.path.exists("m_run.reach") else \
                "no run written: %s" % p.stderr.strip().splitlines()[-3:]
            if why:
                failures += 1
                shutil.copy("m.tck", "failure_%d.tck" % failures)
                if os.path.exists("m_run.reach"):
                    shutil.copy("m_run.reach", "failure_%d_run.reach" % failures)
                print("round %d %s goal %s: run refused: %s (failure_%d.tck)" % (r, " ".join(opts), goal, why, failures))
print("%d checks, %d runs replayed, %d disagreements" % (checks, runs, failures))
