#include "DocTestSupport.h"

#include "platform/StringTable.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/resource.h>

namespace {

using doctest::Bytes;
namespace fs = std::filesystem;

// Makes every write past `bytes` fail with EFBIG: a disk that fills up
// part-way through a save, reproducible for any user.
class CFileSizeLimit
{
public:
    explicit CFileSizeLimit(rlim_t bytes)
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

// The same message twice.
std::vector<std::string> Twice(StringId id)
{
    return {LoadString(id), LoadString(id)};
}

size_t FilesIn(const std::string& dir)
{
    return size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(DocumentSave, EditedBinaryDocumentSavesByteForByte)
{
    doctest::CTempDir dir;
    doctest::CRecordingUi ui;
    std::mt19937 random(11);
    Bytes expected = doctest::RandomBytes(random, 150'000);
    doctest::WriteFile(dir / "in.bin", expected);
    auto doc = doctest::MakeDoc(CLumoDoc::kBinaryMode);
    doctest::CHintView view;
    doc->AddView(&view);
    ASSERT_TRUE(doc->OnOpenDocument(dir / "in.bin"));
    doc->RemoveView(&view);
    EXPECT_EQ(std::vector<int>{CLumoDoc::kHintBinaryLoaded}, view.hints);
    EXPECT_EQ(149'999, doc->LastCharPos());
    EXPECT_EQ(std::pair(1, 0), std::pair(ui.waitCursors, ui.waitDepth));
    // Insert three bytes at 70,000 as the hex pane does, and change one.
    const uint8_t inserted[] = {0xF0, 0xF1, 0xF2};
    ASSERT_TRUE(doc->InsertBytes(70'000, inserted, 3, nullptr));
    doctest::Overwrite(*doc, 10, 0x5A);
    expected.insert(expected.begin() + 70'000, std::begin(inserted), std::end(inserted));
    expected[10] = 0x5A;

    ui.saveName = dir / "out.bin";
    ASSERT_TRUE(doc->OnFileSaveAs());
    EXPECT_EQ(expected, doctest::ReadFile(dir / "out.bin"));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(dir / "out.bin", doc->GetPathName());
    EXPECT_EQ((std::vector<std::string>{dir / "in.bin", dir / "out.bin"}), ui.recent);
    EXPECT_EQ(expected, doctest::DataOf(*doc)) << "saving leaves the image as it was";
    EXPECT_EQ(2u, FilesIn(dir.path())) << "no temporary file is left behind";
}

TEST(DocumentSave, FailedWriteKeepsTheOldFileAndItsName)
{
    doctest::CTempDir dir;
    doctest::CRecordingSink sink;
    doctest::CRecordingUi ui;
    std::mt19937 random(12);
    const Bytes old = doctest::RandomBytes(random, 1'000);
    doctest::WriteFile(dir / "keep.bin", old);
    auto doc = doctest::OpenDoc(dir, "big.bin", doctest::RandomBytes(random, 300'000), CLumoDoc::kBinaryMode);
    ASSERT_TRUE(doc);
    doc->SetModifiedFlag(true);
    {
        CFileSizeLimit limit(100'000);
        EXPECT_FALSE(doc->OnSaveDocument(dir / "keep.bin"));
        ui.saveName = dir / "keep.bin";
        EXPECT_FALSE(doc->OnFileSaveAs()) << "Save As onto an existing file";
    }
    EXPECT_EQ(Twice(StringId::IdsSaveFailed), sink.texts);
    EXPECT_EQ(old, doctest::ReadFile(dir / "keep.bin"));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(dir / "big.bin", doc->GetPathName());
    EXPECT_EQ(2u, FilesIn(dir.path()));
}

TEST(DocumentSave, TargetThatCannotBeReplacedIsAnInvalidName)
{
    doctest::CTempDir dir;
    doctest::CRecordingSink sink;
    auto doc = doctest::OpenDoc(dir, "a.bin", {1, 2, 3}, CLumoDoc::kBinaryMode);
    ASSERT_TRUE(doc);
    fs::create_directory(dir / "folder");
    EXPECT_FALSE(doc->OnSaveDocument(dir / "folder"));
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    EXPECT_FALSE(doc->OnSaveDocument(dir / "no/such/dir/x.bin"));
    EXPECT_EQ(Twice(StringId::IdsInvalidFileName), sink.texts);
}

TEST(DocumentSave, FailedSaveAsRemovesOnlyAFileItCreated)
{
    doctest::CTempDir dir;
    doctest::CRecordingSink sink;
    doctest::CRecordingUi ui;
    auto doc = doctest::OpenDoc(dir, "t.txt", {'a', 0x0D, 0x0A}, CLumoDoc::kTextMode);
    ASSERT_TRUE(doc);
    // A text mark makes the side file necessary, and *.atr cannot have one:
    // the data file is written, then the save fails.
    const uint32_t mark = 1;
    doc->SetAttributes({&mark, 1}, {});
    ui.saveName = dir / "new.atr";
    EXPECT_FALSE(doc->OnFileSaveAs()) << "disabled for text documents";
    EXPECT_TRUE(ui.proposals.empty());
    EXPECT_FALSE(doc->DoSave(std::string(), true)); // as the save prompt on closing does
    EXPECT_FALSE(fs::exists(dir / "new.atr"));
    doctest::WriteFile(dir / "old.atr", {4});
    ui.saveName = dir / "old.atr";
    EXPECT_FALSE(doc->DoSave(std::string(), true));
    EXPECT_TRUE(fs::exists(dir / "old.atr"));
    EXPECT_EQ(Twice(StringId::IdsAttrSameExtension), sink.texts);
    EXPECT_EQ(dir / "t.txt", doc->GetPathName());
}

TEST(DocumentSave, SaveCommandPromptsWithoutAUsablePath)
{
    doctest::CRecordingSink sink;
    doctest::CRecordingUi ui;
    auto doc = doctest::MakeDoc(CLumoDoc::kBinaryMode);
    doc->SetTitle("Report #2;x");
    EXPECT_FALSE(doc->OnFileSave()) << "the dialog is cancelled";
    EXPECT_EQ(std::vector<std::string>{"Report"}, ui.proposals);
    EXPECT_EQ("比較結果ファイル", CLumoDoc::ProposedFileName("比較結果ファイル一覧"));
    EXPECT_TRUE(sink.texts.empty());
}

} // namespace
