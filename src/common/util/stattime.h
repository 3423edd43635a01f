// Named CPU-time accumulators (user and system ticks of 1/100 s).
#pragma once

#include <cstdio>

constexpr int N_TIMERS = 17;

// Exits with -1 after "ERROR: illegal timer" when i > 16.
void test_timer(int i);
// Resets timer i (zero time, zero starts, stopped); a non-null name replaces its name.
void time_0(int i, const char *name);
// Starts timer i when stopped and counts the start; a running timer is untouched.
void time_C(int i);
// Stops timer i when running, adding the interval; a stopped timer is untouched.
void time_R(int i);
// Accumulated user / system seconds of timer i (meaningful while stopped).
double time_usr(int i);
double time_sys(int i);
// Number of starts of timer i.
int time_num(int i);
// Prints the framed line of timer i (only the rules when it has no name).
void time_S(int i, FILE *stream);
// Prints the statistics header and the line of every named timer.
void time_P(FILE *stream);

// The peak resident memory of the process so far, in kB (0 when unknown).
long peak_memory_kb();
