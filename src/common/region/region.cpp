// Regions: finite unions of zones, their compaction and set operations.
#include "common/region/region.h"

#include <cassert>
#include <cstdlib>

#include "common/region/region_zone.h"
#include "common/util/my_files.h"
#include "common/zone/zone.h"

int RESIZE_REGIONS = 0;

namespace {

// A new record with room for n zone pointers (all null), count n, flags 0.
region *mk_region_of_size(int64_t n) {
  region *r = static_cast<region *>(malloc(sizeof(region)));
  if (r == nullptr) out_of_memory();
  r->count = 0;
  r->zones = nullptr;
  r->flags = 0;
  if (n > 0) {
    if (n > INT32_MAX) out_of_memory();
    r->zones = static_cast<zone **>(calloc(static_cast<size_t>(n), sizeof(zone *)));
    if (r->zones == nullptr) out_of_memory();
    r->count = static_cast<int32_t>(n);
  }
  return r;
}

// Releases the record and array of r but not its zones (they were moved).
void release_record(region *r) {
  if (r == nullptr) return;
  free(r->zones);
  free(r);
}

// Drops the null entries of r's array, keeping order; r becomes empty when
// nothing is left. Used to trim arrays reserved for the worst case.
void squeeze_region(region *r) {
  int32_t n = 0;
  for (int32_t i = 0; i < r->count; i++)
    if (r->zones[i] != nullptr) r->zones[n++] = r->zones[i];
  if (n == 0) {
    convert_empty_region(r);
  } else if (n < r->count) {
    resize_region(r, n);
  }
}

}  // namespace

region *mk_empty_region() {
  region *r = mk_region_of_size(0);
  r->flags = REGION_EMPTY | REGION_CANONICAL;
  return r;
}

void convert_empty_region(region *r) {
  if (r == nullptr) return;
  for (int32_t i = 0; i < r->count; i++) free_zone(r->zones[i]);
  free(r->zones);
  r->zones = nullptr;
  r->count = 0;
  r->flags = REGION_EMPTY | REGION_CANONICAL;
}

void resize_region(region *r, int n) {
  // Never called on a null region: there is no record to resize.
  assert(r != nullptr);
  if (r == nullptr) return;
  if (n <= 0) {
    convert_empty_region(r);
    return;
  }
  zone **a = static_cast<zone **>(realloc(r->zones, static_cast<size_t>(n) * sizeof(zone *)));
  if (a == nullptr) out_of_memory();
  for (int i = r->count; i < n; i++) a[i] = nullptr;
  r->zones = a;
  r->count = n;
  // A region that receives zones holds valuations again; its zones are the
  // caller's to close.
  if (r->flags & REGION_EMPTY) r->flags = 0;
}

void free_region(region *r) {
  if (r == nullptr) return;
  for (int32_t i = 0; i < r->count; i++) free_zone(r->zones[i]);
  release_record(r);
}

region *assign_region(region *r) {
  if (is_empty_region(r)) return mk_empty_region();
  region *c = mk_region_of_size(r->count);
  int32_t n = 0;
  for (int32_t i = 0; i < r->count; i++) {
    zone *z = assign_zone(r->zones[i]);
    if (z != nullptr) c->zones[n++] = z;
  }
  c->count = n;
  if (n == 0) {
    convert_empty_region(c);
    return c;
  }
  c->flags = r->flags;
  return c;
}

void cf_region(region *r) {
  if (is_empty_region(r) || (r->flags & REGION_CANONICAL)) {
    if (r != nullptr && r->count == 0) convert_empty_region(r);
    return;
  }
  int32_t n = 0;
  for (int32_t i = 0; i < r->count; i++) {
    zone *z = r->zones[i];
    cf_zone(z);
    if (is_empty_zone(z)) {
      free_zone(z);
    } else {
      r->zones[n++] = z;
    }
  }
  for (int32_t i = n; i < r->count; i++) r->zones[i] = nullptr;
  if (n == 0) {
    convert_empty_region(r);
    return;
  }
  if (n < r->count) resize_region(r, n);
  r->flags |= REGION_CANONICAL;
}

