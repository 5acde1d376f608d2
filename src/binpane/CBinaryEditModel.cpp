#include "binpane/CBinaryEditModel.h"

#include "app/Settings.h"
#include "binpane/CEditJournal.h"
#include "doc/CLumoDoc.h"
#include "platform/Cp932.h"
#include "platform/HexDigits.h"
#include "platform/Messages.h"
#include "platform/QtKeyCodes.h"

#include <algorithm>
#include <cassert>

CEditJournal& CBinaryEditModel::undoJournal() const
{
    assert(m_doc.m_pUndo);
    return *m_doc.m_pUndo;
}

CEditJournal& CBinaryEditModel::redoJournal() const
{
    assert(m_doc.m_pRedo);
    return *m_doc.m_pRedo;
}

bool CBinaryEditModel::canUndo() const
{
    return undoJournal().count() != 0;
}

bool CBinaryEditModel::canRedo() const
{
    return redoJournal().count() != 0;
}

bool CBinaryEditModel::checkGrowth(uint64_t n)
{
    const uint64_t want = uint64_t{dataSize()} + n;
    const int result = want > UINT32_MAX ? CFileImage::OverLimit
                                         : m_doc.ReserveImage(static_cast<uint32_t>(want));
    switch (result) {
    case CFileImage::Fits:
        return true;
    case CFileImage::Grown:
        m_doc.UpdateAllViews(CLumoDoc::kHintBinaryLoaded);
        return true;
    case CFileImage::OutOfMemory:
        m_doc.UpdateAllViews(CLumoDoc::kHintBinaryLoaded);
        ShowOutOfMemory();
        return false;
    default:
        (void)ShowMessage(StringId::IdsTooLarge);
        return false;
    }
}

void CBinaryEditModel::setDataSize(uint32_t size)
{
    m_doc.m_nDataSize = size;
    m_doc.m_nLastCharPos = static_cast<int32_t>(size) - 1;
}

bool CBinaryEditModel::insertAt(uint32_t position, const uint8_t* bytes, uint32_t n, bool moveCaret)
{
    if (n == 0)
        return true;
    if (!checkGrowth(n))
        return false;
    m_doc.SetModifiedFlag(true);
    const uint32_t size = dataSize();
    position = std::min(position, size);
    if (position < size)
        m_doc.m_image.MoveUp(position + n, position, size - position);
    m_doc.m_image.Write(position, bytes, n);
    setDataSize(size + n);
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
    m_doc.NotifyContentChanged({position, 0, n, this});
    return true;
}

void CBinaryEditModel::deleteAt(uint32_t position, uint32_t n, bool redraw)
{
    const uint32_t size = dataSize();
    if (n == 0 || position >= size)
        return;
    n = std::min(n, size - position);
    m_doc.SetModifiedFlag(true);
    m_doc.m_image.MoveDown(position, position + n, size - position - n);
    setDataSize(size - n);
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
    m_doc.NotifyContentChanged({position, n, 0, this});
}

void CBinaryEditModel::followChange(const DocChange& change)
{
    if (change.origin == this)
        return;
    const uint64_t end = uint64_t{change.position} + change.removed; // one past the old bytes
    const auto follow = [&](uint32_t offset) -> uint32_t {
        if (offset < change.position)
            return offset;
        if (offset >= end)
            return static_cast<uint32_t>(offset - change.removed + change.inserted);
        return change.position; // inside what went: where it stood
    };
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
    setCaretOffset(caret, m_bSecondDigit, false, true);
}

CBinaryEditModel::RecordResult CBinaryEditModel::record(CEditJournal& journal, int32_t type,
                                                        uint32_t position, uint32_t length,
                                                        bool newAction)
{
    const bool savesData = CEditJournal::SavesData(type);
    // MakeRoom refuses only a length over the whole block, before evicting
    // anything, so the journals are untouched until the user has answered.
    if (savesData && !journal.MakeRoom(length)) {
        const MsgAnswer answer = ShowMessage(StringId::IdsUndoOverflow, MsgButtons::OkCancel, MsgIcon::Question);
        if (answer != MsgAnswer::Ok)
            return Cancelled;
        if (newAction)
            redoJournal().Clear();
        journal.Clear();
        return Unrecorded;
    }
    if (newAction)
        redoJournal().Clear();
    if (type == CEditJournal::Inserted || type == CEditJournal::ReplacedNew
        || type == CEditJournal::OverwrittenNew) {
        (void)journal.MakeRoom(0); // always succeeds
        journal.Append(type, position, length, false);
        return Recorded;
    }
    if (!savesData)
        return Recorded;
    m_doc.m_image.Read(journal.Append(type, position, length, true), position, length);
    return Recorded;
}

