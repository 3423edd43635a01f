// Zone text form, binary records and the zone hash table.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "common/zone/zone.h"
#include "common/zone/zone_hash.h"
#include "common/zone/zone_read_write.h"
#include "zone_test_util.h"

using namespace zone_test;

namespace {
constexpr int X = 1, Y = 2;

// Output of one print call on a bound matrix.
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

std::string bound_text(int i, int j, int d, int le) {
  zone *z = mk_universal_zone();
  z->bounds[i][j] = mk_bound(d, le);
  std::string r = capture([&](FILE *s) { fprint_bound(s, z->bounds, i, j); });
  free_zone(z);
  return r;
}

std::string pair_text(int i, int k, int d1, int le1, int d2, int le2) {
  zone *z = mk_universal_zone();
  z->bounds[i][k] = mk_bound(d1, le1);
  z->bounds[k][i] = mk_bound(d2, le2);
  std::string r = capture([&](FILE *s) { fprint_bound2(s, z->bounds, i, k); });
  free_zone(z);
  return r;
}
}  // namespace

TEST(ZoneText, EachBoundForm) {
  setup(2);
  EXPECT_EQ(bound_text(0, X, -3, 0), "3<x");
  EXPECT_EQ(bound_text(0, X, 0, 1), "0<=x");
  EXPECT_EQ(bound_text(X, 0, 0, 1), "x=0");
  EXPECT_EQ(bound_text(X, 0, 5, 1), "x<=5");
  EXPECT_EQ(bound_text(X, Y, -2, 0), "x+2<y");
  EXPECT_EQ(bound_text(X, Y, 0, 1), "x<=y");
  EXPECT_EQ(bound_text(X, Y, 4, 0), "x<y+4");
  EXPECT_EQ(pair_text(0, X, -3, 1, 3, 1), "x=3");
  EXPECT_EQ(pair_text(X, Y, -2, 1, 2, 1), "x+2=y");
  EXPECT_EQ(pair_text(X, Y, 0, 1, 0, 1), "x=y");
  EXPECT_EQ(pair_text(X, Y, 2, 1, -2, 1), "x=y+2");
  EXPECT_EQ(pair_text(0, X, -1, 0, 3, 1), "1<x and x<=3");
}

TEST(ZoneText, WholeZones) {
  setup(2);
  zone *u = mk_universal_zone();
  EXPECT_EQ(text(u), "TRUE");
  EXPECT_EQ(text(nullptr), "FALSE");
  EXPECT_EQ(capture([&](FILE *s) { print_hide_zone3(u, s); }), "TRUE\n");
  EXPECT_EQ(capture([&](FILE *s) { print_hide_zone3(nullptr, s); }), "FALSE\n");
  zone *a = blank();
  add(a, 0, X, -1, 0);
  add(a, X, 0, 3, 1);
  EXPECT_EQ(text(a), "1<x and x<=3");
  EXPECT_EQ(capture([&](FILE *s) { print_hide_zone3(a, s); }), "1<x and x<=3\n");
  zone *b = blank();
  add(b, X, Y, 2, 1);
  add(b, Y, X, -2, 1);
  EXPECT_EQ(text(b), "x=y+2");
  zone *c = blank();
  add(c, X, 0, 0, 0);
  EXPECT_EQ(text(c), "FALSE");
  zone *d = blank();  // three constraints, each printed once, in pair order
  add(d, Y, 0, 4, 0);
  add(d, 0, X, -1, 1);
  add(d, X, Y, 0, 0);
  EXPECT_EQ(text(d), "1<=x and y<4 and x<y");
  for (zone *p : {u, a, b, c, d}) free_zone(p);
}

