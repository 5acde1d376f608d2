// The document's edits: every change of the bytes, its journaling and its
// undo and redo. Each change marks the document modified and tells every view
// what moved.
#include "doc/CLumoDoc.h"

#include "app/Settings.h"
#include "doc/CEditJournal.h"
#include "platform/Messages.h"

#include <algorithm>
#include <cassert>

CEditJournal& CLumoDoc::UndoJournal() const
{
    assert(m_pUndo);
    return *m_pUndo;
}

CEditJournal& CLumoDoc::RedoJournal() const
{
    assert(m_pRedo);
    return *m_pRedo;
}

void CLumoDoc::NotifyContentChanged(const DocChange& change)
{
    m_lastChange = change;
    if (m_nNoticeHolds > 0) {
        m_heldChanges.push_back(change);
        return;
    }
    DocChange copy = change;
    UpdateAllViews(kHintContentChanged, &copy);
}

CLumoDoc::CNoticeHold::~CNoticeHold()
{
    if (--m_doc.m_nNoticeHolds > 0)
        return;
    const std::vector<DocChange> held = std::exchange(m_doc.m_heldChanges, {});
    for (const DocChange& change : held)
        m_doc.NotifyContentChanged(change);
}

bool CLumoDoc::CheckGrowth(uint64_t n)
{
    const uint64_t want = uint64_t{m_nDataSize} + n;
    const int result = want > UINT32_MAX ? CFileImage::OverLimit : ReserveImage(static_cast<uint32_t>(want));
    // The store may have moved: the hex views lay out again, the text views re-read.
    const int storageMoved = IsTextMode() ? kHintStorageMoved : kHintBinaryLoaded;
    switch (result) {
    case CFileImage::Fits:
        return true;
    case CFileImage::Grown:
        UpdateAllViews(storageMoved);
        return true;
    case CFileImage::OutOfMemory:
        UpdateAllViews(storageMoved);
        ShowOutOfMemory();
        return false;
    default:
        (void)ShowMessage(StringId::IdsTooLarge);
        return false;
    }
}

bool CLumoDoc::StoreRows(uint32_t first, uint32_t count, const uint32_t* starts, const uint8_t* breaks)
{
    switch (ReserveRows(count)) {
    case CFileImage::Fits:
        break;
    case CFileImage::Grown:
        UpdateAllViews(kHintStorageMoved);
        break;
    case CFileImage::OutOfMemory:
        UpdateAllViews(kHintStorageMoved);
        ShowOutOfMemory();
        return false;
    default:
        (void)ShowMessage(StringId::IdsTooManyRows);
        return false;
    }
    m_rows.Store(std::min(first, count), count, starts, breaks);
    return true;
}

void CLumoDoc::SetDataSize(uint32_t size)
{
    m_nDataSize = size;
    m_nLastCharPos = IsTextMode() ? LastTextUnit() : static_cast<int32_t>(size) - 1;
}

bool CLumoDoc::InsertBytes(uint32_t position, const uint8_t* bytes, uint32_t n, const void* origin)
{
    if (n == 0)
        return true;
    if (!CheckGrowth(n))
        return false;
    SetModifiedFlag(true);
    const uint32_t size = m_nDataSize;
    position = std::min(position, size);
    if (position < size)
        m_image.MoveUp(position + n, position, size - position);
    m_image.Write(position, bytes, n);
    SetDataSize(size + n);
    bool comments = false;
    if (IsTextMode()) {
        MoveMarksForInsert(position, bytes, n);
        comments = CommentsFollow(position, 0, n);
    }
    NotifyContentChanged({position, 0, n, origin, comments});
    return true;
}

uint32_t CLumoDoc::DeleteBytes(uint32_t position, uint32_t n, const void* origin)
{
    const uint32_t size = m_nDataSize;
    if (n == 0 || position >= size)
        return 0;
    n = std::min(n, size - position);
    SetModifiedFlag(true);
    if (IsTextMode())
        MoveMarksForDelete(position, n); // reads the bytes about to go
    m_image.MoveDown(position, position + n, size - position - n);
    SetDataSize(size - n);
    const bool comments = IsTextMode() && CommentsFollow(position, n, 0);
    NotifyContentChanged({position, n, 0, origin, comments});
    return n;
}

bool CLumoDoc::RewriteBytes(uint32_t capacity, uint32_t firstChanged, const BlockRewrite& rewrite,
                            const void* origin)
{
    const int reserved = ReserveImage(std::max(capacity, m_nDataSize));
    if (reserved != CFileImage::Fits && reserved != CFileImage::Grown)
        return false;
    const uint32_t oldSize = m_nDataSize;
    m_image.BeginDirect(0);
    const uint32_t size = rewrite(m_image.GetPointer(0), oldSize);
    m_image.EndDirect(0);
    SetDataSize(size);
    if (IsTextMode())
        m_comments.Rebuild({GetBlockPointer(), size});
    SetModifiedFlag(true);
    // New content: the views recompute their ranges; everything from the
    // first change on counts as changed.
    UpdateAllViews(kHintBinaryLoaded);
    firstChanged = std::min({firstChanged, oldSize, size});
    NotifyContentChanged({firstChanged, oldSize - firstChanged, size - firstChanged, origin});
    return true;
}

CLumoDoc::MarkToggle CLumoDoc::ToggleMark(std::array<uint32_t, kMaxMarks>& marks, int32_t& count, uint32_t value)
{
    uint32_t* begin = marks.data();
    uint32_t* end = begin + count;
    uint32_t* it = std::lower_bound(begin, end, value);
    MarkToggle result = MarkToggle::Added;
    if (it != end && *it == value) {
        std::copy(it + 1, end, it);
        --count;
        result = MarkToggle::Removed;
    } else if (count == kMaxMarks) {
        BeepRefusal();
        return MarkToggle::Full;
    } else {
        std::copy_backward(it, end, end + 1);
        *it = value;
        ++count;
    }
    UpdateAllViews(kHintMarksChanged);
    return result;
}

