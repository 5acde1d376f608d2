#include "binpane/CBinaryEditModel.h"

#include "app/Settings.h"
#include "doc/CEditJournal.h"
#include "doc/CLumoDoc.h"
#include "platform/Cp932.h"
#include "platform/HexDigits.h"
#include "platform/Messages.h"
#include "platform/QtKeyCodes.h"

#include <algorithm>
#include <cassert>

bool CBinaryEditModel::canUndo() const
{
    return m_doc.UndoJournal().count() != 0;
}

bool CBinaryEditModel::canRedo() const
{
    return m_doc.RedoJournal().count() != 0;
}

bool CBinaryEditModel::insertAt(uint32_t position, const uint8_t* bytes, uint32_t n, bool moveCaret)
{
    position = std::min(position, dataSize());
    if (!m_doc.InsertBytes(position, bytes, n, this))
        return false;
    if (n == 0)
        return true;
    if (m_bSelection && position <= m_nSelStart) {
        m_nSelStart += n;
        m_nSelEnd += n;
    }
    if (moveCaret)
        invalidateOffsets(position, dataSize() - 1);
    m_host.dataSizeChanged();
    if (moveCaret) {
        m_nPreferredColumn = static_cast<int32_t>((position + n) % bytesPerLine());
        setCaretOffset(position + n);
    }
    return true;
}

void CBinaryEditModel::deleteAt(uint32_t position, uint32_t n, bool redraw)
{
    const uint32_t size = dataSize();
    n = m_doc.DeleteBytes(position, n, this);
    if (n == 0)
        return;
    // The selected bytes move down with everything after the deleted range.
    if (m_bSelection && position + n <= m_nSelStart) {
        m_nSelStart -= n;
        m_nSelEnd -= n;
    }
    keepSelectionInData();
    if (redraw)
        invalidateOffsets(position, size - 1); // the lines that emptied too
    m_host.dataSizeChanged();
    if (redraw) {
        m_nPreferredColumn = static_cast<int32_t>(position % bytesPerLine());
        setCaretOffset(position);
    }
}

void CBinaryEditModel::followChange(const DocChange& change)
{
    if (change.origin == this)
        return;
    const uint64_t end = change.end();
    const auto follow = [&](uint32_t offset) { return change.follow(offset); };
    // A selection the edit touched no longer shows what the user chose.
    if (m_bSelection && m_nSelEnd >= change.position && m_nSelStart < end) {
        setSelectionShown(false);
    } else if (m_bSelection) {
        m_nSelStart = follow(m_nSelStart);
        m_nSelEnd = follow(m_nSelEnd);
    }
    keepSelectionInData();
    if (m_nCaret >= change.position) {
        m_bSecondDigit = 0;
        m_bLeadPending = 0;
    }
    const uint32_t caret = std::min(follow(m_nCaret), dataSize());
    m_host.dataSizeChanged();
    // Everything from the edit on moved, up to the longer of the old and new ends.
    const uint32_t oldSize = dataSize() - change.inserted + change.removed;
    invalidateOffsets(change.position, std::max(oldSize, dataSize()));
    placeCaret(caret, m_bSecondDigit);
}

bool CBinaryEditModel::insertAtCaret(const uint8_t* bytes, uint32_t n)
{
    if (m_doc.RefuseIfReadOnly() || !m_doc.CheckGrowth(n))
        return false;
    const uint32_t p = m_nCaret;
    if (!insertAt(p, bytes, n, true))
        return false;
    (void)m_doc.Record(m_doc.UndoJournal(), CEditJournal::Inserted, p, n, true);
    return true;
}

bool CBinaryEditModel::overwriteAtCaret(const uint8_t* bytes, uint32_t n)
{
    if (m_doc.RefuseIfReadOnly())
        return false;
    const uint32_t p = m_nCaret;
    const bool replaces = p < dataSize();
    const uint32_t m = replaces ? std::min(n, dataSize() - p) : 0;
    // Only the bytes beyond the data make it grow: a full file can still be overwritten.
    if (!m_doc.CheckGrowth(n - m))
        return false;
    if (replaces) {
        (void)m_doc.Record(m_doc.UndoJournal(), CEditJournal::OverwrittenOld, p, m, true);
        deleteAt(p, m, false);
    }
    // Cannot be refused: the growth was checked.
    (void)insertAt(p, bytes, n, true);
    (void)m_doc.Record(m_doc.UndoJournal(), replaces ? CEditJournal::OverwrittenNew : CEditJournal::Inserted, p, n,
                 true);
    return true;
}

