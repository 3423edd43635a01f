// Exact rationals.

#include "varnok/rational.h"

#include <stdexcept>
#include <utility>

namespace run {

rational rational::of(big_int p, big_int q) {
  if (q.is_zero()) throw std::domain_error("division by zero");
  if (q.negative()) {
    p = -p;
    q = -q;
  }
  const big_int g = gcd(p, q);
  rational r;
  if (g == big_int(1)) {
    r.p = std::move(p);
    r.q = std::move(q);
  } else {
    r.p = p / g;
    r.q = q / g;
  }
  return r;
}

std::string rational::text() const { return q == big_int(1) ? p.text() : p.text() + "/" + q.text(); }

rational operator+(const rational &a, const rational &b) {
  if (a.q == b.q) return rational::of(a.p + b.p, a.q);
  const big_int g = gcd(a.q, b.q);
  return rational::of(a.p * (b.q / g) + b.p * (a.q / g), (a.q / g) * b.q);
}
rational operator-(const rational &a, const rational &b) {
  rational m;
  m.p = -b.p;
  m.q = b.q;
  return a + m;
}
rational operator*(const rational &a, const rational &b) { return rational::of(a.p * b.p, a.q * b.q); }
rational operator/(const rational &a, const rational &b) { return rational::of(a.p * b.q, a.q * b.p); }
int compare(const rational &a, const rational &b) { return compare(a.p * b.q, b.p * a.q); }
big_int floor_of(const rational &a) {
  big_int f, r;
  big_int::divide(a.p, a.q, f, r);
  if (!r.is_zero() && a.p.negative()) f = f - big_int(1);
  return f;
}
big_int ceil_of(const rational &a) {
  big_int f, r;
  big_int::divide(a.p, a.q, f, r);
  if (!r.is_zero() && !a.p.negative()) f = f + big_int(1);
  return f;
}

bool in_flat(const int16_t *m, int dim, const valuation &v) {
  return satisfies(dim, [&](int i, int j) { return m[i * dim + j]; }, [](int k) { return k; }, v);
}

}  // namespace run
