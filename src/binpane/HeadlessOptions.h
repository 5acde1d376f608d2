// What the commands that run without a window (--dump, --compare, --format) share:
// their options, reading the profile's settings under them, opening the
// input files, and the form of their error lines.
#pragma once

#include "app/Settings.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct HeadlessOptions
{
    std::optional<int> code;
    std::optional<int> bytesPerLine;
    std::optional<int> block;
    std::optional<bool> hexAddress;
    bool utf8 = true;
    bool help = false;
    std::vector<std::string> files;
};

// Parses the arguments after argv[0], passing over argv[1] when it is
// `command`; `files` is how many file names must follow (unless --help is
// given). Answers an error text, empty when the arguments were good.
[[nodiscard]] std::string ParseHeadlessOptions(int argc, char** argv, std::string_view command, size_t files,
                                               HeadlessOptions& options);

// The value of the option at argv[i], given as "--name=value" or as the next
// argument (then i moves on to it); nothing when it has none.
[[nodiscard]] std::optional<std::string_view> OptionValue(int argc, char** argv, int& i);

// The value of --output-code into `utf8`; answers an error text, empty when good.
[[nodiscard]] std::string ParseOutputCode(std::string_view value, bool& utf8);

// The profile's settings, each option given overriding its own key.
CSettings HeadlessSettings(const HeadlessOptions& options);

// Opens the file for reading, refusing anything but a regular file by its type
// first: a FIFO or a device could block the open or the reads for ever, or
// never end. Answers the descriptor, or -1 with the reason in `why`.
[[nodiscard]] int OpenInput(const std::string& path, std::string& why);

// One line "vexel: TEXT" on `err`.
void SayError(std::FILE* err, const std::string& text);
// The same, answering the exit status to end with.
int FailWith(std::FILE* err, const std::string& text, int status = 2);