TEST(ZoneBinary, RecordLayoutAndRoundTrip) {
  setup(2);
  zone *z = blank();
  add(z, 0, X, -1, 0);
  add(z, X, 0, 3, 1);
  add(z, Y, X, 2, 0);
  cf_zone(z);
  char *buf = nullptr;
  size_t len = 0;
  FILE *s = open_memstream(&buf, &len);
  fprint_bin_zone(s, z);
  fprint_bin_zone(s, nullptr);  // nothing
  fclose(s);
  ASSERT_EQ(len, 22u);  // 18 bytes of bounds, 4 of edges
  // Little-endian: entry (1, 0) = (3, <=) = 7 at bytes 6 and 7.
  EXPECT_EQ(static_cast<unsigned char>(buf[6]), 7);
  EXPECT_EQ(static_cast<unsigned char>(buf[7]), 0);
  // Entry (0, 0) = 1; entry (0, 1) = (-1, <) = -2 = 0xfffe.
  EXPECT_EQ(static_cast<unsigned char>(buf[0]), 1);
  EXPECT_EQ(static_cast<unsigned char>(buf[2]), 0xfe);
  EXPECT_EQ(static_cast<unsigned char>(buf[3]), 0xff);
  uint32_t word = static_cast<unsigned char>(buf[18]) | static_cast<unsigned char>(buf[19]) << 8 |
                  static_cast<unsigned char>(buf[20]) << 16 | static_cast<uint32_t>(static_cast<unsigned char>(buf[21])) << 24;
  EXPECT_EQ(word, z->edges[0]);

  FILE *in = fmemopen(buf, len, "r");
  zone *r = mk_read_bin_zone(in, 0);
  fclose(in);
  EXPECT_EQ(r->flags, ZONE_CANONICAL);  // used as read, no new closure
  EXPECT_EQ(memcmp(r->bounds[0], z->bounds[0], 18), 0);
  EXPECT_EQ(r->edges[0], z->edges[0]);
  EXPECT_EQ(text(r), text(z));
  EXPECT_TRUE(is_well_formed_zone(r));

  // Read again with one missing (extra) clock.
  setup(2, 1);
  in = fmemopen(buf, len, "r");
  zone *r4 = mk_read_bin_zone(in, 1);
  fclose(in);
  EXPECT_EQ(text(r4), "1<x and x<=3 and y<x+2");
  for (int i = 0; i < 4; i++) {
    EXPECT_FALSE(get_edge_zone(r4, 3, i));
    EXPECT_FALSE(get_edge_zone(r4, i, 3));
  }
  EXPECT_EQ(r4->bounds[3][0], INF_BOUND);
  EXPECT_EQ(r4->bounds[0][3], ZERO_LE);
  EXPECT_EQ(r4->bounds[X][Y], r->bounds[X][Y]);
  // The missing clock is >= 0, so x - _ex1 is bounded as x is: the zone read
  // stays closed, as its canonical flag says.
  EXPECT_EQ(r4->bounds[X][3], r->bounds[X][0]);
  EXPECT_EQ(r4->bounds[Y][3], r->bounds[Y][0]);
  EXPECT_TRUE(is_well_formed_zone(r4));
  zone *bound = mk_universal_zone();  // x - _ex1 <= 3 as an edge
  bound->flags = 0;
  assign_bounds_edges_zone(bound, X, 3, mk_bound(3, 1), 1);
  cf_zone(bound);
  EXPECT_TRUE(is_included_zone(r4, bound));
  free_zone(bound);
  free_zone(r4);
  setup(2);
  free(buf);
  free_zone(z);
  free_zone(r);
}

TEST(ZoneBinary, ShortAndCorruptRecords) {
  setup(2);
  unsigned char bytes[22];
  memset(bytes, 0, sizeof bytes);
  FILE *in = fmemopen(bytes, 7, "r");  // three bounds and a half
  zone *z = mk_read_bin_zone(in, 0);
  EXPECT_TRUE(feof(in));
  fclose(in);
  EXPECT_EQ(z->bounds[0][2], 0);           // read
  EXPECT_EQ(z->bounds[1][0], INF_BOUND);   // the half bound is not taken
  EXPECT_FALSE(is_well_formed_zone(z));    // diagonal (0,0) read as 0
  free_zone(z);
  // Stray edge bits past the matrix are dropped.
  setup(2);
  zone *u = mk_universal_zone();
  char *buf = nullptr;
  size_t len = 0;
  FILE *s = open_memstream(&buf, &len);
  fprint_bin_zone(s, u);
  fclose(s);
  buf[21] = static_cast<char>(0xff);
  in = fmemopen(buf, len, "r");
  zone *r = mk_read_bin_zone(in, 0);
  fclose(in);
  EXPECT_EQ(r->edges[0], 0u);
  EXPECT_TRUE(is_included_zone(u, r));
  free(buf);
  free_zone(u);
  free_zone(r);
}

TEST(ZoneBinary, ConvEdge) {
  setup(3);  // width 4
  uint32_t src = 0;
  // width 3: bits (0,1) = 1, (2,1) = 7, (1,0) = 3.
  src |= 1u << 1 | 1u << 7 | 1u << 3;
  uint32_t dst = 0xffffffffu;
  conv_edge(&dst, &src, 3);
  // Destination bits for i, j < 3 are set or cleared; others untouched.
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) {
      int want = (i == 0 && j == 1) || (i == 2 && j == 1) || (i == 1 && j == 0);
      EXPECT_EQ((dst >> (i * 4 + j)) & 1u, static_cast<uint32_t>(want)) << i << "," << j;
    }
  EXPECT_EQ((dst >> 3) & 1u, 1u);   // (0,3) untouched
  EXPECT_EQ((dst >> 15) & 1u, 1u);  // (3,3) untouched
}

