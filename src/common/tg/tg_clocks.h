// Clock assignments of transitions, shared between transitions.
//
// An assignment vector has AFFECT_SIZE entries (declared clocks + 1): entry i
// is the clock whose old value clock i takes (i itself: unchanged, 0: reset
// to 0, j: i := j); entry 0 is 0. Equal records of one mode are shared
// through affect_set, so that transitions with the same resets point to the
// same record.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

// Modes of a clock assignment.
constexpr int AFFECT_NONE = 0;    // nothing reset or assigned
constexpr int AFFECT_RESET = 1;   // resets only
constexpr int AFFECT_ASSIGN = 2;  // at least one clock-to-clock assignment

typedef struct clock_affect {
  int32_t mode;
  std::vector<uint16_t> affect;  // AFFECT_SIZE entries
  struct clock_affect *next;     // next record of the same mode
} clock_affect;

// Heads of the three chains of distinct records, indexed by mode.
extern clock_affect *affect_set[3];

// Sets AFFECT_SIZE = n + 1 (n declared clocks) and empties the three chains
// (records already shared by transitions stay valid).
void open_affect_set(int n);
// A fresh record of mode 0 whose entry i is i; owned by the caller until it
// is handed to insert_affect (or released with free_clock_affect).
clock_affect *new_clock_affect();
// Releases a record that was never inserted.
void free_clock_affect(clock_affect *a);
// Clock x is reset; warns when x was already assigned another clock.
// x in 0..AFFECT_SIZE-1.
void add_reset(clock_affect *a, int x);
// x := y; warns on x := x and when x was already assigned. x, y in
// 0..AFFECT_SIZE-1.
void add_affect(clock_affect *a, int x, int y);
// The shared record equal to r (same mode, same vector): the stored one, r
// being freed, or r itself after storing it. The chains own their records.
clock_affect *insert_affect(clock_affect *r);
// Head of the chain of mode `mode` (0, 1 or 2), null when it is empty.
clock_affect *get_affect(int mode);
// Releases every record of the three chains and empties them (the
// transitions that point to them must be gone too).
void free_affect_set();

// Writes "RESET{} ; ", "RESET{ x y } ; " or "RESET{ x }, y:=z ; " for a.
// An unknown mode is reported on standard error and ends the process (-1).
void fprint_clock_affect(FILE *stream, const clock_affect *a);
