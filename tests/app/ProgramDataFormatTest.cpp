// The program data file's layouts, from fixtures put together field by field
// after the file's byte tables.
#include "app/ProgramDataFormat.h"

#include "support/FieldBytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {


const std::string kFace = "\x82\x6c\x82\x72\x83\x53"; // ＭＳゴ

// Header of the current layout: every field distinct, counts 2, 1, 1.
FieldBytes CurrentHeader(uint32_t findCount = 2)
{
    FieldBytes b;
    b.u32(0);                                              // 0 size
    b.u32(12).u32(0).u32(0).u32(0).u32(700);               // 4 LOGFONT
    b.s += std::string("\x01\x00\x00\x80\x03\x02\x01\x31", 8);
    b.fixed(kFace, 32);
    b.u32(11).u32(22).u32(33).u32(44);                     // 64 margins
    b.u32(0).u32(0x12345).u32(7);                          // 80 line numbers, 84, 88
    b.u32(1).u32(2).fixed("&f page", 84);                  // 92 header
    b.u32(0).u32(1).fixed("- &p -", 84);                   // 184 footer
    b.u32(5).u32(10);                                      // 276 spacings
    b.u32(findCount).u32(1).u32(1);                        // 284 counts
    b.u32(0b110).u32(99).u32(0);                           // 296 bits, value, direction up
    for (int i = 0; i < 52; ++i)                           // 308 reserved
        b.s.push_back(static_cast<char>(i));
    EXPECT_EQ(b.s.size(), kDataHeaderSize);
    return b;
}

FieldBytes CurrentFile()
{
    FieldBytes b = CurrentHeader();
    b.text("newest").text("\x83\x41\x83\x43").text("repl").text("/tmp/t.fmt");
    b.u32(1).text("tool").text("cmd").text("dir").u32(1).u32(2).u32(3);            // section 1
    b.u32(1).u32(40000).text("a").text("b").text("").text("d").u32(4).u32(5).u32(6).u32(7);
    b.u32(4).u32(57600).u32(0).u32(57668).u32(194);
    b.u32(3).s += "abc";                                                        // section 2
    for (uint32_t c = 0; c < 16; ++c)                                           // section 3
        b.u32(c * 0x010101);
    b.u32(0);                                                                   // section 4
    b.u32(3).u32(57643).u32(0xFFFFFFFF).u32(57634);                             // section 5
    b.u32(2).text("one").text("two");                                             // section 6
    return b;
}

TEST(ProgramDataFormat, CurrentLayoutReadsEveryFieldAndWritesTheSameBytes)
{
    const std::string file = CurrentFile().sized();
    const auto data = ParseProgramData(file, ProgramData());
    ASSERT_TRUE(data);
    const PageLayout& page = data->page;
    EXPECT_EQ(page.font.lfHeight, 12);
    EXPECT_EQ(page.font.lfWeight, 700);
    EXPECT_EQ(page.font.lfCharSet, 0x80);
    EXPECT_EQ(page.font.lfPitchAndFamily, 0x31);
    EXPECT_EQ(std::string(page.font.lfFaceName), kFace);
    EXPECT_EQ(page.marginLeft, 11);
    EXPECT_EQ(page.marginBottom, 44);
    EXPECT_EQ(page.printLineNumbers, 0);
    EXPECT_EQ(page.firstLineNumber, 0x2345); // low 16 bits only
    EXPECT_EQ(page.firstPageNumber, 7);
    EXPECT_EQ(page.headerPosition, 2);
    EXPECT_EQ(page.headerTemplate, "&f page");
    EXPECT_EQ(page.footerOn, 0);
    EXPECT_EQ(page.footerTemplate, "- &p -");
    EXPECT_EQ(page.lineSpacing, 5);
    EXPECT_EQ(page.charSpacing, 10);
    EXPECT_EQ(data->findHistory, (std::vector<std::string>{"newest", "\x83\x41\x83\x43"}));
    EXPECT_EQ(data->replaceHistory, (std::vector<std::string>{"repl"}));
    EXPECT_EQ(data->thirdHistory, (std::vector<std::string>{"/tmp/t.fmt"}));
    EXPECT_EQ(data->findOptionBits, 0b110u);
    EXPECT_EQ(data->findOptionValue, 99);
    EXPECT_EQ(data->searchDown, 0);
    EXPECT_EQ(data->reserved[51], 51);
    ASSERT_EQ(data->tools.size(), 1u);
    EXPECT_EQ(data->tools[0].texts[1], "cmd");
    EXPECT_EQ(data->tools[0].values[2], 3u);
    ASSERT_EQ(data->commands.size(), 1u);
    EXPECT_EQ(data->commands[0].id, 40000u);
    EXPECT_EQ(data->commands[0].texts[3], "d");
    EXPECT_EQ(data->commands[0].values[3], 7u);
    // The help command is stored as 57668 and read back as 57669.
    EXPECT_EQ(data->toolbar, (std::vector<uint32_t>{57600, 0, 57669, 194}));
    EXPECT_EQ(data->lineExtraction, "abc");
    EXPECT_EQ(data->customColours[15], 15u * 0x010101);
    EXPECT_EQ(data->freeConversion, "");
    EXPECT_EQ(data->contextMenu, (std::vector<int32_t>{57643, -1, 57634}));
    EXPECT_EQ(data->stringList, (std::vector<std::string>{"one", "two"}));

    std::string expected = file;
    expected[86] = 0; // the first line number's upper half is not kept
    EXPECT_EQ(BuildProgramData(*data), expected);
    // FieldBytes after the last section survive a round trip too.
    std::string longer = (CurrentFile().text("later")).sized();
    const auto withTail = ParseProgramData(longer, ProgramData());
    ASSERT_TRUE(withTail);
    longer[86] = 0;
    EXPECT_EQ(BuildProgramData(*withTail), longer);
}

