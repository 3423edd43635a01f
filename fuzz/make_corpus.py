#!/usr/bin/env python3
"""Writes the seed corpora of the engine fuzz targets (fuzz/corpus/<target>)
from the example models and the small models of the CLI tests.

Input layouts (see the targets): parts separated by lines beginning with
"----", option letters after the dashes.
  eval_fuzz       model ---- formula
  forw_fuzz       model ----<letters> goal
  compo_fuzz      goal ----<letters> model ---- model [---- model [---- model]]
  clockpare_fuzz  model
"""
import hashlib
import os
import re
import sys

here = os.path.dirname(os.path.abspath(__file__))
root = os.path.dirname(here)


def cli_files():
    """Per .t file: its heredoc models, formulas and -R goals."""
    out = []
    tdir = os.path.join(root, "tests", "cli")
    for name in sorted(os.listdir(tdir)):
        if not name.endswith(".t"):
            continue
        lines = open(os.path.join(tdir, name)).read().split("\n")
        models, formulas, goals = {}, [], []
        i = 0
        while i < len(lines):
            m = re.match(r"  \$ cat > (\S+) <<'?(\w+)'?", lines[i])
            if m:
                fname, end = m.group(1), m.group(2)
                body = []
                i += 1
                while i < len(lines) and lines[i] != "  > " + end:
                    body.append(lines[i][4:])
                    i += 1
                text = "\n".join(body) + "\n"
                if fname.endswith(".tg"):
                    models[fname[:-3]] = text
                elif fname.endswith(".tctl"):
                    formulas.append(text)
            else:
                for g in re.findall(r"-R \"([^\"]*)\"", lines[i]):
                    goals.append(g)
                m = re.match(r"  \$ echo \"([^\"]*)\" > \S+\.tctl", lines[i])
                if m:
                    formulas.append(m.group(1) + "\n")
            i += 1
        out.append((name, models, formulas, goals))
    return out


def examples():
    edir = os.path.join(root, "examples")
    models, formulas = {}, {}
    for name in sorted(os.listdir(edir)):
        path = os.path.join(edir, name)
        if name.endswith(".tg"):
            models[name[:-3]] = open(path).read()
        elif name.endswith(".tctl"):
            formulas[name[:-5]] = open(path).read()
    return models, formulas


# Inputs that once failed a target, kept in its corpus whatever the models
# above become.
KEPT = {
    "eval_fuzz": [
        # -h opens the history file, then the evaluation refuses a clock that
        # the model lacks: the refusal must close that file once.
        "#states 1 #trans 0 #clocks 1 x\nstate: 0 invar: true trans:\n----h\nZ<1\n",
    ],
}


def props(model):
    found = []
    for line in re.findall(r"prop:([^\n]*?)(?:invar:|\n)", model):
        for p in line.split():
            if p not in found:
                found.append(p)
    return found or ["INIT"]


def write(target, texts):
    d = os.path.join(here, "corpus", target)
    os.makedirs(d, exist_ok=True)
    for f in os.listdir(d):
        os.remove(os.path.join(d, f))
    seen = set()
    for t in texts:
        data = t.encode()
        if len(data) > 4096:
            continue
        h = hashlib.sha1(data).hexdigest()[:16]
        if h in seen:
            continue
        seen.add(h)
        open(os.path.join(d, h), "wb").write(data)
    print(f"{target}: {len(seen)} seeds")


def main():
    ex_models, ex_formulas = examples()
    cli = cli_files()
    generic = ["init impl ED {p}", "init impl AB not {p}", "{p} impl AD{{<=2}} INIT", "init impl NonZeno",
               "E(INIT U {p})", "init impl EB{{>1}} {p}", "z.(ED{{<=3}} {p})"]
    eval_seeds, forw_seeds, clockpare_seeds, compo_seeds = [], [], [], []
    for name, text in ex_models.items():
        clockpare_seeds.append(text)
        for fname, f in ex_formulas.items():
            if fname.startswith(name + "_"):
                eval_seeds.append(text + "----\n" + f)
                eval_seeds.append(text + "----f\n" + f)
        for p in props(text)[:3]:
            forw_seeds.append(text + "----\n" + p + "\n")
            forw_seeds.append(text + "----d\n" + p + "\n")
    for _, models, formulas, goals in cli:
        for text in models.values():
            clockpare_seeds.append(text)
            fs = formulas + [g.format(p=p) for p in props(text)[:2] for g in generic]
            for f in fs[:8]:
                eval_seeds.append(text + "----\n" + f)
            gs = goals[:6] + props(text)[:2]
            for k, g in enumerate(gs):
                forw_seeds.append(text + "----" + "xid"[k % 3] + "\n" + g + "\n")
        texts = list(models.values())
        if len(texts) >= 2:
            for a in range(len(texts) - 1):
                for goal in ["INIT"] + [p for p in props(texts[a]) + props(texts[a + 1]) if p != "INIT"][:2]:
                    compo_seeds.append(goal + "\n----\n" + texts[a] + "----\n" + texts[a + 1])
    rail = [ex_models[n] for n in ("rail_train", "rail_gate", "rail_controller") if n in ex_models]
    if len(rail) == 3:
        for goal, flags in (("INIT", ""), ("INSIDE", "x"), ("INSIDE and DOWN", "d"), ("not FAR", "e")):
            compo_seeds.append(goal + "\n----" + flags + "\n" + "----\n".join(rail))
    write("eval_fuzz", eval_seeds + KEPT["eval_fuzz"])
    write("forw_fuzz", forw_seeds)
    write("compo_fuzz", compo_seeds)
    write("clockpare_fuzz", clockpare_seeds)


if __name__ == "__main__":
    sys.exit(main())
