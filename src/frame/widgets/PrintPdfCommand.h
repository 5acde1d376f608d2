// vexel --print-pdf OUT.pdf [dump options] FILE: prints FILE as a binary
// document with the stored page layout into a PDF file, without a display.
#pragma once

#include <cstdio>

// Exit status 0 done, 1 the PDF could not be written, 2 bad input.
int RunPrintPdfCommand(int argc, char** argv, std::FILE* out, std::FILE* err);
