// Fixed-length bit sets (label sets, clock sets).
//
// All bit arrays that exist at one time have the same length, held in the
// module-wide BITS_PER_ARRAY / BIT_ARRAY_LEN: call open_alloc_bit_array with
// the length needed before making arrays, and do not use arrays made under
// another length. Bit b lives in word b / 32 at position b % 32 (position 0
// the least significant bit). Whole-array operations act on all
// 32 * BIT_ARRAY_LEN bits, including those beyond BITS_PER_ARRAY.
#pragma once

#include <cstdint>
#include <cstdio>

// Meaningful bits per array; starts at 0.
extern uint16_t BITS_PER_ARRAY;
// Words per array: BITS_PER_ARRAY / 32 rounded up; starts at 0.
extern uint16_t BIT_ARRAY_LEN;

// Sets the module-wide length to n bits. Allocates nothing.
void open_alloc_bit_array(int n);
// A new array of BIT_ARRAY_LEN words, all 0, owned by the caller.
uint32_t *mk_bit_array();
// Releases an array made by mk_bit_array (null is ignored).
void free_bit_array(uint32_t *a);
// All words of a set to 0.
void clear_bit_array(uint32_t *a);
// Sets bit b when flag is non-zero, clears it when 0. b < 32 * BIT_ARRAY_LEN.
void put_bit_array(uint32_t *a, int b, int flag);
// 1 when bit b is set, else 0. b < 32 * BIT_ARRAY_LEN.
int get_bit_array(const uint32_t *a, int b);
// dst = a AND b, dst = a OR b, dst = NOT src, dst = src; dst may be an operand.
void and_bit_array(uint32_t *dst, const uint32_t *a, const uint32_t *b);
void or_bit_array(uint32_t *dst, const uint32_t *a, const uint32_t *b);
void comp_bit_array(uint32_t *dst, const uint32_t *src);
void copy_bit_array(uint32_t *dst, const uint32_t *src);
// 1 when every word is 0 (also when BIT_ARRAY_LEN is 0), else 0.
int is_zero_bit_array(const uint32_t *a);
// 1 when all words are equal, else 0.
int eq_bit_array(const uint32_t *a, const uint32_t *b);
// 1 when every bit set in a is set in b, else 0.
int incl_bit_array(const uint32_t *a, const uint32_t *b);
// Non-negative hashing key: the OR of all words as a signed 32-bit number,
// negated when negative (0 when that is the most negative number).
int magic_bit_array(const uint32_t *a);
// "[" then every bit as "1" or "0", word by word from position 0, then "]".
void print_bit_array(FILE *stream, const uint32_t *a);
// The number of every set bit in increasing order, each as "%d ".
void show_bit_array(FILE *stream, const uint32_t *a);
// The number of every set bit in increasing order, each as a 32-bit
// little-endian integer.
void show_bin_bit_array(FILE *stream, const uint32_t *a);
