// The two-way inclusion test of flat zones, scalar and vectorised.

#include "varnok/zone_compare.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VARNOK_X86 1
#endif

namespace flat {

namespace {

// Clears the bits of r that entries [from, to) of a and b contradict.
template <typename T>
inline int scalar_pass(const T *a, const T *b, int from, int to, int r) {
  for (int p = from; p < to && r != 0; p++) {
    if (a[p] > b[p]) r &= ~A_IN_B;
    else if (a[p] < b[p]) r &= ~B_IN_A;
  }
  return r;
}

// The bits left by the masks of entries where a > b (gt) and a < b (lt).
inline int bits_left(int r, bool any_gt, bool any_lt) {
  if (any_gt) r &= ~A_IN_B;
  if (any_lt) r &= ~B_IN_A;
  return r;
}

#ifdef VARNOK_X86
// 8 entries per step, 4 steps per block; the bits are read once a block.
int pass_sse2(const int16_t *a, const int16_t *b, int nn, int r) {
  int p = 0;
  for (; p + 32 <= nn; p += 32) {
    __m128i gt = _mm_setzero_si128(), lt = _mm_setzero_si128();
    for (int q = 0; q < 32; q += 8) {
      const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(a + p + q));
      const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + p + q));
      gt = _mm_or_si128(gt, _mm_cmpgt_epi16(x, y));
      lt = _mm_or_si128(lt, _mm_cmpgt_epi16(y, x));
    }
    r = bits_left(r, _mm_movemask_epi8(gt) != 0, _mm_movemask_epi8(lt) != 0);
    if (r == 0) return 0;
  }
  for (; p + 8 <= nn; p += 8) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(a + p));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + p));
    r = bits_left(r, _mm_movemask_epi8(_mm_cmpgt_epi16(x, y)) != 0, _mm_movemask_epi8(_mm_cmpgt_epi16(y, x)) != 0);
    if (r == 0) return 0;
  }
  return scalar_pass(a, b, p, nn, r);
}

// The narrow form: 16 bytes per step, 4 steps per block.
int pass8_sse2(const int8_t *a, const int8_t *b, int n, int r) {
  int p = 0;
  for (; p + 64 <= n; p += 64) {
    __m128i gt = _mm_setzero_si128(), lt = _mm_setzero_si128();
    for (int q = 0; q < 64; q += 16) {
      const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(a + p + q));
      const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + p + q));
      gt = _mm_or_si128(gt, _mm_cmpgt_epi8(x, y));
      lt = _mm_or_si128(lt, _mm_cmpgt_epi8(y, x));
    }
    r = bits_left(r, _mm_movemask_epi8(gt) != 0, _mm_movemask_epi8(lt) != 0);
    if (r == 0) return 0;
  }
  for (; p + 16 <= n; p += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(a + p));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + p));
    r = bits_left(r, _mm_movemask_epi8(_mm_cmpgt_epi8(x, y)) != 0, _mm_movemask_epi8(_mm_cmpgt_epi8(y, x)) != 0);
    if (r == 0) return 0;
  }
  return scalar_pass(a, b, p, n, r);
}

// The narrow form: 32 bytes per step, the first vector alone, then blocks
// of 4 steps.
__attribute__((target("avx2"))) int pass8_avx2(const int8_t *a, const int8_t *b, int n, int r) {
  int p = 0;
  if (n >= 32) {  // the first row or two alone: they decide most pairs
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(a));
    const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(b));
    const __m256i gt = _mm256_cmpgt_epi8(x, y), lt = _mm256_cmpgt_epi8(y, x);
    r = bits_left(r, !_mm256_testz_si256(gt, gt), !_mm256_testz_si256(lt, lt));
    if (r == 0) return 0;
    p = 32;
  }
  for (; p + 128 <= n; p += 128) {
    __m256i gt = _mm256_setzero_si256(), lt = _mm256_setzero_si256();
    for (int q = 0; q < 128; q += 32) {
      const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(a + p + q));
      const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(b + p + q));
      gt = _mm256_or_si256(gt, _mm256_cmpgt_epi8(x, y));
      lt = _mm256_or_si256(lt, _mm256_cmpgt_epi8(y, x));
    }
    r = bits_left(r, !_mm256_testz_si256(gt, gt), !_mm256_testz_si256(lt, lt));
    if (r == 0) return 0;
  }
  for (; p + 32 <= n; p += 32) {
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(a + p));
    const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(b + p));
    const __m256i gt = _mm256_cmpgt_epi8(x, y), lt = _mm256_cmpgt_epi8(y, x);
    r = bits_left(r, !_mm256_testz_si256(gt, gt), !_mm256_testz_si256(lt, lt));
    if (r == 0) return 0;
  }
  return pass8_sse2(a + p, b + p, n - p, r);
}

