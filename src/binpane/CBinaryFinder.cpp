#include "binpane/CBinaryFinder.h"

#include "app/Settings.h"
#include "binpane/CBinaryPaneModel.h"
#include "binpane/CDocReplaceTarget.h"
#include "binpane/DumpGeometry.h"
#include "binpane/FindHistory.h"
#include "binpane/JumpText.h"
#include "binpane/ReplaceAll.h"
#include "doc/CLumoDoc.h"

int32_t g_bFindDown = 1;
int32_t g_bFindMatchCase = 0;
std::string g_strFindText;
std::string g_strReplaceText;
int32_t g_bReplaceDown = 1;
int32_t g_bReplaceMatchCase = 0;

namespace {

std::string firstChars(std::string_view text)
{
    return std::string(text.substr(0, kMaxPatternChars));
}

} // namespace

CBinaryFinder::CBinaryFinder(CBinaryPaneModel& model)
    : m_model(model)
{
}

PatternSource CBinaryFinder::source() const
{
    return m_model.m_nFocusPart == CBinaryCaretModel::kHexPart ? PatternSource::HexPart
                                                               : PatternSource::CharPart;
}

bool CBinaryFinder::matchCaseFor(bool requested) const
{
    // Hex digits name bytes: there is no case to ignore.
    return requested || source() == PatternSource::HexPart;
}

void CBinaryFinder::showHit(uint32_t position, uint32_t length)
{
    CDocReplaceTarget(m_model).showHit(position, length);
}

FindResult CBinaryFinder::findAndShow(const BytePattern& pattern, bool down, bool matchCase)
{
    if (pattern.empty()) {
        BeepRefusal();
        return FindResult::Refused;
    }
    FindRequest request;
    request.down = down;
    request.matchCase = matchCase;
    request.start = FindStart::Wrap;
    request.caret = m_model.m_nCaret;
    request.selection = m_model.hasSelection();
    request.selStart = m_model.m_nSelStart;
    request.selEnd = m_model.m_nSelEnd;
    CLumoDoc& doc = m_model.document();
    const auto hit = findBytes(doc.GetBlockPointer(), doc.DataSize(), pattern, request);
    if (!hit) {
        BeepRefusal();
        return FindResult::NotFound;
    }
    showHit(*hit, pattern.size());
    return FindResult::Found;
}

FindResult CBinaryFinder::findFromBox(std::string_view text, bool down)
{
    if (text.empty() || text.size() > kMaxPatternChars) {
        BeepRefusal();
        return FindResult::Refused;
    }
    const BytePattern pattern = patternFromText(text, source(), g_settings.EnRexp != 0);
    if (pattern.refused) {
        BeepRefusal();
        return FindResult::BadHexText;
    }
    g_findHistory.add(text);
    return findAndShow(pattern, down, matchCaseFor(g_bFindMatchCase != 0));
}

void CBinaryFinder::applyDialogFlags(const FindDialogRequest& request)
{
    g_settings.EnRexp = request.escapes ? 1 : 0;
}

void CBinaryFinder::rememberDialog(const FindDialogRequest& request, bool replaced)
{
    g_findHistory.add(request.findText);
    // The dialog's own flag: the hex part forcing case on is not the user's choice.
    g_bFindMatchCase = request.matchCase ? 1 : 0;
    g_bFindDown = request.down ? 1 : 0;
    if (replaced)
        g_replaceHistory.add(request.replaceText);
}

FindResult CBinaryFinder::findNext(const FindDialogRequest& request)
{
    applyDialogFlags(request);
    const BytePattern pattern = patternFromText(request.findText, source(), request.escapes);
    if (pattern.empty()) {
        // An empty text asks for nothing; hex digits that make no bytes beep.
        if (pattern.refused)
            BeepRefusal();
        return FindResult::Refused;
    }
    const FindResult result = findAndShow(pattern, request.down, matchCaseFor(request.matchCase));
    rememberDialog(request, false);
    return result;
}

FindResult CBinaryFinder::replaceOnce(const FindDialogRequest& request)
{
    applyDialogFlags(request);
    g_strFindText = firstChars(request.findText);
    g_strReplaceText = firstChars(request.replaceText);
    g_bReplaceDown = request.down ? 1 : 0;
    g_bReplaceMatchCase = request.matchCase ? 1 : 0;
    rememberDialog(request, true);

    const bool matchCase = matchCaseFor(request.matchCase);
    const uint32_t selected = m_model.m_nSelEnd - m_model.m_nSelStart + 1;
    if (!m_model.hasSelection() || selected > kMaxPatternChars) {
        BeepRefusal();
        return FindResult::Refused;
    }
    const BytePattern find = patternFromText(request.findText, source(), request.escapes);
    CDocReplaceTarget target(m_model);
    if (!selectionMatches(target.dataBytes(), target.dataSize(), find, matchCase, m_model.m_nSelStart,
                          m_model.m_nSelEnd)) {
        const FindResult found = findAndShow(find, request.down, matchCase);
        if (found != FindResult::Found)
            return found;
    }
    BytePattern replacement;
    if (!request.replaceText.empty()) {
        replacement = patternFromText(request.replaceText, source(), request.escapes);
        if (replacement.empty()) {
            BeepRefusal();
            return FindResult::Refused;
        }
    }
    const uint32_t position = m_model.m_nSelStart;
    if (!target.replaceSelection(position, find.size(), replacement.bytes.data(), replacement.size()))
        return FindResult::Refused;
    return findAndShow(find, request.down, matchCase);
}

uint32_t CBinaryFinder::replaceAll(const FindDialogRequest& request, const AbortCheck& checkAbort)
{
    applyDialogFlags(request);
    g_strFindText = firstChars(request.findText);
    g_strReplaceText = firstChars(request.replaceText);
    FindDialogRequest down = request;
    down.down = true;
    rememberDialog(down, true);

    ReplaceAllRequest all;
    all.findText = request.findText;
    all.replaceText = request.replaceText;
    all.source = source();
    all.matchCase = matchCaseFor(request.matchCase);
    all.enRexp = request.escapes;
    CDocReplaceTarget target(m_model);
    return ::replaceAll(target, all, checkAbort);
}

bool CBinaryFinder::jump(std::string_view text)
{
    const auto offset = acceptJumpText(text, m_model.document().DataSize());
    if (!offset) {
        BeepRefusal();
        return false;
    }
    // The caret moves away: a selection left behind would hide it.
    m_model.clearSelection();
    const uint32_t b = static_cast<uint32_t>(CDumpGeometry::FromSettings(g_settings).B);
    m_model.showLine(*offset / b, 1, false, *offset);
    if (m_model.m_nCaret != *offset) // a pane not laid out yet shows no line
        m_model.setCaretOffset(*offset);
    return true;
}