TEST(ZoneHash, SharingAndStatistics) {
  setup(2);
  HASH_FCT = 1;
  init_zone_hashing(709);
  int calls = nb_calls, elems = nb_elem;
  zone *a = blank();
  add(a, X, 0, 3, 1);
  cf_zone(a);
  zone *b = assign_zone(a);
  EXPECT_EQ(insert_zone(a), a);
  EXPECT_EQ(insert_zone(b), a);  // b is freed
  EXPECT_EQ(nb_calls - calls, 2);
  EXPECT_EQ(nb_elem - elems, 1);
  EXPECT_EQ(insert_zone(nullptr), nullptr);
  EXPECT_EQ(nb_calls - calls, 2);

  // zone_hash4 only sees upper bounds.
  zone *c = blank();
  add(c, X, 0, 3, 1);
  add(c, 0, X, -1, 1);
  cf_zone(c);
  EXPECT_EQ(zone_hash4(a), zone_hash4(c));
  EXPECT_NE(zone_hash1(a), zone_hash1(c));
  for (int (*h)(zone *) : {zone_hash1, zone_hash2, zone_hash3, zone_hash4}) {
    int v = h(c);
    EXPECT_GE(v, 0);
    EXPECT_LT(v, HASH_SIZE);
  }
  EXPECT_EQ(insert_zone(c), c);
  free_zone_table();
}

TEST(ZoneHash, FunctionChoiceAndReport) {
  setup(1);
  HASH_FCT = 7;
  init_zone_hashing(13);
  EXPECT_EQ(zone_hash, zone_hash1);
  HASH_FCT = 3;
  init_zone_hashing(13);
  EXPECT_EQ(zone_hash, zone_hash3);
  HASH_FCT = 4;
  init_zone_hashing(13);
  EXPECT_EQ(zone_hash, zone_hash4);
  HASH_FCT = 2;
  init_zone_hashing(13);
  EXPECT_EQ(zone_hash, zone_hash2);
  // Zones x <= 0 .. x <= 3: hash2 of x <= d is 2d+1 + 16*1 + (0,1)... distinct chains.
  int elems = nb_elem;
  std::vector<int> chains;
  for (int d = 0; d < 4; d++) {
    zone *z = blank();
    add(z, X, 0, d, 1);
    cf_zone(z);
    chains.push_back(zone_hash(z));
    insert_zone(z);
  }
  EXPECT_EQ(nb_elem - elems, 4);
  for (size_t i = 0; i < chains.size(); i++)
    for (size_t j = i + 1; j < chains.size(); j++) EXPECT_NE(chains[i], chains[j]);
  hash_repartition();
  EXPECT_EQ(max_entries, 1);
  EXPECT_EQ(max_pos, *std::min_element(chains.begin(), chains.end()));
  // One zone per chain: S = 2 per zone of this table, over nb_elem, which
  // counts every zone stored since start.
  EXPECT_FLOAT_EQ(repartition, 13.0f * 2 * 4 / ((2 * 13 + nb_elem - 1) * nb_elem));

  // The report file, written in a scratch directory.
  HASH_FCT = 7;
  char dir[] = "/tmp/zone_hash_XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(dir), 0);
  testing::internal::CaptureStdout();
  print_hash_stats();
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "varnok: file hash_stat.7 dumped\n");
  FILE *f = fopen("hash_stat.7", "r");
  ASSERT_NE(f, nullptr);
  char line[256];
  std::string all;
  while (fgets(line, sizeof line, f)) all += line;
  fclose(f);
  EXPECT_EQ(all.rfind("hashing function:\t 7\nhash table size:\t 13\n\nnb of calls:\t ", 0), 0u) << all;
  EXPECT_NE(all.find("\nrepartition:\t "), std::string::npos);
  EXPECT_NE(all.find("s\n\nmaximum: hash value "), std::string::npos);
  char expect[64];
  snprintf(expect, sizeof expect, "hash value: %d\t zones: 1\n", chains[0]);
  EXPECT_NE(all.find(expect), std::string::npos);
  unlink("hash_stat.7");
  ASSERT_EQ(chdir(cwd), 0);
  rmdir(dir);
  HASH_FCT = 1;
  free_zone_table();
}
