#include "common/tg/varnok_init.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/region/region.h"
#include "common/region/region_read_write.h"
#include "common/tg/tg_clocks.h"
#include "common/tg/tg_constants.h"
#include "common/tg/tg_global.h"
#include "common/tg/tg_labels.h"
#include "common/tg/tg_props.h"
#include "common/util/my_files.h"
#include "common/zone/bit_array.h"
#include "common/zone/zone.h"
#include "common/zone/zone_read_write.h"

const char *const VNK_VERSION = "2.4";

// ===========================================================================
// Writing

static void put_u16(FILE *f, unsigned v) {
  fputc(static_cast<int>(v & 0xffu), f);
  fputc(static_cast<int>((v >> 8) & 0xffu), f);
}

static void put_i32(FILE *f, int32_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; i++) fputc(static_cast<int>((u >> (8 * i)) & 0xffu), f);
}

// The files of a model whose locations, transitions or regions do not all
// fit 16 bits are written wide: every count and index of those tables, and
// of labels and propositions, takes 32 bits, and the markers are written in
// upper case ("#H" for "#h") so that each file says its own width. Name
// lengths and clock fields keep 16 bits in both forms.
static bool write_wide = false;

// Whether the tables in memory need the wide form.
static bool tables_need_wide() {
  return N_OF_STATES > MAX_INDEX_COUNT || N_OF_TRANS > MAX_INDEX_COUNT || N_OF_REGIONS > MAX_INDEX_COUNT;
}

static void put_u32(FILE *f, uint32_t v) {
  for (int i = 0; i < 4; i++) fputc(static_cast<int>((v >> (8 * i)) & 0xffu), f);
}

// A count or an index: 16 or 32 bits as the files are narrow or wide.
static void put_idx(FILE *f, int32_t v) {
  if (write_wide) put_u32(f, static_cast<uint32_t>(v));
  else put_u16(f, static_cast<unsigned>(v));
}

// A marker: two characters and a zero byte, the letter in upper case in
// wide files.
static void put_marker(FILE *f, const char *m) {
  char text[3] = {m[0], write_wide ? static_cast<char>(m[1] - 'a' + 'A') : m[1], '\0'};
  fwrite(text, 1, 3, f);
}

static void print_version(FILE *f) { fwrite(VNK_VERSION, 1, strlen(VNK_VERSION) + 1, f); }

// Clocks written: the declared ones (the extra clocks of a formula never are).
static int written_clocks() { return AFFECT_SIZE - 1; }

static void print_clocks(FILE *f) {
  for (int i = 1; i <= written_clocks(); i++) {
    const char *name = clocks_names[i];
    int32_t len = static_cast<int32_t>(strlen(name) + 1);
    put_i32(f, len);
    fwrite(name, 1, static_cast<size_t>(len), f);
  }
}

static void print_invariants(FILE *f) {
  for (int s = 0; s < N_OF_STATES; s++) put_idx(f, inv[s]);
}

static void print_succ_pred(FILE *f) {
  for (int t = 0; t < N_OF_TRANS; t++) put_idx(f, corresp_succ_pred[t]);
}

static void print_edges(FILE *f) {
  put_idx(f, N_OF_TRANS);
  for (int t = 0; t < N_OF_TRANS; t++) {
    const trans_rec *tr = trans_table_preds[t];
    put_idx(f, tr->source);
    put_idx(f, tr->target);
    put_idx(f, tr->guard);
    put_i32(f, tr->affect->mode);
    for (int i = 0; i <= written_clocks(); i++) put_u16(f, tr->affect->affect[i]);
    fputc(tr->deadline, f);
    fputc(tr->control, f);
  }
}

static void print_header(FILE *f) {
  print_version(f);
  put_marker(f, "#h");
  put_idx(f, N_OF_STATES);
  put_idx(f, N_OF_TRANS);
  put_u16(f, static_cast<unsigned>(written_clocks()));
  print_clocks(f);
  put_marker(f, "#i");
  print_invariants(f);
  print_succ_pred(f);
  put_marker(f, "#e");
  print_edges(f);
}

static void put_name(FILE *f, const std::string &name) {
  put_u16(f, static_cast<unsigned>(name.size() + 1));
  fwrite(name.c_str(), 1, name.size() + 1, f);
}

