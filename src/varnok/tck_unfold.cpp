// The discrete states of a model with data as one timed graph.

#include "varnok/tck_unfold.h"

#include <cctype>
#include <cstdio>
#include <map>
#include <set>
#include <vector>

#include "common/util/my_files.h"
#include "varnok/tck_semantics.h"

namespace tck {

namespace {

// A name of the timed-graph language: a letter, then letters, digits, '_'.
std::string tg_name(const std::string &n) {
  std::string s;
  for (char c : n) s += isalnum(static_cast<unsigned char>(c)) ? c : '_';
  while (!s.empty() && s.back() == '_') s.pop_back();
  if (s.empty() || !isalpha(static_cast<unsigned char>(s[0]))) s = "v" + s;
  return s;
}

std::string upper(std::string s) {
  for (char &c : s) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return s;
}

const char *cmp_text(op c) {
  switch (c) {
    case op::lt: return " < ";
    case op::le: return " <= ";
    case op::gt: return " > ";
    case op::ge: return " >= ";
    default: return " = ";
  }
}

}  // namespace

bool write_unfolded(data_model &m, const std::string &path, std::string &why) {
  const system &s = m.model();
  // Clock names, and the extra clock of the hurried locations.
  std::vector<std::string> clock(s.nb_clocks + 2);
  std::set<std::string> taken{"STATE", "PROP", "INVAR", "TRANS", "GOTO", "RESET", "TRUE", "FALSE", "AND", "OR", "LOC"};
  for (int x = 1; x <= s.nb_clocks; x++) {
    clock[x] = tg_name(s.clock_name(x));
    if (!taken.insert(upper(clock[x])).second) {
      why = "clock " + s.clock_name(x) + " cannot be told apart from another name in a timed graph";
      return false;
    }
  }
  std::string hurry = "hurry";
  while (taken.count(upper(hurry))) hurry += "_x";
  // The discrete states, breadth-first from the initial one.
  std::map<std::vector<uint16_t>, int> id;
  std::vector<std::vector<uint16_t>> keys{m.initial_key()};
  id[keys[0]] = 0;
  std::vector<std::vector<discrete_move>> moves;
  std::vector<std::vector<clock_bound>> invs;
  std::vector<bool> inv_ok;
  bool any_hurry = false;
  std::vector<clock_bound> inv;
  for (size_t k = 0; k < keys.size(); k++) {
    const std::vector<uint16_t> key = keys[k];
    inv_ok.push_back(m.invariant_at(key.data(), inv));
    invs.push_back(inv);
    any_hurry = any_hurry || m.hurried(key.data());
    moves.emplace_back();
    if (!inv_ok.back()) continue;
    m.discrete_moves(key.data(), moves.back());
    for (const discrete_move &dm : moves.back())
      if (id.emplace(dm.target, static_cast<int>(keys.size())).second) {
        if (keys.size() >= static_cast<size_t>(MAX_UNFOLDED)) {
          why = "more than " + std::to_string(MAX_UNFOLDED) + " discrete states";
          return false;
        }
        keys.push_back(dm.target);
      }
  }
  auto constraint = [&](const clock_bound &b) {
    std::string t = clock[b.x];
    if (b.y != 0) t += " - " + clock[b.y];
    return t + cmp_text(b.cmp) + (b.c < 0 ? "(0 - " + std::to_string(-b.c) + ")" : std::to_string(b.c));
  };
  auto conj = [&](const std::vector<clock_bound> &bs, const std::string &extra) {
    std::string t;
    for (const clock_bound &b : bs) t += (t.empty() ? "" : " and ") + constraint(b);
    if (!extra.empty()) t += (t.empty() ? "" : " and ") + extra;
    return t.empty() ? std::string("true") : t;
  };
  size_t ntrans = 0;
  for (const auto &ms : moves) ntrans += ms.size();
  const int nclocks = s.nb_clocks + (any_hurry ? 1 : 0);
  std::string out = "/* The discrete states of " + s.name + " (" + s.file + "): locations and integer values. */\n";
  out += "#states " + std::to_string(keys.size()) + "\n#trans " + std::to_string(ntrans) + "\n#clocks " + std::to_string(nclocks) + "\n";
  for (int x = 1; x <= s.nb_clocks; x++) out += clock[x] + "\n";
  if (any_hurry) out += hurry + "\n";
  const int nprocs = static_cast<int>(s.processes.size());
  for (size_t k = 0; k < keys.size(); k++) {
    const std::vector<uint16_t> &key = keys[k];
    out += "\nstate: " + std::to_string(k) + "\n/*";
    for (int p = 0; p < nprocs; p++) out += " " + s.processes[p].name + "." + s.processes[p].locations[key[p]].name;
    for (int v = 0; v < s.nb_vars; v++) out += " " + s.var_name(v) + "=" + std::to_string(m.value(key.data(), v));
    out += " */\nprop:";
    std::set<std::string> props;
    if (k == 0) props.insert("INIT");
    for (int p = 0; p < nprocs; p++)
      for (int l : s.processes[p].locations[key[p]].labels) props.insert(upper(tg_name(s.labels[l])));
    for (int v = 0; v < s.nb_vars; v++) {
      const int32_t val = m.value(key.data(), v);
      props.insert(upper(tg_name(s.var_name(v)) + "_" + (val < 0 ? "m" + std::to_string(-val) : std::to_string(val))));
    }
    for (const std::string &q : props) out += " " + q;
    out += "\ninvar: " + (inv_ok[k] ? conj(invs[k], m.hurried(key.data()) ? hurry + " <= 0" : "") : std::string("false"));
    out += "\ntrans:\n";
    for (const discrete_move &dm : moves[k]) {
      out += conj(dm.guard, "") + " => " + tg_name(s.events[dm.event]) + " ; ";
      if (!dm.reset.empty() || any_hurry) {
        out += "reset{";
        for (int x : dm.reset) out += " " + clock[x];
        if (any_hurry) out += " " + hurry;
        out += " } ";
      }
      out += "; goto " + std::to_string(id[dm.target]) + "\n";
    }
  }
  FILE *f = open_output(path.c_str(), "w");
  if (f == nullptr) {
    why = "cannot open file " + path;
    return false;
  }
  fputs(out.c_str(), f);
  close_output(f);
  return true;
}

}  // namespace tck
