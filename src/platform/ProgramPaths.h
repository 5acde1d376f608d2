// Where the program's files live. Every derivation that starts from the
// program file's path starts from "<profile directory>/vexel.exe", so the
// files are vexel.ini, vexel.cab, vexel.DAT and vexel.key in that directory.
#pragma once

#include <string>

namespace paths {

// First that applies: $VEXEL_PROFILE_DIR; the executable's directory when it
// already holds vexel.ini (a portable install); $XDG_CONFIG_HOME/vexel or
// ~/.config/vexel. No trailing separator.
std::string ProfileDirectory();

// The directory exists afterwards (created on first need); false on failure.
bool EnsureProfileDirectory();

// "<profile directory>/vexel.exe": the stand-in for the module file name.
std::string ProgramFilePath();

// The INI path rule: the program path with its extension replaced by ".ini",
// the file name in lower case (the directory is kept: on a case-sensitive file
// system a lower-cased directory would be another one). When that file does
// not exist and one of the same name does in the system profile directory,
// that file is copied first (not when it is 20,971,521 bytes or more; when
// the copy buffer cannot be had, the out-of-memory box with caption "Qorvi").
std::string ProfileFilePath();

// The program data file: the program path with its last three characters
// replaced by "DAT"; empty when no profile directory can be found.
std::string ProgramDataFilePath();

// The key-definition file: the program path with its last three characters
// replaced by "key"; empty when no profile directory can be found.
std::string KeyFilePath();

// The system profile directory, "/etc/xdg/vexel" unless set (tests set it).
void SetSystemProfileDirectory(std::string directory);

// Directory of the executable being run (for the portable-install test).
void SetExecutablePath(const std::string& argv0OrAbsolute);

} // namespace paths
