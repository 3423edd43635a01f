#!/usr/bin/env python3
"""Replays the concrete runs of a _run.reach file against the timed graphs.

usage: run_replay.py [--goal FORMULA [--cond FORMULA]] [--response P Q BOUND] [--init-anywhere]
                     MODEL[.tg] ... RUNFILE

The models are read from their .tg text (one model: a timed graph; several:
the network varnok composes by label synchronisation) and every run of
RUNFILE is replayed with exact rationals, sharing nothing with varnok's own
replay:

- the run starts at an initial location (vector), all clocks 0 (with
  --init-anywhere: any valuation within the invariant);
- every delay is a non-negative rational, and the invariant holds at every
  moment of it: per automaton, the moments where each zone of the invariant
  holds form an interval, and those intervals must cover the whole delay;
- every move is one transition of the graph (for a network: one legal
  combination of transitions, synchronised by their labels) from the printed
  source to the printed target, with the printed labels and assignments; its
  guard holds at the jump and the target's invariant right after it;
- every printed valuation, location and proposition list (each proposition
  once, the moving automata by their model names) is the recomputed one,
  every count the counted one;
- with --goal, the last moment of each run satisfies the formula (clock
  constraints, propositions, init, state(n), not, and, or, impl);
- with --cond as well (the witness of "cond EU goal"), every earlier moment
  satisfies the condition, or already the goal during the last delay;
- with --response (the witness of a failing "init impl AB (P impl AD{BOUND}
  Q)", BOUND "<=K" or "<K"), the run has one switch line ("here P holds; from
  here on Q stays false for more than K time units", "at least K" for "<"),
  P holds at its moment, Q at no moment from there to the end, and the end
  comes more than K (at least K) time units after it.

An invariant that is not closed under time predecessors is closed, as
varnok does when it compiles the graph ("I closed it"): its zones then hold
wherever some later moment of the delay lies in them.

Prints "replayed N runs, T transitions" and exits 0 when every run replays;
otherwise prints the first failure and exits 1, as it does for a file
holding no run at all.
"""
import os
import re
import sys
from fractions import Fraction

MAX_BOUND_CONSTANT = 16383


class ReplayError(Exception):
    pass


# ---------------------------------------------------------------------------
# The .tg text

TOKEN_PATTERNS = [
    ("SKIP", r"[ \t\n\r]+"),
    ("SKIP", r"/\*([^*]|\*+[^*/])*\*+/"),
    ("SKIP", r"//[^\n]*\n"),
    ("SKIP", r",+"),
    ("STATES", r"#states|#locs"),
    ("TRANS", r"#trans"),
    ("CLOCKS", r"#clocks"),
    ("SYNC", r"#sync"),
    ("STATE", r"state:|loc:"),
    ("PROP", r"prop:"),
    ("INVAR", r"invar:"),
    ("TRANSITIONS", r"trans:"),
    ("RESET", r"reset"),
    ("GOTO", r"goto"),
    ("DEADLINE", r"D:|L:|E:"),
    ("TRUE", r"true"),
    ("FALSE", r"false"),
    ("AND", r"and"),
    ("OR", r"or"),
    ("ARROW", r"=>|=U>|=C>"),
    (";", r";"),
    ("ASSIGN", r":="),
    ("REL", r"<=|>=|<|>|="),
    ("OP", r"[-+*/]"),
    ("{", r"\{"),
    ("}", r"\}"),
    ("(", r"\("),
    (")", r"\)"),
    ("INT", r"[0-9]+"),
    ("IDENT", r"[a-z][a-z0-9_]*"),
]
TOKEN_RES = [(kind, re.compile(p, re.IGNORECASE)) for kind, p in TOKEN_PATTERNS]


def tokens_of(text, where):
    """The tokens of a .tg text as (kind, value) pairs: the longest match
    wins, the first pattern among equally long ones (as the scanner does)."""
    out, pos = [], 0
    while pos < len(text):
        best_kind, best_len = None, 0
        for kind, rx in TOKEN_RES:
            m = rx.match(text, pos)
            if m and len(m.group(0)) > best_len:
                best_kind, best_len = kind, len(m.group(0))
        if best_kind is None:
            raise ReplayError("%s: cannot read %r" % (where, text[pos:pos + 20]))
        word = text[pos:pos + best_len]
        pos += best_len
        if best_kind == "SKIP":
            continue
        if best_kind == "INT":
            out.append(("INT", int(word)))
        elif best_kind in ("IDENT", "DEADLINE"):
            out.append((best_kind, word.upper()))
        else:
            out.append((best_kind, word))
    out.append(("EOF", None))
    return out


FLIP = {"<": ">", "<=": ">=", ">": "<", ">=": "<=", "=": "="}


def holds(a, rel, b):
    return {"<": a < b, "<=": a <= b, "=": a == b, ">=": a >= b, ">": a > b}[rel]


# A constraint is a list of zones (its disjunction); a zone is a list of
# atoms (i, j, rel, c) meaning x_i - x_j rel c, clock 0 being the constant 0.
TRUE_C = [[]]
FALSE_C = []


