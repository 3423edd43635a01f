// Pictures (-dot): Graphviz DOT texts of the loaded timed graph (or of the
// written product, which the same tables hold), of simulation graphs (of
// one timed graph or of a product, with or without -abs lu), and of a
// concrete run. Every text that goes into a label is escaped, so any name,
// guard or valuation is safe in the file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

struct zone;

namespace dot {

// s as a DOT quoted string: quotes and backslashes escaped, line ends as \n.
std::string quoted(const std::string &s);
// What print writes to a stream, as a string (trailing line ends dropped).
std::string text_of(const std::function<void(FILE *)> &print);

// A simulation graph drawn while it is walked: every state and transition
// goes to the file at once, so writing takes time linear in the graph and
// keeps nothing (a big graph makes a big picture, though).
class sim_picture {
 public:
  // Starts the file `path`; one that cannot be written ends the run (status 1).
  explicit sim_picture(const std::string &path);
  sim_picture(const sim_picture &) = delete;
  sim_picture &operator=(const sim_picture &) = delete;
  // State n labelled `label`; an initial state gets a bold border.
  void state(long n, bool initial, const std::string &label);
  // The transition source -> target labelled `label` (the move taken).
  void transition(long source, long target, const std::string &label);
  // Ends the file, puts it in place and reports "<tool>: file <path> dumped".
  void finish();

 private:
  std::string path_;
  FILE *f_;
};

// State labels of the simulation-graph pictures: "n: location l", the
// location's propositions and the zone on three lines; for a product
// "n: locations 1, 0" (v: nb locations). z is closed first; empty: FALSE.
std::string single_state_label(long n, int loc, zone *z);
std::string product_state_label(long n, const int32_t *v, int nb, zone *z);

}  // namespace dot

// Each writes the file `path` and reports "<tool>: file <path> dumped" on
// standard output; a file that cannot be written ends the run (status 1).

// The loaded timed graph: one node per location (number, propositions,
// invariant), one edge per transition (guard, labels, assignment).
void dot_write_tg(const std::string &path);
// The simulation graph of the last single-graph search: one node per state
// (location and zone), one edge per simulation transition.
void dot_write_sim_graph(const std::string &path);
// The same for the last simulation graph of the product (compo_simul).
void dot_write_product_sim_graph(const std::string &path);
// A concrete run: one node per moment labelled moments[i] (locations and
// clock values), one edge per step from moment i to i + 1 labelled steps[i]
// (delay and move; one fewer), drawn as a highlighted path.
void dot_write_run(const std::string &path, const std::vector<std::string> &moments, const std::vector<std::string> &steps);
