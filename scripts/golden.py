#!/usr/bin/env python3
"""Golden set of the model checker's observable behaviour.

Runs every bundled example under the option combinations of the README's
usage table, each in a fresh copy of examples/, and records per run its
command, standard output, standard error, exit status and every file it
wrote or changed. Two records of the same tree must be identical; a
refactoring that claims to change no behaviour compares the record of the
tree before with the record after:

    scripts/golden.py build/varnok /tmp/before
    ... change the code, rebuild ...
    scripts/golden.py build/varnok /tmp/after
    diff -r /tmp/before /tmp/after

Only what differs from one run to the next on the same binary is masked:
the build date of the banner, times in seconds, memory figures in kB and MB.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLES = os.path.join(HERE, "..", "examples")

MASKS = [
    (re.compile(rb"date \d{4}/\d\d/\d\d"), b"date DATE"),
    (re.compile(rb"\d+\.\d+s\b"), b"T.TTTs"),
    (re.compile(rb"peak memory \d+ kB"), b"peak memory N kB"),
    (re.compile(rb"\b\d+ MB\b"), b"N MB"),
    (re.compile(rb"^(time_s|cpu_s|peak_memory_kb) .*$", re.M), rb"\1 X"),
]

RAIL = ["rail_train", "rail_gate", "rail_controller"]


def cases():
    """Yields (name, argument list) for every run of the set."""
    singles = {
        "sensor": "sensor_reach_alarm",
        "train_gate": "train_gate_reach_inside",
        "fischer": "fischer_reach_both",
    }
    formulas = sorted(f[:-5] for f in os.listdir(EXAMPLES) if f.endswith(".tctl"))
    for m, reach in singles.items():
        yield f"{m}-compile", [m]
        yield f"{m}-compact", ["-compact", m]
        for f in formulas:
            if not f.startswith(m + "_") or f == reach:
                continue
            yield f"{m}-{f}", [m, f]
            yield f"{m}-h-{f}", ["-h", m, f]
            yield f"{m}-forw-{f}", ["-forw", m, f]
            yield f"{m}-forw-alu-{f}", ["-forw", "-abs", "lu", m, f]
            yield f"{m}-forw-alu-run-{f}", ["-forw", "-abs", "lu", "-run", m, f]
            yield f"{m}-forw-run-{f}", ["-forw", "-run", m, f]
            yield f"{m}-verdict-{f}", ["-verdict", m, f]
            yield f"{m}-forw-alu-verdict-{f}", ["-forw", "-alu", "-verdict", m, f]
        yield f"{m}-f", ["-f", m, "init impl NonZeno"]
        yield f"{m}-forw", ["-forw", m]
        yield f"{m}-forw-alu", ["-forw", "-abs", "lu", m]
        yield f"{m}-forw-dot", ["-forw", "-dot", m]
        yield f"{m}-forw-alu-dot", ["-forw", "-alu", "-dot", m]
        yield f"{m}-forw-FORW2", ["-forw", "-FORW", "2", m]
        yield f"{m}-forw-alu-FORW2", ["-forw", "-alu", "-FORW", "2", m]
        for opts in ([], ["-DFS"], ["-FULLDFS"], ["-ax"], ["-ai"], ["-ac"], ["-alu"], ["-alu", "-DFS"],
                     ["-run"], ["-run", "-DFS"], ["-alu", "-run"], ["-alu", "-run", "-dot"], ["-dot"],
                     ["-Inv"], ["-alu", "-Inv"], ["-verdict"], ["-alu", "-verdict"], ["-alu", "-q", "-verdict"],
                     ["-prefix", "P", "-alu", "-run"], ["-FORW", "2"], ["-alu", "-FORW", "2"],
                     ["-DFS", "-STACK", "2"]):
            tag = "".join(opts).replace("-", "_")
            yield f"{m}-r{tag}", opts + ["-r", reach + ".tctl", m]
        yield f"{m}-R-alu-false", ["-alu", "-R", "not init and init", m]
        yield f"{m}-R-false", ["-R", "not init and init", m]
    net = "rail"
    yield f"{net}-product", list(RAIL)
    yield f"{net}-product-out", ["-out", "prod", "-dot"] + RAIL
    yield f"{net}-forw", ["-forw"] + RAIL
    yield f"{net}-forw-alu", ["-forw", "-alu"] + RAIL
    yield f"{net}-forw-alu-dot", ["-forw", "-alu", "-dot"] + RAIL
    for opts in ([], ["-DFS"], ["-ax"], ["-ai"], ["-ac"], ["-alu"], ["-alu", "-DFS"], ["-run"],
                 ["-alu", "-run"], ["-alu", "-run", "-dot"], ["-verdict"], ["-alu", "-verdict"]):
        tag = "".join(opts).replace("-", "_")
        yield f"{net}-R{tag}", opts + ["-R", "INSIDE and not DOWN"] + RAIL
        yield f"{net}-R-reach{tag}", opts + ["-R", "INSIDE"] + RAIL
    for text in ("init impl AB (INSIDE impl DOWN)", "init impl ED INSIDE", "init impl AB (NEAR impl AD{<=5} INSIDE)"):
        tag = re.sub(r"\W+", "_", text)
        yield f"{net}-f-{tag}", ["-f"] + RAIL + [text]
        yield f"{net}-f-verdict-{tag}", ["-verdict", "-f"] + RAIL + [text]
        yield f"{net}-forw-alu-f-{tag}", ["-forw", "-alu", "-run", "-f"] + RAIL + [text]
    yield "usage", []
    yield "bad-option", ["-xyz", "sensor"]
    yield "missing-model", ["nosuchmodel"]
    yield "unknown-prop", ["-alu", "-R", "NOSUCH", "sensor"]


def mask(data):
    for pattern, repl in MASKS:
        data = pattern.sub(repl, data)
    return data


def snapshot(folder):
    out = {}
    for name in os.listdir(folder):
        path = os.path.join(folder, name)
        if os.path.isfile(path):
            with open(path, "rb") as f:
                out[name] = f.read()
    return out


def record(varnok, target):
    os.makedirs(target, exist_ok=True)
    for name, args in cases():
        with tempfile.TemporaryDirectory() as work:
            for f in os.listdir(EXAMPLES):
                shutil.copy(os.path.join(EXAMPLES, f), work)
            before = snapshot(work)
            proc = subprocess.run([varnok] + args, cwd=work, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                  stdin=subprocess.DEVNULL, timeout=300)
            after = snapshot(work)
            case = os.path.join(target, name)
            os.makedirs(case, exist_ok=True)
            with open(os.path.join(case, "_cmd"), "w") as f:
                f.write(" ".join(args) + "\n")
            with open(os.path.join(case, "_status"), "w") as f:
                f.write(f"{proc.returncode}\n")
            with open(os.path.join(case, "_stdout"), "wb") as f:
                f.write(mask(proc.stdout))
            with open(os.path.join(case, "_stderr"), "wb") as f:
                f.write(mask(proc.stderr))
            for fname, data in after.items():
                if before.get(fname) != data:
                    with open(os.path.join(case, fname), "wb") as f:
                        f.write(mask(data))
            for fname in before:
                if fname not in after:
                    with open(os.path.join(case, fname + ".REMOVED"), "w") as f:
                        f.write("")


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: golden.py VARNOK OUTDIR")
    record(os.path.abspath(sys.argv[1]), sys.argv[2])


if __name__ == "__main__":
    main()
