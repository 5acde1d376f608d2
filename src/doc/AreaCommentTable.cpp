#include "doc/AreaCommentTable.h"

#include "platform/Messages.h"

#include <algorithm>

namespace {

// The whole text in one block.
class CSpanText : public CCommentText
{
public:
    explicit CSpanText(std::span<const uint8_t> text)
        : m_text(text)
    {
    }
    uint32_t size() const override { return static_cast<uint32_t>(m_text.size()); }
    uint8_t operator[](uint32_t pos) const override { return m_text[pos]; }

private:
    std::span<const uint8_t> m_text;
};

template <class Text>
bool IsLineBreak(const Text& text, size_t at)
{
    return at + 1 < text.size() && text[at] == '\r' && text[at + 1] == '\n';
}

// The start of the line holding position x.
uint32_t LineStart(const CCommentText& text, uint32_t x)
{
    for (uint32_t a = x; a >= 2; --a)
        if (IsLineBreak(text, a - 2))
            return a;
    return 0;
}

// The end (just after its CR LF, or the text end) of the line holding x.
uint32_t LineEnd(const CCommentText& text, uint32_t x)
{
    for (size_t q = x == 0 ? 0 : x - 1; q + 1 < text.size(); ++q)
        if (IsLineBreak(text, q))
            return static_cast<uint32_t>(q + 2);
    return static_cast<uint32_t>(text.size());
}

using Entries = std::vector<uint32_t>;

std::pair<Entries::iterator, Entries::iterator> Within(Entries& entries, uint32_t from, uint32_t to)
{
    return {std::lower_bound(entries.begin(), entries.end(), from),
            std::lower_bound(entries.begin(), entries.end(), to)};
}

// Replaces the entries in [from, to) by found, as far as the room goes.
bool Replace(Entries& entries, uint32_t from, uint32_t to, Entries& found, bool& overflow)
{
    auto [first, last] = Within(entries, from, to);
    const bool had = first != last;
    const auto at = entries.erase(first, last);
    const size_t room = CAreaCommentTable::kCapacity - entries.size();
    if (found.size() > room) {
        found.resize(room);
        overflow = true;
    }
    entries.insert(at, found.begin(), found.end());
    return had;
}

} // namespace

void CAreaCommentTable::Clear()
{
    m_open.clear();
    m_close.clear();
}

void CAreaCommentTable::Rebuild(std::span<const uint8_t> text)
{
    Clear();
    bool overflow = false;
    Rescan(text, 0, static_cast<uint32_t>(text.size()), overflow);
    if (overflow)
        ShowMessage(StringId::IdsCommentTableFull);
}

template <class Text>
bool CAreaCommentTable::Rescan(const Text& text, uint32_t from, uint32_t to, bool& overflow)
{
    Entries open;
    Entries close;
    bool found = false;
    bool inLineComment = false;
    for (uint32_t p = from; p < to && p + 1 < text.size(); ++p) {
        const uint8_t a = text[p];
        const uint8_t b = text[p + 1];
        if (a == '\r' && b == '\n') {
            inLineComment = false;
        } else if (a == '/' && b == '*') {
            found = true;
            if (!inLineComment)
                open.push_back(p);
        } else if (a == '*' && b == '/') {
            found = true;
            close.push_back(p);
        } else if (a == '/' && b == '/') {
            found = true;
            inLineComment = true;
        }
    }
    const bool hadOpen = Replace(m_open, from, to, open, overflow);
    const bool hadClose = Replace(m_close, from, to, close, overflow);
    return found || hadOpen || hadClose;
}

bool CAreaCommentTable::Inserted(std::span<const uint8_t> text, uint32_t position, uint32_t n)
{
    return Inserted(CSpanText(text), position, n);
}

bool CAreaCommentTable::Deleted(std::span<const uint8_t> text, uint32_t position, uint32_t n)
{
    return Deleted(CSpanText(text), position, n);
}

bool CAreaCommentTable::Inserted(const CCommentText& text, uint32_t position, uint32_t n)
{
    for (Entries* entries : {&m_open, &m_close})
        for (auto it = std::lower_bound(entries->begin(), entries->end(), position); it != entries->end(); ++it)
            *it += n;
    return Follow(text, position, position + n, false);
}

bool CAreaCommentTable::Deleted(const CCommentText& text, uint32_t position, uint32_t n)
{
    bool removed = false;
    for (Entries* entries : {&m_open, &m_close}) {
        auto [first, last] = Within(*entries, position, position + n);
        removed = removed || first != last;
        for (auto it = entries->erase(first, last); it != entries->end(); ++it)
            *it -= n;
    }
    return Follow(text, position, position, removed);
}

// Rescans the lines around the edit: from the line of the byte before it to
// the line after the byte following it, which takes in delimiters formed or
// broken across the edit's edges and line breaks made or joined there.
bool CAreaCommentTable::Follow(const CCommentText& text, uint32_t position, uint32_t after, bool changed)
{
    const uint32_t size = static_cast<uint32_t>(text.size());
    const uint32_t from = LineStart(text, std::min(position == 0 ? 0 : position - 1, size));
    const uint32_t to = LineEnd(text, std::min(after + 1, size));
    bool overflow = false;
    const bool touched = Rescan(text, from, to, overflow) || changed;
    if (overflow)
        ShowMessage(StringId::IdsCommentTableFull);
    return touched;
}
