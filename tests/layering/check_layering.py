#!/usr/bin/env python3
"""Include layering of src/.

Reads the `#include "..."` lines of every file of src/, groups name.h,
name.cpp (and a grammar's name.l / name.y, whose header and code are
generated) into one module, and fails (exit status 1, one line per
finding) when
- modules include each other in a cycle (the cycle is printed);
- a module of src/common includes a header of a program (src/varnok,
  src/clockpare, src/formremap);
- a module of the forward side's floors (FLOORS below, from the ground up)
  includes a module that is not on its own floor or a lower one: the ground
  (src/common and the small modules of GROUND) or a floor under its own
  (modules of one floor may build on each other; the cycle test keeps a
  floor free of loops). The drivers'
  floor is the top one: it may include anything but a cycle. Modules that
  are not in the tree are skipped.

A file without a partner (a .cpp without its header, a header without its
.cpp) joins the module of the longest prefix name_ that has both:
zone_ops.cpp is part of zone, simul_trace.cpp of simul.

    tests/layering/check_layering.py [SRC]
"""
import collections
import os
import re
import sys

# ============================ KNOWN_TODAY ==================================
# What the tree has today and the work under way removes. A cycle passes
# while all its modules are within one listed set; a listed floor crossing
# passes. Anything else fails, and the run notes the entries that the tree
# no longer has. Empty this list as the work lands.
KNOWN_TODAY = {
    "cycles": [],
    "floors": [],
}
# ========================== end of KNOWN_TODAY =============================

# Cycles that the specified module split makes, which stay: each pair calls
# the other by design.
SPECIFIED_CYCLES = [
    # region operations and the region/zone conversions build on each other.
    {"common/region/region", "common/region/region_zone"},
    # The formula front end runs the generated parser, whose actions call
    # back into the front end.
    {"common/tctl/tctl_main", "common/tctl/tctl_tab"},
    # The evaluator dispatches a formula to the backward or the forward
    # evaluator, which both build on its atoms and set operations.
    {"varnok/varnok_eval", "varnok/varnok_eval_back", "varnok/varnok_eval_forw"},
]

PROGRAMS = ("varnok", "clockpare", "formremap")

# The forward side of the model checker, from the ground up.
FLOORS = {
    1: ["flat_zone", "lu_bounds", "big_int", "rational", "dot_format", "zone_compare", "tck_model", "tck_reader"],
    2: ["tables_view", "initial_vectors", "location_goal"],
    3: ["lu_model", "state_store", "concurrent_store", "tck_semantics"],
    4: ["lu_search", "parallel_search", "concrete_run", "run_zones", "run_replay"],
    5: ["lu_writers", "run_text", "run_svg", "run_dot", "formula_witness", "dot_writer", "lu_drive", "varnok_single", "varnok_multiple", "varnok_eval",
        "varnok_eval_back", "varnok_eval_forw", "verdict_holds", "tck_drive", "tck_export", "tck_unfold", "tck_dot"],
}
TOP = max(FLOORS)

# Floor 0 besides src/common: the option word and the run context, progress
# lines and the run's answer and figures (verdict: the searches report to
# it), and the tables and values that the forward side reads (product
# tables, label masks, formulas on location vectors, state-region tables,
# the zone pool).
GROUND = ["progress", "verdict", "run_context", "varnok_options", "varnok_usage", "varnok_help", "compo_tables",
          "compo_sync", "compo_runs", "states_reg", "pool"]

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
SOURCES = (".h", ".cpp", ".l", ".y")


def module_files(files):
    """Maps each file (a path under src without the src/ prefix) to its module."""
    stems = collections.defaultdict(set)
    for f in files:
        stem, ext = os.path.splitext(f)
        stems[stem].add(ext)
    whole = {s for s, e in stems.items() if (".h" in e and e & {".cpp", ".l", ".y"}) or ".y" in e}
    result = {}
    for f in files:
        stem = os.path.splitext(f)[0]
        module = stem
        if stem not in whole:
            parts = stem.split("_")
            for k in range(len(parts) - 1, 0, -1):
                if "_".join(parts[:k]) in whole:
                    module = "_".join(parts[:k])
                    break
        result[f] = module
    return result


def read_tree(src):
    """The files of src (relative paths) and their quoted includes."""
    files = {}
    for root, _, names in os.walk(src):
        for n in names:
            if n.endswith(SOURCES):
                path = os.path.join(root, n)
                with open(path, encoding="utf-8", errors="replace") as f:
                    files[os.path.relpath(path, src)] = INCLUDE.findall(f.read())
    return files


