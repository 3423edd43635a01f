// The text of concrete runs (_run.reach) and the entry points that make,
// replay and write the run of a search's witness (-run).
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "varnok/concrete_run.h"

struct zone;

namespace run {

// The pieces of that text, the tables read through view (the loaded graph's
// or the product's, as the run's witness reads them): locations with their
// propositions, a valuation, a move from `from` to `to`.
void print_run_locations(FILE *f, const lu::tables_view &view, const std::vector<int32_t> &key);
void print_run_valuation(FILE *f, const valuation &v);
void print_run_move(FILE *f, const lu::tables_view &view, const std::vector<int32_t> &from, const std::vector<int32_t> &mv,
                    const std::vector<int32_t> &to);
// The _run.reach text of r (the header line gives its number).
void write_run(FILE *f, const lu::tables_view &view, const concrete_run &r, int number);

}  // namespace run

// Entry points for the searches (each called under -run only). Each makes
// the run of a witness from the search's origin o, replays it (a run that
// fails its replay ends the process, status 3) and writes it to _run.reach:
// run `number` <= 1 starts the file afresh, a later one is appended, unless
// no run of the search has been written yet. The run that starts the file
// is drawn as `pictures` asks (run_pictures_of): into _run.dot (-dot) and
// as a timing diagram into _run.svg (-svg). A witness without a run is
// reported instead ("no concrete run for this witness").

// The pictures of runs that the option bits ask for.
constexpr unsigned RUN_PICTURE_DOT = 1, RUN_PICTURE_SVG = 2;
unsigned run_pictures_of(uint32_t options);

// A search is starting: the first run it writes starts _run.reach afresh,
// whatever its number.
void run_file_restart();
// A witness of the single graph: locations along the path and the
// transitions between them (one fewer), the last valuation in z (null:
// anywhere; a conditional origin: in its goal instead).
void run_write_one_tg(const run::origin &o, const std::vector<int> &locations, const std::vector<int> &transitions, zone *z,
                      int number, unsigned pictures);
// A witness of the product: location vectors and transition vectors.
void run_write_product(const run::origin &o, const std::vector<std::vector<int32_t>> &locations,
                       const std::vector<std::vector<int32_t>> &moves, int number, unsigned pictures);
// A witness of the -abs lu search (single graph: the last exact zone as
// target).
void run_write_witness(run::witness w, const run::origin &o, int number, unsigned pictures);