def and_c(a, b):
    return [za + zb for za in a for zb in b]


class TgParser:
    """Recursive descent over the .tg grammar; builds a Graph."""

    def __init__(self, text, where):
        self.toks = tokens_of(text, where)
        self.pos = 0
        self.where = where

    def peek(self, k=0):
        return self.toks[self.pos + k]

    def take(self, kind=None, value=None):
        tok = self.toks[self.pos]
        if (kind is not None and tok[0] != kind) or (value is not None and tok[1] != value):
            raise ReplayError("%s: expected %s, found %r" % (self.where, value or kind, tok[1]))
        self.pos += 1
        return tok[1]

    def at(self, kind, value=None):
        tok = self.toks[self.pos]
        return tok[0] == kind and (value is None or tok[1] == value)

    def clock(self, name):
        if name not in self.g.clock_index:
            raise ReplayError("%s: undeclared clock %s" % (self.where, name))
        return self.g.clock_index[name]

    # Integer expressions: as in the graph's grammar, '+' and '-' bind more
    # tightly than '*' and '/', and a unary minus takes the whole rest.
    def expression(self):
        if self.at("OP", "-"):
            self.take()
            return -self.expression()
        v = self.sum_expr()
        while self.at("OP", "*") or self.at("OP", "/"):
            op = self.take()
            w = self.sum_expr()
            if op == "*":
                v = v * w
            else:
                if w == 0:
                    raise ReplayError("%s: division by zero" % self.where)
                v = int(v / w)  # truncates like C
        return v

    def sum_expr(self):
        v = self.primary_expr()
        while (self.at("OP", "+") or self.at("OP", "-")) and self.peek(1)[0] in ("INT", "("):
            op = self.take()
            w = self.primary_expr()
            v = v + w if op == "+" else v - w
        return v

    def primary_expr(self):
        if self.at("("):
            self.take()
            v = self.expression()
            self.take(")")
            return v
        return self.take("INT")

    def clock_atom(self, x, rel, c):
        if c < 0:
            return TRUE_C  # "positive integer expected": the atom is dropped
        if c > MAX_BOUND_CONSTANT:
            raise ReplayError("%s: constant out of range" % self.where)
        return [[(self.clock(x), 0, rel, c)]]

    def diff_atom(self, x, y, rel, c):
        i, j = self.clock(x), self.clock(y)
        if i == j:
            return TRUE_C if holds(0, rel, c) else FALSE_C
        return [[(i, j, rel, c)]]

    def atom(self):
        if self.at("TRUE"):
            self.take()
            return TRUE_C
        if self.at("FALSE"):
            self.take()
            return FALSE_C
        if self.at("IDENT"):
            x = self.take()
            if self.at("REL"):
                rel = self.take()
                if self.at("IDENT"):
                    y = self.take()
                    if self.at("OP", "+"):
                        self.take()
                        return self.diff_atom(x, y, rel, self.expression())
                    return self.diff_atom(x, y, rel, 0)
                c = self.expression()
                if self.at("OP", "+") and self.peek(1)[0] == "IDENT":
                    self.take()
                    return self.diff_atom(x, self.take("IDENT"), rel, c)
                return self.clock_atom(x, rel, c)
            op = self.take("OP")
            if op == "-":
                y = self.take("IDENT")
                rel = self.take("REL")
                return self.diff_atom(x, y, rel, self.expression())
            if op == "+":
                c = self.expression()
                rel = self.take("REL")
                return self.diff_atom(x, self.take("IDENT"), rel, -c)
            raise ReplayError("%s: unexpected %r after %s" % (self.where, op, x))
        c = self.expression()
        if self.at("OP", "+"):
            self.take()
            x = self.take("IDENT")
            rel = self.take("REL")
            return self.diff_atom(x, self.take("IDENT"), rel, -c)
        rel = self.take("REL")
        x = self.take("IDENT")
        if self.at("OP", "-") and self.peek(1)[0] == "IDENT":
            self.take()
            return self.diff_atom(x, self.take("IDENT"), FLIP[rel], c)
        return self.clock_atom(x, FLIP[rel], c)

    def primary(self):
        if self.at("("):
            # Either a parenthesised constraint or an atom whose constant
            # expression starts with a parenthesis.
            save = self.pos
            try:
                return self.atom()
            except ReplayError:
                self.pos = save
            self.take("(")
            c = self.constraint()
            self.take(")")
            return c
        return self.atom()

    def conjunction(self):
        c = self.primary()
        while self.at("AND"):
            self.take()
            c = and_c(c, self.primary())
        return c

    def constraint(self):
        c = self.conjunction()
        while self.at("OR"):
            self.take()
            c = c + self.conjunction()
        return c

    def names(self):
        out = []
        while self.at("IDENT"):
            out.append(self.take())
        return out

    def graph(self, name):
        g = self.g = Graph(name)
        self.take("STATES")
        n_locs = self.take("INT")
        self.take("TRANS")
        self.take("INT")
        self.take("CLOCKS")
        if self.at("INT"):
            self.take()
        for c in self.names():
            if c not in g.clock_index:
                g.clock_index[c] = len(g.clocks) + 1
                g.clocks.append(c)
        if self.at("SYNC"):
            self.take()
            g.sync = set(self.names())
        while self.at("STATE"):
            self.take()
            number = self.take("INT")
            if number != len(g.locs):
                raise ReplayError("%s: location %d out of order" % (self.where, number))
            props = []
            if self.at("PROP"):
                self.take()
                props = self.names()
            self.take("INVAR")
            inv = self.constraint()
            self.take("TRANSITIONS")
            loc = Location(number, props, inv)
            g.locs.append(loc)
            while not self.at("STATE") and not self.at("EOF"):
                loc.trans.append(self.transition(number))
        self.take("EOF")
        if len(g.locs) != n_locs:
            raise ReplayError("%s: %d locations declared, %d given" % (self.where, n_locs, len(g.locs)))
        return g

    def transition(self, source):
        if self.at("DEADLINE"):
            self.take()
        guard = self.constraint()
        self.take("ARROW")
        labels = self.names()
        self.take(";")
        n = len(self.g.clocks)
        affect = list(range(n + 1))  # clock i takes the old value of clock affect[i]
        if self.at("RESET"):
            self.take()
            self.take("{")
            for c in self.names():
                affect[self.clock(c)] = 0
            self.take("}")
        while self.at("IDENT"):
            x = self.clock(self.take())
            self.take("ASSIGN")
            if self.at("INT"):
                self.take()  # any constant is taken as 0
                affect[x] = 0
            else:
                affect[x] = self.clock(self.take("IDENT"))
        self.take(";")
        self.take("GOTO")
        target = self.take("INT")
        return Transition(source, target, guard, labels, affect)


