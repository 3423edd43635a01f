// Exact rationals of any size, intervals of them, and valuations (one
// rational per clock) checked against zones given as bound matrices: the
// values the concrete runs are made of.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/zone/zone.h"
#include "varnok/big_int.h"

namespace run {

// An exact rational p/q, q > 0, in lowest terms, of any size (a division by
// zero throws std::domain_error).
struct rational {
  big_int p = 0, q = 1;

  rational() = default;
  rational(int64_t n) : p(n) {}  // NOLINT: integers convert
  static rational of(big_int p, big_int q);
  // The bound constant of the encoded bound b (2 * c + s).
  static rational of_bound(int16_t b) { return rational((b - (b & 1)) / 2); }
  std::string text() const;  // "3", "-1/2"
};
rational operator+(const rational &a, const rational &b);
rational operator-(const rational &a, const rational &b);
rational operator*(const rational &a, const rational &b);
rational operator/(const rational &a, const rational &b);
int compare(const rational &a, const rational &b);  // -1, 0, 1
inline bool operator<(const rational &a, const rational &b) { return compare(a, b) < 0; }
inline bool operator<=(const rational &a, const rational &b) { return compare(a, b) <= 0; }
inline bool operator==(const rational &a, const rational &b) { return a.p == b.p && a.q == b.q; }
// The greatest integer <= a, and the smallest integer >= a.
big_int floor_of(const rational &a);
big_int ceil_of(const rational &a);

using valuation = std::vector<rational>;  // per global clock, entry 0 is 0

// An interval of values: lower and upper ends, each possibly strict, the
// upper one possibly absent.
struct interval {
  rational lo = 0, hi = 0;
  bool lo_strict = false, hi_strict = false, has_hi = false;

  void raise(rational v, bool strict) {
    const int c = compare(v, lo);
    if (c > 0 || (c == 0 && strict)) {
      lo = v;
      lo_strict = strict;
    }
  }
  void lower(rational v, bool strict) {
    const int c = has_hi ? compare(v, hi) : -1;
    if (!has_hi || c < 0 || (c == 0 && strict)) {
      hi = v;
      hi_strict = strict;
      has_hi = true;
    }
  }
  bool holds(rational v) const {
    const int a = compare(v, lo);
    if (a < 0 || (a == 0 && lo_strict)) return false;
    if (!has_hi) return true;
    const int b = compare(v, hi);
    return b < 0 || (b == 0 && !hi_strict);
  }
  // The interval of the values v + by, v in this interval.
  interval shifted(const rational &by) const {
    interval r = *this;
    r.lo = lo + by;
    if (has_hi) r.hi = hi + by;
    return r;
  }
  // The interval of the values v * k, v in this interval (k > 0).
  interval scaled(const rational &k) const {
    interval r = *this;
    r.lo = lo * k;
    if (has_hi) r.hi = hi * k;
    return r;
  }
  bool empty() const {
    if (!has_hi) return false;
    const int c = compare(lo, hi);
    return c > 0 || (c == 0 && (lo_strict || hi_strict));
  }
  // The simplest value the interval holds: the smallest integer when there
  // is one, else the value of smallest denominator (a half, a third ...);
  // false when the interval is empty. The smallest denominator keeps room
  // for the steps around: the values of many steps within one time unit
  // grow like 1/n, not 1/2^n.
  bool pick(rational &out) const {
    if (empty()) return false;
    out = simplest(lo, lo_strict, has_hi, hi, hi_strict);
    return true;
  }
  // The value a person reads most easily: the smallest integer the interval
  // holds, else the smallest half-integer, else the value v for which
  // `ago` + v is the simplest (ago: the time from this value's moment to the
  // end of the run, so that the values of many steps within one unit stay
  // simple, 1/3, 2/5, 3/7 ..., where the simplest values of each step alone
  // would shrink doubly exponentially). False when the interval is empty.
  bool pick_readable(const rational &ago, rational &out) const {
    if (!pick(out)) return false;
    if (out.q == big_int(1)) return true;
    rational twice;
    if (scaled(rational(2)).pick(twice) && twice.q == big_int(1)) {
      out = twice / rational(2);
      return true;
    }
    if (!shifted(ago).pick(out)) return false;
    out = out - ago;
    return true;
  }

 private:
  // The simplest value of the non-empty interval (lo, hi) with those ends,
  // through the continued fraction of its ends.
  static rational simplest(const rational &lo, bool lo_strict, bool has_hi, const rational &hi, bool hi_strict) {
    big_int c = ceil_of(lo);
    if (lo_strict && c == lo.p && lo.q == big_int(1)) c = c + big_int(1);
    if (!has_hi) return rational::of(c, 1);
    const int h = compare(rational::of(c, 1), hi);
    if (h < 0 || (h == 0 && !hi_strict)) return rational::of(c, 1);
    // No integer inside: the value is f + 1 / y with f the integer below.
    const rational f = rational::of(floor_of(lo), 1);
    const bool lo_on_f = lo == f;
    const rational y = simplest(rational(1) / (hi - f), hi_strict, !lo_on_f, lo_on_f ? rational(0) : rational(1) / (lo - f),
                                lo_strict);
    return f + rational(1) / y;
  }
};

// A bound b (2 * c + s) is strict when s is 0.
constexpr bool is_strict(int16_t b) { return (b & 1) == 0; }

// 1 when v satisfies every bound of the dim x dim matrix m, whose clock k is
// global clock map(k).
template <typename Bound, typename Map>
bool satisfies(int dim, Bound bound, Map map, const valuation &v) {
  for (int i = 0; i < dim; i++)
    for (int j = 0; j < dim; j++) {
      const int16_t b = bound(i, j);
      if (i == j || b == INF_BOUND) continue;
      const int c = compare(v[map(i)] - v[map(j)], rational::of_bound(b));
      if (c > 0 || (c == 0 && is_strict(b))) return false;
    }
  return true;
}

// 1 when v lies in the closed flat zone m of dim clocks.
bool in_flat(const int16_t *m, int dim, const valuation &v);

}  // namespace run
