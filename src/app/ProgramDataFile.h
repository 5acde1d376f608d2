// Reading and writing the program data file, with the user told of a file
// that cannot be read, is not valid or cannot be written. No failure stops
// the program: the data keeps its defaults, or the file its old content.
#pragma once

#include "app/ProgramData.h"

#include <string>

// Lays the file's fields over `data`. A missing file changes nothing and says
// nothing; an unreadable or invalid one changes nothing and shows its message.
// True when the file was taken.
[[nodiscard]] bool ReadProgramDataFile(const std::string& path, ProgramData& data);

// Writes the whole file in one piece; false after showing the write message.
[[nodiscard]] bool WriteProgramDataFile(const std::string& path, const ProgramData& data);
