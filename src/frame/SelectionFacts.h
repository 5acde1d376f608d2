// What the frame tells about a document's bytes: the texts of the selection
// and size panes, and the checksum box's account of what it summed and of
// its four sums (the lines its copy button puts on the clipboard).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A count with thousands separators and in hexadecimal: "1,234 (0x4D2)".
std::string CountText(uint32_t n);

// The selection pane: empty without a selection.
std::string SelectionPaneText(std::optional<uint32_t> selected);
std::string SizePaneText(uint32_t dataSize);

// What a checksum covered: the selected bytes [start, start + length), or the
// whole document when it had no selection.
struct SummedBytes
{
    uint32_t start = 0;
    uint32_t length = 0;
    bool wholeDocument = true;
};
std::string SummedBytesText(const SummedBytes& summed);

// The four sums, in lower-case hexadecimal as the usual command-line tools print them.
struct ChecksumValues
{
    std::string crc32;
    std::string md5;
    std::string sha1;
    std::string sha256;
};
// "CRC-32", "MD5", "SHA-1", "SHA-256": the names the box and its copy use.
inline constexpr const char* kChecksumNames[] = {"CRC-32", "MD5", "SHA-1", "SHA-256"};
// One "NAME: value" line per sum, each ending in a line break.
std::string ChecksumLines(const ChecksumValues& values);
std::string Crc32Hex(uint32_t crc);
