#include "textpane/TextWrap.h"

#include "platform/Cp932.h"

#include <algorithm>
#include <array>

namespace {

// Letters and digits of the default C locale: a word is a run of them.
constexpr std::array<bool, 256> kAlnum = [] {
    std::array<bool, 256> t{};
    for (int b = '0'; b <= '9'; ++b)
        t[b] = true;
    for (int b = 'A'; b <= 'Z'; ++b)
        t[b] = t[b + 32] = true;
    return t;
}();

constexpr uint32_t kNone = UINT32_MAX;

} // namespace

CTextWrap::CTextWrap(const CTextLayout& layout)
    // A fold below 2 could end a line before its first unit.
    : m_nFold(std::max<uint32_t>(layout.foldColumn, 2))
    , m_nTab(std::max<uint32_t>(layout.tabWidth, 1))
    , m_bWordWrap(layout.wordWrap)
    , m_bKinsoku(layout.kinsoku)
{
    const std::string& s = layout.columnOut;
    for (size_t i = 0; i < s.size(); ++i) {
        const auto b = static_cast<uint8_t>(s[i]);
        if (cp932::IsLeadByte(b) && i + 1 < s.size())
            m_hangPair.set(size_t{b} << 8 | static_cast<uint8_t>(s[++i]));
        else if (!cp932::IsLeadByte(b))
            m_hangSingle.set(b);
    }
}

bool CTextWrap::IsWordByte(uint8_t b)
{
    return kAlnum[b];
}

bool CTextWrap::IsTwoByte(uint8_t b)
{
    return b == kCr || cp932::IsLeadByte(b);
}

bool CTextWrap::MayHang(const uint8_t* s, uint32_t n) const
{
    if (UnitLength(s, n) == 2)
        return m_bKinsoku && m_hangPair.test(size_t{s[0]} << 8 | s[1]);
    return (m_bWordWrap && s[0] == ' ') || (m_bKinsoku && m_hangSingle.test(s[0]));
}

uint32_t CTextWrap::LineLength(const uint8_t* s, uint32_t n) const
{
    const uint32_t fold = m_nFold;
    uint32_t c = 0;
    uint32_t p = 0;
    uint32_t prev = 0; // the unit taken last
    uint32_t lastBreak = kNone;
    uint32_t breakAt = n;
    while (p < n) {
        if (m_bWordWrap && !kAlnum[s[prev]])
            lastBreak = prev;
        const uint8_t b = s[p];
        if (b == kCr)
            return std::min(p + 2, n); // a CR LF ends the line, whatever the options
        if (c >= fold + 1 || (c == fold && !MayHang(s + p, n - p))) {
            breakAt = p;
            break;
        }
        const uint32_t unit = p;
        if (b == '\t') {
            c += m_nTab - c % m_nTab;
            ++p;
        } else if (cp932::IsLeadByte(b) && n - p > 1) {
            if (c + 1 >= fold && !MayHang(s + p, n - p)) {
                breakAt = p;
                break;
            }
            p += 2;
            c += 2;
        } else {
            ++p;
            ++c;
        }
        prev = unit;
        if (c > fold + 2) {
            breakAt = p;
            break;
        }
    }
    if (breakAt >= n || !m_bWordWrap)
        return breakAt;
    // A word that would straddle the fold moves whole to the next line.
    if (!kAlnum[s[breakAt]] || !kAlnum[s[prev]] || lastBreak == kNone)
        return breakAt;
    return lastBreak + UnitLength(s + lastBreak, n - lastBreak);
}
