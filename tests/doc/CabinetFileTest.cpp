#include "doc/CabinetFile.h"
#include "platform/Cp932.h"
#include "support/CRecordingSink.h"
#include "support/CScopedTempDir.h"
#include "support/FieldBytes.h"
#include "support/FileContent.h"

#include <cstring>
#include <random>

#include <gtest/gtest.h>

namespace {

uint32_t TestPalette(int index)
{
    return 0x010101u * static_cast<uint32_t>(index);
}


void Put32(std::string& bytes, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(v >> (8 * i));
}

constexpr uint32_t kColour[11] = {0x8001, 0x8002, 3, 4, 5, 6, 7, 8, 9, 10, 0x800B};

// The settings block of the fixtures: every value distinct from the built-in one.
void PutSettings(FieldBytes& b, uint32_t version)
{
    b.u32(80).u32(8).u32(1).u32(1).u32(50).u32(1).u32(1).u32(0).u32(1).u32(1) // 0 to 9
        .u32(0).u32(1).u32(2);                                                // 10 to 12
    for (int i = 0; i < 11; ++i) // 13 to 23
        b.u32(version == 0 ? kColour[i] : 0x00102030u + i);
    b.u32(2).u32(1); // 24: names; 25
    // 26 to 40: the font record.
    b.u32(12).u32(0).u32(0).u32(0).u32(700);
    b.s += std::string("\x01\x00\x00\x80\x03\x02\x01\x31", 8);
    b.fixed("Courier", 32);
}

struct Fixture
{
    std::string bytes;
    size_t settingsAt;
};

// Two records, the settings, two names (one too long to take), the single
// value, the filter lists and the two trailing values.
Fixture CurrentFixture(uint32_t version = 1)
{
    FieldBytes b;
    const std::string pathA = "C:\\data\\a.txt";
    const std::string pathB = "b.bin";
    const size_t s = 8 + (pathA.size() + 65) + (pathB.size() + 65);
    b.u32(version << 24 | 2).u32(static_cast<uint32_t>(s));
    b.text(pathA).u32(44).u32(0).u32(1);
    b.u32(static_cast<uint32_t>(-1)).u32(static_cast<uint32_t>(-1)).u32(5).u32(6);
    b.u32(10).u32(20).u32(300).u32(400);
    b.u32(1).u32(0x0101).u32(7).u32(3).u32(9);
    b.text(pathB).u32(44).u32(2).u32(3).u32(0).u32(0).u32(0).u32(0).u32(1).u32(2).u32(3).u32(4);
    b.u32(0).u32(0x0200).u32(100).u32(0x1234).u32(0);
    EXPECT_EQ(s, b.s.size());
    PutSettings(b, version);
    b.u32(2).text("while").text(std::string(31, 'x'));
    b.u32(77);
    b.u32(1).text("All").text("*.*");
    b.u32(0);
    b.u32(2).text("C").text("*.c").text("H").text("*.h");
    b.u32(0).u32(5);
    return {b.s, s};
}

// One record and the 102-byte settings block of 16-bit fields.
Fixture OldFixture()
{
    FieldBytes b;
    const std::string path = "A:\\old.txt";
    const size_t s = 4 + path.size() + 33;
    b.u16(1).u16(static_cast<uint32_t>(s));
    b.text(path);
    for (const int v : {22, 0, 3, -1, -1, -1, -1, 10, 20, 300, 400})
        b.u16(static_cast<uint16_t>(v));
    b.u16(1);
    b.s += std::string("\x01\x00", 2); // read-only, unused
    b.u16(4).u16(2).u16(static_cast<uint16_t>(-1));
    EXPECT_EQ(s, b.s.size());
    for (const int v : {72, 4, 0, 1, 30, 0, 0, 1, 0, 1, 1, 0, 1})
        b.u16(static_cast<uint16_t>(v));
    for (const uint32_t colour : kColour)
        b.u16(colour);
    b.u16(1).u16(0);                               // 24: one name; 25
    b.u16(static_cast<uint16_t>(-16)).u16(0).u16(0).u16(0).u16(400); // 26 to 30
    b.s += std::string("\x00\x01\x00\x80\x01\x02\x01\x31", 8);
    b.fixed("Gothic", 32);
    b.u16(1).text("int");
    return {b.s, s};
}

CabinetContent RandomContent(std::mt19937& random)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    auto word = [&](int maxLength) {
        std::string w(static_cast<size_t>(pick(0, maxLength)), 'a');
        for (char& c : w)
            c = static_cast<char>(pick(1, 255));
        return w;
    };
    CabinetContent c;
    CabinetValues v{};
    for (int32_t& value : v)
        value = static_cast<int32_t>(random());
    v[kCabFoldColumn] = pick(10, 250);
    v[kCabWordWrap] = pick(0, 1);
    v[kCabDocumentType] = pick(0, 2);
    v[9] = pick(0, 1);  // match case
    v[25] = pick(0, 1); // whole word
    c.settings.setValues(v);
    for (int i = pick(0, 20); i > 0; --i)
        c.settings.keywords.names.push_back(word(30));
    c.valueAfterNames = static_cast<int32_t>(random());
    c.lastValues = {static_cast<int32_t>(random()), static_cast<int32_t>(random())};
    for (CabinetFilterList& list : c.filters) {
        list.clear();
        for (int i = pick(0, 10); i > 0; --i)
            list.push_back({word(20), word(20)});
    }
    for (int i = pick(0, 30); i > 0; --i) {
        CabinetDocument d;
        d.path = word(60);
        d.placement = {uint32_t(random()), uint32_t(random()), uint32_t(random()), int32_t(random()), int32_t(random()),
                       int32_t(random()), int32_t(random()), int32_t(random()),
                       int32_t(random()), int32_t(random()), int32_t(random())};
        d.active = pick(0, 1);
        d.readOnly = pick(0, 1);
        d.mode = pick(1, 2);
        d.firstLine = static_cast<int32_t>(random());
        d.caret = static_cast<int32_t>(random());
        d.caretLine = static_cast<int32_t>(random());
        c.documents.push_back(d);
    }
    return c;
}

} // namespace