void compact_region(region *r) {
  if (is_empty_region(r) || (r->flags & REGION_COMPACTED)) return;
  compact_incl_region(r);
}

void compact_incl_region(region *r) {
  cf_region(r);
  if (is_empty_region(r)) return;
  zone **z = r->zones;
  const int32_t n = r->count;
  int32_t top = n - 1;
  for (int32_t i = n - 2; i >= 0; i--) {
    for (int32_t j = top; j > i; j--) {
      if (is_included_zone(z[j], z[i])) {
        free_zone(z[j]);
        z[j] = z[top];
        z[top] = nullptr;
        top--;
      } else if (is_included_zone(z[i], z[j])) {
        free_zone(z[i]);
        z[i] = z[top];
        z[top] = nullptr;
        top--;
        break;
      }
    }
  }
  if (top < n - 1) resize_region(r, top + 1);
  r->flags |= REGION_COMPACTED;
}

region *compact_hull_region(region *r) {
  region *h = zone_to_region(hull_region(r));
  if (is_included_region(h, r)) return h;
  free_region(h);
  return r;
}

region *compact_hull_diff_region(region *r) {
  region *h = zone_to_region(hull_region(r));
  region *d = diff_region(h, r);
  if (is_empty_region(d)) {
    free_region(d);
    return h;
  }
  region *res = diff_region(h, d);
  free_region(h);
  free_region(d);
  return res;
}

void modif_global_region(region *r, int i, int j, int16_t bound) {
  if (is_empty_region(r)) return;
  for (int32_t l = 0; l < r->count; l++) {
    zone *z = r->zones[l];
    // A looser bound written over the entry would add valuations (those
    // of x < 0 when the zone is not closed yet): the constraint is added.
    if (!is_empty_zone(z) && bound <= z->bounds[i][j]) assign_disactual_bounds_edges_zone(z, i, j, bound);
  }
  r->flags &= static_cast<unsigned char>(~REGION_CANONICAL);
}

void del_extra_clocks_region(region *r, int k) {
  if (is_empty_region(r)) return;
  for (int32_t l = 0; l < r->count; l++) del_extra_clocks_zone(r->zones[l], k);
}

void add_extra_clocks_region(region *r, int k) {
  if (is_empty_region(r)) return;
  for (int32_t l = 0; l < r->count; l++) add_extra_clocks_zone(r->zones[l], k);
}

region *intersection_region(region *a, region *b) {
  if (is_empty_region(a) || is_empty_region(b)) return mk_empty_region();
  region *r = mk_region_of_size(static_cast<int64_t>(a->count) * b->count);
  int32_t n = 0;
  for (int32_t i = 0; i < a->count; i++)
    for (int32_t j = 0; j < b->count; j++) {
      zone *z = intersection_zone(a->zones[i], b->zones[j]);
      if (z != nullptr) r->zones[n++] = z;
    }
  squeeze_region(r);
  compact_region(r);
  return r;
}

region *union_region(region *a, region *b) {
  if (a == b && a != nullptr) return a;
  region *res;
  if (is_empty_region(a)) {
    free_region(a);
    if (is_empty_region(b)) {
      free_region(b);
      return mk_empty_region();
    }
    res = b;
  } else {
    res = a;
    if (!is_empty_region(b)) {
      const int32_t n = a->count;
      resize_region(a, n + b->count);
      for (int32_t i = 0; i < b->count; i++) a->zones[n + i] = b->zones[i];
      // a keeps its flags, but its zones are all closed only when b's were.
      if (!(b->flags & REGION_CANONICAL)) a->flags &= static_cast<unsigned char>(~REGION_CANONICAL);
      release_record(b);
    } else {
      free_region(b);
    }
  }
  compact_region(res);
  return res;
}