TEST(ProgramDataFormat, MissingSectionsKeepTheDefaults)
{
    ProgramData defaults;
    defaults.toolbar = {1, 2};
    defaults.contextMenu = {3};
    defaults.customColours[0] = 42;
    defaults.findHistory = {"old"};
    // Exactly the header with all counts 0 is valid and ends there.
    FieldBytes header = CurrentHeader(0);
    header.s.replace(288, 8, std::string(8, '\0'));
    const std::string exact = header.sized();
    ASSERT_EQ(exact.size(), 360u);
    auto data = ParseProgramData(exact, defaults);
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->findHistory.empty());
    EXPECT_EQ(data->page.marginTop, 22);
    EXPECT_EQ(data->toolbar, defaults.toolbar);
    EXPECT_EQ(data->contextMenu, defaults.contextMenu);
    EXPECT_EQ(data->customColours, defaults.customColours);

    // A file ending after section 1 replaces the toolbar and nothing after it.
    FieldBytes one = header;
    one.u32(0).u32(0).u32(1).u32(57600);
    data = ParseProgramData(one.sized(), defaults);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->toolbar, (std::vector<uint32_t>{57600}));
    EXPECT_EQ(data->customColours, defaults.customColours);
}

TEST(ProgramDataFormat, OlderLayoutIsRead)
{
    FieldBytes b;
    b.u16(0);                                             // 0 size
    b.u16(static_cast<uint16_t>(-10)).u16(0).u16(0).u16(0).u16(400); // 2 LOGFONT numbers
    b.s += std::string("\x00\x00\x00\x80\x00\x00\x00\x01", 8);
    b.fixed(kFace, 32);                                   // 20 face name
    b.u16(1).u16(2).u16(3).u16(4);                        // 52 margins
    b.u16(1).u16(60000).u16(3);                           // 60 line numbers, first line, first page
    b.u16(1).u16(1).fixed("head", 82);                    // 66 header
    b.u16(1).u16(2).fixed("foot", 82);                    // 152 footer
    b.u16(5).u16(6);                                      // 238 spacings
    b.u16(1).u16(0).u16(1);                               // 242 counts
    b.u16(1).u16(8).u16(1);                               // 248 bits, value, direction
    b.s.resize(kOldDataHeaderSize, '\x07');               // 254 reserved
    b.text("find").text("tmpl.fmt");
    const auto data = ParseProgramData(b.sized(2), ProgramData());
    ASSERT_TRUE(data);
    EXPECT_EQ(data->page.font.lfHeight, -10);
    EXPECT_EQ(data->page.font.lfWeight, 400);
    EXPECT_EQ(data->page.font.lfCharSet, 0x80);
    EXPECT_EQ(std::string(data->page.font.lfFaceName), kFace);
    EXPECT_EQ(data->page.marginRight, 3);
    EXPECT_EQ(data->page.firstLineNumber, 60000);
    EXPECT_EQ(data->page.firstPageNumber, 3);
    EXPECT_EQ(data->page.headerTemplate, "head");
    EXPECT_EQ(data->page.footerPosition, 2);
    EXPECT_EQ(data->page.footerTemplate, "foot");
    EXPECT_EQ(data->page.charSpacing, 6);
    EXPECT_EQ(data->findHistory, (std::vector<std::string>{"find"}));
    EXPECT_TRUE(data->replaceHistory.empty());
    EXPECT_EQ(data->thirdHistory, (std::vector<std::string>{"tmpl.fmt"}));
    EXPECT_EQ(data->findOptionBits, 1u);
    EXPECT_EQ(data->findOptionValue, 8);
    EXPECT_EQ(data->reserved[0], 7);
    // What it gave is written in the current layout.
    const auto written = BuildProgramData(*data);
    ASSERT_TRUE(written);
    EXPECT_EQ(ParseProgramData(*written, ProgramData()), data);
}

