#include "DocTestSupport.h"

#include "platform/Cp932.h"
#include "platform/StringTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <sys/stat.h>

namespace {

using doctest::Bytes;

constexpr uint8_t CR = 0x0D, LF = 0x0A;

// The normalisation as the load describes it, one byte at a time: NUL reads
// as a space, a lone CR goes, a pair keeps its partner (a CR there reads as a
// space) and a starter that ends the file is left out.
Bytes ReferenceTextLoad(const Bytes& in, int32_t& lastCharPos)
{
    Bytes out;
    bool pair = false;
    for (size_t k = 0; k < in.size();) {
        const uint8_t byte = in[k++];
        const uint8_t c = byte == 0 ? ' ' : byte;
        if (!cp932::IsLeadByte(c) && c != CR) {
            out.push_back(c);
            pair = false;
        } else if (k < in.size() && (c != CR || in[k] == LF)) {
            out.push_back(c);
            out.push_back(in[k] == CR ? ' ' : in[k]);
            ++k;
            pair = true;
        } else if (k == in.size()) {
            break;
        }
    }
    lastCharPos = out.empty() ? -1 : int32_t(out.size()) - 1 - int32_t(pair);
    return out;
}

// Loads bytes through a stream that claims `claimed` bytes (a file that
// shrinks while it is read when claimed is larger).
std::unique_ptr<CLumoDoc> LoadThroughStream(const Bytes& bytes, int mode, bool& ok,
                                            size_t claimed = SIZE_MAX)
{
    auto doc = doctest::MakeDoc(mode);
    std::FILE* file = std::tmpfile();
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    ok = doc->LoadFrom(file, claimed == SIZE_MAX ? bytes.size() : claimed);
    std::fclose(file);
    return doc;
}

TEST(DocumentLoad, TextLoadMatchesTheByteByByteReferenceAcrossChunkBoundaries)
{
    std::mt19937 random(31337);
    const uint8_t palette[] = {0, CR, LF, 'A', ' ', 0x82, 0x9F, 0xE0, 0xFC, 0xA0, 0x80, 0x40};
    for (int round = 0; round < 400; ++round) {
        const size_t n = round % 20 == 0   ? 65'530 + random() % 70'000
                         : round % 20 == 10 ? 65'537 // a pair that ends the file across the chunk edge
                                            : random() % 300;
        Bytes in(n);
        for (uint8_t& b : in)
            b = random() % 3 == 0 ? uint8_t(random()) : palette[random() % sizeof palette];
        for (size_t edge : {size_t{65'535}, size_t{65'534}})
            if (edge < n)
                in[edge] = random() % 2 ? CR : 0x82; // a starter whose partner is in the next chunk
        int32_t lastCharPos = 0;
        const Bytes expected = ReferenceTextLoad(in, lastCharPos);
        bool ok = false;
        auto doc = LoadThroughStream(in, CLumoDoc::kTextMode, ok);
        ASSERT_TRUE(ok);
        ASSERT_EQ(std::pair(expected, lastCharPos), std::pair(doctest::DataOf(*doc), doc->LastCharPos()))
            << "round " << round;
    }
}

TEST(DocumentLoad, FileEndingBeforeItsLengthFailsAndAnEmptyFileOpensEmptyWithoutAHint)
{
    doctest::CTempDir dir;
    doctest::WriteFile(dir / "empty", {});
    for (int mode : {CLumoDoc::kTextMode, CLumoDoc::kBinaryMode}) {
        bool ok = true;
        auto doc = LoadThroughStream(Bytes(70'000, 'a'), mode, ok, 70'010);
        EXPECT_FALSE(ok);
        EXPECT_EQ(std::pair(0u, -1), std::pair(doc->DataSize(), doc->LastCharPos()));

        auto empty = doctest::MakeDoc(mode);
        doctest::CHintView view;
        empty->AddView(&view);
        ASSERT_TRUE(empty->OnOpenDocument(dir / "empty"));
        EXPECT_EQ(std::pair(0u, -1), std::pair(empty->DataSize(), empty->LastCharPos()));
        EXPECT_TRUE(view.hints.empty());
        empty->RemoveView(&view);
    }
}

// A file over the limit opens with its head only; saving that over the file
// would cut its tail off, so the document is read-only and every way of
// saving over the file refuses, while Save As to another name works.
TEST(DocumentLoad, FileOverTheLimitOpensItsHeadReadOnlyAndIsNeverSavedOverIt)
{
    doctest::CLimitGuard guard;
    g_nMaxImageSize = 40'000;
    doctest::CTempDir dir;
    std::mt19937 random(9);
    const Bytes bytes = doctest::RandomBytes(random, g_nMaxImageSize - 2);
    const Bytes fits(bytes.begin(), bytes.end() - 1);
    for (int mode : {CLumoDoc::kBinaryMode, CLumoDoc::kTextMode}) {
        doctest::CRecordingSink sink;
        auto whole = doctest::OpenDoc(dir, "fits", fits, mode);
        auto cut = doctest::OpenDoc(dir, "over", bytes, mode);
        ASSERT_TRUE(whole && cut);
        EXPECT_FALSE(whole->IsReadOnly());
        ASSERT_EQ(1u, sink.texts.size());
        EXPECT_EQ(0u, sink.texts[0].find(LoadString(StringId::IdsTooLarge)));
        EXPECT_NE(std::string::npos, sink.texts[0].find(std::to_string(bytes.size())));
        EXPECT_NE(std::string::npos, sink.texts[0].find(std::to_string(g_nMaxImageSize - 3)));
        EXPECT_EQ(doctest::DataOf(*whole), doctest::DataOf(*cut)) << "the last byte is not read";
        EXPECT_TRUE(cut->IsReadOnly());
        if (mode == CLumoDoc::kTextMode)
            continue;
        EXPECT_FALSE(cut->CanSave());

        // The user lifts read-only, edits and saves: refused, file intact.
        doctest::CRecordingUi ui;
        cut->SetReadOnly(false);
        cut->SetModifiedFlag(true);
        EXPECT_FALSE(cut->OnFileSave());
        EXPECT_FALSE(cut->SaveModified()) << "Yes on the close question saves over the file";
        ui.saveName = dir / "./over"; // Save As to the same file by another spelling
        EXPECT_FALSE(cut->OnFileSaveAs());
        EXPECT_EQ(5u, sink.texts.size()); // three refusals and the close question
        EXPECT_EQ(bytes, doctest::ReadFile(dir / "over"));
        EXPECT_TRUE(cut->IsModified());

        ui.saveName = dir / "head";
        EXPECT_TRUE(cut->OnFileSaveAs());
        EXPECT_EQ(fits, doctest::ReadFile(dir / "head"));
        EXPECT_TRUE(cut->OnFileSave()) << "the new file holds exactly the document";
        EXPECT_EQ(bytes, doctest::ReadFile(dir / "over"));
    }
}

TEST(DocumentLoad, MissingDirectoryAndFifoFailToOpenWithoutHanging)
{
    doctest::CTempDir dir;
    ASSERT_EQ(0, ::mkfifo((dir / "fifo").c_str(), 0600));
    std::filesystem::create_directory(dir / "folder");
    for (const char* name : {"missing", "folder", "fifo"}) {
        doctest::CRecordingSink sink;
        doctest::CRecordingUi ui;
        auto doc = doctest::MakeDoc(CLumoDoc::kBinaryMode);
        EXPECT_FALSE(doc->OnOpenDocument(dir / name)) << name;
        EXPECT_EQ(std::vector<std::string>{LoadString(StringId::IdsOpenFailed)}, sink.texts);
        EXPECT_TRUE(doc->GetPathName().empty() && ui.recent.empty());
        EXPECT_EQ(0, ui.waitDepth);
    }
}

} // namespace
