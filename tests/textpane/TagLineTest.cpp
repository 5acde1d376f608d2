// The tag form a double-click in the text pane jumps by, on a table of lines.
#include "textpane/TagLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::optional<CTagTarget> parse(const std::string& line)
{
    return ParseTagLine(reinterpret_cast<const uint8_t*>(line.data()), line.size());
}

} // namespace

TEST(TagLine, AcceptsDriveAndAbsolutePathsAndRefusesEverythingElse)
{
    const std::string kanjiName = "C:\\\x95\x5c\\\x83\x5c.c"; // 表 and ソ end in a "\" byte
    const struct
    {
        std::string line;
        std::optional<CTagTarget> expected;
    } table[] = {
        {"C:\\dir\\f.c(12)", CTagTarget{"C:\\dir\\f.c", 12}},
        {"/dir/f.c(12): error C2065", CTagTarget{"/dir/f.c", 12}},
        {"C:\\ab(1)", CTagTarget{"C:\\ab", 1}},           // the shortest name
        {"/abcd(99999)", CTagTarget{"/abcd", 99999}},     // five digits
        {"C:\\a(x)\\b.c(7)", CTagTarget{"C:\\a(x)\\b.c", 7}}, // the first "(" with a number
        {kanjiName + "(3)", CTagTarget{kanjiName, 3}},
        {"/" + std::string(259, 'n') + "(5)", CTagTarget{"/" + std::string(259, 'n'), 5}},
        {"/" + std::string(259, 'n') + "(5)" + std::string(7, ' '), CTagTarget{"/" + std::string(259, 'n'), 5}},
        {"/" + std::string(259, 'n') + "(5)" + std::string(8, ' '), std::nullopt}, // 271 bytes
        {"/" + std::string(260, 'n') + "(5)", std::nullopt}, // a name of 261 bytes
        {"C:\\a(1)", std::nullopt},        // a name of 4 bytes
        {"/dir/f.c(0)", std::nullopt},
        {"/dir/f.c(00)", std::nullopt},
        {"/dir/f.c()", std::nullopt},
        {"/dir/f.c(1x)", std::nullopt},
        {"/dir/f.c(123456)", std::nullopt},
        {"/dir/f.c(12", std::nullopt},
        {"C:/dir/f.c(12)", std::nullopt},  // a drive needs "\"
        {"dir\\f.c(12)", std::nullopt},
        {" /dir/f.c(12)", std::nullopt},
        {"/dir/f.c 12", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& row : table)
        EXPECT_EQ(parse(row.line), row.expected) << row.line;
}
