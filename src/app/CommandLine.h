// The program's command line: an optional file name and the options /A
// (cabinet), /L (line), /C (column) and /Q, each also written with "-".
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct CommandLine
{
    std::string cabinet;   // /A; empty when absent
    std::string file;      // the file argument; empty when absent
    int32_t line = 0;      // /L; 0 when absent
    int32_t column = 0;    // /C; 0 when absent
    bool quiet = false;    // /Q
};

// Parses the arguments (argv without the program name). The shell has split
// the line already, so each argument is one token and is never split again at
// its blanks or quotes: a token that starts with "-", or with "/" followed by
// a letter and then the end of the token, "=" or a digit, is an option whose
// value is the rest of the token (after an optional "="); "--" makes the next
// token the file; the first other token is the file name, whole; anything
// after the file name is ignored. Any other token that begins with "/" is an
// absolute path, resolved by ResolveAbsoluteName(). Names of any length are
// kept: the open reports a name the system refuses.
CommandLine ParseCommandLine(std::span<const std::string> arguments);

// The directory part of name followed by the name, as stored on disk, of the
// first regular file that matches it; the final component may hold the
// wildcards "*" and "?". Directories and other non-regular entries never
// match. Without a match the name comes back unchanged.
std::string ResolveAbsoluteName(const std::string& name);

// Up to limit regular files matching name (wildcards in the final component),
// each as the directory part of name followed by the file's name, in name order.
std::vector<std::string> MatchFiles(const std::string& name, size_t limit);
