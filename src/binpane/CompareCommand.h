// `vexel --compare [options] FILE1 FILE2`: writes to `out` the report the
// editor's compare command makes of the two files (FILE1 as the current
// document), with no window and no display. Options not given come from the
// profile.
#pragma once

#include <cstdio>

// argv[1] is "--compare". Answers the exit status as cmp does: 0 when the
// files agree (same size, no differing line; two empty files agree), 1 when
// they differ, in a line or only in size (the size message then goes to
// `err`), 2 after one line on `err` for bad input or a read or write failure.
int RunCompareCommand(int argc, char** argv, std::FILE* out, std::FILE* err);
