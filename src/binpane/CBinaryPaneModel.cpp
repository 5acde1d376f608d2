#include "binpane/CBinaryPaneModel.h"

#include "app/Settings.h"
#include "binpane/BinaryClipboard.h"
#include "doc/CEditJournal.h"
#include "binpane/DocDumpSource.h"
#include "binpane/DumpLayout.h"
#include "platform/QtKeyCodes.h"
#include "doc/CLumoDoc.h"
#include "doc/DocumentUi.h"
#include "platform/Messages.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>

void CBinaryPaneModel::keyPress(int key, bool shift, bool ctrl, std::string_view typed)
{
    if (!commandKey(key, shift, ctrl)) {
        switch (key) {
        case qtkey::Key_Tab:
        case qtkey::Key_Backtab:
            if (!ctrl)
                switchPart();
            break;
        case qtkey::Key_Backspace:
            if (!ctrl)
                backspace();
            break;
        case qtkey::Key_Return:
        case qtkey::Key_Enter:
            enterKey(shift, ctrl);
            break;
        default:
            // Ctrl with a letter types a control code, which the pane ignores.
            if (!ctrl) {
                for (const char c : typed)
                    typeCharacter(static_cast<uint8_t>(c));
            }
            break;
        }
    }
    m_host.showCaret(!m_bSelection);
}

bool CBinaryPaneModel::commandKey(int key, bool shift, bool ctrl)
{
    if (navigationKey(key, shift, ctrl))
        return true;
    switch (key) {
    case qtkey::Key_Escape:
        clearSelection();
        return true;
    case qtkey::Key_Insert:
        if (shift) {
            paste();
        } else {
            g_bOverwrite = !g_bOverwrite;
            m_host.recreateCaret();
        }
        return true;
    case qtkey::Key_Delete:
        if (shift)
            cutKeys();
        else
            (void)deleteCommand(1);
        return true;
    default:
        break;
    }
    if (!ctrl)
        return false;
    switch (key) {
    case qtkey::Key_C: copy(); return true;
    case qtkey::Key_V: paste(); return true;
    case qtkey::Key_X: cutKeys(); return true;
    case qtkey::Key_Z: undo(); return true;
    default: return false;
    }
}

void CBinaryPaneModel::putText(const uint8_t* bytes, uint32_t n)
{
    std::unique_ptr<uint8_t[]> text(new (std::nothrow) uint8_t[size_t{n} + 1]);
    if (!text) {
        ShowOutOfMemory();
        return;
    }
    m_host.putClipboardText(text.get(), CBinaryClipboard::StripZeros(bytes, n, text.get()));
}

void CBinaryPaneModel::copy()
{
    if (!m_bSelection)
        return;
    const uint32_t n = m_nSelEnd - m_nSelStart + 1;
    putText(m_doc.GetSpanPointer(m_nSelStart, n), n);
    if (!CBinaryClipboard::Replace(m_doc.GetSpanPointer(m_nSelStart, n), n))
        ShowOutOfMemory();
}

void CBinaryPaneModel::cutKeys()
{
    if (!m_bSelection)
        return;
    copy();
    (void)deleteCommand(1);
}

void CBinaryPaneModel::cut()
{
    if (m_doc.RefuseIfReadOnly() || !m_bSelection)
        return;
    copy();
    const uint32_t start = m_nSelStart;
    const uint32_t n = m_nSelEnd - m_nSelStart + 1;
    setSelectionShown(false);
    if (m_doc.Record(m_doc.UndoJournal(), CEditJournal::Deleted, start, n, true) == CLumoDoc::Cancelled) {
        m_host.invalidateAll();
        return;
    }
    deleteAt(start, n, true);
}