class Location:
    def __init__(self, number, props, inv):
        self.number, self.props, self.inv, self.trans = number, props, inv, []


class Transition:
    def __init__(self, source, target, guard, labels, affect):
        self.source, self.target, self.guard = source, target, guard
        self.labels, self.affect = labels, affect


class Graph:
    def __init__(self, name):
        self.name = name
        self.clocks = []       # names, clock k + 1 at index k
        self.clock_index = {}  # name -> 1..n
        self.sync = set()
        self.locs = []

    def finish(self):
        """Drops the transitions varnok drops (a guard empty within the
        source invariant), then collects the label names the graph knows."""
        for loc in self.locs:
            if loc.number >= len(self.locs) or any(t.target >= len(self.locs) for t in loc.trans):
                raise ReplayError("%s: transition to an unknown location" % self.name)
            inv = loc.closed_inv = closed_constraint(loc.inv, len(self.clocks))
            loc.trans = [t for t in loc.trans
                         if any(not empty_zone(zg + zi, len(self.clocks)) for zg in t.guard for zi in inv)]
        self.known = set(self.sync)
        for loc in self.locs:
            for t in loc.trans:
                self.known.update(t.labels)
        self.initial = [l.number for l in self.locs if "INIT" in l.props] or [0]


def read_graph(path):
    if not path.endswith(".tg"):
        path += ".tg"
    with open(path) as f:
        text = f.read()
    g = TgParser(text, path).graph(path[:-3])
    g.finish()
    return g


# ---------------------------------------------------------------------------
# Zones as difference-bound matrices (only to find empty guards)

def bound_lt(a, b):
    """a tighter than b; bounds are (c, strict) or None for no bound."""
    if b is None:
        return a is not None
    if a is None:
        return False
    return a[0] < b[0] or (a[0] == b[0] and a[1] and not b[1])


def bound_add(a, b):
    if a is None or b is None:
        return None
    return (a[0] + b[0], a[1] or b[1])


def zone_matrix(zone, n):
    d = [[(0, False) if i == j else (None if i != 0 else (0, False)) for j in range(n + 1)] for i in range(n + 1)]
    # d[i][j] bounds x_i - x_j; row 0 says -x_j <= 0.
    def tighten(i, j, b):
        if bound_lt(b, d[i][j]):
            d[i][j] = b
    for (i, j, rel, c) in zone:
        if rel in ("<", "<=", "="):
            tighten(i, j, (c, rel == "<"))
        if rel in (">", ">=", "="):
            tighten(j, i, (-c, rel == ">"))
    return d


def close(d):
    n = len(d)
    for k in range(n):
        for i in range(n):
            for j in range(n):
                s = bound_add(d[i][k], d[k][j])
                if bound_lt(s, d[i][j]):
                    d[i][j] = s
    return all(not bound_lt(d[i][i], (0, False)) for i in range(n))


def empty_zone(zone, n):
    return not close(zone_matrix(zone, n))


