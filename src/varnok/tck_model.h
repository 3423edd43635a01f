// A model with data, as read from a .tck file: processes (locations and
// edges), clocks, bounded integer variables, events and synchronisation
// vectors. A pure value: the reader (tck_reader) builds it, the forward
// semantics (tck_semantics) explores it.
//
// Expressions live in one pool (system::exprs) and are named by their index
// there; -1 means "none". Clocks are numbered from 1 (0 is the reference
// clock of the zones), integer variables from 0, array elements one after
// the other.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tck {

enum class op : uint8_t {
  constant,  // value
  var,       // integer array `var` (a declaration); its element `a` when a >= 0
  clock,     // clock array `var` (a declaration); its element `a` when a >= 0
  label,     // a location label `var` (index in system::labels); only in goals
  neg, lnot,
  add, sub, mul, div, mod,
  eq, ne, lt, le, gt, ge,
  land, lor,
};

struct expr {
  op kind = op::constant;
  int64_t value = 0;
  int var = -1;
  int a = -1, b = -1;  // operands
};

// An array of SIZE integers (SIZE 1: a scalar), each in [lo, hi].
struct int_decl {
  std::string name;
  int size = 1, base = 0;  // its elements are variables base .. base + size - 1
  int32_t lo = 0, hi = 0, init = 0;
};

struct clock_decl {
  std::string name;
  int size = 1, base = 1;  // clocks base .. base + size - 1
};

// x - y # rhs (y -1: x # rhs); x and y are clock expressions (op::clock)
// whose index is evaluated in the state, rhs an integer expression.
struct clock_atom {
  int x = -1, y = -1;
  op cmp = op::le;
  int rhs = -1;
};

// A conjunction: integer conditions and clock constraints.
struct guard {
  std::vector<int> conds;  // integer expressions, each must be non-zero
  std::vector<clock_atom> clocks;
  bool empty() const { return conds.empty() && clocks.empty(); }
};

struct stmt {
  enum kind_t { assign_int, assign_clock, branch, nop } kind = nop;
  int target = -1;  // assign_int: an op::var expression; assign_clock: an op::clock one
  int value = -1;   // the assigned expression, or the condition of a branch
  std::vector<stmt> then_part, else_part;
};

struct location {
  std::string name;
  int line = 0;
  bool initial = false, committed = false, urgent = false;
  std::vector<int> labels;  // indices in system::labels
  guard invariant;
};

struct edge {
  int process = -1, source = -1, target = -1, event = -1;
  int line = 0;
  guard provided;
  std::vector<stmt> body;
};

struct process {
  std::string name;
  std::vector<location> locations;
  int initial = -1;
  std::vector<std::vector<int>> out;  // per location, its edges in file order
};

struct sync_part {
  int process = -1, event = -1;
  bool weak = false;
};

struct system {
  std::string name, file;
  std::vector<std::string> events, labels;
  std::vector<process> processes;
  std::vector<edge> edges;
  std::vector<clock_decl> clocks;
  std::vector<int_decl> ints;
  std::vector<std::vector<sync_part>> syncs;
  std::vector<expr> exprs;
  int nb_clocks = 0;  // clocks 1 .. nb_clocks
  int nb_vars = 0;    // integer variables 0 .. nb_vars - 1
  std::vector<int> var_decl;  // per integer variable, its declaration

  // The name of clock or variable element i (for messages): "x" or "x[2]".
  std::string var_name(int v) const;
  std::string clock_name(int c) const;
  // "P:S->T:E" for an edge.
  std::string edge_name(int e) const;
};

// Sizes past which a model is refused, so that hostile input cannot make
// the reader or the search run out of memory or time.
constexpr int MAX_NAME = 256;
constexpr int MAX_ARRAY = 4096;
constexpr int MAX_CLOCKS = 254;
constexpr int MAX_VARS = 4096;
constexpr int MAX_PROCESSES = 4096;
constexpr int MAX_LOCATIONS = 65535;  // per process: a location is 16 bits of a key
constexpr int64_t MAX_RANGE = 65535;   // hi - lo: a value is 16 bits of a key
constexpr int64_t MAX_VALUE = 1000000000;
constexpr int MAX_DEPTH = 64;  // nesting of expressions and statements
constexpr int MAX_SYNC_PARTS = 64;

}  // namespace tck
