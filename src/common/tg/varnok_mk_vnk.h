// Keeping the compiled files of a timed graph up to date.
#pragma once

// Makes sure the compiled files of my_filename are up to date: parses
// my_filename.tg when it is at least as new as the .vnk file (or that is
// missing) and writes the four files, else leaves them. Returns 1 when the
// files are up to date, 0 on failure (after its message). Sets READ_STRUCT to
// 1 when the existing files must be read, 0 when the tables were just built.
int mk_vnk();