def closed_constraint(c, n):
    """The time predecessors of a constraint, zone by zone, as constraints."""
    out = []
    for zone in c:
        d = zone_matrix(zone, n)
        if not close(d):
            continue
        for j in range(1, n + 1):
            d[0][j] = (0, False)
        close(d)
        atoms = []
        for i in range(n + 1):
            for j in range(n + 1):
                if i != j and d[i][j] is not None:
                    atoms.append((i, j, "<" if d[i][j][1] else "<=", d[i][j][0]))
        out.append(atoms)
    return out


# ---------------------------------------------------------------------------
# Valuations, moments and intervals

def value(v, i):
    return Fraction(0) if i == 0 else v[i]


def zone_holds(zone, v):
    return all(holds(value(v, i) - value(v, j), rel, c) for (i, j, rel, c) in zone)


def constraint_holds(c, v):
    return any(zone_holds(z, v) for z in c)


def zone_interval(zone, v):
    """The moments t (any real) at which v + t lies in the zone, as
    (lo, lo_closed, hi, hi_closed) with None for an infinite end, or None
    when there is no such moment."""
    lo, lo_c, hi, hi_c = None, False, None, False
    for (i, j, rel, c) in zone:
        if (i == 0) == (j == 0):  # a difference of two clocks: time does not change it
            if not holds(value(v, i) - value(v, j), rel, c):
                return None
            continue
        # x + t rel c  or  -(x + t) rel c
        if i != 0:
            x, r, k = v[i], rel, Fraction(c)
        else:
            x, r, k = v[j], FLIP[rel], Fraction(-c)
        edge = k - x
        if r in ("<", "<=", "="):
            closed = r != "<"
            if hi is None or edge < hi or (edge == hi and not closed):
                hi, hi_c = edge, closed
        if r in (">", ">=", "="):
            closed = r != ">"
            if lo is None or edge > lo or (edge == lo and not closed):
                lo, lo_c = edge, closed
    if lo is not None and hi is not None and (lo > hi or (lo == hi and not (lo_c and hi_c))):
        return None
    return (lo, lo_c, hi, hi_c)


def covers(intervals, d):
    """Whether the union of the intervals holds every moment of [0, d]."""
    # Sweep from 0: the moments covered so far are [0, reach) or [0, reach].
    reach, reach_closed = Fraction(0), False
    pending = sorted(intervals, key=lambda iv: (iv[0] is not None, iv[0] if iv[0] is not None else 0))
    changed = True
    while changed:
        changed = False
        for (lo, lo_c, hi, hi_c) in pending:
            starts_in = lo is None or lo < reach or (lo == reach and (lo_c or reach_closed))
            if not starts_in:
                continue
            if hi is None:
                return True
            if hi > reach or (hi == reach and hi_c and not reach_closed):
                reach, reach_closed = hi, hi_c
                changed = True
    return reach > d or (reach == d and reach_closed)


def invariant_interval(zone, v):
    """The moments of a delay from v at which the closed invariant zone
    holds: those before the last moment at which the zone holds."""
    iv = zone_interval(zone, v)
    if iv is None:
        return None
    return (None, False, iv[2], iv[3])


def parse_value(text, where):
    try:
        q = Fraction(text)
    except (ValueError, ZeroDivisionError):
        raise ReplayError("%s: %r is not a rational" % (where, text))
    if str(q) != text:
        raise ReplayError("%s: %r is not written in lowest terms" % (where, text))
    return q


# ---------------------------------------------------------------------------
# The system: one graph or a network

class System:
    def __init__(self, graphs):
        self.graphs = graphs
        self.product = len(graphs) > 1
        # Global clock k + 1 at index k; per graph the offset of its clocks.
        self.offsets, names, taken, used = [], [], set(), set()
        for g in graphs:
            taken.update(g.clocks)
        for a, g in enumerate(graphs):
            self.offsets.append(len(names))
            for c in g.clocks:
                name = c
                if name in used:
                    name += "_%d" % a
                    while name in taken:
                        name += "_"
                    taken.add(name)
                used.add(name)
                names.append(name)
        self.clock_names = names
        self.clock_index = {c: k + 1 for k, c in enumerate(names)}

    def local(self, a, v):
        """Graph a's valuation (index 0 unused) out of the global one."""
        off, n = self.offsets[a], len(self.graphs[a].clocks)
        return [Fraction(0)] + v[off + 1:off + n + 1]

    def props(self, locs):
        """The propositions of the locations, each once."""
        return sorted(set(p for a, g in enumerate(self.graphs) for p in g.locs[locs[a]].props))

    def automaton_names(self):
        """The names the run gives the automata: the model's file name (no
        folder), with "#a" after it when two automata share it."""
        base = [os.path.basename(g.name) for g in self.graphs]
        return [b if base.count(b) == 1 else "%s#%d" % (b, a) for a, b in enumerate(base)]

    def initial(self, locs):
        return all(l in g.initial for l, g in zip(locs, self.graphs))

    def legal(self, moves):
        """Whether the moving transitions (None: idle) form a move of the
        network: a synchronisation label is taken by every automaton that
        knows it, no synchronisation label is taken alone, the movers are
        linked by shared labels, and a move without one is a move alone."""
        movers = [a for a, t in enumerate(moves) if t is not None]
        if not movers:
            return False
        sync = {a: set(moves[a].labels) & self.graphs[a].sync for a in movers}
        if len(movers) > 1 and any(not sync[a] for a in movers):
            return False
        for a in movers:
            for b in range(len(self.graphs)):
                if b == a:
                    continue
                needed = sync[a] & self.graphs[b].known
                if needed and (b not in sync or not needed <= sync[b]):
                    return False
            others = set()
            for b in movers:
                if b != a:
                    others |= sync[b]
            if not sync[a] <= others:
                return False
        reached, todo = {movers[0]}, [movers[0]]
        while todo:
            a = todo.pop()
            for b in movers:
                if b not in reached and sync[a] & sync[b]:
                    reached.add(b)
                    todo.append(b)
        return len(reached) == len(movers)