TEST(ProgramDataFormat, AnyBrokenRuleRefusesTheWholeFile)
{
    const std::string good = CurrentFile().sized();
    ASSERT_TRUE(ParseProgramData(good, ProgramData()));
    auto withField = [&good](size_t offset, uint32_t value) {
        std::string bytes = good;
        for (int i = 0; i < 4; ++i)
            bytes[offset + i] = static_cast<char>(value >> (8 * i));
        return bytes;
    };
    const size_t strings = kDataHeaderSize + 7 + 5 + 5 + 11; // where section 1 starts
    const struct { const char* what; std::string bytes; } cases[] = {
        {"size field", withField(0, static_cast<uint32_t>(good.size() + 1))},
        {"history count 21", withField(284, 21)},
        {"third count 21", withField(292, 21)},
        {"81-character find string",
         CurrentHeader(1).text(std::string(81, 'x')).text("r").text("t").sized()},
        {"261-character third string",
         CurrentHeader(0).text("r").text(std::string(261, 'x')).sized()},
        {"string past the end", CurrentHeader(2).text("a").sized()},
        {"shorter than the header", good.substr(0, 300)},
        {"21 tools", withField(strings, 21)},
        {"toolbar past the end", withField(strings + 4 + 27 + 4 + 4 + 6 + 16, 1000)},
        {"section 3 cut", CurrentHeader().text("n").text("a").text("r").text("t")
                              .u32(0).u32(0).u32(0).u32(0).u32(1).u32(2).sized()},
        {"31 context items", withField(good.size() - 4 - 8 - 4 - 16, 31)},
        {"31 strings", withField(good.size() - 8 - 4, 31)},
        {"unterminated last string", good.substr(0, good.size() - 1)},
    };
    for (const auto& c : cases) {
        std::string bytes = c.bytes;
        if (bytes.size() >= 4 && std::string_view(c.what) != "size field") // keep the size field true
            for (int i = 0; i < 4; ++i)
                bytes[i] = static_cast<char>(bytes.size() >> (8 * i));
        EXPECT_FALSE(ParseProgramData(bytes, ProgramData())) << c.what;
    }
    // 30720 bytes or more is never a valid file, whatever its size field says.
    std::string huge = CurrentFile().text(std::string(kDataFileLimit, 'x')).sized();
    huge.resize(kDataFileLimit);
    EXPECT_FALSE(ParseProgramData(huge, ProgramData()));
}

TEST(ProgramDataFormat, RandomDataSurvivesAWriteAndARead)
{
    std::mt19937 random(5);
    auto text = [&random](size_t maxChars) {
        std::string s(random() % (maxChars + 1), '\0');
        for (char& c : s)
            c = static_cast<char>(1 + random() % 255);
        return s;
    };
    for (int round = 0; round < 200; ++round) {
        ProgramData data;
        data.page.font.lfHeight = static_cast<int32_t>(random());
        data.page.marginLeft = static_cast<int32_t>(random());
        data.page.firstLineNumber = static_cast<uint16_t>(random());
        data.page.headerTemplate = text(83);
        data.page.footerTemplate = text(83);
        for (size_t i = random() % 21; i > 0; --i)
            data.findHistory.push_back(text(80));
        for (size_t i = random() % 21; i > 0; --i)
            data.thirdHistory.push_back(text(260));
        data.findOptionBits = static_cast<uint32_t>(random());
        for (size_t i = random() % 51; i > 0; --i)
            data.toolbar.push_back(random() % 2 ? 57669 : static_cast<uint32_t>(random()) % 60000);
        data.tools.resize(random() % 3, UserTool{{text(5), text(5), text(5)}, {1, 2, 3}});
        data.lineExtraction = std::string(random() % 40, '\0');
        data.customColours[random() % 16] = static_cast<uint32_t>(random());
        data.contextMenu.assign(random() % 31, -1);
        data.stringList.assign(random() % 31, text(10));
        const auto bytes = BuildProgramData(data);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(ParseProgramData(*bytes, ProgramData()), data) << round;
    }
}

} // namespace
