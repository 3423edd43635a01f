// Timed graphs written as a model with data.

#include "varnok/tck_export.h"

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/util/my_files.h"
#include "common/zone/zone.h"
#include "varnok/compo_sync.h"
#include "varnok/tables_view.h"
#include "varnok/varnok_multiple.h"
#include "varnok/varnok_options.h"

namespace {

struct refusal {
  std::string why;
};

// name with every character that a declared name cannot hold made '_'.
std::string identifier(const std::string &name) {
  std::string s = name.empty() ? "G" : name;
  for (char &c : s)
    if (!isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.') c = '_';
  if (isdigit(static_cast<unsigned char>(s[0])) || s[0] == '.') s = "G" + s;
  return s;
}

// "x <= 3", "x > 2", "x - y < 1" for the constraint x_i - x_j <= b.
std::string constraint_text(const flat::constraint &c) {
  const int d = c.b >> 1;
  const bool strict = (c.b & 1) == 0;
  if (c.i == 0) return std::string(clocks_names[c.j]) + (strict ? " > " : " >= ") + std::to_string(-d);
  const std::string lhs = c.j == 0 ? std::string(clocks_names[c.i]) : std::string(clocks_names[c.i]) + " - " + clocks_names[c.j];
  return lhs + (strict ? " < " : " <= ") + std::to_string(d);
}

std::string conjunction(const lu::piece &p) {
  std::string out;
  for (const flat::constraint &c : p) out += (out.empty() ? "" : " && ") + constraint_text(c);
  return out;
}

class writer {
 public:
  explicit writer(const lu::tables_view &v) : v_(v) {}

  std::string text(const std::string &system) {
    names();
    std::string out = "# " + std::to_string(v_.nb_automata()) + " timed graphs, written by -tck\n";
    out += "system:" + identifier(system) + "\n";
    for (const std::string &e : events_) out += "event:" + e + "\n";
    for (int x = 1; x < v_.dim(); x++) out += "clock:1:" + std::string(clocks_names[x]) + "\n";
    for (int a = 0; a < v_.nb_automata(); a++) out += process(a);
    for (int s = 0; s < sync_lab_num; s++) {
      std::string line = "sync";
      for (int a = 0; a < v_.nb_automata(); a++)
        if (SyncLabTab[s].known[a]) line += ":" + proc_[a] + "@" + sync_event_[s];
      if (line != "sync") out += line + "\n";
    }
    return out;
  }

 private:
  // The process names (unique), and the events: one per synchronisation
  // label, one per other label, "tau" for moves without a label.
  void names() {
    std::set<std::string> used;
    for (int a = 0; a < v_.nb_automata(); a++) {
      std::string n = identifier(v_.aut(a).name().empty() ? "G" : v_.aut(a).name());
      while (used.count(n)) n += "_";
      used.insert(n);
      proc_.push_back(n);
    }
    std::set<std::string> seen;
    for (int s = 0; s < sync_lab_num; s++) {
      sync_event_.push_back(identifier(SyncLabTab[s].name));
      seen.insert(sync_event_.back());
    }
    events_.assign(seen.begin(), seen.end());
    for (int a = 0; a < v_.nb_automata(); a++)
      for (int t = 0; t < v_.aut(a).nb_transitions; t++) {
        if (TA_trans_sync_mask(a, t) != 0) continue;
        const std::string e = own_event(a, t);
        if (seen.insert(e).second) events_.push_back(e);
      }
  }
  // The event of a move of automaton a alone: its first label, unless that
  // names a synchronisation label (then the label with "_alone").
  std::string own_event(int a, int t) const {
    const std::vector<int32_t> &labs = v_.aut(a).labels(t);
    if (labs.empty()) return "tau";
    std::string e = identifier(v_.aut(a).label_name(labs[0]));
    for (const std::string &s : sync_event_)
      if (s == e) return e + "_alone";
    return e;
  }
  std::string event_of(int a, int t) const {
    const uint64_t mask = TA_trans_sync_mask(a, t);
    if (mask == 0) return own_event(a, t);
    if ((mask & (mask - 1)) != 0)
      throw refusal{"a transition of " + proc_[a] + " carries two synchronisation labels"};
    return sync_event_[__builtin_ctzll(mask)];
  }

  std::string process(int a) {
    const lu::automaton &au = v_.aut(a);
    const std::string &p = proc_[a];
    std::string out = "process:" + p + "\n";
    int initial = -1;
    for (int l = 0; l < au.nb_locations; l++)
      for (int32_t q : au.props(l))
        if (au.prop_name(q) == "INIT") {
          if (initial >= 0) throw refusal{p + " has several initial locations"};
          initial = l;
        }
    if (initial < 0) initial = 0;
    for (int l = 0; l < au.nb_locations; l++) {
      std::vector<std::string> at;
      if (l == initial) at.push_back("initial:");
      const std::vector<lu::piece> &inv = au.inv[l];
      if (inv.size() > 1) throw refusal{"location " + std::to_string(l) + " of " + p + " has an invariant that is a union of zones"};
      if (inv.empty()) at.push_back("invariant: 0");
      else if (!inv[0].empty()) at.push_back("invariant: " + conjunction(inv[0]));
      std::string labels;
      for (int32_t q : au.props(l)) labels += (labels.empty() ? "" : ",") + identifier(au.prop_name(q));
      if (!labels.empty()) at.push_back("labels: " + labels);
      out += "location:" + p + ":L" + std::to_string(l) + braces(at) + "\n";
    }
    for (int t = 0; t < au.nb_transitions; t++) {
      std::string body;
      for (int k = 1; k < au.dim; k++) {
        const int src = au.assign[t][k];
        if (src == k) continue;
        if (src != 0) throw refusal{"a transition of " + p + " copies a clock into another"};
        body += (body.empty() ? "" : "; ") + std::string(clocks_names[au.global(k)]) + " = 0";
      }
      const std::string head = "edge:" + p + ":L" + std::to_string(au.source(t)) + ":L" + std::to_string(au.target(t)) + ":" +
                               event_of(a, t);
      for (const lu::piece &g : au.guard[t]) {
        std::vector<std::string> at;
        if (!g.empty()) at.push_back("provided: " + conjunction(g));
        if (!body.empty()) at.push_back("do: " + body);
        out += head + braces(at) + "\n";
      }
    }
    return out;
  }
  static std::string braces(const std::vector<std::string> &at) {
    if (at.empty()) return "";
    std::string s = "{";
    for (size_t i = 0; i < at.size(); i++) s += (i ? " : " : "") + at[i];
    return s + "}";
  }

  const lu::tables_view &v_;
  std::vector<std::string> proc_, sync_event_, events_;
};

}  // namespace

bool write_tck(const std::string &path) {
  const lu::tables_view v = lu::tables_view::product();
  std::string base = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
  if (base.size() > 4) base.resize(base.size() - 4);
  std::string text;
  try {
    text = writer(v).text(base);
  } catch (const refusal &r) {
    fprintf(stderr, "%s: -tck: %s\n", tool, r.why.c_str());
    return false;
  }
  FILE *f = open_output(path.c_str(), "w");
  if (f == nullptr) {
    fprintf(stderr, "%s: cannot open file %s\n", tool, path.c_str());
    return false;
  }
  fputs(text.c_str(), f);
  close_output(f);
  printf("%s: file %s created\n", tool, path.c_str());
  return true;
}

int tck_export_models(int nb) {
  if (!init_list(nb)) return 0;
  std::string out = out_f_name;
  if (out.size() > 3 && out.compare(out.size() - 3, 3, ".tg") == 0) out.resize(out.size() - 3);
  return write_tck(result_path((out + ".tck").c_str())) ? 1 : 0;
}
