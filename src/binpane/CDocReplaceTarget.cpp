#include "binpane/CDocReplaceTarget.h"

#include "app/Settings.h"
#include "binpane/CBinaryPaneModel.h"
#include "doc/CEditJournal.h"
#include "binpane/DumpGeometry.h"
#include "binpane/ReplaceAll.h"
#include "doc/CLumoDoc.h"


CDocReplaceTarget::CDocReplaceTarget(CBinaryPaneModel& model)
    : m_model(model)
{
}

uint32_t CDocReplaceTarget::dataSize() const
{
    return m_model.document().DataSize();
}

const uint8_t* CDocReplaceTarget::dataBytes()
{
    // Writes the edit window back: the block then holds every byte.
    return m_model.document().GetBlockPointer();
}

bool CDocReplaceTarget::isReadOnly() const
{
    return m_model.document().IsReadOnly();
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
    if (n > length && !doc.CheckGrowth(n - length))
        return false;
    m_model.clearSelection();
    if (doc.Record(doc.UndoJournal(), CEditJournal::Deleted, position, length, true)
        == CLumoDoc::Cancelled)
        return false;
    m_model.deleteAt(position, length, n < 1);
    if (n > 0) {
        (void)m_model.insertAt(position, bytes, n, true); // the room was checked above
        (void)doc.Record(doc.UndoJournal(), CEditJournal::Inserted, position, n, true);
    }
    return true;
}

bool CDocReplaceTarget::replaceUnjournaled(std::span<const uint32_t> positions, uint32_t length,
                                           const uint8_t* bytes, uint32_t n, uint32_t sizeToHold)
{
    CLumoDoc& doc = m_model.document();
    if (doc.IsReadOnly())
        return false;
    if (positions.empty())
        return true;
    const auto rewrite = [&](uint8_t* block, uint32_t size) {
        return replaceRunsInPlace(block, size, positions, length, bytes, n);
    };
    if (!doc.RewriteBytes(sizeToHold, positions.front(), rewrite, static_cast<const CBinaryEditModel*>(&m_model)))
        return false;
    if (m_model.m_nCaret > doc.DataSize())
        m_model.setCaretOffset(doc.DataSize(), 0, false, true);
    return true;
}
