// Usage text and the final timing summary of the model checker.
#pragma once

// Prints the usage text on standard output.
void usage();

// Resets the timers used by the model checker with their names.
void set_zero_comput_times();

// Prints the timing summary of the run on standard output.
void print_computation_times();
