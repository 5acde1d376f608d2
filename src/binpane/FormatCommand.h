// `vexel --format TEMPLATE FILE`: writes to `out` the text format by template
// appends to the "Table" document, for a range of FILE, with no window.
//
// Usage lines for the program's help:
//   vexel --format TEMPLATE FILE [format options]
//
//   --format decodes a range of FILE field by field as the template file
//   TEMPLATE describes it, and writes the table the editor would append to
//   its "Table" document: the template's name, one line per field, two empty
//   lines (CR LF endings). Format options:
//     --offset N                   first byte of the range (default 0)
//     --length N                   bytes in the range (default: to the end)
//     --output-code utf8|cp932     encoding of the output (default utf8)
//   N is decimal, or hexadecimal after "0x".
//   Exit status of --format: 0 done, 1 the output could not be written, 2 bad
//   input (the template's own messages included).
#pragma once

#include <cstdio>

// argv[1] is "--format". Answers the exit status: 0 when done, 2 after one
// line on `err` for bad input, 1 when `out` could not be written.
int RunFormatCommand(int argc, char** argv, std::FILE* out, std::FILE* err);
