#include "doc/AttributeFile.h"

#include "DocTestSupport.h"

#include "doc/CabinetSettings.h"
#include "platform/StringTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

using doctest::Bytes;

// Three lines: "ab" CR LF "cd" CR LF "ef".
const Bytes kText = {'a', 'b', 0x0D, 0x0A, 'c', 'd', 0x0D, 0x0A, 'e', 'f'};

CTagRecord Tag(uint32_t offset, const std::string& name)
{
    CTagRecord tag;
    tag.nOffset = offset;
    tag.nLength = static_cast<int32_t>(name.size());
    std::memcpy(tag.name, name.data(), name.size());
    return tag;
}

void SetMarks(CLumoDoc& doc, std::vector<uint32_t> marks)
{
    const std::vector<CTagRecord> tags(doc.Tags().begin(), doc.Tags().end());
    doc.SetAttributes(marks, tags);
}

void PutU32(Bytes& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

Bytes Header(uint16_t marks)
{
    Bytes out(CAttributeFile::kMagic, CAttributeFile::kMagic + CAttributeFile::kMagicSize);
    out.push_back(uint8_t(marks));
    out.push_back(uint8_t(marks >> 8));
    return out;
}

TEST(AttributeFile, NameReplacesAShortExtensionOrAppendsOne)
{
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"data.bin", "data.ATR"},
        {"data.text", "data.text.ATR"},
        {"readme", "readme.ATR"},
        {"x.atr", std::nullopt},
        {"x.AtR", std::nullopt},
        {"a.", "a.ATR"},
        {"ab.c", "ab.ATR"},
        {"/home/u/d.ir/f", "/home/u/d.ir/f.ATR"},   // a dot in a folder name is not an extension
        {"/home/u/notes.日本", "/home/u/notes.ATR"}, // four characters, not four bytes
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(expected, CAttributeFile::NameFor(path)) << path;
}

TEST(AttributeFile, MarksAndTagsRoundTripThroughSaveAndOpen)
{
    doctest::CTempDir dir;
    doctest::CRecordingSink sink;
    auto doc = doctest::OpenDoc(dir, "notes.txt", kText, CLumoDoc::kTextMode);
    ASSERT_TRUE(doc);
    const uint32_t marks[] = {CLumoDoc::kFirstLineMark, 6};
    const CTagRecord tags[] = {Tag(4, "cd"), Tag(9, std::string(80, 'n'))};
    doc->SetAttributes(marks, tags);
    ASSERT_TRUE(doc->OnSaveDocument(dir / "notes.txt"));
    EXPECT_TRUE(sink.texts.empty());

    Bytes expected = Header(2);
    PutU32(expected, CLumoDoc::kFirstLineMark);
    PutU32(expected, 6);
    expected.insert(expected.end(), {2, 0});
    PutU32(expected, 4);
    expected.insert(expected.end(), {'c', 'd', 0});
    PutU32(expected, 9);
    expected.insert(expected.end(), 80, 'n');
    expected.push_back(0);
    EXPECT_EQ(expected, doctest::ReadFile(dir / "notes.ATR"));

    auto again = doctest::MakeDoc(CLumoDoc::kTextMode);
    ASSERT_TRUE(again->OnOpenDocument(dir / "notes.txt"));
    EXPECT_EQ((std::vector<uint32_t>{CLumoDoc::kFirstLineMark, 6}),
              std::vector<uint32_t>(again->TextMarks().begin(), again->TextMarks().end()));
    ASSERT_EQ(2u, again->Tags().size());
    EXPECT_EQ(4u, again->Tags()[0].nOffset);
    EXPECT_STREQ("cd", again->Tags()[0].name);
    EXPECT_EQ(80, again->Tags()[1].nLength);
    EXPECT_TRUE(sink.texts.empty());
    EXPECT_EQ(expected, CAttributeFile(*again).Build()) << "what is read writes back the same";
}

TEST(AttributeFile, AMarkOffACrRejectsMarksAndTagsAlike)
{
    doctest::CTempDir dir;
    Bytes record = Header(2);
    PutU32(record, 2);
    PutU32(record, 5); // 'd', not a CR
    record.insert(record.end(), {1, 0});
    PutU32(record, 0);
    record.insert(record.end(), {'a', 0});
    doctest::WriteFile(dir / "t.ATR", record);
    doctest::CRecordingSink sink;
    auto doc = doctest::OpenDoc(dir, "t.txt", kText, CLumoDoc::kTextMode);
    ASSERT_TRUE(doc) << "a bad attribute file never prevents the open";
    EXPECT_TRUE(doc->TextMarks().empty());
    EXPECT_TRUE(doc->Tags().empty());
    EXPECT_EQ(std::vector<std::string>{LoadString(StringId::IdsAttrMismatch)}, sink.texts);
}

