// Pictures of a model with data.

#include "varnok/tck_dot.h"

#include <cstdio>

#include "varnok/dot_format.h"

namespace tck {

namespace {

// The binding strength of an operator: operands that bind less tightly
// than their operator are parenthesised.
int strength(op k) {
  switch (k) {
    case op::lor: return 1;
    case op::land: return 2;
    case op::eq: case op::ne: case op::lt: case op::le: case op::gt: case op::ge: return 3;
    case op::add: case op::sub: return 4;
    case op::mul: case op::div: case op::mod: return 5;
    case op::neg: case op::lnot: return 6;
    default: return 7;
  }
}

const char *symbol(op k) {
  switch (k) {
    case op::add: return " + ";
    case op::sub: return " - ";
    case op::mul: return " * ";
    case op::div: return " / ";
    case op::mod: return " % ";
    case op::eq: return " == ";
    case op::ne: return " != ";
    case op::lt: return " < ";
    case op::le: return " <= ";
    case op::gt: return " > ";
    case op::ge: return " >= ";
    case op::land: return " && ";
    case op::lor: return " || ";
    default: return " ? ";
  }
}

// e, in parentheses when it binds less tightly than `at` (or as tightly,
// when `strict`: the right operand of a left-associative operator).
std::string operand(const system &s, int e, int at, bool strict) {
  const int k = strength(s.exprs[e].kind);
  const std::string t = expr_text(s, e);
  return k < at || (strict && k == at) ? "(" + t + ")" : t;
}

void stmt_text(const system &s, const stmt &st, std::string &out) {
  switch (st.kind) {
    case stmt::assign_int:
    case stmt::assign_clock: out += expr_text(s, st.target) + " = " + expr_text(s, st.value); break;
    case stmt::branch:
      out += "if " + expr_text(s, st.value) + " then " + body_text(s, st.then_part);
      if (!st.else_part.empty()) out += " else " + body_text(s, st.else_part);
      out += " end";
      break;
    case stmt::nop: out += "nop"; break;
  }
}

std::string location_label(const system &s, const location &l) {
  std::string label = l.name;
  if (l.committed) label += " (committed)";
  if (l.urgent) label += " (urgent)";
  std::string labels;
  for (int i : l.labels) labels += (labels.empty() ? "" : " ") + s.labels[i];
  if (!labels.empty()) label += "\n" + labels;
  if (!l.invariant.empty()) label += "\ninv: " + guard_text(s, l.invariant);
  return label;
}

}  // namespace

std::string expr_text(const system &s, int e) {
  const expr &x = s.exprs[e];
  switch (x.kind) {
    case op::constant: return std::to_string(x.value);
    case op::var:
    case op::clock: {
      const std::string &name = x.kind == op::var ? s.ints[x.var].name : s.clocks[x.var].name;
      return x.a < 0 ? name : name + "[" + expr_text(s, x.a) + "]";
    }
    case op::label: return s.labels[x.var];
    case op::neg: return "-" + operand(s, x.a, strength(x.kind), false);
    case op::lnot: return "!" + operand(s, x.a, strength(x.kind), false);
    default: break;
  }
  const int k = strength(x.kind);
  // Comparisons do not chain: both operands of one are parenthesised when
  // they are comparisons too.
  return operand(s, x.a, k, k == 3) + symbol(x.kind) + operand(s, x.b, k, true);
}

std::string guard_text(const system &s, const guard &g) {
  std::string out;
  for (int c : g.conds) out += (out.empty() ? "" : " && ") + operand(s, c, strength(op::land), false);
  for (const clock_atom &a : g.clocks) {
    out += out.empty() ? "" : " && ";
    out += expr_text(s, a.x);
    if (a.y >= 0) out += " - " + expr_text(s, a.y);
    out += symbol(a.cmp) + operand(s, a.rhs, strength(op::eq), true);
  }
  return out.empty() ? "true" : out;
}

std::string body_text(const system &s, const std::vector<stmt> &body) {
  std::string out;
  for (const stmt &st : body) {
    if (!out.empty()) out += "; ";
    stmt_text(s, st, out);
  }
  return out;
}

void dot_write_model(const std::string &path, const system &s) {
  dot::write_file(path, [&](FILE *f) {
    fprintf(f, "  label=%s;\n  labelloc=t;\n", dot::quoted(s.name).c_str());
    for (size_t p = 0; p < s.processes.size(); p++) {
      const process &pr = s.processes[p];
      fprintf(f, "  subgraph cluster_%zu {\n  label=%s;\n", p, dot::quoted(pr.name).c_str());
      for (size_t l = 0; l < pr.locations.size(); l++) {
        const location &loc = pr.locations[l];
        std::string attrs;
        if (loc.committed || loc.urgent) attrs += ", style=filled, fillcolor=lightgrey";
        if (loc.initial) {
          attrs += loc.committed || loc.urgent ? ", penwidth=2" : ", style=bold";
          fprintf(f, "  p%zu_l%zu_entry [shape=point, label=\"\"];\n  p%zu_l%zu_entry -> p%zu_l%zu;\n", p, l, p, l, p, l);
        }
        fprintf(f, "  p%zu_l%zu [label=%s%s];\n", p, l, dot::quoted(location_label(s, loc)).c_str(), attrs.c_str());
      }
      fputs("  }\n", f);
    }
    for (const edge &e : s.edges) {
      std::string label = guard_text(s, e.provided) + " => " + s.events[e.event];
      const std::string body = body_text(s, e.body);
      if (!body.empty()) label += " ; " + body;
      fprintf(f, "  p%d_l%d -> p%d_l%d [label=%s];\n", e.process, e.source, e.process, e.target,
              dot::quoted(label).c_str());
    }
  });
}

}  // namespace tck
