// Compiler-style error lines, "FILE:LINE: MESSAGE 'TOKEN'" on standard error,
// printed beside the parsers' own reports so that a person or an editor can
// go to the place at once.
#pragma once

// Names the file being parsed (copied) and the value that the scanner's line
// counter has at its first line (a counter may go on from an earlier text);
// an empty name or null stops the lines until another name is set.
void set_error_source(const char *name, int first_line = 1);

// Prints the line for the file named last, when one is named, with `line` a
// value of the scanner's counter; a null or empty token (the end of the
// text) prints "at end of file" in place of the quoted token.
void print_source_error(int line, const char *message, const char *token);
