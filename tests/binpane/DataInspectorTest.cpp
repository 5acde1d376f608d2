#include "binpane/DataInspector.h"
#include "binpane/InspectorCharacters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace inspector;

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> values)
{
    return std::vector<uint8_t>(values.begin(), values.end());
}

} // namespace

TEST(DataInspector, IntegersReadBothByteOrdersBothSignsAndOnlyWhatTheDataHolds)
{
    struct Case
    {
        std::vector<uint8_t> bytes;
        int row;
        const char* text;
    };
    const auto all = Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x80});
    const auto ordered = Bytes({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08});
    const Case cases[] = {
        {all, U8, "254"},
        {all, S8, "-2"},
        {all, U16Le, "65534"},
        {all, S16Le, "-2"},
        {all, U16Be, "65279"},
        {all, S16Be, "-257"},
        {all, S32Le, "-2"},
        {all, U32Be, "4278190079"},
        {all, U64Le, "9295429630892703742"},
        {all, S64Le, "-9151314442816847874"},
        {all, S64Be, "-72057594037928064"},
        {all, U64Be, "18374686479671623552"},
        {ordered, U16Le, "513"},
        {ordered, U32Le, "67305985"},
        {ordered, U32Be, "16909060"},
        {ordered, U64Be, "72623859790382856"},
        {ordered, Binary, "00000001"},
        {Bytes({0xA5}), Binary, "10100101"},
        {Bytes({0x80, 0x00, 0x00, 0x00}), S32Be, "-2147483648"},
        // Too few bytes before the data end: blank, never a read past it.
        {Bytes({0x01, 0x02, 0x03}), U32Le, "-"},
        {Bytes({0x01, 0x02, 0x03}), S16Be, "258"},
        {Bytes({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07}), S64Le, "-"},
        {Bytes({0x01}), U16Le, "-"},
        {{}, U8, "-"},
        {{}, Binary, "-"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeRows(c.bytes)[c.row], c.text) << RowLabel(c.row) << " of " << c.bytes.size() << " bytes";
}

