// The cabinet file: the display settings set, the open-file filter lists and
// the documents open when it was written, so that the next start can take
// them up again.
//
// Layout (little-endian): version (bits 24 to 31, 0 or 1) and document count
// D (bits 0 to 23, at most 30); offset S of the settings block; D document
// records (path, NUL, 44-byte window placement, active flag, flags = mode *
// 256 + read-only, three positions); at S the 41 values of the settings set,
// the name count (equal to value 24) and the names; one further value; the
// three filter lists (count, then name and pattern pairs); two trailing
// values. Version 0 keeps the colours as palette numbers. The earlier
// 16-bit layout is read too, never written.
#pragma once

#include "app/Settings.h"
#include "doc/CabinetSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CabinetFilter
{
    std::string name;    // CP932, shown in the file dialog
    std::string pattern; // "*.c;*.cpp"

    bool operator==(const CabinetFilter&) const = default;
};
using CabinetFilterList = std::vector<CabinetFilter>;
using CabinetFilterLists = std::array<CabinetFilterList, 3>;

struct CabinetDocument
{
    std::string path; // CP932
    WindowPlacement placement;
    bool active = false; // the active child frame when written
    bool readOnly = false;
    // 1 text, 2 binary; 0 from the 16-bit layout, which kept no mode: such a
    // record opens in the mode in force.
    int mode = 1;
    int32_t firstLine = 0; // binary: dump line; text: display line
    int32_t caret = 0;     // binary: caret offset; text: caret column
    int32_t caretLine = 0; // text only

    bool operator==(const CabinetDocument&) const = default;
};

struct CabinetContent
{
    static constexpr size_t kMaxDocuments = 30;
    static constexpr size_t kMaxFilters = 10; // pairs in each list

    CCabinetSettings settings;
    int32_t valueAfterNames = 0;            // owned by the settings dialogs
    std::array<int32_t, 2> lastValues{1, 1}; // likewise
    CabinetFilterLists filters = BuiltInFilterLists();
    std::vector<CabinetDocument> documents;

    // The lists in effect until a cabinet brings its own.
    static CabinetFilterLists BuiltInFilterLists();

    bool operator==(const CabinetContent&) const = default;
};

// A filter list as a file dialog takes it: "name (pattern pattern)" in
// UTF-8, a ";" list split at its semicolons, "*.*" widened to "*"; pairs
// without a pattern are left out.
std::vector<std::string> DialogNameFilters(const CabinetFilterList& list);

// Colour number (1 to 16) to RGB value, for the colours of version 0 files.
using CabinetPalette = uint32_t (*)(int index);

// A file's bytes are at most this long; a file that reaches it is refused.
constexpr size_t kCabinetBufferSize = 30'720;

// Nothing when the bytes are in neither layout. Never reads outside them.
std::optional<CabinetContent> DecodeCabinet(std::string_view bytes, CabinetPalette palette);
// Version 1 with the first 30 documents; nothing when the content would not
// read back (a value out of its range, too many names, a file too large).
std::optional<std::string> EncodeCabinet(const CabinetContent& content);

// Reads and decodes a cabinet file. A file that cannot be read fails
// silently; one in neither layout fails with the message.
[[nodiscard]] std::optional<CabinetContent> LoadCabinet(const std::string& path,
                                                        CabinetPalette palette);
// Writes the file atomically; false when it cannot be encoded or written.
[[nodiscard]] bool SaveCabinet(const std::string& path, const CabinetContent& content);
