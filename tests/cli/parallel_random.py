#!/usr/bin/env python3
"""Random cross-check of the -abs lu search on several threads (-j N).

For random single graphs and networks of two or three graphs (the generator
of forw_lu_random.py, small constants, reachable and unreachable goals):

- "-alu -R goal" with -j 2 and -j 4 gives the verdict of -j 1;
- a goal found with -j 2 or -j 4 comes with a witness (-run) that replays
  against the models (run_replay.py, which shares nothing with varnok);
- the forward evaluator ("-forw -abs lu -f ... 'init and ED goal'") with
  -j 2 gives the verdict of -j 1;
- the simulation graph ("-forw -alu") with -j 2 holds the states its
  counts line says are stored, and every transition goes to one of them;
- a search of an unreachable goal with -j 2 and -j 4 gives the four
  counts of -j 1 (stored, explored, covered, transitions): the store sees
  the offers of the sequential search, in its order.

usage: parallel_random.py VARNOK ROUNDS SEED   (run in an empty directory)
Prints one line per disagreement (the models kept in failure_K/) and a
closing count line.
"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import forw_lu_random as lu  # noqa: E402  (reads VARNOK ROUNDS SEED from the command line)

HERE = os.path.dirname(os.path.abspath(__file__))
COUNTS = re.compile(r"abs lu: (\d+) states stored, (\d+) explored, (\d+) covered, (\d+) transitions")


def counts(out):
    m = COUNTS.search(out)
    return tuple(int(x) for x in m.groups()) if m else None


def replays(names, goal):
    """None when _run.reach replays with the goal at its end, else why not."""
    done = subprocess.run([sys.executable, os.path.join(HERE, "run_replay.py"), "--goal", goal] + names +
                          ["_run.reach"], capture_output=True, text=True)
    return None if done.returncode == 0 else (done.stdout + done.stderr).strip()


def sim_graph(names):
    """None when the .sim file of "-forw -alu -j 2" holds the states that its
    counts line says are stored, every transition to one of them; else why not."""
    done = subprocess.run([lu.varnok, "-forw", "-alu", "-j", "2"] + names, capture_output=True, text=True)
    out = done.stdout + done.stderr
    sims = [f for f in os.listdir(".") if f.endswith(".sim")]
    if len(sims) != 1 or counts(out) is None:
        return "no .sim file or no counts line (status %d)" % done.returncode
    with open(sims[0]) as f:
        text = f.read()
    os.remove(sims[0])
    states = [int(n) for n in re.findall(r"^state: (\d+)", text, re.M)]
    targets = [int(n) for n in re.findall(r"goto (\d+)", text)]
    stored = counts(out)[0]
    if states != list(range(stored)) or any(t >= stored for t in targets):
        return "%d states stored, the graph numbers %s, goes to %s" % (stored, states[:20], sorted(set(targets))[-5:])
    return None


def main():
    bad = checks = reached = 0
    for k in range(lu.rounds):
        lu.round_dir(k)
        single = lu.rng.random() < 0.4
        gen = lu.Net(False)
        names, clocks, sizes = gen.write(single)
        goal = gen.goal(clocks if single else [], sizes)

        def disagree(what):
            nonlocal bad
            bad += 1
            print("round %d (%s): %s" % (k, " ".join(names), what))
            lu.keep("failure_%d" % k, names, "%s: %s" % (goal, what))

        base, base_out = lu.verdict_of(["-alu", "-R", goal] + names)
        if base not in (True, False):
            disagree("-j 1 gives %s" % base)
            continue
        reached += base
        for jobs in ("2", "4"):
            answer, out = lu.verdict_of(["-alu", "-j", jobs, "-run", "-R", goal] + names)
            checks += 1
            if answer is not base:
                disagree("-R %r: -j %s gives %s, -j 1 %s" % (goal, jobs, answer, base))
                continue
            if base is False and counts(out) != counts(base_out):
                disagree("-R %r: -j %s counts %s, -j 1 %s" % (goal, jobs, counts(out), counts(base_out)))
            if base is True:
                why = replays(names, goal)
                if why is not None:
                    disagree("the witness of -j %s does not replay: %s" % (jobs, why))
                os.remove("_run.reach")
        forw = "init and ED (%s)" % goal
        answers = [lu.verdict_of(["-forw", "-abs", "lu", "-j", j, "-f"] + names + [forw])[0] for j in ("1", "2")]
        checks += 1
        if answers[0] is not answers[1]:
            disagree("%r: -j 1 gives %s, -j 2 %s" % (forw, answers[0], answers[1]))
        checks += 1
        why = sim_graph(names)
        if why is not None:
            disagree("simulation graph of -j 2: %s" % why)
    lu.round_dir(0)
    print("%d checks on -j 2 and -j 4 (%d of %d goals reachable), %d disagreements" % (checks, reached, lu.rounds, bad))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