TEST(CabinetFile, EveryFieldRoundTripsThroughTheFile)
{
    std::mt19937 random(7);
    CScopedTempDir dir;
    for (int round = 0; round < 200; ++round) {
        const CabinetContent content = RandomContent(random);
        const auto bytes = EncodeCabinet(content);
        ASSERT_TRUE(bytes) << round;
        EXPECT_EQ(content, DecodeCabinet(*bytes, TestPalette)) << round;
        if (round % 20 == 0) {
            ASSERT_TRUE(SaveCabinet(dir / "set.cab", content));
            EXPECT_EQ(*bytes, ReadFile(dir / "set.cab"));
            EXPECT_EQ(content, LoadCabinet(dir / "set.cab", TestPalette));
        }
    }
    // The built-in set writes and reads back as it is.
    EXPECT_EQ(CabinetContent{}, DecodeCabinet(*EncodeCabinet(CabinetContent{}), TestPalette));
}

TEST(CabinetFile, WriterKeepsThirtyDocumentsAndRefusesWhatWouldNotReadBack)
{
    CabinetContent c;
    CabinetDocument document;
    document.path = "x.txt";
    c.documents.resize(31, document);
    c.documents.back().path = "last";
    auto read = DecodeCabinet(*EncodeCabinet(c), TestPalette);
    ASSERT_TRUE(read);
    EXPECT_EQ(30u, read->documents.size());
    EXPECT_EQ("x.txt", read->documents.back().path);

    auto refused = [](auto change) {
        CabinetContent content;
        change(content);
        return !EncodeCabinet(content);
    };
    EXPECT_TRUE(refused([](CabinetContent& c) { c.settings.nFoldColumn = 9; }));
    EXPECT_TRUE(refused([](CabinetContent& c) { c.settings.bWordWrap = 2; }));
    EXPECT_TRUE(refused([](CabinetContent& c) { c.settings.nDocumentType = 3; }));
    EXPECT_TRUE(refused([](CabinetContent& c) { c.settings.keywords.names.assign(201, "k"); }));
    EXPECT_TRUE(refused([](CabinetContent& c) { c.settings.keywords.names = {std::string(31, 'k')}; }));
    EXPECT_TRUE(refused([](CabinetContent& c) { c.filters[1].resize(11); }));
    EXPECT_TRUE(refused([](CabinetContent& c) {
        c.documents.emplace_back().path = std::string("a\0b", 3);
    }));
    // A file that would reach the buffer size.
    EXPECT_TRUE(refused([](CabinetContent& c) { c.filters[0] = {{std::string(30'720, 'n'), "*"}}; }));
    EXPECT_FALSE(refused([](CabinetContent& c) { c.settings.keywords.names.assign(200, std::string(30, 'k')); }));
}

TEST(CabinetFile, ReadsEveryFieldOfTheCurrentLayout)
{
    const auto c = DecodeCabinet(CurrentFixture().bytes, TestPalette);
    ASSERT_TRUE(c);
    const CCabinetSettings& s = c->settings;
    EXPECT_EQ(80, s.nFoldColumn);
    EXPECT_EQ(50, s.nPaneMargin);
    EXPECT_EQ(0, s.bSaveMarks);
    EXPECT_EQ(1, s.bSaveTags);
    EXPECT_EQ(2, s.nDocumentType);
    EXPECT_EQ(0x00102030u + 8, s.textColor);
    EXPECT_EQ(0x00102030u + 9, s.textBackColor);
    EXPECT_EQ(0x00102030u + 10, s.tagOriginBackColor);
    EXPECT_EQ(12, s.font.lfHeight);
    EXPECT_EQ(0x31, s.font.lfPitchAndFamily);
    EXPECT_STREQ("Courier", s.font.lfFaceName);
    EXPECT_EQ(std::vector<std::string>{"while"}, s.keywords.names); // 31 characters are dropped
    EXPECT_TRUE(s.keywords.matchCase);
    EXPECT_TRUE(s.keywords.wholeWord);
    EXPECT_EQ(77, c->valueAfterNames);
    EXPECT_EQ((CabinetFilterLists{{{{"All", "*.*"}}, {}, {{"C", "*.c"}, {"H", "*.h"}}}}), c->filters);
    EXPECT_EQ((std::array<int32_t, 2>{0, 5}), c->lastValues);

    ASSERT_EQ(2u, c->documents.size());
    const CabinetDocument& a = c->documents[0];
    EXPECT_EQ("C:\\data\\a.txt", a.path);
    EXPECT_EQ((WindowPlacement{44, 0, 1, -1, -1, 5, 6, 10, 20, 300, 400}), a.placement);
    EXPECT_TRUE(a.active);
    EXPECT_TRUE(a.readOnly);
    EXPECT_EQ(1, a.mode);
    EXPECT_EQ((std::array{7, 3, 9}), (std::array{a.firstLine, a.caret, a.caretLine}));
    const CabinetDocument& b = c->documents[1];
    EXPECT_FALSE(b.active);
    EXPECT_FALSE(b.readOnly);
    EXPECT_EQ(2, b.mode);
    EXPECT_EQ(0x1234, b.caret);

    // Version 0 keeps palette numbers; the backgrounds keep their top bit.
    const auto v0 = DecodeCabinet(CurrentFixture(0).bytes, TestPalette);
    ASSERT_TRUE(v0);
    EXPECT_EQ(0x80010101u, v0->settings.markedLineBackColor);
    EXPECT_EQ(0x0A0A0Au, v0->settings.textBackColor);
    EXPECT_EQ(0x800B0B0Bu, v0->settings.tagOriginBackColor);
}

TEST(CabinetFile, ShortTailsAndOddFlagsTakeTheirDefaults)
{
    const Fixture f = CurrentFixture();
    const size_t afterNames = f.settingsAt + 168 + 6 + 32;
    for (const auto& [cut, single, last0, last1, ownFilters] :
         {std::tuple{afterNames, 0, 1, 1, false}, std::tuple{afterNames + 4, 77, 1, 1, false},
          std::tuple{afterNames + 7, 77, 1, 1, false}, // a filter section cut short
          std::tuple{f.bytes.size() - 8, 77, 1, 1, true},
          std::tuple{f.bytes.size() - 4, 77, 0, 1, true}}) {
        const auto c = DecodeCabinet(f.bytes.substr(0, cut), TestPalette);
        ASSERT_TRUE(c) << cut;
        EXPECT_EQ(single, c->valueAfterNames) << cut;
        EXPECT_EQ(last0, c->lastValues[0]) << cut;
        EXPECT_EQ(last1, c->lastValues[1]) << cut;
        EXPECT_EQ(ownFilters, c->filters != CabinetContent::BuiltInFilterLists()) << cut;
    }
    const CabinetFilterLists builtIn = CabinetContent::BuiltInFilterLists();
    EXPECT_EQ(1u, builtIn[0].size());
    EXPECT_EQ(6u, builtIn[1].size());
    EXPECT_EQ((CabinetFilter{cp932::FromUtf8("ｿｰｽ(*.c;*.cpp)"), "*.c;*.cpp"}), builtIn[2][0]);
    // As a file dialog takes them: every pattern apart, "*.*" meaning every file.
    const std::vector<std::string> dialog = DialogNameFilters(builtIn[2]);
    ASSERT_EQ(6u, dialog.size());
    EXPECT_EQ("ｿｰｽ(*.c;*.cpp) (*.c *.cpp)", dialog[0]);
    EXPECT_EQ("すべてのﾌｧｲﾙ(*.*) (*)", dialog[5]);
    EXPECT_TRUE(DialogNameFilters({{"none", ";"}}).empty());
    // A mode other than binary reads as text; read-only is bit 0 alone.
    std::string bytes = f.bytes;
    const size_t flagsA = 8 + 14 + 48;
    for (const uint32_t flags : {0x0000u, 0x0300u, 0x01FEu}) {
        Put32(bytes, flagsA, flags);
        const auto c = DecodeCabinet(bytes, TestPalette);
        ASSERT_TRUE(c);
        EXPECT_EQ(1, c->documents[0].mode);
        EXPECT_FALSE(c->documents[0].readOnly);
    }
}

TEST(CabinetFile, ReadsTheOlderLayout)
{
    const auto c = DecodeCabinet(OldFixture().bytes, TestPalette);
    ASSERT_TRUE(c);
    EXPECT_EQ(72, c->settings.nFoldColumn);
    EXPECT_EQ(30, c->settings.nPaneMargin);
    EXPECT_EQ(0x80010101u, c->settings.markedLineBackColor);
    EXPECT_EQ(0x090909u, c->settings.textColor);
    EXPECT_EQ(-16, c->settings.font.lfHeight);
    EXPECT_EQ(0x80, c->settings.font.lfCharSet);
    EXPECT_STREQ("Gothic", c->settings.font.lfFaceName);
    EXPECT_EQ(std::vector<std::string>{"int"}, c->settings.keywords.names);
    EXPECT_EQ(CabinetContent::BuiltInFilterLists(), c->filters);
    EXPECT_EQ((std::array<int32_t, 2>{1, 1}), c->lastValues);
    ASSERT_EQ(1u, c->documents.size());
    const CabinetDocument& d = c->documents[0];
    EXPECT_EQ("A:\\old.txt", d.path);
    EXPECT_EQ((WindowPlacement{44, 0, 3, -1, -1, -1, -1, 10, 20, 300, 400}), d.placement);
    EXPECT_TRUE(d.active && d.readOnly);
    EXPECT_EQ(0, d.mode);
    EXPECT_EQ((std::array{4, 2, -1}), (std::array{d.firstLine, d.caret, d.caretLine}));
}

TEST(CabinetFile, EachBrokenRuleRejectsTheFile)
{
    const Fixture f = CurrentFixture();
    const size_t s = f.settingsAt;
    auto rejected = [&](auto change) {
        std::string bytes = f.bytes;
        change(bytes);
        return !DecodeCabinet(bytes, TestPalette);
    };
    auto value = [&](int index, uint32_t v) { return [=](std::string& b) { Put32(b, s + 4 * index, v); }; };
    EXPECT_FALSE(rejected([](std::string&) {}));
    EXPECT_TRUE(rejected([](std::string& b) { b[3] = 2; }));                       // version
    EXPECT_TRUE(rejected([](std::string& b) { b.resize(30'720); }));               // the buffer size
    EXPECT_TRUE(rejected([&](std::string& b) { b.resize(s + 167); }));             // no name count
    EXPECT_TRUE(rejected([&](std::string& b) { Put32(b, 4, s - 1); }));           // walk ends after S
    EXPECT_TRUE(rejected([&](std::string& b) { Put32(b, 4, s + 1); }));           // walk ends before S
    EXPECT_TRUE(rejected([](std::string& b) { Put32(b, 0, 1u << 24 | 31); }));    // 31 records
    EXPECT_TRUE(rejected([](std::string& b) { Put32(b, 0, 1u << 24 | 1); }));     // records short of S
    EXPECT_TRUE(rejected([](std::string& b) { Put32(b, 0, 1u << 24 | 3); }));     // records past S
    EXPECT_TRUE(rejected(value(0, 9)));
    EXPECT_TRUE(rejected(value(2, 2)));
    EXPECT_TRUE(rejected(value(12, 3)));
    EXPECT_TRUE(rejected(value(24, 3)));                                           // not the name count
    EXPECT_TRUE(rejected([&](std::string& b) { Put32(b, s + 164, 201); Put32(b, s + 96, 201); }));
    EXPECT_TRUE(rejected([&](std::string& b) { b.resize(s + 168 + 6 + 10); }));   // names do not fit
    // Version 0: palette numbers 1 to 16, the backgrounds with bit 15.
    const std::string v0 = CurrentFixture(0).bytes;
    for (const auto& [index, v] : {std::pair{13, 0x0001u}, std::pair{13, 0x8000u}, std::pair{13, 0x8011u},
                                   std::pair{15, 0u}, std::pair{15, 17u}, std::pair{21, 0x8001u},
                                   std::pair{23, 0x10801u}}) {
        std::string bytes = v0;
        Put32(bytes, s + 4 * index, v);
        EXPECT_FALSE(DecodeCabinet(bytes, TestPalette)) << index << " " << v;
    }
    // The older layout's own rules.
    const Fixture old = OldFixture();
    auto oldRejected = [&](auto change) {
        std::string bytes = old.bytes;
        change(bytes);
        return !DecodeCabinet(bytes, TestPalette);
    };
    EXPECT_TRUE(oldRejected([](std::string& b) { b[0] = 2; }));                              // walk past S
    EXPECT_TRUE(oldRejected([](std::string& b) { b[0] = 0; }));                              // walk short of S
    EXPECT_TRUE(oldRejected([&](std::string& b) { b[old.settingsAt] = 9; }));                 // fold column
    EXPECT_TRUE(oldRejected([&](std::string& b) { b[old.settingsAt + 2 * 15] = 17; }));       // colour
    EXPECT_TRUE(oldRejected([&](std::string& b) { b[old.settingsAt + 2 * 13 + 1] = 0; }));    // background bit
    EXPECT_TRUE(oldRejected([&](std::string& b) { b[old.settingsAt + 102] = 2; }));           // name count
    EXPECT_TRUE(oldRejected([](std::string& b) { b.resize(b.size() - 1); }));                 // name cut off
}

TEST(CabinetFile, LoadTellsInvalidContentAndStaysQuietAboutMissingFiles)
{
    CScopedTempDir dir;
    CRecordingSink sink;
    EXPECT_FALSE(LoadCabinet(dir / "none.cab", TestPalette));
    EXPECT_TRUE(sink.texts.empty());
    for (const std::string& content : {std::string(175, '\0'), std::string(40'000, 'x')}) {
        WriteFile(dir / "bad.cab", content);
        EXPECT_FALSE(LoadCabinet(dir / "bad.cab", TestPalette));
    }
    EXPECT_EQ(std::vector<std::string>(2, "キャビネットファイルの内容が不正のため読み込めません。"), sink.texts);
    WriteFile(dir / "good.cab", CurrentFixture().bytes);
    EXPECT_TRUE(LoadCabinet(dir / "good.cab", TestPalette));
    EXPECT_EQ(2u, sink.texts.size());
}

TEST(CabinetFile, DamagedFilesNeverReadOutsideTheirBytes)
{
    // Every prefix and random damage of both layouts: what is accepted writes
    // back to a file that reads the same.
    std::mt19937 random(11);
    for (const std::string& source : {CurrentFixture().bytes, CurrentFixture(0).bytes, OldFixture().bytes}) {
        for (size_t cut = 0; cut <= source.size(); ++cut)
            (void)DecodeCabinet(std::string_view(source).substr(0, cut), TestPalette);
        for (int round = 0; round < 2000; ++round) {
            std::string bytes = source;
            for (int n = 1 + round % 4; n > 0; --n)
                bytes[random() % bytes.size()] = static_cast<char>(round % 3 == 0 ? 0 : random());
            const auto c = DecodeCabinet(bytes, TestPalette);
            const auto again = c ? EncodeCabinet(*c) : std::nullopt;
            if (again) {
                EXPECT_EQ(*again, EncodeCabinet(*DecodeCabinet(*again, TestPalette)));
            }
        }
    }
}