# ---------------------------------------------------------------------------
# Goal formulas

FORMULA_TOKENS = re.compile(r"\s*(<=|>=|=>|[<>=()+-]|[0-9]+|[A-Za-z][A-Za-z0-9_]*)")


class Goal:
    """A state formula without temporal operators, evaluated at one state."""

    def __init__(self, text, system):
        self.system = system
        self.toks, pos, text = [], 0, text.strip()
        while pos < len(text):
            m = FORMULA_TOKENS.match(text, pos)
            if not m:
                raise ReplayError("goal: cannot read %r" % text[pos:])
            self.toks.append(m.group(1))
            pos = m.end()
            while pos < len(text) and text[pos].isspace():
                pos += 1
        self.toks.append(None)
        self.pos = 0
        self.tree = self.impl()
        if self.toks[self.pos] is not None:
            raise ReplayError("goal: unexpected %r" % self.toks[self.pos])

    def peek(self):
        return self.toks[self.pos]

    def word(self):
        t = self.toks[self.pos]
        return t.lower() if t is not None else None

    def take(self, expected=None):
        t = self.toks[self.pos]
        if expected is not None and (t is None or t.lower() != expected):
            raise ReplayError("goal: expected %r, found %r" % (expected, t))
        self.pos += 1
        return t

    def impl(self):
        left = self.disj()
        if self.word() in ("impl", "=>"):
            self.take()
            return ("impl", left, self.impl())
        return left

    def disj(self):
        t = self.conj()
        while self.word() == "or":
            self.take()
            t = ("or", t, self.conj())
        return t

    def conj(self):
        t = self.unary()
        while self.word() == "and":
            self.take()
            t = ("and", t, self.unary())
        return t

    def clock(self, name):
        name = name.upper()
        if name not in self.system.clock_index:
            raise ReplayError("goal: unknown clock %s" % name)
        return self.system.clock_index[name]

    def unary(self):
        w = self.word()
        if w == "not":
            self.take()
            return ("not", self.unary())
        if w == "(":
            self.take()
            t = self.impl()
            self.take(")")
            return t
        if w == "true":
            self.take()
            return ("const", True)
        if w == "init":
            self.take()
            return ("init",)
        if w == "state" and self.toks[self.pos + 1] == "(":
            self.take()
            self.take("(")
            n = int(self.take())
            self.take(")")
            return ("state", n)
        if w is not None and w[0].isdigit():
            c = int(self.take())
            if self.peek() == "+":
                self.take()
                x = self.take()
                rel = self.take()
                return ("atom", self.clock(x), self.clock(self.take()), rel, -c)
            rel = self.take()
            x = self.take()
            if self.peek() == "-":
                self.take()
                return ("atom", self.clock(x), self.clock(self.take()), FLIP[rel], c)
            return ("atom", self.clock(x), 0, FLIP[rel], c)
        if w is None or not w[0].isalpha():
            raise ReplayError("goal: unexpected %r" % self.peek())
        name = self.take()
        nxt = self.peek()
        if nxt == "-":
            self.take()
            y = self.take()
            rel = self.take()
            return ("atom", self.clock(name), self.clock(y), rel, int(self.take()))
        if nxt in ("<", "<=", "=", ">=", ">"):
            rel = self.take()
            t = self.take()
            if t[0].isdigit():
                c = int(t)
                if self.peek() == "+":
                    self.take()
                    return ("atom", self.clock(name), self.clock(self.take()), rel, c)
                return ("atom", self.clock(name), 0, rel, c)
            c = 0
            if self.peek() == "+":
                self.take()
                c = int(self.take())
            return ("atom", self.clock(name), self.clock(t), rel, c)
        return ("prop", name.upper())

    def samples(self, v, d, t=None):
        """Moments of [0, d] that sample every stretch of a delay from v over
        which the formula keeps its truth value: the moments where one of
        its clock bounds is crossed, and one moment between two of them."""
        points = {Fraction(0), d}
        todo = [self.tree]
        while todo:
            t = todo.pop()
            if t[0] == "atom" and t[2] == 0 and 0 < t[4] - v[t[1]] < d:
                points.add(t[4] - v[t[1]])
            todo.extend(x for x in t[1:] if isinstance(x, tuple))
        points = sorted(points)
        return points + [(a + b) / 2 for a, b in zip(points, points[1:])]

    def holds(self, locs, v, t=None):
        t = self.tree if t is None else t
        kind = t[0]
        if kind == "const":
            return t[1]
        if kind == "not":
            return not self.holds(locs, v, t[1])
        if kind == "and":
            return self.holds(locs, v, t[1]) and self.holds(locs, v, t[2])
        if kind == "or":
            return self.holds(locs, v, t[1]) or self.holds(locs, v, t[2])
        if kind == "impl":
            return not self.holds(locs, v, t[1]) or self.holds(locs, v, t[2])
        if kind == "atom":
            return holds(value(v, t[1]) - value(v, t[2]), t[3], t[4])
        if kind == "state":
            return all(l == t[1] for l in locs)
        initial = self.system.initial(locs)
        if kind == "init":
            return initial and all(x == 0 for x in v[1:])
        if t[1] == "INIT" and self.system.product:
            return initial
        return t[1] in self.system.props(locs)