region *append_region(region *a, region *b) {
  if (a == b && a != nullptr) return a;  // a ∪ a is a; comparing a with itself would free it
  cf_region(a);
  cf_region(b);
  if (is_empty_region(a)) {
    free_region(a);
    return b != nullptr ? b : mk_empty_region();
  }
  if (is_empty_region(b)) {
    free_region(b);
    return a;
  }
  zone **za = a->zones;
  zone **zb = b->zones;
  int32_t i = a->count;
  int32_t k = b->count;
  for (int32_t j = a->count - 1; j >= 0; j--) {
    for (int32_t l = k - 1; l >= 0; l--) {
      if (is_included_zone(zb[l], za[j])) {
        free_zone(zb[l]);
        zb[l] = zb[k - 1];
        zb[k - 1] = nullptr;
        k--;
      } else if (is_included_zone(za[j], zb[l])) {
        free_zone(za[j]);
        za[j] = za[i - 1];
        za[i - 1] = nullptr;
        i--;
        break;
      }
    }
  }
  resize_region(a, i + k);
  for (int32_t l = 0; l < k; l++) a->zones[i + l] = zb[l];
  release_record(b);
  return a;
}

region *diff_region(region *a, region *b) {
  if (is_empty_region(a)) return mk_empty_region();
  region *r = assign_region(a);
  if (is_empty_region(b)) return r;
  for (int32_t i = 0; i < b->count && !is_empty_region(r); i++) {
    region *next = intersection_region_not_zone(r, b->zones[i]);
    free_region(r);
    r = next;
  }
  compact_region(r);
  return r;
}

region *complement_region(region *a) { return complement_region_within(a, nullptr); }

region *complement_region_within(region *a, int64_t *budget) {
  if (is_empty_region(a)) return zone_to_region(mk_universal_zone());
  region *r = complement_zone(a->zones[0]);
  for (int32_t i = 1; i < a->count && !is_empty_region(r); i++) {
    region *next = intersection_region_not_zone_within(r, a->zones[i], budget);
    free_region(r);
    if (next == nullptr) return nullptr;
    r = next;
  }
  return r;
}

int is_included_region(region *a, region *b) {
  // A region of empty zones not yet dropped is empty all the same.
  cf_region(a);
  if (is_empty_region(a)) return 1;
  if (is_empty_region(b)) return 0;
  region *d = diff_region(a, b);
  cf_region(d);
  int res = is_empty_region(d);
  free_region(d);
  return res;
}

region *proj_region(region *a) {
  cf_region(a);
  if (is_empty_region(a)) return mk_empty_region();
  region *r = mk_region_of_size(a->count);
  for (int32_t i = 0; i < a->count; i++) r->zones[i] = proj_zone(a->zones[i]);
  squeeze_region(r);
  compact_region(r);
  return r;
}

region *reset_region(region *a, int x) {
  if (is_empty_region(a)) return mk_empty_region();
  region *r = mk_region_of_size(a->count);
  for (int32_t i = 0; i < a->count; i++) {
    zone *z = reset_zone(a->zones[i], x);
    if (is_empty_zone(z)) {
      free_zone(z);
      z = nullptr;
    }
    r->zones[i] = z;
  }
  squeeze_region(r);
  if (!is_empty_region(r)) r->flags = REGION_CANONICAL;
  return r;
}

region *backward_affect_region(region *a, const uint16_t *affect) {
  if (affect == nullptr || is_empty_region(a)) return assign_region(a);
  region *r = mk_region_of_size(a->count);
  for (int32_t i = 0; i < a->count; i++) {
    zone *z = backward_affect_zone(a->zones[i], affect);
    if (is_empty_zone(z)) {
      free_zone(z);
      z = nullptr;
    }
    r->zones[i] = z;
  }
  squeeze_region(r);
  return r;
}

region *pre_region(region *a, region *b, const uint16_t *affect) {
  if (is_empty_region(a)) return mk_empty_region();
  region *t = backward_affect_region(a, affect);
  region *r = intersection_region(t, b);
  free_region(t);
  return r;
}

region *path_region(region *a, region *b) {
  cf_region(a);
  cf_region(b);
  if (is_empty_region(b)) return mk_empty_region();
  if (is_empty_region(a)) return assign_region(b);
  region *r = mk_empty_region();
  for (int32_t i = 0; i < b->count; i++) r = union_region(r, path_region_zone0(a, b->zones[i]));
  return r;
}