bool CBinaryEditModel::insertAtCaret(const uint8_t* bytes, uint32_t n)
{
    if (m_doc.RefuseIfReadOnly() || !checkGrowth(n))
        return false;
    const uint32_t p = m_nCaret;
    if (!insertAt(p, bytes, n, true))
        return false;
    (void)record(undoJournal(), CEditJournal::Inserted, p, n, true);
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
    if (!checkGrowth(n - m))
        return false;
    if (replaces) {
        (void)record(undoJournal(), CEditJournal::OverwrittenOld, p, m, true);
        deleteAt(p, m, false);
    }
    // Cannot be refused: the growth was checked.
    (void)insertAt(p, bytes, n, true);
    (void)record(undoJournal(), replaces ? CEditJournal::OverwrittenNew : CEditJournal::Inserted, p, n,
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
        const uint8_t value = static_cast<uint8_t>((m_doc.m_image.GetAt(p) << 4) | digit);
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
    if (record(undoJournal(), CEditJournal::Deleted, p, n, true) == Cancelled) {
        m_host.invalidateAll();
        return false;
    }
    deleteAt(p, n, true);
    return true;
}

void CBinaryEditModel::undo()
{
    if (undoJournal().count() == 0 || m_doc.RefuseIfReadOnly())
        return;
    clearSelection();
    replay(undoJournal(), redoJournal(), true);
}

void CBinaryEditModel::redo()
{
    if (redoJournal().count() == 0 || m_doc.RefuseIfReadOnly())
        return;
    clearSelection();
    replay(redoJournal(), undoJournal(), false);
}

void CBinaryEditModel::replay(CEditJournal& from, CEditJournal& to, bool undoing)
{
    const JournalRecord r = from.top();
    switch (r.type) {
    case CEditJournal::Inserted:
        // Declining to go on without a journal for the reversal keeps everything as it is.
        if (record(to, CEditJournal::Deleted, r.position, r.length, false) == Cancelled)
            return;
        deleteAt(r.position, r.length, true);
        from.DropTop();
        break;
    case CEditJournal::Deleted:
        if (!insertAt(r.position, from.dataOf(r), r.length, true))
            return;
        (void)record(to, CEditJournal::Inserted, r.position, r.length, false);
        from.DropTop();
        break;
    case CEditJournal::ReplacedNew:
        if (undoing)
            replayPair(from, to);
        break;
    case CEditJournal::OverwrittenNew:
        replayPair(from, to);
        break;
    default:
        break;
    }
}

void CBinaryEditModel::replayPair(CEditJournal& from, CEditJournal& to)
{
    const int k = from.count() - 1;
    if (k == 0) {
        from.Clear(); // its first half was evicted: nothing before it can be restored
        return;
    }
    const JournalRecord r = from.top();
    const JournalRecord q = from.record(k - 1);
    const int32_t firstHalf = r.type == CEditJournal::OverwrittenNew ? CEditJournal::OverwrittenOld
                                                                     : CEditJournal::ReplacedOld;
    if (q.type != firstHalf) {
        from.DropTop();
        return;
    }
    // Check the growth first so the pair is never half taken back.
    if (q.length > r.length && !checkGrowth(q.length - r.length))
        return;
    if (record(to, CEditJournal::OverwrittenOld, r.position, r.length, false) == Cancelled)
        return;
    deleteAt(r.position, r.length, false);
    from.DropTop();
    (void)insertAt(q.position, from.dataOf(q), q.length, true);
    (void)record(to, CEditJournal::OverwrittenNew, q.position, q.length, false);
    from.DropTop();
}
