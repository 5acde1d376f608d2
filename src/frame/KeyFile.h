// Reading and writing the key-definition file beside the program, with the
// user told of a file that is not valid or cannot be written. No failure
// stops the program: the table keeps its defaults, or the file its content.
#pragma once

#include "frame/KeyTable.h"

#include <string>

// Replaces the table with the file's entries. A missing file changes nothing
// and says nothing; an unreadable or invalid one shows its message. True when
// the file was taken.
[[nodiscard]] bool ReadKeyFile(const std::string& path, CKeyTable& table);

// Writes the whole table in one piece; false after showing the write message.
// An empty table, which no file can hold, removes the file.
[[nodiscard]] bool WriteKeyFile(const std::string& path, const CKeyTable& table);

// Start-up: g_keyTable from the profile's key file, when there is a profile.
void LoadKeyDefinitions();
// g_keyTable to the profile's key file; true when there is no profile to write to.
[[nodiscard]] bool SaveKeyDefinitions();
