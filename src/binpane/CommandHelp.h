// The text of `vexel --help`: the window's options and every command that
// runs without a window.
#pragma once

#include <cstdio>

// Writes the help text to `out`; answers 0, the exit status.
int WriteCommandHelp(std::FILE* out);
