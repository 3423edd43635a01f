#!/usr/bin/env python3
"""Checks a rendered timing diagram against the run it draws.

usage: run_svg.py RUNFILE SVGFILE PNGFILE

RUNFILE is a _run.reach file (its first run is the one drawn), SVGFILE the
_run.svg drawn from it, PNGFILE that SVG as rendered by rsvg-convert. The
geometry is read from the SVG's root element (data-left, data-column,
data-top, data-lane); everything else is read from the pixels:

- one lane per automaton (for a network, the automata of the transitions'
  moving lists; one graph: one lane): the middle of every column is inside
  a coloured lane box on each lane, and white just below the last lane;
- at step i (column i + 1) there is a mark (a red disc) on the lane of each
  automaton that moves, and none on the lanes of the others;
- the axis labels of the SVG are the run's exact instants, in order.

Prints "diagram of N transitions on L lanes checked" and exits 0, or prints
the first difference and exits 1.
"""
import re
import struct
import sys
import zlib
from fractions import Fraction


def read_png(path):
    """(width, height, rows of (r, g, b, a)) of an 8-bit RGB or RGBA PNG."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("%s: not a PNG file" % path)
    pos, idat, width = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, color, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or color not in (2, 6) or interlace != 0:
                raise ValueError("%s: only 8-bit RGB(A) PNG files without interlace are read" % path)
            channels = 4 if color == 6 else 3
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev, i = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[i], bytearray(raw[i + 1:i + 1 + stride])
        i += 1 + stride
        for x in range(stride):
            a = line[x - channels] if x >= channels else 0
            b = prev[x]
            c = prev[x - channels] if x >= channels else 0
            if kind == 1:
                line[x] = (line[x] + a) & 255
            elif kind == 2:
                line[x] = (line[x] + b) & 255
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        prev = line
    return width, height, channels, rows


def pixel(png, x, y):
    _, _, channels, rows = png
    line = rows[int(y)]
    return tuple(line[int(x) * channels:int(x) * channels + 3])


def is_red(p):
    return p[0] > 170 and p[1] < 80 and p[2] < 80


def is_white(p):
    return min(p) > 245


def read_run(path):
    """The moving lists of the first run's transitions (None for one graph)
    and its instants."""
    steps, instants, t = [], [Fraction(0)], Fraction(0)
    with open(path) as f:
        lines = f.read().split("\n")
    for line in lines[2:]:
        if line == "":
            break
        m = re.match(r"^delay (\S+) ->", line)
        if m:
            t += Fraction(m.group(1))
            instants.append(t)
            continue
        m = re.match(r"^transition .* moving((?: \S+)+?) labels", line)
        steps.append(m.group(1).split() if m else None)
    # Every transition is preceded by a delay and the run ends with one.
    return steps, instants


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    run_path, svg_path, png_path = argv
    steps, instants = read_run(run_path)
    with open(svg_path) as f:
        svg = f.read()
    geo = {k: int(re.search(r'data-%s="(\d+)"' % k, svg).group(1)) for k in ("left", "column", "top", "lane")}
    png = read_png(png_path)
    names = []
    for s in steps:
        for a in s or []:
            if a not in names:
                names.append(a)
    network = any(s is not None for s in steps)
    lanes = re.findall(r'<g class="lane" data-automaton="\d+">\n<text[^>]*>([^<]*)</text>', svg)
    if not network:
        names = lanes[:1]
    # The lanes of the automata that move must be there, by name.
    if any(n not in lanes for n in names):
        print("lanes %s, the run moves %s" % (" ".join(lanes), " ".join(names)))
        return 1
    left, col, top, lane = geo["left"], geo["column"], geo["top"], geo["lane"]
    mid = lambda a: top + (a + 0.5) * lane
    for a in range(len(lanes)):
        for c in range(len(steps) + 1):
            p = pixel(png, left + (c + 0.5) * col, top + a * lane + 11)
            if is_white(p) or is_red(p):
                print("lane %d (%s): no lane box in column %d" % (a, lanes[a], c))
                return 1
    below = pixel(png, left + 0.5 * col, top + len(lanes) * lane + 4)
    if not is_white(below):
        print("something drawn below the last lane %d" % (len(lanes) - 1))
        return 1
    for i, moving in enumerate(steps):
        for a, name in enumerate(lanes):
            moves = (name in moving) if network else True
            # The disc's middle, and a point of it on each side of the rule.
            got = all(is_red(pixel(png, left + (i + 1) * col + dx, mid(a) + dy)) for dx, dy in ((0, 2), (-3, 3), (3, 3)))
            if got != moves:
                print("step %d: %s on lane %s" % (i + 1, "no mark" if moves else "a mark", name))
                return 1
    axis = re.findall(r'<g class="instant" data-moment="(\d+)"><title>t=([^:]*):', svg)
    if [Fraction(t) for _, t in axis] != instants or [int(m) for m, _ in axis] != list(range(len(instants))):
        print("axis instants %s, the run's %s" % (" ".join(t for _, t in axis), " ".join(str(t) for t in instants)))
        return 1
    print("diagram of %d transitions on %d lanes checked" % (len(steps), len(lanes)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
