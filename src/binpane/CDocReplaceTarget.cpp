#include "binpane/CDocReplaceTarget.h"

#include "app/Settings.h"
#include "binpane/CBinaryPaneModel.h"
#include "binpane/CEditJournal.h"
#include "binpane/DumpGeometry.h"
#include "binpane/ReplaceAll.h"
#include "doc/CLumoDoc.h"

#include <algorithm>

CDocReplaceTarget::CDocReplaceTarget(CBinaryPaneModel& model)
    : m_model(model)
{
}

uint32_t CDocReplaceTarget::dataSize() const
{
    return m_model.document().m_nDataSize;
}

const uint8_t* CDocReplaceTarget::dataBytes()
{
    // Writes the edit window back: the block then holds every byte.
    return m_model.document().m_image.GetPointer(0);
}

bool CDocReplaceTarget::isReadOnly() const
{
    return m_model.document().m_bReadOnly != 0;
}

void CDocReplaceTarget::removeSelection()
{
    m_model.clearSelection();
}

void CDocReplaceTarget::showHit(uint32_t position, uint32_t length)
{
    m_model.clearSelection();
    m_model.extendSelection(position, position + length);
    const uint32_t b = static_cast<uint32_t>(CDumpGeometry::FromSettings(g_settings).B);
    m_model.showLine(position / b, 0, false, position);
    // A pane not laid out yet shows no line; the caret still goes to the hit.
    if (m_model.m_nCaret != position) {
        m_model.m_nPreferredColumn = static_cast<int32_t>(position % b);
        m_model.setCaretOffset(position);
    }
}

bool CDocReplaceTarget::replaceSelection(uint32_t position, uint32_t length, const uint8_t* bytes,
                                         uint32_t n)
{
    CLumoDoc& doc = m_model.document();
    if (doc.RefuseIfReadOnly())
        return false;
    // The room is checked before anything is deleted, so a refusal changes nothing.
    if (n > length && !m_model.checkGrowth(n - length))
        return false;
    m_model.clearSelection();
    if (m_model.record(m_model.undoJournal(), CEditJournal::Deleted, position, length, true)
        == CBinaryEditModel::Cancelled)
        return false;
    m_model.deleteAt(position, length, n < 1);
    if (n > 0) {
        (void)m_model.insertAt(position, bytes, n, true); // the room was checked above
        (void)m_model.record(m_model.undoJournal(), CEditJournal::Inserted, position, n, true);
    }
    return true;
}

bool CDocReplaceTarget::replaceUnjournaled(std::span<const uint32_t> positions, uint32_t length,
                                           const uint8_t* bytes, uint32_t n, uint32_t sizeToHold)
{
    CLumoDoc& doc = m_model.document();
    if (doc.m_bReadOnly)
        return false;
    const int reserved = doc.ReserveImage(std::max(sizeToHold, doc.m_nDataSize));
    if (reserved != CFileImage::Fits && reserved != CFileImage::Grown)
        return false;
    if (positions.empty())
        return true;
    doc.m_image.BeginDirect(0);
    uint8_t* block = doc.m_image.GetPointer(0);
    const uint32_t oldSize = doc.m_nDataSize;
    const uint32_t size = replaceRunsInPlace(block, oldSize, positions, length, bytes, n);
    doc.m_image.EndDirect(0);
    doc.m_nDataSize = size;
    doc.m_nLastCharPos = static_cast<int32_t>(size) - 1;
    doc.SetModifiedFlag(true);
    if (m_model.m_nCaret > size)
        m_model.setCaretOffset(size, 0, false, true);
    // New content: the views recompute their ranges and repaint; the other
    // panes take everything from the first hit on as changed.
    doc.UpdateAllViews(CLumoDoc::kHintBinaryLoaded);
    const uint32_t first = positions.front();
    doc.NotifyContentChanged({first, oldSize - first, size - first, static_cast<const CBinaryEditModel*>(&m_model)});
    return true;
}
