#include "textpane/KeywordScan.h"

#include "platform/Cp932.h"

namespace {

bool IsWordByte(uint8_t b)
{
    return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

uint8_t Fold(uint8_t b)
{
    return b >= 'A' && b <= 'Z' ? static_cast<uint8_t>(b + ('a' - 'A')) : b;
}

// A unit is two bytes after a lead byte or a CR, as the line model counts it.
size_t UnitLength(uint8_t b)
{
    return cp932::IsLeadByte(b) || b == '\r' ? 2 : 1;
}

bool MatchesAt(std::span<const uint8_t> text, size_t at, std::string_view word, bool matchCase)
{
    if (word.empty() || word.size() > text.size() - at)
        return false;
    bool trail = false; // the second byte of a double-byte unit never folds
    for (size_t i = 0; i < word.size(); ++i) {
        const uint8_t t = text[at + i];
        const auto w = static_cast<uint8_t>(word[i]);
        if ((matchCase || trail) ? t != w : Fold(t) != Fold(w))
            return false;
        trail = !trail && UnitLength(t) == 2;
    }
    return true;
}

} // namespace

void FindWords(std::span<const uint8_t> text, std::span<const std::string_view> words, CWordRules rules,
               const std::function<void(size_t at, size_t length)>& found)
{
    bool wordBefore = false;
    for (size_t at = 0; at < text.size();) {
        for (std::string_view word : words) {
            if (!MatchesAt(text, at, word, rules.matchCase))
                continue;
            const size_t end = at + word.size();
            if (rules.wholeWord && (wordBefore || (end < text.size() && IsWordByte(text[end]))))
                continue;
            found(at, word.size());
        }
        const size_t unit = UnitLength(text[at]);
        wordBefore = unit == 1 && IsWordByte(text[at]);
        at += unit;
    }
}
