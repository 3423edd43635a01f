// Region text forms and binary records, including hostile records.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "region_test_helpers.h"

using namespace region_test;

namespace {

class RegionFormsTest : public testing::Test {
 protected:
  void SetUp() override { setup_clocks(2); }
};

// The bytes fprint_bin_region writes for r.
std::vector<unsigned char> bin(region *r) {
  char *buf = nullptr;
  size_t len = 0;
  FILE *f = open_memstream(&buf, &len);
  fprint_bin_region(f, r);
  fclose(f);
  std::vector<unsigned char> v(buf, buf + len);
  free(buf);
  return v;
}

// Reads one region record from bytes (a seekable stream).
region *read_bytes(const std::vector<unsigned char> &bytes, int k = 0) {
  FILE *f = tmpfile();
  if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), f);
  rewind(f);
  region *r = mk_read_bin_region(f, k);
  fclose(f);
  return r;
}

void put_i32(std::vector<unsigned char> &v, size_t at, int32_t x) {
  const uint32_t u = static_cast<uint32_t>(x);
  for (int i = 0; i < 4; i++) v[at + i] = static_cast<unsigned char>(u >> (8 * i));
}

TEST_F(RegionFormsTest, TextForms) {
  region *r = mk_region({mk_zone({le(X, 1)}), mk_zone({ge(Y, 2), dle(X, Y, 2), dle(Y, X, -2)})});
  EXPECT_EQ(text(r), "x<=1 or\n2<=y and x=y+2");
  EXPECT_EQ(capture(print_hide_region3, r), "x<=1\nor\n2<=y and x=y+2\n");
  region *e = mk_empty_region();
  EXPECT_EQ(text(e), "");
  EXPECT_EQ(capture(print_hide_region3, e), "");
  EXPECT_EQ(capture(print_hide_region3, static_cast<region *>(nullptr)), "");
  region *t = mk_region({mk_universal_zone()});
  EXPECT_EQ(capture(print_hide_region3, t), "TRUE\n");
  for (region *x : {r, e, t}) free_region(x);
}

TEST_F(RegionFormsTest, BinaryRoundTrip) {
  region *e = mk_empty_region();
  EXPECT_EQ(bin(e), std::vector<unsigned char>(4, 0));
  EXPECT_EQ(bin(nullptr), std::vector<unsigned char>(4, 0));
  region *e2 = read_bytes(bin(e));
  ASSERT_NE(e2, nullptr);
  EXPECT_EQ(e2->flags, REGION_EMPTY | REGION_CANONICAL);

  region *r = mk_region({mk_zone({le(X, 1)}), mk_zone({ge(Y, 2), dle(Y, X, 1)})});
  std::vector<unsigned char> b = bin(r);
  // Count, then two records of 3 * 3 bounds and one edge word.
  ASSERT_EQ(b.size(), 4u + 2 * 22u);
  EXPECT_EQ(b[0], 2);
  region *r2 = read_bytes(b);
  ASSERT_NE(r2, nullptr);
  EXPECT_EQ(r2->flags, 0);
  EXPECT_EQ(r2->count, 2);
  EXPECT_EQ(text(r2), text(r));

  // Empty zones write no record and are not counted.
  region *m = mk_region({mk_zone({lt(X, 0)}), mk_zone({le(X, 1)}), nullptr});
  std::vector<unsigned char> mb = bin(m);
  ASSERT_EQ(mb.size(), 4u + 22u);
  EXPECT_EQ(mb[0], 1);

  // Read with one extra clock: the new clock is unconstrained.
  static char nx[] = "x", ny[] = "y";
  static char *names[] = {nx, ny};
  init_zone_module(2, 1, names);
  region *r3 = read_bytes(b, 1);
  ASSERT_NE(r3, nullptr);
  EXPECT_EQ(r3->count, 2);
  EXPECT_EQ(text(r3), "x<=1 or\n2<=y and y<=x+1");
  for (region *x : {e, e2, r, r2, m, r3}) free_region(x);
}

TEST_F(RegionFormsTest, HostileRecordsAreRefused) {
  region *r = mk_region({mk_zone({le(X, 1)})});
  const std::vector<unsigned char> good = bin(r);
  free_region(r);

  std::vector<unsigned char> neg = good;
  put_i32(neg, 0, -1);
  EXPECT_EQ(read_bytes(neg), nullptr);
  std::vector<unsigned char> huge = good;
  put_i32(huge, 0, INT32_MAX);
  EXPECT_EQ(read_bytes(huge), nullptr);
  std::vector<unsigned char> two = good;
  put_i32(two, 0, 2);  // one record short
  EXPECT_EQ(read_bytes(two), nullptr);
  std::vector<unsigned char> cut(good.begin(), good.end() - 3);
  EXPECT_EQ(read_bytes(cut), nullptr);
  EXPECT_EQ(read_bytes({1, 0}), nullptr);  // count itself truncated
  EXPECT_EQ(read_bytes({}), nullptr);
  std::vector<unsigned char> diag = good;
  diag[4] = 0;  // entry (0, 0) no longer (0, <=)
  diag[5] = 0;
  EXPECT_EQ(read_bytes(diag), nullptr);

  // A stream that cannot tell its size: the zones are read one by one and
  // the end of the data stops the reader.
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  std::vector<unsigned char> piped = huge;
  piped.insert(piped.end(), good.begin() + 4, good.end());
  ASSERT_EQ(write(fds[1], piped.data(), piped.size()), static_cast<ssize_t>(piped.size()));
  close(fds[1]);
  FILE *f = fdopen(fds[0], "rb");
  EXPECT_EQ(mk_read_bin_region(f, 0), nullptr);
  fclose(f);
}

}  // namespace
