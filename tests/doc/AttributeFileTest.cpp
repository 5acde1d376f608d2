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
const uint32_t kMarkOnCr = 2;

// A side file: the magic, the marks, then tags as offset and NUL-ended name.
Bytes Record(const std::vector<uint32_t>& marks, const std::vector<std::pair<uint32_t, std::string>>& tags)
{
    Bytes out(CAttributeFile::kMagic, CAttributeFile::kMagic + CAttributeFile::kMagicSize);
    const auto put = [&out](size_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(uint8_t(value >> (8 * i)));
    };
    put(marks.size(), 2);
    for (const uint32_t mark : marks)
        put(mark, 4);
    put(tags.size(), 2);
    for (const auto& [offset, name] : tags) {
        put(offset, 4);
        out.insert(out.end(), name.c_str(), name.c_str() + name.size() + 1);
    }
    return out;
}

TEST(AttributeFile, NameReplacesAShortExtensionOrAppendsOne)
{
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"data.bin", "data.ATR"},
        {"data.text", "data.text.ATR"},
        {"readme", "readme.ATR"},
        {"x.AtR", std::nullopt},
        {"a.", "a.ATR"},
        {"/home/u/d.ir/f", "/home/u/d.ir/f.ATR"},   // a dot in a folder name is not an extension
        {"/home/u/notes.日本", "/home/u/notes.ATR"}, // four characters, not four bytes
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(expected, CAttributeFile::NameFor(path)) << path;
}

// Written from the document, read back into another, written again: the same bytes.
TEST(AttributeFile, MarksAndTagsRoundTripThroughSaveAndOpen)
{
    doctest::CTempDir dir;
    doctest::CRecordingSink sink;
    auto doc = doctest::OpenDoc(dir, "notes.txt", kText, CLumoDoc::kTextMode);
    ASSERT_TRUE(doc);
    const Bytes record = Record({CLumoDoc::kFirstLineMark, 6}, {{4, "cd"}, {9, std::string(80, 'n')}});
    ASSERT_EQ(CAttributeFile::ParseResult::Accepted,
              CAttributeFile(*doc).Parse(record.data(), record.size()));
    ASSERT_TRUE(doc->OnSaveDocument(dir / "notes.txt"));
    EXPECT_EQ(record, doctest::ReadFile(dir / "notes.ATR"));

    auto again = doctest::MakeDoc(CLumoDoc::kTextMode);
    ASSERT_TRUE(again->OnOpenDocument(dir / "notes.txt"));
    EXPECT_EQ(record, CAttributeFile(*again).Build());
    EXPECT_TRUE(sink.texts.empty());
}

TEST(AttributeFile, AMarkOffACrRejectsMarksAndTagsAlike)
{
    doctest::CTempDir dir;
    doctest::WriteFile(dir / "t.ATR", Record({kMarkOnCr, 5}, {{0, "a"}})); // 5 is 'd', not a CR
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
    const Bytes valid = Record({kMarkOnCr}, {{3, "xy"}});
    const size_t magic = CAttributeFile::kMagicSize;
    int accepted = 0;
    for (int round = 0; round < 20'000; ++round) {
        Bytes bytes = valid;
        if (round % 3 == 0) {
            bytes.resize(random() % (valid.size() + 1)); // truncations, the magic included
        } else {
            for (int flips = 1 + int(random() % 4); flips > 0; --flips)
                bytes[magic + random() % (bytes.size() - magic)] =
                    uint8_t(random() % 4 ? random() : random() % 3);
            if (round % 7 == 0)
                bytes.resize(magic + random() % (bytes.size() - magic));
        }
        // An exact-size heap copy lets the address sanitizer catch any read past the end.
        std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size() + (bytes.empty() ? 1 : 0)]);
        std::memcpy(exact.get(), bytes.data(), bytes.size());
        if (file.Parse(exact.get(), bytes.size()) != CAttributeFile::ParseResult::Accepted)
            continue;
        ++accepted;
        ASSERT_LE(doc->TextMarks().size(), 100u);
        for (const uint32_t mark : doc->TextMarks())
            ASSERT_TRUE(mark == CLumoDoc::kFirstLineMark ||
                        (mark < doc->DataSize() && doc->GetAt(mark) == 0x0D));
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
    auto binary = doctest::OpenDoc(dir, "d.bin", kText, CLumoDoc::kBinaryMode);
    ASSERT_TRUE(text && binary);
    text->SetAttributes({&kMarkOnCr, 1}, {});
    ASSERT_TRUE(text->OnSaveDocument(dir / "d.txt"));
    const Bytes ours = doctest::ReadFile(dir / "d.ATR");
    ASSERT_EQ(Record({kMarkOnCr}, {}), ours);
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
    doc->SetAttributes({&kMarkOnCr, 1}, {});
    doc->SetModifiedFlag(true);

    const Bytes foreign = {'m', 'i', 'n', 'e'};
    doctest::WriteFile(dir / "n.ATR", foreign);
    sink.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(doc->OnSaveDocument(dir / "n.txt"));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(doc->OnSaveDocument(dir / "n.atr"));
    EXPECT_EQ(foreign, doctest::ReadFile(dir / "n.ATR"));
    EXPECT_EQ((std::vector<std::string>{LoadString(StringId::IdsAttrForeignOverwrite),
                                        LoadString(StringId::IdsAttrSameExtension)}),
              sink.texts);

    // With nothing to keep, a data file named *.atr saves like any other.
    sink.texts.clear();
    doc->SetAttributes({}, {});
    EXPECT_TRUE(doc->OnSaveDocument(dir / "n.atr"));
    EXPECT_TRUE(sink.texts.empty());

    // Both switches off: the side file is left alone.
    const CCabinetSettings saved = g_cabinet;
    g_cabinet.bSaveMarks = g_cabinet.bSaveTags = 0;
    doc->SetAttributes({&kMarkOnCr, 1}, {});
    EXPECT_TRUE(doc->OnSaveDocument(dir / "n.txt"));
    EXPECT_EQ(foreign, doctest::ReadFile(dir / "n.ATR"));
    g_cabinet = saved;
}

} // namespace