static void print_props(FILE *f) {
  print_version(f);
  put_marker(f, "#p");
  put_idx(f, N_OF_PROPS);
  for (int p = 0; p < N_OF_PROPS; p++) put_name(f, prop_tab[p]->name);
  for (int s = 0; s < N_OF_STATES; s++) {
    const auto &props = states_props[s];
    put_idx(f, static_cast<int32_t>(props.size()));
    for (int32_t p : props) put_idx(f, p);
  }
}

static void print_labels(FILE *f) {
  put_marker(f, "#l");
  put_idx(f, N_OF_LABELS);
  for (int l = 0; l < N_OF_LABELS; l++) {
    put_name(f, label_tab[l]->name);
    fputc(label_tab[l]->kind, f);
  }
  for (int t = 0; t < N_OF_TRANS; t++) {
    const auto &labels = trans_labels[t];
    put_idx(f, static_cast<int32_t>(labels.size()));
    for (int32_t l : labels) put_idx(f, l);
  }
}

static void print_regions(FILE *f) {
  put_marker(f, "#r");
  put_idx(f, N_OF_REGIONS);
  for (int r = 0; r < N_OF_REGIONS; r++) fprint_bin_region(f, list_reg[r]);
}

// Writes one file with `writer` under a temporary name; a write error ends
// the process ("cannot write file"). Returns the handle that puts it in place.
static int write_file(const char *suffix, void (*writer)(FILE *)) {
  FILE *f = my_fopen2_output(suffix, "wb");
  writer(f);
  return finish_output(f);
}

// The old .vnk goes first and the new one is put in place last, so that a
// .vnk always belongs to the other three files beside it.
void print_vnk_file() {
  write_wide = tables_need_wide();
  my_unlink(".vnk");
  int vnk = write_file(".vnk", print_header);
  commit_output(write_file(".prop", print_props));
  commit_output(write_file(".lab", print_labels));
  commit_output(write_file(".reg", print_regions));
  commit_output(vnk);
}

// ===========================================================================
// Reading

// Little-endian fields of a stream, each checked against the bytes left, so
// that no count read from a file can make us read or allocate beyond it.
class bin_in {
 public:
  explicit bin_in(FILE *f) : f_(f) {
    long here = ftell(f);
    if (here < 0 || fseek(f, 0, SEEK_END) != 0) {
      bad = true;
      return;
    }
    size_ = ftell(f);
    if (size_ < 0 || fseek(f, here, SEEK_SET) != 0) bad = true;
  }

  bool bad = false;