def module_graph(files):
    """The modules and their include edges {module: {module: file that includes}}."""
    modules = module_files(list(files))
    by_stem = {os.path.splitext(f)[0]: m for f, m in modules.items()}
    edges = collections.defaultdict(dict)
    for f, includes in files.items():
        a = modules[f]
        edges[a]
        for inc in includes:
            candidates = [inc, os.path.normpath(os.path.join(os.path.dirname(f), inc))]
            b = next((by_stem[os.path.splitext(c)[0]] for c in candidates if os.path.splitext(c)[0] in by_stem), None)
            if b is not None and b != a:
                edges[a].setdefault(b, f)
    return edges


def strongly_connected(edges):
    """The components of more than one module (Tarjan), each a set."""
    index, low, on_stack, stack, found = {}, {}, set(), [], []
    counter = [0]

    def visit(v):
        work = [(v, iter(sorted(edges.get(v, {}))))]
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on_stack.add(v)
        while work:
            node, it = work[-1]
            advanced = False
            for w in it:
                if w not in index:
                    index[w] = low[w] = counter[0]
                    counter[0] += 1
                    stack.append(w)
                    on_stack.add(w)
                    work.append((w, iter(sorted(edges.get(w, {})))))
                    advanced = True
                    break
                if w in on_stack:
                    low[node] = min(low[node], index[w])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                comp = set()
                while True:
                    w = stack.pop()
                    on_stack.discard(w)
                    comp.add(w)
                    if w == node:
                        break
                if len(comp) > 1:
                    found.append(comp)

    for v in sorted(edges):
        if v not in index:
            visit(v)
    return found


def one_cycle(edges, comp):
    """A cycle through the first module of comp, as a list of modules."""
    start = min(comp)
    parent = {start: None}
    queue = collections.deque([start])
    while queue:
        v = queue.popleft()
        for w in sorted(edges.get(v, {})):
            if w not in comp:
                continue
            if w == start:
                path = [v]
                while parent[path[-1]] is not None:
                    path.append(parent[path[-1]])
                return list(reversed(path)) + [start]
            if w not in parent:
                parent[w] = v
                queue.append(w)
    return sorted(comp)


def floor_of(module):
    """The floor of a module: 0 for the ground, None when it has none."""
    if module.startswith("common/"):
        return 0
    folder, _, name = module.partition("/")
    if folder != "varnok":
        return None
    if name in GROUND:
        return 0
    for floor, names in FLOORS.items():
        if name in names:
            return floor
    return None


def check(src, known=None):
    """The findings for the tree at src (a list of lines; empty: clean)."""
    known = known if known is not None else {"cycles": [], "floors": []}
    edges = module_graph(read_tree(src))
    findings = []
    for comp in strongly_connected(edges):
        if any(comp <= set(k) for k in known["cycles"] + SPECIFIED_CYCLES):
            continue
        cycle = one_cycle(edges, comp)
        findings.append("cycle: " + " -> ".join(cycle))
    for a in sorted(edges):
        for b, via in sorted(edges[a].items()):
            if a.startswith("common/") and b.split("/")[0] in PROGRAMS:
                findings.append("common includes a program: %s includes %s (%s)" % (a, b, via))
            fa = floor_of(a)
            if fa is None or fa == 0 or fa == TOP:
                continue
            fb = floor_of(b)
            if fb is not None and fb <= fa:
                continue
            if (a, b) in {tuple(k) for k in known["floors"]}:
                continue
            where = "floor %d" % fb if fb is not None else "no floor"
            findings.append("floor: %s (floor %d) includes %s (%s) in %s" % (a, fa, b, where, via))
    return findings


def stale_known(src, known):
    """The entries of `known` that the tree no longer has (to be removed)."""
    edges = module_graph(read_tree(src))
    comps = strongly_connected(edges)
    gone = []
    for k in known["cycles"]:
        if not any(c <= set(k) for c in comps):
            gone.append("cycle among " + ", ".join(sorted(k)))
    for a, b in known["floors"]:
        if b not in edges.get(a, {}):
            gone.append("floor %s -> %s" % (a, b))
    return gone


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src")
    src = os.path.normpath(src)
    findings = check(src, KNOWN_TODAY)
    for line in findings:
        print(line)
    for line in stale_known(src, KNOWN_TODAY):
        print("note: KNOWN_TODAY lists what the tree no longer has: " + line)
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main())
