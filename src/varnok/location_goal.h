// A formula on location vectors (propositions, location numbers, INIT and
// the boolean connectives), compiled once against the loaded automata into
// tables per automaton and location, so that testing a location vector
// costs a few loads instead of a look-up of every proposition by name. It
// answers as location_vector_satisfies_formula does on every vector.
#pragma once

#include <cstdint>
#include <vector>

struct tctl_node;

namespace lu {

class location_goal {
 public:
  // Always true (no formula).
  location_goal() = default;
  // f (null: true) over the n loaded automata of the product tables; f
  // must outlive this goal only when it holds a part the tables cannot
  // express, which is then evaluated as before.
  location_goal(const tctl_node *f, int n);

  // 1 when the location vector key (one location per automaton) satisfies
  // the formula. Only reads: several threads may test at once.
  bool holds(const uint16_t *key) const {
    return nodes_.empty() || (fallback_ != nullptr ? holds_by_formula(key) : holds_at(key, root_));
  }

 private:
  enum class op : uint8_t { always, never, state, init, prop, and_, or_, impl, not_ };
  struct node {
    op kind;
    int32_t a = -1, b = -1;  // children, or for state the location number
    // prop and init: where its n offsets start in offsets_.
    int32_t marks = -1;
  };
  // Appends the nodes of f (children first) and returns its own.
  int32_t compile(const tctl_node *f);
  int32_t compile_true();  // a missing operand: true
  bool holds_at(const uint16_t *key, int32_t at) const;
  bool holds_by_formula(const uint16_t *key) const;

  int n_ = 0;
  int32_t root_ = -1;
  std::vector<node> nodes_;
  std::vector<int32_t> offsets_;  // per prop or init node, n offsets into marks_ (-1: none)
  std::vector<uint8_t> marks_;
  const tctl_node *fallback_ = nullptr;  // a formula the tables cannot express
};

}  // namespace lu
