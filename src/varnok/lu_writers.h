// The files of the -abs lu search: the witness path of one timed graph
// (_path.reach) and of a product (.trace), the simulation graph (.sim) and
// its DOT picture. Each file name is built when the file is written.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "varnok/lu_search.h"

namespace lu {

// The witness path of the single graph into _path.reach (reports "file ...
// dumped" on standard output; a file that cannot be opened is reported
// there too and nothing is written).
void write_single_path(const std::vector<path_step> &path);
// The witness path of the product into my_filename.trace (reported on
// standard error).
void write_product_trace(const std::vector<path_step> &path);
// The graph g of a finished search (its states in st) in the .sim format,
// into f: for the single graph, and for the product of m.
void write_single_graph(const state_store &st, const graph_view &g, FILE *f);
void write_product_graph(const model &m, const state_store &st, const graph_view &g, FILE *f);
// The same graphs as DOT pictures into the file `path`, titled with how
// the zones were stored (extrapolated with m's bounds, or exact).
void draw_single_graph(const model &m, const state_store &st, const graph_view &g, const std::string &path);
void draw_product_graph(const model &m, const state_store &st, const graph_view &g, const std::string &path);

}  // namespace lu