TEST(DataInspector, FloatsShowNaNInfinitiesDenormalsAndExactValues)
{
    struct Case
    {
        std::vector<uint8_t> bytes;
        int row;
        const char* text;
    };
    const Case cases[] = {
        {Bytes({0x00, 0x00, 0x80, 0x3F}), F32Le, "1"},
        {Bytes({0x3F, 0x80, 0x00, 0x00}), F32Be, "1"},
        {Bytes({0x00, 0x00, 0xC0, 0xFF}), F32Le, "NaN"},
        {Bytes({0x00, 0x00, 0x80, 0x7F}), F32Le, "∞"},
        {Bytes({0xFF, 0x80, 0x00, 0x00}), F32Be, "-∞"},
        {Bytes({0x01, 0x00, 0x00, 0x00}), F32Le, "1e-45 (非正規化数)"},
        {Bytes({0x00, 0x00, 0x00, 0x80}), F32Le, "-0"},
        {Bytes({0xCD, 0xCC, 0xCC, 0x3D}), F32Le, "0.1"},
        {Bytes({0x18, 0x2D, 0x44, 0x54, 0xFB, 0x21, 0x09, 0x40}), F64Le, "3.141592653589793"},
        {Bytes({0x40, 0x09, 0x21, 0xFB, 0x54, 0x44, 0x2D, 0x18}), F64Be, "3.141592653589793"},
        {Bytes({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x7F}), F64Le, "∞"},
        {Bytes({0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x7F}), F64Le, "NaN"},
        {Bytes({0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}), F64Le, "5e-324 (非正規化数)"},
        {Bytes({0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00}), F64Le, "-"},
        {Bytes({0x00, 0x00, 0x80}), F32Le, "-"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeRows(c.bytes)[c.row], c.text) << RowLabel(c.row);
}

TEST(DataInspector, UnixTimeIsUtcAcrossTheWholeSignedRange)
{
    EXPECT_EQ(DecodeRows(Bytes({0, 0, 0, 0}))[UnixTime], "1970-01-01T00:00:00Z");
    // 1234567890, little-endian.
    EXPECT_EQ(DecodeRows(Bytes({0xD2, 0x02, 0x96, 0x49}))[UnixTime], "2009-02-13T23:31:30Z");
    EXPECT_EQ(DecodeRows(Bytes({0xFF, 0xFF, 0xFF, 0x7F}))[UnixTime], "2038-01-19T03:14:07Z");
    EXPECT_EQ(DecodeRows(Bytes({0xFF, 0xFF, 0xFF, 0xFF}))[UnixTime], "1969-12-31T23:59:59Z");
    EXPECT_EQ(DecodeRows(Bytes({0x00, 0x00, 0x00, 0x80}))[UnixTime], "1901-12-13T20:45:52Z");
    EXPECT_EQ(DecodeRows(Bytes({0x00, 0x00, 0x00}))[UnixTime], "-");
    // Leap days on both sides of the epoch and at a century.
    EXPECT_EQ(UnixTimeText(951782400), "2000-02-29T00:00:00Z");
    EXPECT_EQ(UnixTimeText(-58060800), "1968-02-29T00:00:00Z");
    EXPECT_EQ(UnixTimeText(4107542400), "2100-03-01T00:00:00Z");
}

TEST(DataInspector, EachCodeReadsItsCharacterAndMarksCutAndBadSequences)
{
    struct Case
    {
        std::string (*decode)(std::span<const uint8_t>);
        std::vector<uint8_t> bytes;
        const char* text;
    };
    const Case cases[] = {
        {ShiftJisText, Bytes({0x82, 0xA0, 0x41}), "あ  82 A0"},
        {ShiftJisText, Bytes({0x41, 0x82}), "A  41"},
        {ShiftJisText, Bytes({0xB1}), "ｱ  B1"},
        {ShiftJisText, Bytes({0x82}), "不完全  82"},
        {ShiftJisText, Bytes({0x82, 0x20}), "不正  82 20"},
        {ShiftJisText, Bytes({0x0A}), "制御  0A"},
        {ShiftJisText, Bytes({0x20}), "空白  20"},
        {ShiftJisText, {}, "-"},
        {JisText, Bytes({0x30, 0x21}), "亜  30 21  16区01点"},
        {JisText, Bytes({0x24, 0x22}), "あ  24 22  04区02点"},
        {JisText, Bytes({0x30}), "不完全  30"},
        {JisText, Bytes({0x30, 0x0A}), "不正  30 0A"},
        {JisText, Bytes({0xB0, 0xA1}), "不正  B0"},
        {JisText, Bytes({0x1B, 0x24, 0x42, 0x30}), "ESC  1B 24 42  漢字へ"},
        {JisText, Bytes({0x1B, 0x28, 0x4A}), "ESC  1B 28 4A  英数へ"},
        {JisText, Bytes({0x1B, 0x24}), "不完全  1B 24"},
        {JisText, Bytes({0x1B, 0x41, 0x42}), "制御  1B"},
        {EucText, Bytes({0xB0, 0xA1}), "亜  B0 A1  16区01点"},
        {EucText, Bytes({0xA4, 0xA2, 0x00}), "あ  A4 A2  04区02点"},
        {EucText, Bytes({0x8E, 0xB1}), "ｱ  8E B1"},
        {EucText, Bytes({0x8E, 0x41}), "不正  8E 41"},
        {EucText, Bytes({0x8F, 0xB0, 0xA1}), "未定義  8F B0 A1  補助漢字 16区01点"},
        {EucText, Bytes({0x8F, 0xB0}), "不完全  8F B0"},
        {EucText, Bytes({0xB0}), "不完全  B0"},
        {EucText, Bytes({0xB0, 0x41}), "不正  B0 41"},
        {EucText, Bytes({0x80}), "不正  80"},
        {EucText, Bytes({0x41, 0xB0}), "A  41"},
        {Utf16Text, Bytes({0x42, 0x30}), "あ  42 30  U+3042"},
        {Utf16Text, Bytes({0x41, 0x00, 0x42}), "A  41 00  U+0041"},
        {Utf16Text, Bytes({0x3D, 0xD8, 0x00, 0xDE}), "😀  3D D8 00 DE  U+1F600"},
        {Utf16Text, Bytes({0x3D, 0xD8, 0x00}), "不完全  3D D8 00"},
        {Utf16Text, Bytes({0x3D, 0xD8, 0x41, 0x00}), "不正  3D D8 41 00"},
        {Utf16Text, Bytes({0x00, 0xDE, 0x3D, 0xD8}), "不正  00 DE"},
        {Utf16Text, Bytes({0x42}), "不完全  42"},
        {Utf16Text, Bytes({0xFD, 0xFF}), "\xEF\xBF\xBD  FD FF  U+FFFD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.decode(c.bytes), c.text);
    // The rows of the panel are these texts.
    const RowTexts rows = DecodeRows(Bytes({0x42, 0x30, 0x21}));
    EXPECT_EQ(rows[ShiftJis], "B  42");
    EXPECT_EQ(rows[Jis], "属  42 30  34区16点");
    EXPECT_EQ(rows[Euc], "B  42");
    EXPECT_EQ(rows[Utf16], "あ  42 30  U+3042");
}
