// Fixed-length bit sets.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/zone/bit_array.h"

namespace {
template <typename F>
std::string capture(F f) {
  char *buf = nullptr;
  size_t len = 0;
  FILE *s = open_memstream(&buf, &len);
  f(s);
  fclose(s);
  std::string r(buf, len);
  free(buf);
  return r;
}
}  // namespace

TEST(BitArray, Lengths) {
  open_alloc_bit_array(32);
  EXPECT_EQ(BITS_PER_ARRAY, 32);
  EXPECT_EQ(BIT_ARRAY_LEN, 1);
  open_alloc_bit_array(33);
  EXPECT_EQ(BIT_ARRAY_LEN, 2);
  open_alloc_bit_array(0);
  EXPECT_EQ(BIT_ARRAY_LEN, 0);
  // With no words every test answers 1 and the prints are empty.
  uint32_t *a = mk_bit_array(), *b = mk_bit_array();
  comp_bit_array(a, b);
  EXPECT_EQ(is_zero_bit_array(a), 1);
  EXPECT_EQ(eq_bit_array(a, b), 1);
  EXPECT_EQ(incl_bit_array(a, b), 1);
  EXPECT_EQ(capture([&](FILE *s) { print_bit_array(s, a); }), "[]");
  free_bit_array(a);
  free_bit_array(b);
}

TEST(BitArray, SingleBitsAndSetOperations) {
  open_alloc_bit_array(40);
  uint32_t *a = mk_bit_array(), *b = mk_bit_array(), *d = mk_bit_array();
  EXPECT_EQ(is_zero_bit_array(a), 1);
  put_bit_array(a, 0, 1);
  put_bit_array(a, 35, 7);
  put_bit_array(b, 35, 1);
  EXPECT_EQ(get_bit_array(a, 35), 1);
  EXPECT_EQ(get_bit_array(a, 34), 0);
  EXPECT_EQ(a[1], 8u);
  EXPECT_EQ(incl_bit_array(b, a), 1);
  EXPECT_EQ(incl_bit_array(a, b), 0);
  EXPECT_EQ(incl_bit_array(a, a), 1);
  and_bit_array(d, a, b);
  EXPECT_EQ(eq_bit_array(d, b), 1);
  or_bit_array(d, d, a);  // destination is an operand
  EXPECT_EQ(eq_bit_array(d, a), 1);
  put_bit_array(d, 0, 0);
  EXPECT_EQ(eq_bit_array(d, b), 1);
  copy_bit_array(d, a);
  EXPECT_EQ(eq_bit_array(d, a), 1);
  clear_bit_array(d);
  EXPECT_EQ(is_zero_bit_array(d), 1);
  EXPECT_EQ(incl_bit_array(a, d), 0);  // non-empty in empty
  EXPECT_EQ(capture([&](FILE *s) { show_bit_array(s, a); }), "0 35 ");
  std::string bin = capture([&](FILE *s) { show_bin_bit_array(s, a); });
  EXPECT_EQ(bin, std::string("\0\0\0\0\x23\0\0\0", 8));
  for (uint32_t *p : {a, b, d}) free_bit_array(p);
}

TEST(BitArray, ComplementPrintAndMagic) {
  open_alloc_bit_array(33);
  uint32_t *a = mk_bit_array(), *c = mk_bit_array();
  comp_bit_array(c, a);
  std::string p = capture([&](FILE *s) { print_bit_array(s, c); });
  EXPECT_EQ(p, "[" + std::string(64, '1') + "]");  // the unused bits are complemented too
  put_bit_array(a, 1, 1);
  put_bit_array(a, 32, 1);
  std::string q = capture([&](FILE *s) { print_bit_array(s, a); });
  EXPECT_EQ(q, "[01" + std::string(30, '0') + "1" + std::string(31, '0') + "]");
  comp_bit_array(c, c);
  EXPECT_EQ(magic_bit_array(c), 0);
  open_alloc_bit_array(32);
  uint32_t *m = mk_bit_array();
  m[0] = static_cast<uint32_t>(-5);
  EXPECT_EQ(magic_bit_array(m), 5);
  m[0] = 0x80000000u;
  EXPECT_GE(magic_bit_array(m), 0);
  m[0] = 12;
  EXPECT_EQ(magic_bit_array(m), 12);
  for (uint32_t *x : {a, c, m}) free_bit_array(x);
}
