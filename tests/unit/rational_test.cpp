// Exact rationals, their integers and their intervals.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "varnok/rational.h"

namespace {

// The rational type the runs are made of: lowest terms, exact comparison,
// no limit on the size of its integers.
TEST(Rational, ArithmeticIsExactAndUnbounded) {
  using run::big_int;
  using run::rational;
  const rational h = rational::of(1, 2), t = rational::of(-2, 6);
  EXPECT_EQ((h + t).text(), "1/6");
  EXPECT_EQ((h * t).text(), "-1/6");
  EXPECT_EQ((h / t).text(), "-3/2");
  EXPECT_EQ((t - h).text(), "-5/6");
  EXPECT_EQ(rational::of(4, -2).text(), "-2");
  EXPECT_TRUE(t < h);
  EXPECT_EQ(ceil_of(rational::of(-3, 2)).text(), "-1");
  EXPECT_EQ(ceil_of(rational::of(3, 2)).text(), "2");
  EXPECT_EQ(floor_of(rational::of(-3, 2)).text(), "-2");
  EXPECT_EQ(floor_of(rational::of(4, 2)).text(), "2");
  EXPECT_EQ(rational::of_bound(-3).text(), "-2");  // -x <= -2
  EXPECT_EQ(rational::of_bound(6).text(), "3");    // x < 3
  // Past 64 bits: sums, products and lowest terms stay exact.
  const rational big = rational::of(INT64_MAX / 2 + 1, 1);
  EXPECT_EQ((big + big).text(), "9223372036854775808");
  EXPECT_EQ((big * big * big).text(), "98079714615416886934934209737619787751599303819750539264");
  EXPECT_EQ((rational::of(1, INT64_MAX) * rational::of(1, 3)).text(), "1/27670116110564327421");
  const rational third = rational::of(1, 3);
  rational power = 1;
  for (int k = 0; k < 200; k++) power = power * third;
  EXPECT_EQ((power * rational(3) / power).text(), "3");
  EXPECT_TRUE(power + power < power * rational(3));
  EXPECT_EQ(((power + third) - third).text(), power.text());
  EXPECT_THROW(h / rational(0), std::domain_error);
}

// The integers under them, against 128-bit arithmetic where that reaches,
// with signs, carries and borrows across digits.
TEST(Rational, BigIntegersAgreeWithMachineIntegers) {
  using run::big_int;
  const int64_t values[] = {0, 1, -1, 7, -7, 4294967295LL, 4294967296LL, -4294967297LL, INT64_MAX, INT64_MIN + 1,
                            1000000000LL, 123456789012345LL};
  auto text128 = [](__int128 v) {
    if (v == 0) return std::string("0");
    const bool neg = v < 0;
    std::string s;
    for (; v != 0; v /= 10) s.insert(s.begin(), static_cast<char>('0' + (neg ? -(v % 10) : v % 10)));
    return neg ? "-" + s : s;
  };
  for (int64_t a : values)
    for (int64_t b : values) {
      SCOPED_TRACE(std::to_string(a) + " " + std::to_string(b));
      const __int128 x = a, y = b;
      EXPECT_EQ((big_int(a) + big_int(b)).text(), text128(x + y));
      EXPECT_EQ((big_int(a) - big_int(b)).text(), text128(x - y));
      EXPECT_EQ((big_int(a) * big_int(b)).text(), text128(x * y));
      EXPECT_EQ(compare(big_int(a), big_int(b)), a < b ? -1 : a > b ? 1 : 0);
      if (b != 0) {
        // A dividend of two digits and more over divisors of one and two.
        const big_int wide = big_int(a) * big_int(INT64_MAX), q = wide / big_int(b), r = wide % big_int(b);
        const __int128 xw = x * INT64_MAX;
        EXPECT_EQ(q.text(), text128(xw / y));
        EXPECT_EQ(r.text(), text128(xw % y));
      }
    }
  EXPECT_EQ(gcd(big_int(-12) * big_int(INT64_MAX), big_int(18) * big_int(INT64_MAX)).text(),
            (big_int(6) * big_int(INT64_MAX)).text());
}

// The values picked in intervals are the simplest ones: an integer when
// one fits, else the fraction of smallest denominator; strict ends are
// kept out, and shifting moves both ends.
TEST(Rational, IntervalsPickTheSimplestValue) {
  using run::interval;
  using run::rational;
  auto pick = [](const interval &in) {
    rational r;
    return in.pick(r) ? r.text() : std::string("empty");
  };
  interval any;  // [0, inf)
  EXPECT_EQ(pick(any), "0");
  any.raise(0, true);  // (0, inf)
  EXPECT_EQ(pick(any), "1");
  interval open;  // (0, 1)
  open.raise(0, true);
  open.lower(1, true);
  EXPECT_EQ(pick(open), "1/2");
  EXPECT_TRUE(open.holds(rational::of(1, 2)));
  EXPECT_FALSE(open.holds(1));
  interval thin;  // (1/3, 1/2)
  thin.raise(rational::of(1, 3), true);
  thin.lower(rational::of(1, 2), true);
  EXPECT_EQ(pick(thin), "2/5");
  EXPECT_EQ(pick(thin.shifted(rational::of(-1, 3))), "1/7");
  interval point;  // [2, 2]
  point.raise(2, false);
  point.lower(2, false);
  EXPECT_EQ(pick(point), "2");
  point.lower(2, true);  // [2, 2)
  EXPECT_TRUE(point.empty());
  EXPECT_EQ(pick(point), "empty");
  // A tighter bound wins over a looser one, the strict one at equal value.
  interval b;
  b.lower(5, false);
  b.lower(3, false);
  b.lower(7, false);
  b.lower(3, true);
  EXPECT_FALSE(b.holds(3));
  EXPECT_TRUE(b.holds(rational::of(29, 10)));
}

// The values a run shows: integers first, then halves, then the value whose
// time to the end (ago + value) is simplest, never outside the interval.
TEST(Rational, ReadablePicksPreferIntegersThenHalves) {
  using run::interval;
  using run::rational;
  auto readable = [](const interval &in, rational ago) {
    rational r;
    return in.pick_readable(ago, r) ? r.text() : std::string("empty");
  };
  interval wide;  // [1, 3]: the time to the end does not matter
  wide.raise(1, false);
  wide.lower(3, false);
  EXPECT_EQ(readable(wide, rational::of(1, 2)), "1");
  EXPECT_EQ(readable(wide, rational::of(7, 3)), "1");
  interval open;  // (1, 2): no integer, a half
  open.raise(1, true);
  open.lower(2, true);
  EXPECT_EQ(readable(open, 5), "3/2");
  interval small;  // (0, 1/2): neither; 1/3 + ago simplest for ago = 2/3
  small.raise(0, true);
  small.lower(rational::of(1, 2), true);
  EXPECT_EQ(readable(small, 0), "1/3");
  EXPECT_EQ(readable(small, rational::of(2, 3)), "1/3");
  EXPECT_EQ(readable(small, rational::of(1, 2)), "1/6");  // 1/2 + 1/6 = 2/3
  interval half_open;  // (1/2, 1]: the integer end
  half_open.raise(rational::of(1, 2), true);
  half_open.lower(1, false);
  EXPECT_EQ(readable(half_open, rational::of(1, 3)), "1");
  interval none;  // (2, 2)
  none.raise(2, true);
  none.lower(2, true);
  EXPECT_EQ(readable(none, 0), "empty");
}

// A valuation against a bound matrix: bounds (c, <=) encode as 2c + 1,
// (c, <) as 2c.
TEST(Rational, ValuationsInFlatZones) {
  using run::rational;
  const int16_t inf = INF_BOUND;
  // x <= 2, y < 1, x - y <= 1 over clocks 0, x, y: rows i, columns j hold i - j.
  const int16_t m[9] = {1, 1, 1, 5, 1, 3, 2, inf, 1};
  EXPECT_TRUE(run::in_flat(m, 3, {0, rational::of(3, 2), rational::of(1, 2)}));
  EXPECT_FALSE(run::in_flat(m, 3, {0, 2, 1}));                     // y < 1
  EXPECT_FALSE(run::in_flat(m, 3, {0, rational::of(5, 2), 0}));    // x <= 2
  EXPECT_FALSE(run::in_flat(m, 3, {0, rational::of(19, 10), rational::of(1, 2)}));  // x - y <= 1
  EXPECT_TRUE(run::in_flat(m, 3, {0, 1, 0}));
}


}  // namespace
