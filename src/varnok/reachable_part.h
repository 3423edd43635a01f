// Formulas decided on the reachable part of the state space (-reachable).
//
// The -abs lu search explores the loaded model (one timed graph, or the
// product of the loaded automata) from its initial states; W is the union
// of the zones it keeps live, per discrete state. Every successor of a kept
// zone, discrete move and time passing within the invariants, lies in a
// kept zone (that is what the store's inclusion test decides), so W holds
// every reachable state and every path from a state of W stays in W.
//
// A product is then built only over the discrete states of W and the moves
// between them: a move that leaves W's discrete states is never taken from
// a state of W, so the paths from a state of W are those of the whole
// product. Every operator of the logic looks only forward along paths, so
// each formula has at each state of W the value it has in the whole
// product, in particular at the initial states. Outside W (other
// valuations at the same discrete states) the restricted product answers
// for itself only: the result is cut down to W before it is reported.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct states_region;

namespace reach {

// W: per discrete state (a product's location-vector code, or a location
// of the one graph) its live zones, dim * dim closed flat matrices one
// after the other.
struct part {
  int dim = 1;
  bool product = false;
  std::unordered_map<int32_t, std::vector<int16_t>> zones;
  long long nb_zones = 0;

  bool has(int32_t state) const { return zones.count(state) != 0; }
};

// W of the loaded automata (their product tables, before any product is
// built), searched from the initial location vectors with every clock 0,
// or (whole_invariant, -Inv) anywhere in their invariants, without a state limit.
// Constants the forward zones cannot hold exactly end the run (status 1).
part product_part(bool whole_invariant);
// Builds the product restricted to W into the one-graph tables, as
// gen_parallel_product_graph and build_vnk_tables build the whole one:
// the initial location vectors first (all of them, so that "init" and the
// first location mean what they mean in the whole product), then every
// discrete state of W reached from them by moves that stay in W.
void build_restricted_product(const part &w);
// W of the loaded one graph (the formula's clocks free), searched from its
// initial states as the verdict takes them (whole_invariant: -Inv).
part single_graph_part(bool whole_invariant);
// Cuts every location's region of result (a table over the loaded graph or
// restricted product) down to W, in place.
void keep_inside(states_region *result, const part &w);

// "varnok: reachable part: S discrete states, Z zones (of L composed
// locations)" on standard output.
void print_part(const part &w, const std::string &composed);
// The number of location vectors of the loaded automata, in decimal.
std::string composed_locations();

}  // namespace reach