TEST(AttributeFile, HostileBytesNeverLeaveTheRecordOrBreakTheRules)
{
    doctest::CRecordingSink sink;
    auto doc = doctest::MakeDoc(CLumoDoc::kTextMode);
    doctest::Fill(*doc, kText);
    CAttributeFile file(*doc);

    std::mt19937 random(77);
    Bytes valid = Header(1);
    PutU32(valid, 2);
    valid.insert(valid.end(), {1, 0});
    PutU32(valid, 3);
    valid.insert(valid.end(), {'x', 'y', 0});
    int accepted = 0;
    for (int round = 0; round < 20'000; ++round) {
        Bytes bytes = valid;
        if (round % 3 == 0) {
            bytes.resize(random() % (valid.size() + 1)); // truncations, the magic included
        } else {
            for (int flips = 1 + int(random() % 4); flips > 0; --flips)
                bytes[CAttributeFile::kMagicSize + random() % (bytes.size() - CAttributeFile::kMagicSize)] =
                    uint8_t(random() % 4 == 0 ? random() % 3 : random());
            if (round % 7 == 0)
                bytes.resize(CAttributeFile::kMagicSize + random() % (bytes.size() - CAttributeFile::kMagicSize));
        }
        // An exact-size heap copy lets the address sanitizer catch any read past the end.
        std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size() + (bytes.empty() ? 1 : 0)]);
        std::memcpy(exact.get(), bytes.data(), bytes.size());
        const auto result = file.Parse(exact.get(), bytes.size());
        if (result != CAttributeFile::ParseResult::Accepted)
            continue;
        ++accepted;
        ASSERT_LE(doc->TextMarks().size(), 100u);
        for (const uint32_t mark : doc->TextMarks()) {
            ASSERT_TRUE(mark == CLumoDoc::kFirstLineMark || (mark < doc->DataSize() && doc->GetAt(mark) == 0x0D));
        }
        for (const CTagRecord& tag : doc->Tags()) {
            ASSERT_LT(tag.nOffset, doc->DataSize());
            ASSERT_EQ(size_t(tag.nLength), std::strlen(tag.name));
            ASSERT_GE(tag.nLength, 1);
        }
    }
    EXPECT_GT(accepted, 0) << "some mutations keep the record valid";
    EXPECT_TRUE(sink.texts.empty()) << "parsing alone shows nothing";
}

// data.bin and data.txt share data.ATR; the side file holds the text
// file's marks, so saving the binary file leaves it exactly as it was.
TEST(AttributeFile, BinarySaveNeverTouchesTheSideFileOfATextFile)
{
    doctest::CTempDir dir;
    doctest::CRecordingSink sink;
    auto text = doctest::OpenDoc(dir, "d.txt", kText, CLumoDoc::kTextMode);
    ASSERT_TRUE(text);
    SetMarks(*text, {2});
    ASSERT_TRUE(text->OnSaveDocument(dir / "d.txt"));
    const Bytes ours = doctest::ReadFile(dir / "d.ATR");
    ASSERT_GE(ours.size(), 30u);

    auto binary = doctest::OpenDoc(dir, "d.bin", kText, CLumoDoc::kBinaryMode);
    ASSERT_TRUE(binary);
    ASSERT_TRUE(binary->OnSaveDocument(dir / "d.bin"));
    EXPECT_EQ(ours, doctest::ReadFile(dir / "d.ATR"));
    EXPECT_TRUE(sink.texts.empty());
}

TEST(AttributeFile, ForeignFileAndAtrExtensionAreAskedOrRefused)
{
    doctest::CTempDir dir;
    doctest::CRecordingSink sink;
    auto doc = doctest::OpenDoc(dir, "n.txt", kText, CLumoDoc::kTextMode);
    ASSERT_TRUE(doc);
    SetMarks(*doc, {2});
    doc->SetModifiedFlag(true);

    const Bytes foreign = {'m', 'i', 'n', 'e'};
    doctest::WriteFile(dir / "n.ATR", foreign);
    sink.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(doc->OnSaveDocument(dir / "n.txt"));
    EXPECT_EQ(foreign, doctest::ReadFile(dir / "n.ATR"));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(std::vector<std::string>{LoadString(StringId::IdsAttrForeignOverwrite)}, sink.texts);

    sink.texts.clear();
    EXPECT_FALSE(doc->OnSaveDocument(dir / "n.atr"));
    EXPECT_EQ(std::vector<std::string>{LoadString(StringId::IdsAttrSameExtension)}, sink.texts);

    // With nothing to keep, a data file named *.atr saves like any other.
    sink.texts.clear();
    SetMarks(*doc, {});
    EXPECT_TRUE(doc->OnSaveDocument(dir / "n.atr"));
    EXPECT_TRUE(sink.texts.empty());

    // Both switches off: the side file is left alone.
    CCabinetSettings saved = g_cabinet;
    g_cabinet.bSaveMarks = g_cabinet.bSaveTags = 0;
    SetMarks(*doc, {2});
    EXPECT_TRUE(doc->OnSaveDocument(dir / "n.txt"));
    EXPECT_EQ(foreign, doctest::ReadFile(dir / "n.ATR"));
    g_cabinet = saved;
}

} // namespace
