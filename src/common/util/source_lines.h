// Compiler-style error lines, "FILE:LINE: MESSAGE 'TOKEN'" on standard error,
// printed beside the parsers' own reports so that a person or an editor can
// go to the place at once.
#pragma once

#include <string>
#include <vector>

// Names the file being parsed (copied) and the value that the scanner's line
// counter has at its first line (a counter may go on from an earlier text);
// an empty name or null stops the lines until another name is set.
void set_error_source(const char *name, int first_line = 1);

// Prints the line for the file named last, when one is named, with `line` a
// value of the scanner's counter; a null or empty token (the end of the
// text) prints "at end of file" in place of the quoted token.
// A non-empty hint follows in parentheses: "FILE:LINE: MESSAGE 'TOKEN' (HINT)".
void print_source_error(int line, const char *message, const char *token, const char *hint = nullptr);

// "FILE:LINE" for a value of the scanner's counter in the file named last,
// or "" when none is named.
std::string source_place(int line);

// The name of `known` closest to `word` by edit distance (insertions,
// deletions, substitutions, and swaps of two neighbours), when it is close
// enough to be a slip of the keyboard: fewer edits than the word has
// characters, and at most 1 + length/6 of them; the first of equally close
// names; "" when none is close or word is one of them.
std::string closest_name(const std::string &word, const std::vector<std::string> &known);

// "did you mean 'NAME'?" for closest_name's answer, or "" when there is none.
std::string did_you_mean(const std::string &word, const std::vector<std::string> &known);
