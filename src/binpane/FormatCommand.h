// `vexel --format TEMPLATE FILE`: writes to `out` the text format by template
// appends to the "Table" document, for a range of FILE, with no window.
// Its options and exit statuses are in the program's help (CommandHelp).
#pragma once

#include <cstdio>

// argv[1] is "--format". Answers the exit status: 0 when done, 2 after one
// line on `err` for bad input, 1 when `out` could not be written.
int RunFormatCommand(int argc, char** argv, std::FILE* out, std::FILE* err);
