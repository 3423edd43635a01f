// DOT texts (-dot): quoted strings, text captured from printing code, and
// the files of pictures (the graph header, the end, the report line). Any
// text that goes into a label is escaped, so any name, guard or valuation
// is safe in the file. Nothing here reads the tables.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace dot {

// s as a DOT quoted string: quotes and backslashes escaped, line ends as \n.
std::string quoted(const std::string &s);
// What print writes to a stream, as a string (trailing line ends dropped).
std::string text_of(const std::function<void(FILE *)> &print);

// Writes the DOT text made by body into the file `path` (its result name),
// between the graph header and its end, and reports "<tool>: file <path>
// dumped" on standard output; a file that cannot be written ends the run
// (status 1).
void write_file(const std::string &path, const std::function<void(FILE *)> &body);

// A simulation graph drawn while it is walked: every state and transition
// goes to the file at once, so writing takes time linear in the graph and
// keeps nothing (a big graph makes a big picture, though).
class sim_picture {
 public:
  // Starts the file `path`; one that cannot be written ends the run (status 1).
  explicit sim_picture(const std::string &path);
  sim_picture(const sim_picture &) = delete;
  sim_picture &operator=(const sim_picture &) = delete;
  // The picture's title, written once before the states.
  void title(const std::string &text);
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

}  // namespace dot

// A concrete run: one node per moment labelled moments[i] (locations and
// clock values), one edge per step from moment i to i + 1 labelled steps[i]
// (delay and move; one fewer), drawn as a highlighted path.
void dot_write_run(const std::string &path, const std::vector<std::string> &moments, const std::vector<std::string> &steps);