void CBinaryPaneModel::paste()
{
    if (m_doc.RefuseIfReadOnly())
        return;
    // Bytes that are all zeros copy as an empty text: no text at all still
    // pastes the private block when its text form is empty too.
    std::string text;
    if (!m_host.clipboardText(text))
        text.clear();
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const size_t t = std::min(text.size(), text.find('\0'));
    const CBinaryClipboard::Match match = CBinaryClipboard::MatchesText(bytes, t);
    if (match == CBinaryClipboard::Match::OutOfMemory) {
        ShowOutOfMemory();
        return;
    }
    if (match == CBinaryClipboard::Match::No) {
        CBinaryClipboard::Free(); // someone else's text since our copy
        if (t == 0)
            return; // nothing to paste
    }
    if (!dropSelectionForInput())
        return;
    // Room for the whole block as the clipboard holds it, terminator included.
    if (!m_doc.CheckGrowth(uint64_t{text.size()} + 1))
        return;
    const uint32_t p = m_nCaret;
    uint32_t inserted;
    bool done;
    if (match == CBinaryClipboard::Match::Yes) {
        inserted = CBinaryClipboard::Length();
        done = m_doc.CheckGrowth(inserted) && insertAt(p, CBinaryClipboard::Bytes(), inserted, true);
    } else {
        inserted = static_cast<uint32_t>(t);
        done = insertAt(p, bytes, inserted, true);
    }
    if (done && inserted > 0)
        (void)m_doc.Record(m_doc.UndoJournal(), CEditJournal::Inserted, p, inserted, true);
}

void CBinaryPaneModel::screenCopy()
{
    if (!m_bSelection)
        return;
    DocumentUi().beginWaitCursor();
    CDocDumpSource source(m_doc);
    CDumpLayout layout(source);
    const CDumpGeometry& g = layout.geometry();
    const uint32_t first = m_nSelStart / static_cast<uint32_t>(g.B);
    const uint32_t last = m_nSelEnd / static_cast<uint32_t>(g.B);
    // No plain-text line (heading, rule or dump line) is longer than this.
    const size_t longest = static_cast<size_t>(g.C + g.B + 3);
    const size_t capacity = (size_t{last} - first + 3) * longest;
    std::unique_ptr<uint8_t[]> text(new (std::nothrow) uint8_t[capacity]);
    if (!text) {
        DocumentUi().endWaitCursor();
        ShowOutOfMemory();
        return;
    }
    uint8_t line[CDumpLayout::kLineBufferSize];
    size_t length = 0;
    auto append = [&](int n) {
        std::memcpy(text.get() + length, line, static_cast<size_t>(n));
        length += static_cast<size_t>(n);
    };
    append(layout.formatHeadingLine(line, false));
    append(layout.formatRuleLine(line));
    for (uint32_t l = first; l <= last; ++l)
        append(layout.formatDumpLine(l, line));
    m_host.putClipboardText(text.get(), length);
    DocumentUi().endWaitCursor();
}

int CBinaryPaneModel::markIndex(uint32_t offset) const
{
    const auto marks = m_doc.BinaryMarks();
    const auto it = std::lower_bound(marks.begin(), marks.end(), offset);
    return it != marks.end() && *it == offset ? static_cast<int>(it - marks.begin()) : -1;
}

void CBinaryPaneModel::toggleMark()
{
    clearSelection();
    const uint32_t p = m_nCaret;
    if (m_doc.ToggleBinaryMark(p) != CLumoDoc::MarkToggle::Full)
        invalidateOffsets(p, p);
}

bool CBinaryPaneModel::startMarkMove()
{
    if (m_doc.BinaryMarks().empty()) {
        BeepRefusal();
        return false;
    }
    clearSelection();
    return true;
}

void CBinaryPaneModel::nextMark()
{
    if (!startMarkMove())
        return;
    const auto marks = m_doc.BinaryMarks();
    auto it = std::upper_bound(marks.begin(), marks.end(), m_nCaret);
    // Past the last mark, or at one beyond the data (bytes were deleted since): wrap.
    if (it == marks.end() || *it > dataSize())
        it = marks.begin();
    showLine(*it / bytesPerLine(), 1, false, *it);
}

void CBinaryPaneModel::previousMark()
{
    if (!startMarkMove())
        return;
    const auto marks = m_doc.BinaryMarks();
    const auto it = std::lower_bound(marks.begin(), marks.end(), m_nCaret);
    const uint32_t target = it != marks.begin() ? *(it - 1) : marks.back();
    showLine(target / bytesPerLine(), 1, false, target);
}

void CBinaryPaneModel::clearAllMarks()
{
    if (!m_doc.BinaryMarks().empty()) {
        m_doc.ClearBinaryMarks();
        m_host.invalidateAll();
    }
}