void CBinaryEditModel::typeBytes(const uint8_t* bytes, uint32_t n)
{
    if (m_doc.RefuseIfReadOnly())
        return;
    bool overwrite = g_bOverwrite;
    if (m_bSelection) {
        // Input that replaces a selection is inserted.
        if (g_settings.DeleteSelectionAtInput)
            overwrite = false;
        if (!dropSelectionForInput())
            return; // the user kept the selected bytes: the input goes too
    }
    if (m_nFocusPart == kCharPart) {
        m_bSecondDigit = 0;
        (void)(overwrite ? overwriteAtCaret(bytes, n) : insertAtCaret(bytes, n));
    } else {
        typeDigit(bytes[0], overwrite);
    }
}

void CBinaryEditModel::typeDigit(uint8_t digit, bool overwrite)
{
    uint32_t p = m_nCaret;
    bool second = m_bSecondDigit != 0;
    if (p >= dataSize()) {
        p = dataSize();
        second = false;
    }
    if (second) {
        const uint8_t value = static_cast<uint8_t>((m_doc.GetAt(p) << 4) | digit);
        (void)overwriteAtCaret(&value, 1);
        m_bSecondDigit = 0;
        return;
    }
    // The first digit shows as the low digit; a refused one leaves nothing pending.
    if (overwrite ? overwriteAtCaret(&digit, 1) : insertAtCaret(&digit, 1))
        setCaretOffset(p, 1);
}

void CBinaryEditModel::typeCharacter(uint8_t c)
{
    if (c < 32)
        return;
    if (m_nFocusPart == kHexPart) {
        const int digit = HexDigitValue(static_cast<char>(c));
        if (digit >= 0) {
            const uint8_t value = static_cast<uint8_t>(digit);
            typeBytes(&value, 1);
        }
        return;
    }
    if (m_bLeadPending) {
        m_bLeadPending = 0;
        const uint8_t pair[2] = {m_nPendingLead, c};
        typeBytes(pair, 2);
    } else if (cp932::IsLeadByte(c)) {
        m_nPendingLead = c;
        m_bLeadPending = 1;
    } else {
        typeBytes(&c, 1);
    }
}

void CBinaryEditModel::enterKey(bool shift, bool ctrl)
{
    if (m_nFocusPart != kCharPart || m_bLeadPending)
        return;
    static constexpr uint8_t kCrLf[2] = {'\r', '\n'};
    static constexpr uint8_t kLf[1] = {'\n'};
    if (ctrl && !shift)
        typeBytes(kCrLf, 1);
    else if (shift && !ctrl)
        typeBytes(kLf, 1);
    else
        typeBytes(kCrLf, 2);
}

void CBinaryEditModel::backspace()
{
    if (!m_bSelection) {
        // A half-typed byte at offset 0 can still be taken back.
        if (m_nCaret == 0 && !m_bSecondDigit)
            return;
        (void)navigationKey(qtkey::Key_Left, false, false);
    }
    (void)deleteCommand(1);
}

bool CBinaryEditModel::dropSelectionForInput()
{
    if (!m_bSelection)
        return true;
    if (g_settings.DeleteSelectionAtInput)
        return deleteCommand(1);
    clearSelection();
    return true;
}

bool CBinaryEditModel::deleteCommand(uint32_t count)
{
    if (dataSize() == 0)
        return true;
    if (m_doc.RefuseIfReadOnly())
        return false;
    uint32_t p = m_nCaret;
    uint32_t n = count;
    if (m_bSelection) {
        p = m_nSelStart;
        n = m_nSelEnd - m_nSelStart + 1;
        setSelectionShown(false);
    }
    if (p >= dataSize())
        return true;
    n = std::min(n, dataSize() - p);
    if (m_doc.Record(m_doc.UndoJournal(), CEditJournal::Deleted, p, n, true) == CLumoDoc::Cancelled) {
        m_host.invalidateAll();
        return false;
    }
    deleteAt(p, n, true);
    return true;
}

void CBinaryEditModel::undo()
{
    if (!canUndo() || m_doc.RefuseIfReadOnly())
        return;
    clearSelection();
    placeCaretAfterReplay(m_doc.Undo());
}

void CBinaryEditModel::redo()
{
    if (!canRedo() || m_doc.RefuseIfReadOnly())
        return;
    clearSelection();
    placeCaretAfterReplay(m_doc.Redo());
}

// Every pane has followed the replayed change; this one's caret goes where
// the change ended.
void CBinaryEditModel::placeCaretAfterReplay(std::optional<uint32_t> caret)
{
    if (!caret)
        return;
    m_nPreferredColumn = static_cast<int32_t>(*caret % bytesPerLine());
    setCaretOffset(*caret);
}
