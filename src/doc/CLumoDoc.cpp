#include "doc/CLumoDoc.h"

#include "app/Settings.h"
#include "doc/CEditJournal.h"
#include "doc/CabinetSettings.h"
#include "doc/DocumentUi.h"
#include "platform/Messages.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace fs = std::filesystem;

int g_nNextDocMode = CLumoDoc::kTextMode;
bool g_bResetNextDocMode = true;

CLumoDoc::CLumoDoc(int mode, uint32_t journalCapacity)
    : m_nMode(mode)
{
    m_bComplete = m_image.Init() && m_rows.Allocate() && CreateJournals(journalCapacity);
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
    DocumentUi().documentDestroyed(*this);
}

bool CLumoDoc::CreateJournals(uint32_t capacity)
{
    m_pUndo.reset(new (std::nothrow) CEditJournal(capacity));
    m_pRedo.reset(new (std::nothrow) CEditJournal(capacity));
    return m_pUndo && m_pUndo->IsAllocated() && m_pRedo && m_pRedo->IsAllocated();
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
    return m_rows.Reserve(n, g_nMaxRows);
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
    m_rows.Clear();
    m_nTagCount = 0;
    m_nTextMarkCount = 0;
    m_nBinMarkCount = 0;
    m_comments.Clear();
    m_nTextAuxPos = kNoTextAuxPos;
}
