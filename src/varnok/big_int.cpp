#include "varnok/big_int.h"

#include <algorithm>
#include <stdexcept>

namespace run {

big_int::big_int(int64_t v) {
  neg_ = v < 0;
  uint64_t m = neg_ ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  while (m != 0) {
    mag_.push_back(static_cast<uint32_t>(m));
    m >>= 32;
  }
}

big_int big_int::of(bool neg, digits mag) {
  while (!mag.empty() && mag.back() == 0) mag.pop_back();
  big_int r;
  r.neg_ = neg && !mag.empty();
  r.mag_ = std::move(mag);
  return r;
}

int big_int::compare_mag(const digits &a, const digits &b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (size_t k = a.size(); k-- > 0;)
    if (a[k] != b[k]) return a[k] < b[k] ? -1 : 1;
  return 0;
}

big_int::digits big_int::add_mag(const digits &a, const digits &b) {
  const digits &l = a.size() >= b.size() ? a : b, &s = a.size() >= b.size() ? b : a;
  digits r(l.size() + 1);
  uint64_t carry = 0;
  for (size_t k = 0; k < l.size(); k++) {
    carry += static_cast<uint64_t>(l[k]) + (k < s.size() ? s[k] : 0);
    r[k] = static_cast<uint32_t>(carry);
    carry >>= 32;
  }
  r[l.size()] = static_cast<uint32_t>(carry);
  return r;
}

big_int::digits big_int::sub_mag(const digits &a, const digits &b) {
  digits r(a.size());
  int64_t borrow = 0;
  for (size_t k = 0; k < a.size(); k++) {
    int64_t d = static_cast<int64_t>(a[k]) - (k < b.size() ? b[k] : 0) - borrow;
    borrow = d < 0 ? 1 : 0;
    if (d < 0) d += int64_t{1} << 32;
    r[k] = static_cast<uint32_t>(d);
  }
  return r;
}

big_int operator+(const big_int &a, const big_int &b) {
  if (a.neg_ == b.neg_) return big_int::of(a.neg_, big_int::add_mag(a.mag_, b.mag_));
  const int c = big_int::compare_mag(a.mag_, b.mag_);
  if (c == 0) return big_int();
  return c > 0 ? big_int::of(a.neg_, big_int::sub_mag(a.mag_, b.mag_))
               : big_int::of(b.neg_, big_int::sub_mag(b.mag_, a.mag_));
}

big_int big_int::operator-() const { return of(!neg_, mag_); }

big_int operator-(const big_int &a, const big_int &b) { return a + -b; }

big_int operator*(const big_int &a, const big_int &b) {
  if (a.is_zero() || b.is_zero()) return big_int();
  big_int::digits r(a.mag_.size() + b.mag_.size(), 0);
  for (size_t i = 0; i < a.mag_.size(); i++) {
    uint64_t carry = 0;
    for (size_t j = 0; j < b.mag_.size(); j++) {
      carry += static_cast<uint64_t>(a.mag_[i]) * b.mag_[j] + r[i + j];
      r[i + j] = static_cast<uint32_t>(carry);
      carry >>= 32;
    }
    for (size_t k = i + b.mag_.size(); carry != 0; k++) {
      carry += r[k];
      r[k] = static_cast<uint32_t>(carry);
      carry >>= 32;
    }
  }
  return big_int::of(a.neg_ != b.neg_, std::move(r));
}

void big_int::divide(const big_int &a, const big_int &b, big_int &quotient, big_int &remainder) {
  if (b.is_zero()) throw std::domain_error("division by zero");
  digits q(a.mag_.size(), 0);
  if (b.mag_.size() == 1) {
    // One-digit divisor: digit by digit.
    const uint64_t d = b.mag_[0];
    uint64_t rest = 0;
    for (size_t k = a.mag_.size(); k-- > 0;) {
      const uint64_t cur = (rest << 32) | a.mag_[k];
      q[k] = static_cast<uint32_t>(cur / d);
      rest = cur % d;
    }
    quotient = of(a.neg_ != b.neg_, std::move(q));
    remainder = of(a.neg_, digits{static_cast<uint32_t>(rest)});
    return;
  }
  // Bit by bit: the sizes met here are a few hundred bits.
  digits rest;
  for (size_t k = a.mag_.size() * 32; k-- > 0;) {
    // rest = 2 * rest + bit k of a
    uint32_t carry = (a.mag_[k / 32] >> (k % 32)) & 1;
    for (uint32_t &w : rest) {
      const uint32_t top = w >> 31;
      w = (w << 1) | carry;
      carry = top;
    }
    if (carry != 0) rest.push_back(carry);
    if (compare_mag(rest, b.mag_) >= 0) {
      rest = sub_mag(rest, b.mag_);
      while (!rest.empty() && rest.back() == 0) rest.pop_back();
      q[k / 32] |= uint32_t{1} << (k % 32);
    }
  }
  quotient = of(a.neg_ != b.neg_, std::move(q));
  remainder = of(a.neg_, std::move(rest));
}

big_int operator/(const big_int &a, const big_int &b) {
  big_int q, r;
  big_int::divide(a, b, q, r);
  return q;
}

big_int operator%(const big_int &a, const big_int &b) {
  big_int q, r;
  big_int::divide(a, b, q, r);
  return r;
}

int compare(const big_int &a, const big_int &b) {
  if (a.neg_ != b.neg_) return a.neg_ ? -1 : 1;
  const int c = big_int::compare_mag(a.mag_, b.mag_);
  return a.neg_ ? -c : c;
}

std::string big_int::text() const {
  if (is_zero()) return "0";
  std::string s;
  big_int rest = *this, q, r;
  rest.neg_ = false;
  const big_int billion(1000000000);
  while (!rest.is_zero()) {
    divide(rest, billion, q, r);
    uint32_t chunk = r.is_zero() ? 0 : r.mag_[0];
    for (int k = 0; k < 9 && (chunk != 0 || !q.is_zero()); k++) {
      s.push_back(static_cast<char>('0' + chunk % 10));
      chunk /= 10;
    }
    rest = q;
  }
  if (neg_) s.push_back('-');
  std::reverse(s.begin(), s.end());
  return s;
}

big_int gcd(big_int a, big_int b) {
  if (a.negative()) a = -a;
  if (b.negative()) b = -b;
  while (!b.is_zero()) {
    big_int r = a % b;
    a = std::move(b);
    b = std::move(r);
  }
  return a;
}

}  // namespace run
