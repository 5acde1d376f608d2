// `vexel --dump [options] FILE`: writes to `out` what a screen copy of the
// whole file makes (heading line, rule line, every dump line, CR LF endings),
// with no window and no display. Options not given come from the profile.
#pragma once

#include <cstdio>

// argv[1] is "--dump" or "--help". Answers the exit status: 0 when done,
// 2 after one line on `err` for bad input, 1 when `out` could not be written.
int RunDumpCommand(int argc, char** argv, std::FILE* out, std::FILE* err);
