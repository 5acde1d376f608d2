#include "doc/CLumoDoc.h"

#include "app/Settings.h"
#include "doc/CEditJournal.h"
#include "doc/CabinetSettings.h"
#include "doc/DocumentUi.h"
#include "platform/Messages.h"

#include <cstdlib>
#include <filesystem>
#include <new>
#include <system_error>

namespace fs = std::filesystem;

int g_nNextDocMode = CLumoDoc::kTextMode;
bool g_bResetNextDocMode = true;

CLumoDoc::CLumoDoc(int mode)
    : m_nMode(mode)
{
    const bool imageOk = m_image.Init();
    m_nRowCapacity = kRowGrowthUnit;
    const bool rowsOk = imageOk && AllocateRowTables();
    const bool journalsOk = rowsOk && CreateJournals();
    if (!journalsOk) {
        ReleaseRowTables();
        ReleaseJournals();
    }
    CopyLayoutValues();
    if (m_nMode == kBinaryMode)
        m_nFoldColumn = 16;
}

int TakeNextDocMode()
{
    const int mode = g_nNextDocMode;
    if (g_bResetNextDocMode)
        g_nNextDocMode = CLumoDoc::kTextMode;
    return mode;
}

CLumoDoc::~CLumoDoc()
{
    ReleaseRowTables();
    ReleaseJournals();
    DocumentUi().documentDestroyed(*this);
}

bool CLumoDoc::AllocateRowTables()
{
    m_pRowStart = static_cast<uint32_t*>(std::malloc(size_t{m_nRowCapacity} * sizeof(uint32_t)));
    m_pRowBreak = static_cast<uint8_t*>(std::malloc(m_nRowCapacity));
    return m_pRowStart && m_pRowBreak;
}

void CLumoDoc::ReleaseRowTables()
{
    std::free(m_pRowStart);
    std::free(m_pRowBreak);
    m_pRowStart = nullptr;
    m_pRowBreak = nullptr;
}

bool CLumoDoc::CreateJournals()
{
    m_pUndo.reset(new (std::nothrow) CEditJournal(CEditJournal::kDefaultCapacity));
    m_pRedo.reset(new (std::nothrow) CEditJournal(CEditJournal::kDefaultCapacity));
    return m_pUndo && m_pUndo->IsAllocated() && m_pRedo && m_pRedo->IsAllocated();
}

void CLumoDoc::ReleaseJournals()
{
    m_pUndo.reset();
    m_pRedo.reset();
}

void CLumoDoc::CopyLayoutValues()
{
    m_nFoldColumn = g_cabinet.nFoldColumn;
    m_nTabWidth = g_cabinet.nTabWidth;
    m_nLineSpacing = g_settings.LineSpacesLM;
    m_nPaneMargin = g_cabinet.nPaneMargin;
    m_font = g_cabinet.font;
}

int CLumoDoc::ReserveRows(uint32_t n)
{
    if (uint64_t{n} + 2 < m_nRowCapacity && n < g_nMaxRows)
        return CFileImage::Fits;
    if (n > g_nMaxRows)
        return CFileImage::OverLimit;
    const uint64_t capacity = (uint64_t{n} + 2) / kRowGrowthUnit * kRowGrowthUnit + kRowGrowthUnit;
    void* starts = std::realloc(m_pRowStart, capacity * sizeof(uint32_t));
    if (!starts)
        return CFileImage::OutOfMemory;
    m_pRowStart = static_cast<uint32_t*>(starts);
    void* breaks = std::realloc(m_pRowBreak, capacity);
    if (!breaks)
        return CFileImage::OutOfMemory; // the start table keeps its larger block; both stay usable
    m_pRowBreak = static_cast<uint8_t*>(breaks);
    m_nRowCapacity = static_cast<uint32_t>(capacity);
    return CFileImage::Grown;
}

uint32_t CLumoDoc::RowOfLine(uint32_t line) const
{
    if (line == 0 || m_nRowCount == 0)
        return 0;
    uint32_t sum = 0;
    for (uint32_t row = 0; row < m_nRowCount; ++row) {
        sum += m_pRowBreak[row];
        if (sum == line)
            return row;
    }
    return m_nRowCount;
}

uint32_t CLumoDoc::LineOfRow(uint32_t row) const
{
    if (row == 0)
        return 0;
    // At (or, defensively, past) the row count the answer is the number of logical lines.
    const bool end = row >= m_nRowCount;
    const uint32_t last = end ? m_nRowCount : row + 1;
    uint32_t sum = 0;
    for (uint32_t r = 0; r < last; ++r)
        sum += m_pRowBreak[r];
    return end ? sum + 1 : sum;
}

bool CLumoDoc::RefuseIfReadOnly() const
{
    if (!m_bReadOnly)
        return false;
    BeepRefusal();
    return true;
}

void CLumoDoc::ResetLayout(int foldColumn)
{
    m_nFoldColumn = foldColumn != 0 ? foldColumn : g_cabinet.nFoldColumn;
    m_nTabWidth = g_cabinet.nTabWidth;
    m_nLineSpacing = g_settings.LineSpacesLM;
    m_nPaneMargin = g_cabinet.nPaneMargin;
    const bool fontChanged = !(g_cabinet.font == m_font);
    m_font = g_cabinet.font;
    UpdateAllViews(kHintLayoutReset, reinterpret_cast<void*>(uintptr_t{fontChanged}));
}

void CLumoDoc::SetTitleFromPath(bool full)
{
    const std::string& path = GetPathName();
    if (path.empty())
        return;
    SetTitle(full ? path : fs::path(path).filename().string());
}

void CLumoDoc::SetModifiedFlag(bool modified)
{
    const bool changed = modified != IsModified();
    CDocumentBase::SetModifiedFlag(modified);
    if (changed)
        DocumentUi().documentStateChanged(*this);
}

void CLumoDoc::SetPathName(const std::string& path, bool addToRecentFiles)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    CDocumentBase::SetPathName(ec ? path : absolute.lexically_normal().string());
    SetTitleFromPath(g_settings.LongTitle != 0);
    if (addToRecentFiles)
        DocumentUi().addToRecentFiles(GetPathName());
}

void CLumoDoc::ClearContents()
{
    m_nDataSize = 0;
    m_nLastCharPos = -1;
    m_nRowCount = 0;
    m_nTagCount = 0;
    m_nTextMarkCount = 0;
    m_nBinMarkCount = 0;
    m_nCommentOpenCount = 0;
    m_nCommentCloseCount = 0;
    m_nTextAuxPos = -1;
}