# ---------------------------------------------------------------------------
# The run file

RUN_HEAD = re.compile(r"^run #(\d+): (\d+) transitions$")
INITIAL = re.compile(r"^initial: (?P<locs>location \d+|locations \([\d, ]+\)) \((?P<props>[^)]*)\) (?P<val>.*)$")
DELAY = re.compile(r"^delay (?P<d>\S+) ->(?P<val>.*)$")
MOVE = re.compile(r"^transition (?P<src>\d+|\([\d, ]+\)) -> (?P<dst>location \d+|locations \([\d, ]+\)) "
                  r"\((?P<props>[^)]*)\)(?: moving(?P<mov>(?: \S+)+?))? labels(?P<labs>(?: \S+)+) ;"
                  r"(?P<asg>(?: \S+)+) ->(?P<val>.*)$")


SWITCH = re.compile(r"^here (?P<p>.+) holds; from here on (?P<q>.+) stays false for "
                    r"(?P<rel>more than|at least) (?P<k>\d+) time units$")


def location_vector(text):
    return [int(x) for x in re.findall(r"\d+", text)]


class Replay:
    def __init__(self, system, goal, init_anywhere, cond=None, response=None):
        """response: (P, Q, strict, K) as Goal, Goal, bool (more than K), Fraction."""
        self.s, self.goal, self.init_anywhere, self.cond = system, goal, init_anywhere, cond
        self.response = response
        self.runs = self.moves = 0

    def switch(self, locs, v, m):
        """The switch line of a response run at (locs, v)."""
        if self.response is None:
            self.fail("a switch line, and no --response given")
        p, _, strict, k = self.response
        if (m.group("rel") == "more than") != strict or Fraction(m.group("k")) != k:
            self.fail("the switch line says %s %s, the bound is %s %s"
                      % (m.group("rel"), m.group("k"), "more than" if strict else "at least", k))
        if not p.holds(locs, v):
            self.fail("P does not hold at the switch, %s %s" % (locs, self.show(v)))

    def stays_outside(self, locs, v, d, since):
        """Q holds at no moment of the delay d from v that comes at most K
        (less than K) after the switch, `since` before the delay."""
        q, strict, k = self.response[1], self.response[2], self.response[3]
        for t in sorted(set(q.samples(v, d) + ([k - since] if 0 <= k - since <= d else []))):
            if since + t > k or (not strict and since + t == k):
                break
            w = [Fraction(0)] + [x + t for x in v[1:]]
            if q.holds(locs, w):
                self.fail("Q holds at %s %s, %s after the start of the delay" % (locs, self.show(w), t))

    def fail(self, message):
        raise ReplayError("%s, line %d: %s" % (self.where, self.line_no, message))

    def valuation(self, text):
        parts = text.split()
        names = [p.split("=", 1)[0] for p in parts]
        if names != self.s.clock_names or any("=" not in p for p in parts):
            self.fail("the valuation %r does not list the clocks %s" % (text.strip(), " ".join(self.s.clock_names)))
        return [Fraction(0)] + [parse_value(p.split("=", 1)[1], "%s, line %d" % (self.where, self.line_no))
                                for p in parts]

    def show(self, v):
        return " ".join("%s=%s" % (c, x) for c, x in zip(self.s.clock_names, v[1:]))

    def check_props(self, locs, text):
        if sorted(text.split()) != self.s.props(locs):  # each once
            self.fail("propositions (%s) printed, the locations carry (%s)" % (text, " ".join(self.s.props(locs))))

    def check_locations(self, text):
        if self.s.product != text.startswith("locations"):
            self.fail("%r: the model is %s" % (text, "a network" if self.s.product else "one graph"))
        vec = location_vector(text)
        if len(vec) != len(self.s.graphs) or any(l >= len(g.locs) for l, g in zip(vec, self.s.graphs)):
            self.fail("no such location %r" % text)
        return vec

    def inside_invariant(self, locs, v):
        return all(constraint_holds(g.locs[locs[a]].closed_inv, self.s.local(a, v))
                   for a, g in enumerate(self.s.graphs))

    def stays_in_condition(self, locs, v, d, last):
        """Every moment of the delay lies in the condition; in the last delay
        the moments before its end may lie in the goal instead."""
        for t in sorted(set(self.cond.samples(v, d) + (self.goal.samples(v, d) if last else []))):
            w = [Fraction(0)] + [x + t for x in v[1:]]
            if self.cond.holds(locs, w) or (last and t < d and self.goal.holds(locs, w)):
                continue
            if last and t == d:
                continue  # the end is checked against the goal
            self.fail("%s %s, %s after the start of the delay, is outside the condition"
                      % (locs, self.show(w), t))

    def delay(self, locs, v, d):
        if d < 0:
            self.fail("negative delay %s" % d)
        for a, g in enumerate(self.s.graphs):
            lv = self.s.local(a, v)
            ivs = [iv for iv in (invariant_interval(z, lv) for z in g.locs[locs[a]].inv) if iv is not None]
            if not covers(ivs, d):
                self.fail("the invariant of location %d%s does not hold throughout the delay %s from %s"
                          % (locs[a], " of automaton %d" % a if self.s.product else "", d, self.show(v)))
        return [Fraction(0)] + [x + d for x in v[1:]]

    def candidates(self, src, dst, moving):
        per = []
        for a, g in enumerate(self.s.graphs):
            if a in moving:
                per.append([t for t in g.locs[src[a]].trans if t.target == dst[a]])
            else:
                if src[a] != dst[a]:
                    self.fail("automaton %d changes location without moving" % a)
                per.append([None])
        combos = [[]]
        for options in per:
            combos = [c + [t] for c in combos for t in options]
        return combos

    def take(self, src, v, moves):
        """The valuation after the moves from v, or a reason why they cannot be
        taken there."""
        w = list(v)
        for a, t in enumerate(moves):
            if t is None:
                continue
            g = self.s.graphs[a]
            lv = self.s.local(a, v)
            if not constraint_holds(t.guard, lv):
                return None, "the guard of automaton %d does not hold" % a
            if not constraint_holds(g.locs[src[a]].closed_inv, lv):
                return None, "the source invariant of automaton %d does not hold at the jump" % a
            off = self.s.offsets[a]
            for k in range(1, len(g.clocks) + 1):
                w[off + k] = lv[t.affect[k]]
        return w, None

    def assignments(self, moves):
        out = []
        for a, t in enumerate(moves):
            if t is None:
                continue
            off = self.s.offsets[a]
            for k in range(1, len(t.affect)):
                s = t.affect[k]
                if s != k:
                    out.append("%s:=%s" % (self.s.clock_names[off + k - 1],
                                           "0" if s == 0 else self.s.clock_names[off + s - 1]))
        return out

    def move(self, locs, v, m):
        src = [int(m.group("src"))] if not self.s.product else location_vector(m.group("src"))
        if src != locs:
            self.fail("the move starts from %s, the run is at %s" % (m.group("src"), locs))
        dst = self.check_locations(m.group("dst"))
        self.check_props(dst, m.group("props"))
        if self.s.product:
            if m.group("mov") is None:
                self.fail("no moving automata printed")
            names = self.s.automaton_names()
            if any(x not in names for x in m.group("mov").split()):
                self.fail("bad moving list %r: the automata are %s" % (m.group("mov"), " ".join(names)))
            moving = [names.index(x) for x in m.group("mov").split()]
            if moving != sorted(set(moving)):
                self.fail("bad moving list %r" % m.group("mov"))
        else:
            if m.group("mov") is not None:
                self.fail("a moving list for one graph")
            moving = [0]
        labels = m.group("labs").split()
        if labels == ["-"]:
            labels = []
        if len(set(labels)) != len(labels):
            self.fail("a label printed twice")
        asg = m.group("asg").split()
        if asg == ["-"]:
            asg = []
        printed = self.valuation(m.group("val"))
        reasons = []
        for moves in self.candidates(src, dst, moving):
            if self.s.product and not self.s.legal(moves):
                reasons.append("not a legal synchronisation")
                continue
            names = set(l for t in moves if t is not None for l in t.labels)
            if names != set(labels):
                reasons.append("labels %s" % " ".join(sorted(names)))
                continue
            if sorted(self.assignments(moves)) != sorted(asg):
                reasons.append("assignments %s" % " ".join(self.assignments(moves)))
                continue
            w, why = self.take(src, v, moves)
            if w is None:
                reasons.append(why)
                continue
            if not self.inside_invariant(dst, w):
                reasons.append("the target invariant does not hold at %s" % self.show(w))
                continue
            if w != printed:
                reasons.append("it leads to %s" % self.show(w))
                continue
            return dst, w
        self.fail("no transition from %s to %s takes this move at %s (%s)"
                  % (src, dst, self.show(v), "; ".join(reasons) or "none between these locations"))

    def run(self, lines, start, number, count):
        self.line_no = start + 1
        m = INITIAL.match(lines[start])
        if not m:
            self.fail("expected the initial state, found %r" % lines[start])
        locs = self.check_locations(m.group("locs"))
        self.check_props(locs, m.group("props"))
        if not self.s.initial(locs):
            self.fail("%s is not an initial location" % m.group("locs"))
        v = self.valuation(m.group("val"))
        if not self.init_anywhere and any(x != 0 for x in v[1:]):
            self.fail("the run does not start with every clock at 0")
        if not self.inside_invariant(locs, v):
            self.fail("the initial valuation is outside the invariant")
        i, moves = start + 1, 0
        now, switched = Fraction(0), None  # the time, and the time of the switch
        while True:
            self.line_no = i + 1
            m = DELAY.match(lines[i]) if i < len(lines) else None
            if not m:
                self.fail("expected a delay, found %r" % (lines[i] if i < len(lines) else "the end of the file"))
            d = parse_value(m.group("d"), "%s, line %d" % (self.where, self.line_no))
            last = i + 1 >= len(lines) or lines[i + 1] == ""
            if self.cond is not None:
                self.stays_in_condition(locs, v, d, last)
            if switched is not None:
                self.stays_outside(locs, v, d, now - switched)
            v = self.delay(locs, v, d)
            now += d
            if self.valuation(m.group("val")) != v:
                self.fail("after the delay the valuation is %s, not %s" % (self.show(v), m.group("val").strip()))
            i += 1
            self.line_no = i + 1
            if i >= len(lines) or lines[i] == "":
                break
            m = SWITCH.match(lines[i])
            if m:
                if switched is not None:
                    self.fail("a second switch line")
                self.switch(locs, v, m)
                switched = now
                i += 1
                continue
            m = MOVE.match(lines[i])
            if not m:
                self.fail("expected a transition, found %r" % lines[i])
            locs, v = self.move(locs, v, m)
            moves += 1
            i += 1
        if moves != count:
            self.fail("run #%d announces %d transitions and has %d" % (number, count, moves))
        if self.goal is not None and not self.goal.holds(locs, v):
            self.fail("the run ends at %s %s, outside the goal" % (locs, self.show(v)))
        if self.response is not None:
            if switched is None:
                self.fail("run #%d has no switch line" % number)
            strict, k = self.response[2], self.response[3]
            if now - switched < k or (strict and now - switched == k):
                self.fail("the run ends %s after the switch, not %s %s" % (now - switched,
                          "more than" if strict else "at least", k))
        self.runs += 1
        self.moves += moves
        return i

    def file(self, path):
        self.where = path
        with open(path) as f:
            lines = f.read().split("\n")
        if lines and lines[-1] == "":
            lines.pop()
        i, expected = 0, 1
        while i < len(lines):
            self.line_no = i + 1
            m = RUN_HEAD.match(lines[i])
            if not m:
                self.fail("expected a run header, found %r" % lines[i])
            if int(m.group(1)) != expected:
                self.fail("run #%s where #%d was expected" % (m.group(1), expected))
            i = self.run(lines, i + 1, expected, int(m.group(2)))
            expected += 1
            if i < len(lines):
                i += 1  # the empty line between two runs
                if i == len(lines):
                    self.line_no = i
                    self.fail("an empty line after the last run")
        if self.runs == 0:
            raise ReplayError("%s: no run to replay" % path)


