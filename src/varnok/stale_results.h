// Result files that an earlier run left behind. A run that fails after it
// started (an unknown clock, a formula error, memory, a refused goal) must
// not leave the previous answer of the same question in place, where it
// would read as the new one: the run names the files it would write, and
// when it ends through exit (or returns failure) before it is kept, those
// that are still the earlier run's files are removed, each with the line
// "<tool>: removed the earlier result <file>" on standard error. Files that
// this run put in place (under a new inode) are left alone.
//
// Witness files (paths, traces, runs and their pictures) go further: they
// must always belong to the last run that completed, so when a run ends
// well without writing one of them (the goal was not reached, the formula
// has no run, the run was not asked for), the earlier one is removed too.
#pragma once

#include <string>
#include <vector>

// Notes the files (paths as shown) that the starting evaluation or search
// would write; the ones that exist now are the earlier run's. May be called
// more than once; each call adds to the list.
void stale_results_arm(const std::vector<std::string> &paths);
// Notes witness files as stale_results_arm does; they are also removed
// by stale_results_end when this run did not replace them.
void stale_results_arm_witness(const std::vector<std::string> &paths);
// The answer exists: nothing is removed at exit, but for the witness files
// that stale_results_end may still remove.
void stale_results_keep();
// The run completed: removes the noted witness files that are still the
// earlier run's, with the same line; nothing is removed after this call.
void stale_results_end();
// Removes the noted earlier files now (the run failed); after this call
// nothing more is removed at exit.
void stale_results_remove();
