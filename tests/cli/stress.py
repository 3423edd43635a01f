#!/usr/bin/env python3
"""Runs cut short and runs side by side, then a clean run that must not see them.

usage: stress.py SEED SECONDS   (varnok on PATH, run in an empty directory)

Each round writes a random timed graph and two goals and takes, in a folder
of its own, the undisturbed answer of "varnok -run -R GOAL" for the first
goal (its standard output and the files it writes). In a second folder the
two questions then run at once on the same model, sometimes after an edit
that makes them compile it again, and one or both are killed with SIGKILL at
a random moment; after that a clean run of the first question must give the
same answer and the same files as the undisturbed one (those it writes: a
result it does not write may be the other question's), and no file may be
left under a temporary name by a run that ended.

Prints one line per failure (its folder is kept), then "N rounds, K runs
killed, F failures"; exits 1 on a failure.
"""
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # keeps the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import random_tg  # noqa: E402

RESULTS = ["_run.reach", "_path.reach", "_trace.reach", "m.vnk", "m.prop", "m.lab", "m.reg"]
# Lines that differ between undisturbed runs: the banner, compile messages, timings,
# and the earlier witnesses removed (those of whichever run came before).
VARYING = re.compile(r"release|creating file|updating file|already exists|reading file|syntax analysis|"
                     r"\[vnk,lab,prop,reg\]|Warning|time|[0-9]\.[0-9]+s\b|generated|attained|"
                     r"removed the earlier result")


MEMORY = re.compile(r"peak memory [0-9]+ kB")


def answer(folder, goal, search):
    p = subprocess.run(["varnok", "-run"] + search + ["-R", goal, "m"], cwd=folder, capture_output=True, text=True,
                       timeout=60)
    lines = [MEMORY.sub("", l) for l in (p.stdout + p.stderr).splitlines() if not VARYING.search(l)]
    files = {}
    for name in RESULTS:
        path = os.path.join(folder, name)
        files[name] = open(path, "rb").read() if os.path.exists(path) else None
    return p.returncode, lines, files


def main():
    seed, seconds = int(sys.argv[1]), float(sys.argv[2])
    rng = random.Random(seed)
    gen = random_tg.Generator(rng)
    end = time.monotonic() + seconds
    rounds = killed = failures = 0
    while time.monotonic() < end:
        rounds += 1
        text, clocks, props = gen.graph(0, [], False)
        goals = [gen.goal(clocks, props), gen.goal(clocks, props)]
        search = rng.choice([[], ["-DFS"], random_tg.LU])
        ref, work = "ref_%d" % rounds, "work_%d" % rounds
        for d in (ref, work):
            os.mkdir(d)
            with open(os.path.join(d, "m.tg"), "w") as f:
                f.write(text)
            old = time.time() - 3600
            os.utime(os.path.join(d, "m.tg"), (old, old))
        expected = answer(ref, goals[0], search)
        problems = []
        for _ in range(3):
            if rng.random() < 0.5:
                now = time.time()
                os.utime(os.path.join(work, "m.tg"), (now, now))  # the next runs compile again
            runs = [subprocess.Popen(["varnok", "-run"] + search + ["-R", g, "m"], cwd=work,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL) for g in goals]
            time.sleep(rng.uniform(0, 0.03))
            for p in runs:
                if rng.random() < 0.6 and p.poll() is None:
                    p.send_signal(signal.SIGKILL)
                    killed += 1
            for p in runs:
                p.wait()
            got = answer(work, goals[0], search)
            # A result the question does not write may be the other one's.
            for n in RESULTS:
                if expected[2][n] is None:
                    got[2][n] = None
            if got != expected:
                which = [n for n in RESULTS if got[2][n] != expected[2][n]]
                lines = [l for l in got[1] if l not in expected[1]] + ["/"] + [l for l in expected[1] if l not in got[1]]
                problems.append("answer differs (status %s/%s, files %s, lines %s)" %
                                (got[0], expected[0], which or "same", lines))
                break
            # A run that ended leaves no temporary: any left are those of killed runs.
            if killed == 0 and any(n.endswith(".tmp") for n in os.listdir(work)):
                problems.append("a temporary left by a run that ended")
                break
        if problems:
            failures += 1
            with open(os.path.join(work, "goals"), "w") as f:
                f.write("%s\n%s\n%s\n" % (goals[0], goals[1], " ".join(search)))
            print("seed %d round %d: %s (kept in %s)" % (seed, rounds, problems[0], work))
        else:
            shutil.rmtree(ref)
            shutil.rmtree(work)
    print("%d rounds, %d runs killed, %d failures" % (rounds, killed, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
