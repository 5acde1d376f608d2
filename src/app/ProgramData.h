// Everything the program data file holds, as plain values: the page layout of
// printing, the three histories, the stored find options, the toolbar list,
// the custom colours, the context-menu list and the blocks this program only
// carries along. Reading replaces a set of defaults field by field, so a field
// the file lacks keeps what the program had.
#pragma once

#include "platform/LogFont.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr size_t kMaxDataHistory = 20;      // entries of each history in the file
inline constexpr size_t kMaxFindHistoryChars = 80; // find and replace entries
inline constexpr size_t kMaxThirdHistoryChars = 260;
inline constexpr size_t kMaxDataTools = 20;
inline constexpr size_t kMaxDataToolbarButtons = 50; // what the toolbar holds
inline constexpr size_t kMaxDataContextItems = 30;
inline constexpr size_t kMaxDataStrings = 30;
inline constexpr size_t kTemplateFieldBytes = 84;   // header and footer template, with the NUL

// The print job's layout; margins and spacings in 0.1 mm, the font's height in points.
struct PageLayout
{
    LogFontRecord font = DefaultPrintFont();
    int32_t marginLeft = 50;
    int32_t marginTop = 100;
    int32_t marginRight = 50;
    int32_t marginBottom = 100;
    int32_t printLineNumbers = 1;
    uint16_t firstLineNumber = 1;
    int32_t firstPageNumber = 1;
    int32_t headerOn = 1;
    int32_t headerPosition = 0; // 0 left, 1 centre, 2 right
    std::string headerTemplate = "FileName = &f  &d &t";
    int32_t footerOn = 1;
    int32_t footerPosition = 1;
    std::string footerTemplate = "- &p -";
    int32_t lineSpacing = 0;
    int32_t charSpacing = 0;

    static LogFontRecord DefaultPrintFont();
    bool operator==(const PageLayout&) const = default;
};

// An entry of the first list of the customisation section: a user tool with
// its menu name, command line and working directory, and three flags.
struct UserTool
{
    std::array<std::string, 3> texts;
    std::array<uint32_t, 3> values{};
    bool operator==(const UserTool&) const = default;
};

// An entry of the second list: a user command (its ID, four texts, four values).
struct UserCommand
{
    uint32_t id = 0;
    std::array<std::string, 4> texts;
    std::array<uint32_t, 4> values{};
    bool operator==(const UserCommand&) const = default;
};

// Bits of findOptionBits.
inline constexpr uint32_t kFindBitMatchCase = 1;
inline constexpr uint32_t kFindBitWidthAlike = 2; // set when widths are NOT distinguished
inline constexpr uint32_t kFindBitRegular = 4;

struct ProgramData
{
    PageLayout page;
    std::vector<std::string> findHistory; // newest first, code page 932
    std::vector<std::string> replaceHistory;
    std::vector<std::string> thirdHistory; // the recent template files
    uint32_t findOptionBits = 0;
    int32_t findOptionValue = 0; // carried along: nothing reads it yet
    int32_t searchDown = 1;
    std::array<uint8_t, 52> reserved{};

    std::vector<UserTool> tools;
    std::vector<UserCommand> commands;
    std::vector<uint32_t> toolbar; // command IDs, 0 for a separator
    std::string lineExtraction;   // its settings block, carried as bytes
    std::array<uint32_t, 16> customColours = WhiteColours();
    std::string freeConversion;   // its settings block, carried as bytes
    std::vector<int32_t> contextMenu; // command IDs, -1 for a separator
    std::vector<std::string> stringList;
    std::string tail; // whatever a later version wrote after the last section

    static std::array<uint32_t, 16> WhiteColours();
    bool operator==(const ProgramData&) const = default;
};

// The data the program holds between reading the file at start-up and
// writing it at exit.
extern ProgramData g_programData;
