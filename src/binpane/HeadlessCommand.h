// What the commands that run without a window (--dump, --format) share: how
// they open the file they read and how they tell of a failure.
#pragma once

#include <cstdio>
#include <string>

// Opens the file for reading, refusing anything but a regular file by its type
// first: a FIFO or a device could block the open or the reads for ever, or
// never end. Answers the descriptor, or -1 with a one-line reason in `why`.
[[nodiscard]] int OpenInputFile(const std::string& path, std::string& why);

// One line "vexel: text" on `err`.
void SayToUser(std::FILE* err, const std::string& text);
// The same, answering the exit status to end with.
int FailWith(std::FILE* err, const std::string& text, int status = 2);
