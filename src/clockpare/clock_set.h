// Sets of clocks, and tables of one set per location.
//
// A clock set is an array of N_OF_CLOCKS bytes: entry i is 1 when clock i
// belongs to the set, 0 otherwise. Entry 0 (the reference clock) may be set;
// sizes and printing ignore it. Every operation that returns a set returns a
// new one, owned by the caller (free_clock_set), and leaves its arguments
// alone, except the adding and deleting operations, which change their
// argument in place and return it. Sets must have been made for the current
// N_OF_CLOCKS. Allocation failures end the process (out_of_memory).
#pragma once

#include <cstdio>

typedef unsigned char *clock_set;
// N_OF_STATES sets (null entries stand for absent ones).
typedef clock_set *clock_set_table;

// Every entry 0.
clock_set new_empty_clock_set();
// Every entry 1, entry 0 included.
clock_set new_full_clock_set();
// Entry 0 is 0, every other entry 1.
clock_set new_full_clock_set2();
// Releases s; nothing for null.
void free_clock_set(clock_set s);
// A copy of s.
clock_set copy_clock_set(const unsigned char *s);

// a ∪ b, a ∩ b, a − b over every entry, entry 0 included.
clock_set union_clock_set(const unsigned char *a, const unsigned char *b);
clock_set inter_clock_set(const unsigned char *a, const unsigned char *b);
clock_set diff_clock_set(const unsigned char *a, const unsigned char *b);

// 1 when every entry set in a is set in b (entry 0 included).
int is_included_clock_set(const unsigned char *a, const unsigned char *b);
// 1 when no entry / every entry (entry 0 included) is set.
int is_empty_clock_set(const unsigned char *s);
int is_full_clock_set(const unsigned char *s);
// 1 when entries 1 .. N_OF_CLOCKS-1 are all set.
int is_full_clock_set2(const unsigned char *s);

// In place: clock x joins / leaves s; returns s. x < N_OF_CLOCKS.
clock_set add_clock_clock_set(int x, clock_set s);
clock_set del_clock_clock_set(int x, clock_set s);
// 1 when clock x belongs to s.
int is_clock_in_clock_set(int x, const unsigned char *s);
// Number of members among clocks 1 .. N_OF_CLOCKS-1.
int get_clock_set_size(const unsigned char *s);

// "{ ", "NAME " per member from clock 1 upward (clocks_names), "} ".
void fprint_clock_set(FILE *stream, const unsigned char *s);

// N_OF_STATES empty sets; owned by the caller (free_clock_set_table).
clock_set_table new_clock_set_table();
// Releases t and its sets (absent entries skipped); t must hold N_OF_STATES
// entries. Nothing for null.
void free_clock_set_table(clock_set_table t);
// 1 when every set of t is empty (absent entries count as empty).
int is_empty_clock_set_table(const clock_set_table t);
// Per location s: "act(s) = ", the set, "\n"; then "\n".
void fprint_clock_set_table(FILE *stream, const clock_set_table t);