CLumoDoc::MarkToggle CLumoDoc::ToggleBinaryMark(uint32_t offset)
{
    return ToggleMark(m_binMarks, m_nBinMarkCount, offset);
}

CLumoDoc::MarkToggle CLumoDoc::ToggleTextMark(uint32_t mark)
{
    return ToggleMark(m_textMarks, m_nTextMarkCount, mark);
}

void CLumoDoc::ClearTextMarks()
{
    if (m_nTextMarkCount == 0)
        return;
    m_nTextMarkCount = 0;
    UpdateAllViews(kHintMarksChanged);
}

void CLumoDoc::ClearBinaryMarks()
{
    if (m_nBinMarkCount == 0)
        return;
    m_nBinMarkCount = 0;
    UpdateAllViews(kHintMarksChanged);
}

void CLumoDoc::SetAttributes(std::span<const uint32_t> textMarks, std::span<const CTagRecord> tags)
{
    const auto marks = textMarks.first(std::min<size_t>(textMarks.size(), kMaxMarks));
    std::copy(marks.begin(), marks.end(), m_textMarks.begin());
    m_nTextMarkCount = static_cast<int32_t>(marks.size());
    const auto kept = tags.first(std::min<size_t>(tags.size(), kMaxTags));
    std::copy(kept.begin(), kept.end(), m_tags.begin());
    m_nTagCount = static_cast<int32_t>(kept.size());
}

CLumoDoc::RecordResult CLumoDoc::Record(CEditJournal& journal, int32_t type, uint32_t position,
                                        uint32_t length, bool newAction)
{
    const bool savesData = CEditJournal::SavesData(type);
    // MakeRoom refuses only a length over the whole block, before evicting
    // anything, so the journals are untouched until the user has answered.
    if (savesData && !journal.MakeRoom(length)) {
        const MsgAnswer answer = ShowMessage(StringId::IdsUndoOverflow, MsgButtons::OkCancel, MsgIcon::Question);
        if (answer != MsgAnswer::Ok)
            return Cancelled;
        if (newAction)
            RedoJournal().Clear();
        journal.Clear();
        return Unrecorded;
    }
    if (newAction)
        RedoJournal().Clear();
    if (type == CEditJournal::Inserted || type == CEditJournal::ReplacedNew
        || type == CEditJournal::OverwrittenNew) {
        (void)journal.MakeRoom(0); // always succeeds
        journal.Append(type, position, length, false);
        return Recorded;
    }
    if (!savesData)
        return Recorded;
    m_image.Read(journal.Append(type, position, length, true), position, length);
    return Recorded;
}

std::optional<uint32_t> CLumoDoc::Undo()
{
    if (UndoJournal().count() == 0 || RefuseIfReadOnly())
        return std::nullopt;
    return Replay(UndoJournal(), RedoJournal(), true);
}

std::optional<uint32_t> CLumoDoc::Redo()
{
    if (RedoJournal().count() == 0 || RefuseIfReadOnly())
        return std::nullopt;
    return Replay(RedoJournal(), UndoJournal(), false);
}

// Every pane follows a replayed change (origin null), the one that asked too.
std::optional<uint32_t> CLumoDoc::Replay(CEditJournal& from, CEditJournal& to, bool undoing)
{
    const JournalRecord r = from.top();
    switch (r.type) {
    case CEditJournal::Inserted:
        // Declining to go on without a journal for the reversal keeps everything as it is.
        if (Record(to, CEditJournal::Deleted, r.position, r.length, false) == Cancelled)
            return std::nullopt;
        (void)DeleteBytes(r.position, r.length, nullptr);
        from.DropTop();
        return r.position;
    case CEditJournal::Deleted:
        if (!InsertBytes(r.position, from.dataOf(r), r.length, nullptr))
            return std::nullopt;
        (void)Record(to, CEditJournal::Inserted, r.position, r.length, false);
        from.DropTop();
        return r.position + r.length;
    case CEditJournal::ReplacedNew:
        return undoing ? ReplayPair(from, to) : std::nullopt;
    case CEditJournal::OverwrittenNew:
        return ReplayPair(from, to);
    default:
        return std::nullopt;
    }
}

std::optional<uint32_t> CLumoDoc::ReplayPair(CEditJournal& from, CEditJournal& to)
{
    const int k = from.count() - 1;
    if (k == 0) {
        from.Clear(); // its first half was evicted: nothing before it can be restored
        return std::nullopt;
    }
    const JournalRecord r = from.top();
    const JournalRecord q = from.record(k - 1);
    const int32_t firstHalf = r.type == CEditJournal::OverwrittenNew ? CEditJournal::OverwrittenOld
                                                                     : CEditJournal::ReplacedOld;
    if (q.type != firstHalf) {
        from.DropTop();
        return std::nullopt;
    }
    // Check the growth first so the pair is never half taken back.
    if (q.length > r.length && !CheckGrowth(q.length - r.length))
        return std::nullopt;
    if (Record(to, CEditJournal::OverwrittenOld, r.position, r.length, false) == Cancelled)
        return std::nullopt;
    (void)DeleteBytes(r.position, r.length, nullptr);
    from.DropTop();
    (void)InsertBytes(q.position, from.dataOf(q), q.length, nullptr);
    (void)Record(to, CEditJournal::OverwrittenNew, q.position, q.length, false);
    from.DropTop();
    return q.position + q.length;
}
