#!/usr/bin/env python3
"""Writes the README's quick start as a cram test.

Every ```console block of the "Quick start" section is a transcript: "$ "
starts a command, "> " continues it, any other line is its expected output.
The blocks become one cram file on standard output, in order, so that
running it checks every command and output the README shows.

usage: readme_quick_start.py README.md > quick.t
"""
import sys

text = open(sys.argv[1]).read()
start = text.index("\n## Quick start\n")
end = text.index("\n## ", start + 1)
section = text[start:end].splitlines()

out = ["The quick start of the README, block by block."]
inside = False
blocks = 0
for line in section:
    if line.startswith("```"):
        if inside:
            inside = False
        elif line.strip() == "```console":
            inside = True
            blocks += 1
            out.append("")
        continue
    if inside:
        out.append("  " + line if line else "  ")
if blocks == 0:
    sys.exit("no console block in the quick start")
print("\n".join(out))