// 16 entries per step, 4 steps per block; the first vector alone.
__attribute__((target("avx2"))) int pass_avx2(const int16_t *a, const int16_t *b, int nn, int r) {
  int p = 0;
  if (nn >= 64) {  // the first 16 entries alone: they decide most pairs
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(a));
    const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(b));
    const __m256i gt = _mm256_cmpgt_epi16(x, y), lt = _mm256_cmpgt_epi16(y, x);
    r = bits_left(r, !_mm256_testz_si256(gt, gt), !_mm256_testz_si256(lt, lt));
    if (r == 0) return 0;
    p = 16;  // the order of the entries does not matter: the blocks go on after them
  }
  for (; p + 64 <= nn; p += 64) {
    __m256i gt = _mm256_setzero_si256(), lt = _mm256_setzero_si256();
    for (int q = 0; q < 64; q += 16) {
      const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(a + p + q));
      const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(b + p + q));
      gt = _mm256_or_si256(gt, _mm256_cmpgt_epi16(x, y));
      lt = _mm256_or_si256(lt, _mm256_cmpgt_epi16(y, x));
    }
    r = bits_left(r, !_mm256_testz_si256(gt, gt), !_mm256_testz_si256(lt, lt));
    if (r == 0) return 0;
  }
  for (; p + 16 <= nn; p += 16) {
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(a + p));
    const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(b + p));
    const __m256i gt = _mm256_cmpgt_epi16(x, y), lt = _mm256_cmpgt_epi16(y, x);
    r = bits_left(r, !_mm256_testz_si256(gt, gt), !_mm256_testz_si256(lt, lt));
    if (r == 0) return 0;
  }
  return pass_sse2(a + p, b + p, nn - p, r);
}
#else
int pass_scalar(const int16_t *a, const int16_t *b, int nn, int r) { return scalar_pass(a, b, 0, nn, r); }
int pass8_scalar(const int8_t *a, const int8_t *b, int n, int r) { return scalar_pass(a, b, 0, n, r); }
#endif

struct unit {
  detail::compare_fn fn;
  detail::compare8_fn fn8;
  const char *name;
};

unit pick_unit() {
#ifdef VARNOK_X86
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return {pass_avx2, pass8_avx2, "avx2"};
  return {pass_sse2, pass8_sse2, "sse2"};
#else
  return {pass_scalar, pass8_scalar, "scalar"};
#endif
}

// Chosen before main (nothing compares zones during static initialisation);
// a function-local static, checked on every call, measured a third slower.
const unit the_unit = pick_unit();

}  // namespace

int compare_scalar(const int16_t *a, const int16_t *b, int dim) {
  return scalar_pass(a, b, 0, dim * dim, A_IN_B | B_IN_A);
}

int compare(const int16_t *a, const int16_t *b, int dim) {
  return the_unit.fn(a, b, dim * dim, A_IN_B | B_IN_A);
}

int compare_entries(const int16_t *a, const int16_t *b, int n, int bits) { return the_unit.fn(a, b, n, bits); }

int compare_bytes(const int8_t *a, const int8_t *b, int n, int bits) { return the_unit.fn8(a, b, n, bits); }

int compare_bytes_scalar(const int8_t *a, const int8_t *b, int n, int bits) { return scalar_pass(a, b, 0, n, bits); }

const char *compare_unit() { return the_unit.name; }

namespace detail {
compare_fn compare_avx2_fn() {
#ifdef VARNOK_X86
  if (__builtin_cpu_supports("avx2")) return pass_avx2;
#endif
  return nullptr;
}
compare_fn compare_sse2_fn() {
#ifdef VARNOK_X86
  return pass_sse2;
#else
  return nullptr;
#endif
}
compare8_fn compare8_avx2_fn() {
#ifdef VARNOK_X86
  if (__builtin_cpu_supports("avx2")) return pass8_avx2;
#endif
  return nullptr;
}
compare8_fn compare8_sse2_fn() {
#ifdef VARNOK_X86
  return pass8_sse2;
#else
  return nullptr;
#endif
}
}  // namespace detail

}  // namespace flat
