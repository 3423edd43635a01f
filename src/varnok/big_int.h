// Signed integers of any size, for the exact rationals of concrete runs: a
// run of hundreds of steps inside one time unit needs denominators far past
// 64 bits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace run {

class big_int {
 public:
  big_int() = default;
  big_int(int64_t v);  // NOLINT: integers convert

  bool is_zero() const { return mag_.empty(); }
  bool negative() const { return neg_; }
  std::string text() const;  // decimal, "-" first when negative

  friend big_int operator+(const big_int &a, const big_int &b);
  friend big_int operator-(const big_int &a, const big_int &b);
  friend big_int operator*(const big_int &a, const big_int &b);
  big_int operator-() const;
  // Quotient and remainder truncated towards zero (as for int64_t); b must
  // not be zero.
  static void divide(const big_int &a, const big_int &b, big_int &quotient, big_int &remainder);
  friend big_int operator/(const big_int &a, const big_int &b);
  friend big_int operator%(const big_int &a, const big_int &b);
  friend int compare(const big_int &a, const big_int &b);  // -1, 0, 1
  friend bool operator==(const big_int &a, const big_int &b) { return a.neg_ == b.neg_ && a.mag_ == b.mag_; }

 private:
  using digits = std::vector<uint32_t>;  // base 2^32, least significant first, no leading zero
  bool neg_ = false;                     // never set for zero
  digits mag_;

  static big_int of(bool neg, digits mag);
  static int compare_mag(const digits &a, const digits &b);
  static digits add_mag(const digits &a, const digits &b);
  static digits sub_mag(const digits &a, const digits &b);  // |a| >= |b|
};

inline bool operator<(const big_int &a, const big_int &b) { return compare(a, b) < 0; }
inline bool operator<=(const big_int &a, const big_int &b) { return compare(a, b) <= 0; }
// The greatest common divisor of |a| and |b| (0 for two zeros).
big_int gcd(big_int a, big_int b);

}  // namespace run
