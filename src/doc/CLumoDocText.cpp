// What a text document keeps in step with its bytes on every edit: the line
// marks, the marked strings, the tag-origin line, the comment table and the
// offset of the last character unit.
#include "doc/CLumoDoc.h"

#include "platform/Cp932.h"

#include <algorithm>

namespace {

constexpr uint8_t kCr = 13;
constexpr uint8_t kLf = 10;

bool StartsTwoByteUnit(uint8_t b)
{
    return b == kCr || cp932::IsLeadByte(b);
}

// The document's bytes through its edit window, so that following an edit
// does not write the window back.
class CImageText : public CCommentText
{
public:
    CImageText(CFileImage& image, uint32_t size)
        : m_image(image)
        , m_nSize(size)
    {
    }
    uint32_t size() const override { return m_nSize; }
    uint8_t operator[](uint32_t pos) const override { return m_image.GetAt(pos); }

private:
    CFileImage& m_image;
    uint32_t m_nSize;
};

// A line mark (or the tag origin) names the CR before its line; the first
// line's mark and the unset origin name none and never move.
bool IsFixedMark(uint32_t mark)
{
    return mark >= CLumoDoc::kFirstLineMark;
}

} // namespace

int32_t CLumoDoc::LastTextUnit()
{
    const uint32_t size = m_nDataSize;
    if (size < 2)
        return static_cast<int32_t>(size) - 1;
    // A byte that cannot begin a two-byte unit ends a unit, so a unit starts
    // right after it; from there the run of bytes that can begin one pairs
    // off. Only that run before the last byte is read.
    uint32_t runStart = size - 1;
    while (runStart > 0 && StartsTwoByteUnit(m_image.GetAt(runStart - 1)))
        --runStart;
    const uint32_t run = size - 1 - runStart;
    return static_cast<int32_t>(run % 2 == 1 ? size - 2 : size - 1);
}

void CLumoDoc::MoveMarksForInsert(uint32_t position, const uint8_t* bytes, uint32_t n)
{
    // A line break put in before the CR LF of an empty marked line takes the
    // mark along: the marked line is the one the old line break ended.
    const bool breakBeforeBreak = n == 2 && bytes[0] == kCr && bytes[1] == kLf
                                  && position + 2 < m_nDataSize && m_image.GetAt(position + 2) == kCr;
    auto move = [&](uint32_t& mark) {
        if (mark == kNoTextAuxPos)
            return;
        if (breakBeforeBreak && mark + 2 == position)
            mark = position;
        else if (!IsFixedMark(mark) && mark >= position)
            mark += n;
    };
    for (int i = 0; i < m_nTextMarkCount; ++i)
        move(m_textMarks[i]);
    move(m_nTextAuxPos);

    auto* tag = m_tags.begin();
    for (auto* t = m_tags.begin(); t != m_tags.begin() + m_nTagCount; ++t) {
        if (t->nOffset < position && position < t->nOffset + uint32_t(t->nLength))
            continue; // split by the insertion
        if (t->nOffset >= position)
            t->nOffset += n;
        *tag++ = *t;
    }
    m_nTagCount = static_cast<int32_t>(tag - m_tags.begin());
}

void CLumoDoc::MoveMarksForDelete(uint32_t position, uint32_t n)
{
    const uint32_t end = position + n;
    // The first and the last line break wholly inside the range.
    uint32_t firstBreak = end;
    uint32_t lastBreak = end;
    for (uint32_t p = position; p + 1 < end; ++p)
        if (m_image.GetAt(p) == kCr && m_image.GetAt(p + 1) == kLf) {
            firstBreak = std::min(firstBreak, p);
            lastBreak = p;
        }
    const bool atLineStart = position == 0 || (position >= 2 && m_image.GetAt(position - 2) == kCr
                                               && m_image.GetAt(position - 1) == kLf);
    // A mark, read as the start of its line: a line the range starts at and
    // takes the line break of goes; so does a line whose start went with a
    // line break that was not a whole line's (it joins the line before, or
    // loses half its break). A line whose start went with whole lines before
    // it, its own break kept, now starts where the range did.
    auto follow = [&](uint32_t mark) {
        if (mark == kNoTextAuxPos)
            return mark;
        const uint32_t line = mark + 2; // the first line's mark gives 0
        if (line <= position)
            return line == position && firstBreak < end ? kNoTextAuxPos : mark;
        if (line <= end)
            return atLineStart && (lastBreak == end || lastBreak < line) ? position - 2 : kNoTextAuxPos;
        return line == end + 1 ? kNoTextAuxPos : mark - n;
    };
    auto* kept = m_textMarks.begin();
    for (auto* m = m_textMarks.begin(); m != m_textMarks.begin() + m_nTextMarkCount; ++m)
        if (const uint32_t moved = follow(*m); moved != kNoTextAuxPos)
            *kept++ = moved;
    m_nTextMarkCount = static_cast<int32_t>(kept - m_textMarks.begin());
    m_nTextAuxPos = follow(m_nTextAuxPos);

    auto* tag = m_tags.begin();
    for (auto* t = m_tags.begin(); t != m_tags.begin() + m_nTagCount; ++t) {
        if (t->nOffset < end && position < t->nOffset + uint32_t(t->nLength))
            continue; // overlapped by the deletion
        if (t->nOffset >= end)
            t->nOffset -= n;
        *tag++ = *t;
    }
    m_nTagCount = static_cast<int32_t>(tag - m_tags.begin());
}

bool CLumoDoc::CommentsFollow(uint32_t position, uint32_t removed, uint32_t inserted)
{
    const CImageText text(m_image, m_nDataSize);
    return removed > 0 ? m_comments.Deleted(text, position, removed)
                       : m_comments.Inserted(text, position, inserted);
}

void CLumoDoc::AppendOutput(const char* text)
{
    m_bAppendPending = true;
    UpdateAllViews(kHintAppendText, const_cast<char*>(text));
    m_bAppendPending = false;
}

void CLumoDoc::AppendOutput(const uint8_t* bytes, uint32_t n, bool moveCaret)
{
    m_nAppendLength = n;
    m_bAppendPending = true;
    UpdateAllViews(moveCaret ? kHintAppendBlock : kHintAppendBlockStay, const_cast<uint8_t*>(bytes));
    m_bAppendPending = false;
}
