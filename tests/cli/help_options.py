#!/usr/bin/env python3
"""Every option that --help lists is one the program takes.

For each option of `varnok --help`, `clockpare --help` and `formremap
--help` (aliases included, with a value where the help names one), runs the
program with it on a small model and fails on any "unknown option" line, a
line that names the option's value as bad, or the usage text of a refused
command line (status 255). Prints the options checked, one line per program,
and one line per refusal.

usage: help_options.py   (in a directory holding m.tg and f.tctl; the
programs on PATH)
"""
import re
import subprocess
import sys

# A placeholder of the help text and the value given for it.
VALUES = {"N": "2", "FILE": "f", "TEXT": "INIT", "NAME": "o", "P": "p_"}


def listed_options(program):
    """(option, value or None, help line) for every option of --help."""
    text = subprocess.run([program, "--help"], capture_output=True, text=True).stdout
    found = []
    for line in text.splitlines():
        m = re.match(r"^  (-\S.*?)(?:\s{2,}(.*))?$", line)
        if not m:
            continue
        for alt in m.group(1).split(", "):
            words = alt.split()
            opt, rest = words[0], words[1:]
            value = None
            if rest:
                value = VALUES.get(rest[0], rest[0])  # a literal word (-abs xtra)
            found.append((opt, value, m.group(2) or ""))
    return found


def run(program, args):
    p = subprocess.run([program] + args, capture_output=True, text=True, timeout=60)
    return p.returncode, p.stdout + p.stderr


failures = 0
for program, model in (("varnok", ["m"]), ("clockpare", ["m"]), ("formremap", ["f", "m"])):
    if program == "formremap":
        run("clockpare", ["m"])  # formremap reads the renaming m.opt
    checked = []
    for opt, value, help_line in listed_options(program):
        if opt in ("--help", "--version"):
            args = [opt]
        else:
            args = [opt] + ([value] if value is not None else [])
            if "needs -r or -R" in help_line:
                args += ["-R", "INIT"]
            if opt == "-ta...":
                continue  # runs an external command on the model
            args += model
        status, out = run(program, args)
        bad = [l for l in out.splitlines() if "unknown option" in l or re.match(r"^\S+: -\S+ (needs|takes) ", l)]
        if status == 255 or bad:
            failures += 1
            print("%s %s: status %d %s" % (program, " ".join(args), status, " | ".join(bad)))
        checked.append(opt)
    print("%s: %d options checked" % (program, len(checked)))
sys.exit(1 if failures else 0)
