// Shared by the document tests: a scratch folder, files in it, a message sink
// and a document UI that record (and answer), a view that records hints, and
// a guard that puts the size limits back.
#pragma once

#include "app/Settings.h"
#include "doc/CLumoDoc.h"
#include "doc/DocumentUi.h"
#include "platform/Messages.h"
#include "support/CRecordingSink.h"
#include "support/CScopedTempDir.h"
#include "support/FileContent.h"

#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace doctest {

using Bytes = std::vector<uint8_t>;

using CTempDir = ::CScopedTempDir;

inline void WriteFile(const std::string& path, const Bytes& bytes)
{
    ::WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

inline Bytes ReadFile(const std::string& path)
{
    const std::string content = ::ReadFile(path);
    return Bytes(content.begin(), content.end());
}

inline Bytes RandomBytes(std::mt19937& random, size_t n)
{
    Bytes bytes(n);
    for (uint8_t& b : bytes)
        b = static_cast<uint8_t>(random());
    return bytes;
}

inline Bytes DataOf(CLumoDoc& doc)
{
    const uint8_t* p = doc.GetSpanPointer(0, doc.DataSize());
    return Bytes(p, p + doc.DataSize());
}

// An unmodified document holding exactly bytes, as if just loaded.
inline void Fill(CLumoDoc& doc, const Bytes& bytes)
{
    (void)doc.DeleteBytes(0, doc.DataSize(), nullptr);
    EXPECT_TRUE(doc.InsertBytes(0, bytes.data(), static_cast<uint32_t>(bytes.size()), nullptr));
    doc.SetModifiedFlag(false);
}

// The byte at pos becomes value, as an edit the user made.
inline void Overwrite(CLumoDoc& doc, uint32_t pos, uint8_t value)
{
    (void)doc.DeleteBytes(pos, 1, nullptr);
    EXPECT_TRUE(doc.InsertBytes(pos, &value, 1, nullptr));
}

using CRecordingSink = ::CRecordingSink;

class CRecordingUi : public CDocumentUi
{
public:
    CRecordingUi() { m_pPrevious = SetDocumentUi(this); }
    ~CRecordingUi() override { SetDocumentUi(m_pPrevious); }

    bool promptSaveFileName(std::string& name) override
    {
        proposals.push_back(name);
        name = saveName;
        return !saveName.empty();
    }
    void beginWaitCursor() override { ++waitDepth; ++waitCursors; }
    void endWaitCursor() override { --waitDepth; }
    void addToRecentFiles(const std::string& path) override { recent.push_back(path); }

    std::string saveName; // the dialog's answer; empty: cancel
    std::vector<std::string> proposals, recent;
    int waitDepth = 0, waitCursors = 0;

private:
    CDocumentUi* m_pPrevious = nullptr;
};

class CHintView : public CViewBase
{
public:
    void OnUpdate(CViewBase*, int hint, void* object) override
    {
        hints.push_back(hint);
        objects.push_back(object);
    }
    std::vector<int> hints;
    std::vector<void*> objects;
};

// Puts the size limits back.
struct CLimitGuard
{
    ~CLimitGuard() { std::tie(g_nMaxImageSize, g_nMaxRows) = saved; }
    std::pair<uint32_t, uint32_t> saved{g_nMaxImageSize, g_nMaxRows};
};

inline std::unique_ptr<CLumoDoc> MakeDoc(int mode, uint32_t journalCapacity = CEditJournal::kDefaultCapacity)
{
    return std::make_unique<CLumoDoc>(mode, journalCapacity);
}

// A document of the given mode opened from a file of these bytes.
inline std::unique_ptr<CLumoDoc> OpenDoc(const CTempDir& dir, const std::string& name,
                                         const Bytes& bytes, int mode)
{
    WriteFile(dir / name, bytes);
    auto doc = MakeDoc(mode);
    return doc->OnOpenDocument(dir / name) ? std::move(doc) : nullptr;
}

} // namespace doctest