  long remaining() const {
    long here = ftell(f_);
    return here < 0 ? 0 : size_ - here;
  }
  bool need(long n) {
    if (bad || n < 0 || n > remaining()) bad = true;
    return !bad;
  }
  bool raw(void *dst, size_t n) {
    if (!need(static_cast<long>(n))) return false;
    if (fread(dst, 1, n, f_) != n) bad = true;
    return !bad;
  }
  unsigned u16() {
    unsigned char b[2] = {0, 0};
    raw(b, 2);
    return static_cast<unsigned>(b[0] | (b[1] << 8));
  }
  int32_t i32() {
    unsigned char b[4] = {0, 0, 0, 0};
    raw(b, 4);
    uint32_t u = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                 (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
    return static_cast<int32_t>(u);
  }
  // A count or an index, 16 or 32 bits as the file is narrow or wide; a
  // 32-bit value beyond what a table can index makes the file bad.
  int32_t idx() {
    if (!wide) return static_cast<int32_t>(u16());
    int32_t v = i32();
    if (v < 0) bad = true;
    return bad ? 0 : v;
  }
  // Bytes taken by n counts or indices.
  long idx_bytes(long n) const { return n * (wide ? 4 : 2); }
  // Marker m ("#h"), in lower case in a narrow file and in upper case in a
  // wide one. The first marker of a file sets its width, unless `width`
  // (0 narrow, 1 wide) fixes it already.
  bool marker(const char *m, int width = -1) {
    char b[3] = {0, 0, 0};
    if (!raw(b, 3)) return false;
    bool upper = b[1] == m[1] - 'a' + 'A';
    if (b[0] != m[0] || b[2] != '\0' || (!upper && b[1] != m[1])) bad = true;
    if (!marker_seen && width >= 0 && upper != (width == 1)) bad = true;
    if (marker_seen && upper != wide) bad = true;
    marker_seen = true;
    wide = upper;
    return !bad;
  }
  bool wide = false;
  bool marker_seen = false;
  int byte() {
    unsigned char b = 0;
    raw(&b, 1);
    return b;
  }
  // `text` and its zero byte.
  bool expect(const char *text) {
    size_t n = strlen(text) + 1;
    std::vector<char> buf(n);
    if (!raw(buf.data(), n) || memcmp(buf.data(), text, n) != 0) bad = true;
    return !bad;
  }
  // A name of len bytes: at least one character, its zero byte last and
  // nowhere else.
  bool name(long len, std::string &out) {
    if (len < 2 || !need(len)) return bad = true, false;
    std::vector<char> buf(static_cast<size_t>(len));
    if (!raw(buf.data(), buf.size())) return false;
    if (buf.back() != '\0' || memchr(buf.data(), '\0', buf.size() - 1) != nullptr) return bad = true, false;
    out.assign(buf.data(), buf.size() - 1);
    return true;
  }
  bool at_end() {
    if (remaining() != 0) bad = true;
    return !bad;
  }

 private:
  FILE *f_;
  long size_ = 0;
};

// Width of the .vnk file last read (0 narrow, 1 wide, -1 none yet): the
// other three files of the model must have the same.
static int read_width = -1;

// Result of a reader: good, bad format, or refused for another reason that
// was already reported (too many clocks).
enum read_result { READ_BAD = 0, READ_OK = 1, READ_REFUSED = -1 };

[[noreturn]] static void bad_format() {
  printf("%s: bad format file %s.vnk\n", tool, my_filename);
  exit(1);
}

static void check_result(int r) {
  if (r == READ_BAD) bad_format();
  if (r == READ_REFUSED) exit(-1);
}

// Sets the zone module up for n declared clocks named `names` plus the
// formula's extra clocks, unless that makes too many clocks.
static bool setup_zone_module(const std::vector<char *> &names) {
  int n = static_cast<int>(names.size());
  if (!check_clocks_number(n + tctl_extra_clocks())) return false;
  uint16_t extra = N_OF_EXTRA_CLOCKS;
  init_zone_module(n, extra, const_cast<char **>(names.data()));  // names must not be clocks_names'
  N_OF_EXTRA_CLOCKS = extra;
  return true;
}

static void set_decl_names(std::vector<std::string> &names) {
  for (char *name : decl_names) free(name);
  decl_names.clear();
  for (auto &name : names) {
    char *copy = strdup(name.c_str());
    if (copy == nullptr) out_of_memory();
    decl_names.push_back(copy);
  }
  nb_decl_clocks = static_cast<uint16_t>(names.size());
}

// One transition record of the .vnk file, checked against the header.
static trans_rec *read_edge(bin_in &in, int states, int clocks) {
  if (!in.need(in.idx_bytes(3) + 4 + 2 * (clocks + 1) + 2)) return nullptr;
  unsigned source = static_cast<unsigned>(in.idx()), target = static_cast<unsigned>(in.idx());
  int32_t guard = in.idx();
  int32_t mode = in.i32();
  clock_affect *a = new_clock_affect();
  a->mode = mode;
  bool good = source < static_cast<unsigned>(states) && target < static_cast<unsigned>(states) && mode >= 0 &&
              mode <= AFFECT_ASSIGN;
  for (int i = 0; i <= clocks; i++) {
    unsigned v = in.u16();
    a->affect[i] = static_cast<uint16_t>(v);
    if (v > static_cast<unsigned>(clocks) || (i == 0 && v != 0)) good = false;
  }
  int deadline = in.byte(), control = in.byte();
  if (deadline != 'L' && deadline != 'D' && deadline != 'E') good = false;
  if (control != 'C' && control != 'U') good = false;
  if (!good || in.bad) {
    free_clock_affect(a);
    return nullptr;
  }
  auto *t = new trans_rec;
  t->source = static_cast<int32_t>(source);
  t->target = static_cast<int32_t>(target);
  t->guard = guard;
  t->affect = insert_affect(a);
  t->deadline = static_cast<char>(deadline);
  t->control = static_cast<char>(control);
  return t;
}

static bool read_edges(bin_in &in, int states, int trans, int clocks, std::vector<trans_rec *> &out) {
  if (!in.marker("#e") || in.idx() != trans || in.bad) return false;
  open_affect_set(clocks);
  for (int t = 0; t < trans; t++) {
    trans_rec *rec = read_edge(in, states, clocks);
    if (rec == nullptr) return false;
    out.push_back(rec);
    if (t > 0 && out[t - 1]->target > rec->target) return false;  // ordered by target
  }
  return true;
}

// corresp must be a permutation placing the transitions in source order.
static bool check_succ_order(const std::vector<int32_t> &corresp, const std::vector<trans_rec *> &by_target) {
  std::vector<char> seen(by_target.size(), 0);
  for (size_t i = 0; i < corresp.size(); i++) {
    if (static_cast<size_t>(corresp[i]) >= by_target.size() || seen[corresp[i]]) return false;
    seen[corresp[i]] = 1;
    if (i > 0 && by_target[corresp[i - 1]]->source > by_target[corresp[i]]->source) return false;
  }
  return true;
}

static int read_header_impl(FILE *vnk) {
  bin_in in(vnk);
  read_width = -1;
  if (!in.expect(VNK_VERSION) || !in.marker("#h")) return READ_BAD;
  int states = in.idx(), trans = in.idx();
  int clocks = static_cast<int>(in.u16());
  if (in.bad || clocks > MAX_ZONE_CLOCKS) return READ_BAD;
  std::vector<std::string> names(static_cast<size_t>(clocks));
  for (auto &name : names)
    if (!in.name(in.i32(), name)) return READ_BAD;
  if (!in.marker("#i") || !in.need(in.idx_bytes(static_cast<long>(states) + trans))) return READ_BAD;
  std::vector<int32_t> invariants(static_cast<size_t>(states)), corresp(static_cast<size_t>(trans));
  for (auto &i : invariants) i = in.idx();
  for (auto &c : corresp) c = in.idx();
  std::vector<char *> name_ptrs;
  for (auto &name : names) name_ptrs.push_back(name.data());
  if (!setup_zone_module(name_ptrs)) return READ_REFUSED;
  open_alloc_bit_array(N_OF_CLOCKS);
  std::vector<trans_rec *> records;
  bool good = read_edges(in, states, trans, clocks, records) && in.at_end() && check_succ_order(corresp, records);
  if (!good) {
    for (trans_rec *t : records) delete t;
    return READ_BAD;
  }
  set_decl_names(names);
  read_width = in.wide ? 1 : 0;
  N_OF_STATES = states;
  N_OF_TRANS = trans;
  inv = std::move(invariants);
  corresp_succ_pred = std::move(corresp);
  trans_table_preds = std::move(records);
  init_preds();
  preds_to_succs();
  init_succs();
  nb_preds.clear();
  return READ_OK;
}

// .prop: with `records`, the proposition records and their location lists
// are rebuilt; the per-location arrays are filled in both cases.
static int read_props_impl(FILE *prop, bool records) {
  bin_in in(prop);
  if (!in.expect(VNK_VERSION) || !in.marker("#p", read_width)) return READ_BAD;
  int count = in.idx();
  if (!records && count != N_OF_PROPS) return READ_BAD;  // not the file the records came from
  if (records) init_prop_tables(N_OF_STATES);
  std::string name;
  for (int p = 0; p < count; p++) {
    if (!in.name(static_cast<long>(in.u16()), name)) return READ_BAD;
    if (records && insert_prop(name.c_str())->index != p) return READ_BAD;  // a name twice
  }
  if (records) {
    N_OF_PROPS = count;
    init_prop_tab();
  }
  states_props.assign(N_OF_STATES, {});
  for (int s = 0; s < N_OF_STATES; s++) {
    int n = in.idx();
    if (!in.need(in.idx_bytes(n))) return READ_BAD;
    for (int k = 0; k < n; k++) {
      int32_t p = in.idx();
      if (in.bad || p >= count) return READ_BAD;
      states_props[s].push_back(p);
      if (records) add_state_prop(prop_tab[p], s);
    }
  }
  return in.at_end() ? READ_OK : READ_BAD;
}

// .lab: as read_props_impl for labels and transitions.
static int read_labels_impl(FILE *lab, bool records) {
  bin_in in(lab);
  if (!in.marker("#l", read_width)) return READ_BAD;
  int count = in.idx();
  if (!records && count != N_OF_LABELS) return READ_BAD;  // not the file the records came from
  if (records) init_label_tables(N_OF_TRANS);
  std::string name;
  for (int l = 0; l < count; l++) {
    if (!in.name(static_cast<long>(in.u16()), name)) return READ_BAD;
    int kind = in.byte();
    if (in.bad || (kind != 'S' && kind != 'N')) return READ_BAD;
    if (!records) continue;
    label_rec *rec = kind == 'S' ? insert_sync_label(name.c_str()) : insert_label(name.c_str());
    if (rec->index != l) return READ_BAD;  // a name twice
  }
  if (records) {
    N_OF_LABELS = count;
    init_label_tab();
  }
  trans_labels.assign(N_OF_TRANS, {});
  for (int t = 0; t < N_OF_TRANS; t++) {
    int n = in.idx();
    if (!in.need(in.idx_bytes(n))) return READ_BAD;
    for (int k = 0; k < n; k++) {
      int32_t l = in.idx();
      if (in.bad || l >= count) return READ_BAD;
      trans_labels[t].push_back(l);
      if (records) add_trans_label(label_tab[l], t);
    }
  }
  return in.at_end() ? READ_OK : READ_BAD;
}

// A zone read from a file must be what the writer stores: closed, not empty,
// and described by its edges (with the implicit bounds x >= 0), so that the
// inclusion test, which looks only at edges, stays exact. Checked on the
// clocks of the file (the first c).
static bool is_consistent_read_zone(const zone *z, int c) {
  if (is_empty_zone(z)) return false;
  int16_t **m = z->bounds;
  for (int i = 0; i < c; i++) {
    if (m[i][i] != ZERO_LE || m[0][i] > ZERO_LE) return false;
    for (int j = 0; j < c; j++)
      if (m[i][j] > INF_BOUND) return false;
  }
  std::vector<int16_t> e(static_cast<size_t>(c) * c, INF_BOUND);
  for (int i = 0; i < c; i++)
    for (int j = 0; j < c; j++) {
      if (i == j || (i == 0 && m[0][j] == ZERO_LE)) e[i * c + j] = ZERO_LE;
      else if (get_edge_zone(z, i, j)) e[i * c + j] = m[i][j];
    }
  for (int k = 0; k < c; k++)
    for (int i = 0; i < c; i++) {
      if (m[i][k] == INF_BOUND && e[i * c + k] == INF_BOUND) continue;
      for (int j = 0; j < c; j++) {
        if (m[i][k] != INF_BOUND && m[k][j] != INF_BOUND && add_bounds(m[i][k], m[k][j]) < m[i][j]) return false;
        int16_t a = e[i * c + k], b = e[k * c + j];
        if (a != INF_BOUND && b != INF_BOUND && add_bounds(a, b) < e[i * c + j]) e[i * c + j] = add_bounds(a, b);
      }
    }
  for (int i = 0; i < c; i++)
    for (int j = 0; j < c; j++)
      if (i != j && e[i * c + j] != m[i][j]) return false;
  return true;
}

static bool is_consistent_read_region(const region *r, int c) {
  if (is_empty_region(r)) return true;
  for (int i = 0; i < r->count; i++)
    if (!is_consistent_read_zone(r->zones[i], c)) return false;
  return true;
}

// Every invariant and guard must name a region of list_reg.
static bool check_region_indices() {
  for (int32_t i : inv)
    if (i >= N_OF_REGIONS) return false;
  for (const trans_rec *t : trans_table)
    if (t->guard >= N_OF_REGIONS) return false;
  return true;
}

static int read_regions_impl(FILE *reg) {
  bin_in in(reg);
  if (!in.marker("#r", read_width)) return READ_BAD;
  int count = in.idx();
  int extra = N_OF_CLOCKS - 1 - nb_decl_clocks;
  if (in.bad || count < 1 || extra < 0) return READ_BAD;
  free_list_reg();
  for (int r = 0; r < count; r++) {
    region *rg = mk_read_bin_region(reg, extra);
    if (rg == nullptr) return READ_BAD;
    list_reg.push_back(rg);
    N_OF_REGIONS = static_cast<int32_t>(list_reg.size());
    if ((r == 0 && !is_empty_region(rg)) || !is_consistent_read_region(rg, nb_decl_clocks + 1)) return READ_BAD;
  }
  return in.at_end() && check_region_indices() ? READ_OK : READ_BAD;
}

int try_read_header(FILE *vnk) { return read_header_impl(vnk); }
int try_read_props(FILE *prop) { return read_props_impl(prop, true); }
int try_read_labels(FILE *lab) { return read_labels_impl(lab, true); }
int try_read_regions(FILE *reg) { return read_regions_impl(reg); }

int try_read_compiled(FILE *vnk, FILE *prop, FILE *lab, FILE *reg) {
  return try_read_header(vnk) == READ_OK && try_read_props(prop) == READ_OK && try_read_labels(lab) == READ_OK &&
         try_read_regions(reg) == READ_OK;
}

void read_header(FILE *vnk) { check_result(read_header_impl(vnk)); }
void read_props(FILE *prop) { check_result(read_props_impl(prop, true)); }
void read_labels(FILE *lab) { check_result(read_labels_impl(lab, true)); }
void read_regions(FILE *reg) { check_result(read_regions_impl(reg)); }

void init_tg() {
  if (!READ_STRUCT && !RESIZE_REGIONS) return;
  printf("%s: reading file %s.vnk...\n", tool, my_filename);
  FILE *vnk = my_fopen2(".vnk", "rb");
  FILE *lab = my_fopen2(".lab", "rb");
  FILE *reg = my_fopen2(".reg", "rb");
  FILE *prop = my_fopen2(".prop", "rb");
  if (READ_STRUCT) {
    read_header(vnk);
    read_props(prop);
    read_labels(lab);
    read_regions(reg);
  } else {
    // Just parsed: only the regions change, to make room for the formula's
    // extra clocks.
    free_list_reg();
    if (!setup_zone_module(decl_names)) exit(-1);
    read_regions(reg);
  }
  fclose(vnk);
  fclose(lab);
  fclose(reg);
  fclose(prop);
}

void fit_tables_to_formula() {
  std::vector<std::string> names;
  for (int i = 1; i < AFFECT_SIZE; i++) names.emplace_back(clocks_names[i]);
  set_decl_names(names);
  READ_STRUCT = 0;
  if (tctl_extra_clocks() == 0) return;
  // The regions go through their binary form, as when they are read again
  // from a .reg file, so that they are widened exactly as there.
  write_wide = tables_need_wide();
  FILE *tmp = tmpfile();
  if (tmp != nullptr) print_regions(tmp);
  if (tmp == nullptr || ferror(tmp) != 0 || fflush(tmp) != 0) {
    printf("%s: cannot write a temporary file\n", tool);
    exit(1);
  }
  rewind(tmp);
  free_list_reg();
  if (!setup_zone_module(decl_names)) exit(-1);
  read_width = write_wide ? 1 : 0;
  check_result(read_regions_impl(tmp));
  fclose(tmp);
}

void read_props2(FILE *prop) { check_result(read_props_impl(prop, false)); }
void read_labels2(FILE *lab) { check_result(read_labels_impl(lab, false)); }

static bool tables_in_memory = false;

void props_labels_in_memory() { tables_in_memory = true; }

void load_props_labels() {
  if (tables_in_memory) return;
  FILE *prop = my_fopen2(".prop", "rb");
  FILE *lab = my_fopen2(".lab", "rb");
  read_props2(prop);
  read_labels2(lab);
  fclose(prop);
  fclose(lab);
}

// ===========================================================================
// The listing

static void print_listing(FILE *f) {
  fprintf(f, "#states %d\n#trans %d\n#clocks %d\n", N_OF_STATES, N_OF_TRANS, written_clocks());
  for (int i = 1; i <= written_clocks(); i++) fprintf(f, "%s ", clocks_names[i]);
  fputs("\n\n", f);
  for (int s = 0; s < N_OF_STATES; s++) {
    fprintf(f, "state: %d\n", s);
    fprint_props(f, s);
    fputs("invar: ", f);
    region *r = list_reg[inv[s]];
    // A false invariant is written so that the listing still reads back.
    if (is_empty_region(r)) fputs("FALSE\n", f);
    else print_hide_region3(r, f);
    fputs("trans:\n", f);
    fprint_succs(f, s);
    fputs("\n", f);
  }
}

void compact_tg() {
  FILE *vnk = my_fopen2(".vnk", "rb");
  FILE *cpt = my_fopen(".cpt", "r");
  if (cpt != nullptr) {
    bool up_to_date = my_stat(vnk, cpt) != 0;
    fclose(cpt);
    if (up_to_date) {
      fclose(vnk);
      printf("%s: file %s.cpt is up to date\n", tool, my_filename);
      return;
    }
  }
  fclose(vnk);
  cpt = my_fopen_output(".cpt", "w");
  if (cpt == nullptr) {
    printf("%s: cannot open file %s.cpt\n", tool, my_filename);
    exit(1);
  }
  printf("%s: creating file %s.cpt...\n", tool, my_filename);
  load_props_labels();
  print_listing(cpt);
  close_output(cpt);
  printf("%s: file %s.cpt dumped\n", tool, my_filename);
}
