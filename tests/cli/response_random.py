#!/usr/bin/env python3
"""Random bounded-response formulas whose runs are replayed.

usage: response_random.py SEED ROUNDS MIN_RUNS   (varnok on PATH, run in an
empty directory)

Each round writes one random timed graph or a network of two (the
generator of random_tg.py) and evaluates "init impl AB (P impl AD{<=K} Q)"
(or AD{<K}) with -run -verdict for a few random P (a proposition, maybe with
a clock bound) and Q (propositions and Boolean connectives): a formula that
fails must get a run, one that holds none. Every run written is replayed by
run_replay.py against the .tg text (a network: against the product that
varnok writes for it, whose locations the run names): P at the switch, Q
nowhere within K time units after it, the end more than K (at least K) time
units later.

Prints one line per failure (the models are kept in failure_R_K/), then
"replayed N runs (T transitions), H holding, C beyond the state limit, S
networks skipped, F failures" (a network is skipped when a synchronisation
label is left on no transition of a graph); exits 1 on a failure or when fewer than MIN_RUNS runs were
replayed.
"""
import os
import random
import re
import shutil
import sys

sys.dont_write_bytecode = True  # keeps the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import random_tg  # noqa: E402
import run_replay  # noqa: E402

def premise(rng, gen, clocks, props):
    p = rng.choice(props)
    if clocks and rng.random() < 0.3:
        return "%s and %s" % (p, gen.atom(clocks, low=0))
    return p


def response(rng, props):
    q = rng.choice(props)
    k = rng.random()
    if k < 0.5 or len(props) == 1:
        return q
    if k < 0.75:
        return "%s or %s" % (q, rng.choice(props))
    return "not %s" % q


def main():
    seed, rounds, min_runs = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(seed)
    gen = random_tg.Generator(rng)
    runs = moves = holding = cut = failures = skipped = 0
    top = os.getcwd()
    for r in range(rounds):
        work = os.path.join(top, "round%d" % r)
        os.makedirs(work)
        os.chdir(work)
        # Networks of two graphs: the backward evaluation of a product of
        # three can take seconds.
        n = 1 if rng.random() < 0.5 else 2
        sync = [] if n == 1 else (["S"] if rng.random() < 0.6 else ["S", "U"])
        names = []
        for a in range(n):
            text, _, _ = gen.graph(a, sync, a > 0)
            names.append("g%d" % a)
            with open("g%d.tg" % a, "w") as f:
                f.write(text)
        # The run of a network names the locations of its product.
        replayed = names
        if n > 1:
            random_tg.varnok(["-out", "prod"] + names)
            replayed = ["prod"]
        system = run_replay.System([run_replay.read_graph(g) for g in replayed])
        props = sorted(set(p for g in system.graphs for l in g.locs for p in l.props)) or ["INIT"]
        # INIT in a formula is the initial condition, clocks at 0: not a
        # location formula. (state(n) on a network means every automaton at
        # n, which the product the run is replayed on does not say.)
        responses = [p for p in props if p != "INIT"] or ["state(0)" if n == 1 else "not true"]
        for k in range(3):
            p, q = premise(rng, gen, system.clock_names, props), response(rng, responses)
            rel, bound = rng.choice(["<=", "<=", "<"]), rng.randint(0 if k else 1, 5)
            formula = "init impl AB ((%s) impl AD{%s%d} (%s))" % (p, rel, bound, q)
            if os.path.exists("_run.reach"):
                os.remove("_run.reach")
            status, out = random_tg.varnok(["-run", "-verdict", "-f"] + names + [formula])
            verdict = re.search(r"^HOLDS (true|false)$", out or "", re.M)
            problem = None
            if status == 2 and "carries its synchronisation label" in out:
                # A label that no transition of a graph keeps: no network.
                skipped += 1
                break
            # -verdict: status 0 when the formula holds, 1 when it fails.
            if status not in (0, 1) or "internal error" in out or verdict is None or \
                    status != (0 if verdict.group(1) == "true" else 1):
                problem = "varnok ended with status %s" % status
            elif "stopped at" in out:
                cut += 1
            elif verdict.group(1) == "true":
                holding += 1
                if os.path.exists("_run.reach"):
                    problem = "a run written for a formula that holds"
            elif not os.path.exists("_run.reach"):
                problem = "no run for a formula that fails"
            else:
                replay = run_replay.Replay(system, None, False, None,
                                           (run_replay.Goal(p, system), run_replay.Goal(q, system), rel == "<=",
                                            run_replay.Fraction(bound)))
                try:
                    replay.file("_run.reach")
                    runs += replay.runs
                    moves += replay.moves
                except run_replay.ReplayError as e:
                    problem = str(e)
            if problem is not None:
                failures += 1
                keep = os.path.join(top, "failure_%d_%d" % (r, k))
                shutil.copytree(work, keep)
                with open(os.path.join(keep, "formula"), "w") as f:
                    f.write(formula + "\n")
                print("round %d, %s on %s: %s" % (r, formula, " ".join(names), problem))
        os.chdir(top)
        shutil.rmtree(work)
    print("replayed %d runs (%d transitions), %d holding, %d beyond the state limit, %d networks skipped, "
          "%d failures" % (runs, moves, holding, cut, skipped, failures))
    return 1 if failures or runs < min_runs else 0


if __name__ == "__main__":
    sys.exit(main())
