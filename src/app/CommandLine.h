// The program's command line: an optional file name and the options /A
// (cabinet), /L (line), /C (column) and /Q, each also written with "-". The
// parser works on one raw line as a second instance hands it over; on our
// platform the process gets argv, which JoinArguments() turns into that line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// How multibyte characters of the raw line are encoded. Code page 932 pairs a
// lead byte with the byte after it, whatever that is; in UTF-8 no byte of a
// multibyte character is ASCII, so bytes can be scanned one by one.
enum class CommandLineCode { Utf8, Cp932 };

struct CommandLine
{
    std::string cabinet;   // /A; empty when absent or too long
    std::string file;      // the file argument; empty when absent or too long
    int32_t line = 0;      // /L; 0 when absent
    int32_t column = 0;    // /C; 0 when absent
    bool quiet = false;    // /Q
};

// The cabinet and file values are kept only when shorter than this (in bytes).
inline constexpr size_t kMaxArgumentLength = 256;

// Parses the raw line. A file argument that starts with "/" is resolved by
// ResolveAbsoluteName(). A "/" followed by a letter and then the end of the
// token, "=", a double quote or a digit starts an option; any other token that
// begins with "/" is an absolute path.
CommandLine ParseCommandLine(std::string_view raw, CommandLineCode code = CommandLineCode::Utf8);

// The raw line of the arguments (argv without the program name), separated
// by one space; empty arguments are left out. An
// argument holding a space is quoted; for an option only its value is quoted
// ("-a/x y.cab" becomes -a"/x y.cab") so that it still reads as an option.
std::string JoinArguments(std::span<const char* const> arguments);

// The directory part of name followed by the name, as stored on disk, of the
// first regular file that matches it; the final component may hold the
// wildcards "*" and "?". Directories and other non-regular entries never
// match. Without a match the name comes back unchanged.
std::string ResolveAbsoluteName(const std::string& name);

// Up to limit regular files matching name (wildcards in the final component),
// each as the directory part of name followed by the file's name, in name order.
std::vector<std::string> MatchFiles(const std::string& name, size_t limit);
