#!/usr/bin/env python3
"""Doors and rooms: every function is declared in the header of the file
that defines it.

Reads the tags of src/ (Universal Ctags) and prints, one per line:
- "elsewhere": a function declared in a.h but defined in b.cpp only;
- "nowhere": a function declared in a header and defined in no file of src/
  (a dead declaration; a definition in a generated parser is not seen).
Functions with internal linkage, class members defined in their header and
inline definitions are not doors. Exit status 1 when something is listed, 77 (skipped) without ctags.

    tests/layering/check_doors.py [SRC]
"""
import collections
import json
import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_layering import module_files  # noqa: E402  (one grouping of files into modules)

FIELDS = "--fields=+{scope}{scopeKind}{file}{kind}{signature}"


def tags(files):
    out = subprocess.run(["ctags", "--output-format=json", FIELDS, "--c++-kinds=+p", "--language-force=c++", "-f", "-"]
                         + files, capture_output=True, text=True, check=True).stdout
    for line in out.splitlines():
        t = json.loads(line)
        if t.get("_type") == "tag":
            yield t


def module_of(path):
    return os.path.splitext(path)[0]


def defined_after_preprocessing(name, header, src):
    """Whether a .cpp beside `header` defines `name` once its macros are
    expanded (definitions made by token pasting)."""
    folder = os.path.dirname(header)
    pattern = re.compile(r"\b%s\s*\([^;{}]*\)\s*(const\s*)?\{" % re.escape(name))
    for f in sorted(os.listdir(folder)):
        if not f.endswith(".cpp"):
            continue
        p = subprocess.run(["g++", "-std=c++20", "-E", "-P", "-I", src, os.path.join(folder, f)],
                           capture_output=True, text=True)
        if p.returncode == 0 and pattern.search(p.stdout):
            return os.path.join(folder, f)
    return None


def doors(src):
    files = []
    for root, _, names in os.walk(src):
        files += [os.path.join(root, n) for n in names if n.endswith((".h", ".cpp", ".l", ".y"))]
    modules = module_files(files)
    declared = collections.defaultdict(set)  # (scope, name) -> headers
    defined = collections.defaultdict(set)   # (scope, name) -> files
    for t in tags(sorted(files)):
        scope = t.get("scope", "")
        if scope.startswith("__anon") or "::__anon" in scope or t.get("file"):
            continue
        key = (scope, t["name"])
        if t["kind"] == "prototype" and t["path"].endswith(".h"):
            if t["name"].isupper() or (t["name"].startswith("operator") and "delete" in t.get("pattern", "")):
                continue
            declared[key].add(t["path"])
        elif t["kind"] == "function":
            defined[key].add(t["path"])
    found = []
    for key, headers in sorted(declared.items()):
        where = defined.get(key, set())
        name = "::".join(k for k in key if k)
        for h in sorted(headers):
            if not where:
                expanded = defined_after_preprocessing(key[1], h, src)
                where = {expanded} if expanded else set()
            if not where:
                found.append("nowhere: %s declared in %s" % (name, h))
            elif modules[h] not in {modules.get(w, module_of(w)) for w in where}:
                found.append("elsewhere: %s declared in %s, defined in %s" % (name, h, ", ".join(sorted(where))))
    return found


def main():
    if shutil.which("ctags") is None or shutil.which("g++") is None:
        print("check_doors: needs ctags (Universal Ctags) and g++; skipped")
        return 77
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src")
    found = doors(os.path.normpath(src))
    for line in found:
        print(line.replace(os.path.normpath(src) + "/", ""))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
