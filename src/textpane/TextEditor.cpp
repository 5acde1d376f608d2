#include "textpane/TextEditor.h"

#include "doc/CEditJournal.h"
#include "doc/CLumoDoc.h"

#include <algorithm>
#include <cstring>

CTextEditor::CTextEditor(CLumoDoc& doc, CTextLineModel& model, const void* origin)
    : m_doc(doc)
    , m_model(model)
    , m_pOrigin(origin)
{
}

CTextEditor::Start CTextEditor::wrapStart(uint32_t offset)
{
    uint32_t word = offset;
    while (word > 0 && CTextWrap::IsWordByte(m_doc.GetAt(word - 1)))
        --word;
    const uint32_t count = m_model.lineCount();
    uint32_t line = std::min(m_model.lineOf(offset), m_model.lineOf(word));
    line = std::min(line > 0 ? line - 1 : 0, count > 0 ? count - 1 : 0);
    return {line, m_model.lineStart(line)};
}

CTextEditor::Change CTextEditor::rewrap(const Start& start, uint32_t position, int64_t delta,
                                        uint32_t oldCount)
{
    const CTextLineModel::Rewrap r = m_model.rewrapFrom(position, delta, start.offset, start.line);
    Change change;
    change.firstLine = start.line;
    change.repaintFrom = std::min(start.offset, m_doc.DataSize());
    change.commentsTouched = m_doc.LastChange().commentsTouched;
    change.changedEnd = change.commentsTouched ? m_doc.DataSize() : r.changedEnd;
    change.oldLineCount = oldCount;
    change.lineCount = m_model.lineCount();
    return change;
}

std::optional<CTextEditor::Change> CTextEditor::insertBytes(uint32_t offset, const uint8_t* bytes,
                                                            uint32_t length, bool moveCaret, Journal journal)
{
    if (length == 0)
        return std::nullopt;
    offset = std::min(offset, m_doc.DataSize());
    const Start start = wrapStart(offset);
    const uint32_t oldCount = m_model.lineCount();
    const CLumoDoc::CNoticeHold hold(m_doc);
    if (!m_doc.InsertBytes(offset, bytes, length, m_pOrigin))
        return std::nullopt;
    if (journal == Journal::On)
        (void)m_doc.Record(m_doc.UndoJournal(), CEditJournal::Inserted, offset, length, true);
    Change change = rewrap(start, offset, length, oldCount);
    if (moveCaret)
        change.caret = offset + length;
    return change;
}

std::optional<CTextEditor::Change> CTextEditor::deleteBytes(uint32_t offset, uint32_t length, bool moveCaret,
                                                            Journal journal)
{
    const uint32_t size = m_doc.DataSize();
    if (length == 0 || offset >= size)
        return std::nullopt;
    length = std::min(length, size - offset);
    if (journal == Journal::On) {
        const auto recorded = m_doc.Record(m_doc.UndoJournal(), CEditJournal::Deleted, offset, length, true);
        if (recorded == CLumoDoc::Cancelled)
            return std::nullopt;
    }
    const Start start = wrapStart(offset);
    const uint32_t oldCount = m_model.lineCount();
    const CLumoDoc::CNoticeHold hold(m_doc);
    (void)m_doc.DeleteBytes(offset, length, m_pOrigin);
    Change change = rewrap(start, offset, -int64_t{length}, oldCount);
    if (moveCaret)
        change.caret = offset;
    return change;
}

std::optional<CTextEditor::Change> CTextEditor::appendOutput(int hint, const void* object)
{
    const bool text = hint == CLumoDoc::kHintAppendText;
    if ((!text && hint != CLumoDoc::kHintAppendBlock && hint != CLumoDoc::kHintAppendBlockStay) || !object
        || !m_doc.TakeAppend())
        return std::nullopt;
    const auto* bytes = static_cast<const uint8_t*>(object);
    const auto n = text ? static_cast<uint32_t>(std::strlen(static_cast<const char*>(object)))
                        : m_doc.AppendLength();
    return insertBytes(m_doc.DataSize(), bytes, n, hint != CLumoDoc::kHintAppendBlockStay);
}

std::optional<CTextEditor::Change> CTextEditor::undo()
{
    return replay(true);
}

std::optional<CTextEditor::Change> CTextEditor::redo()
{
    return replay(false);
}

std::optional<CTextEditor::Change> CTextEditor::replay(bool undoing)
{
    const CEditJournal& from = undoing ? m_doc.UndoJournal() : m_doc.RedoJournal();
    if (from.count() == 0)
        return std::nullopt;
    // An insertion or a deletion changes one place; a replaced pair (not
    // made here) is followed by wrapping the whole text again.
    const JournalRecord top = from.top();
    const bool single = top.type == CEditJournal::Inserted || top.type == CEditJournal::Deleted;
    const Start start = single ? wrapStart(top.position) : Start{};
    const uint32_t oldSize = m_doc.DataSize();
    const uint32_t oldCount = m_model.lineCount();
    const CLumoDoc::CNoticeHold hold(m_doc);
    const std::optional<uint32_t> caret = undoing ? m_doc.Undo() : m_doc.Redo();
    if (!caret)
        return std::nullopt;
    Change change;
    if (single) {
        change = rewrap(start, top.position, int64_t{m_doc.DataSize()} - oldSize, oldCount);
    } else {
        (void)m_model.rebuild();
        change = {0, 0, m_doc.DataSize(), oldCount, m_model.lineCount(), true, {}};
    }
    change.caret = caret;
    return change;
}