def main(argv):
    goal_text, cond_text, init_anywhere, args = None, None, False, []
    response_text = None
    i = 0
    while i < len(argv):
        if argv[i] == "--response" and i + 3 < len(argv):
            response_text = argv[i + 1:i + 4]
            i += 4
            continue
        if argv[i] in ("--goal", "--cond") and i + 1 < len(argv):
            if argv[i] == "--goal":
                goal_text = argv[i + 1]
            else:
                cond_text = argv[i + 1]
            i += 2
            continue
        if argv[i] == "--init-anywhere":
            init_anywhere = True
        else:
            args.append(argv[i])
        i += 1
    if len(args) < 2 or (cond_text is not None and goal_text is None):
        sys.stderr.write(__doc__)
        return 2
    try:
        system = System([read_graph(p) for p in args[:-1]])
        goal = Goal(goal_text, system) if goal_text is not None else None
        cond = Goal(cond_text, system) if cond_text is not None else None
        response = None
        if response_text is not None:
            bound = re.match(r"^(<=|<)(\d+)$", response_text[2])
            if not bound:
                raise ReplayError("--response: the bound %r is not <=K or <K" % response_text[2])
            response = (Goal(response_text[0], system), Goal(response_text[1], system), bound.group(1) == "<=",
                        Fraction(bound.group(2)))
        replay = Replay(system, goal, init_anywhere, cond, response)
        replay.file(args[-1])
    except (ReplayError, OSError) as e:
        print("replay failed: %s" % e)
        return 1
    print("replayed %d runs, %d transitions" % (replay.runs, replay.moves))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
