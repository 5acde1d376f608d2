// Where the "/*" and "*/" of a text document stand, so that the text pane can
// colour comment areas without reading the text before what it draws. Openers
// that a "//" earlier on their line turns into comment text are left out;
// every closer is kept. Both lists are ascending and hold at most kCapacity
// entries: more are reported once and not recorded. A line ends after CR LF.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Text the table reads a byte at a time, for a document whose bytes are not
// in one block (an edit waits in its edit window).
class CCommentText
{
public:
    virtual ~CCommentText() = default;
    virtual uint32_t size() const = 0;
    virtual uint8_t operator[](uint32_t pos) const = 0;
};

class CAreaCommentTable
{
public:
    static constexpr size_t kCapacity = 700;

    std::span<const uint32_t> Openers() const { return m_open; }
    std::span<const uint32_t> Closers() const { return m_close; }

    void Clear();
    void Rebuild(std::span<const uint8_t> text);

    // Follow an edit, given the text after it: n bytes were inserted at, or
    // deleted from, position. Each answers whether the edit made, broke or
    // moved a comment delimiter or "//", or touched a line that holds one, so
    // that colours may change beyond the edited line.
    [[nodiscard]] bool Inserted(const CCommentText& text, uint32_t position, uint32_t n);
    [[nodiscard]] bool Deleted(const CCommentText& text, uint32_t position, uint32_t n);
    [[nodiscard]] bool Inserted(std::span<const uint8_t> text, uint32_t position, uint32_t n);
    [[nodiscard]] bool Deleted(std::span<const uint8_t> text, uint32_t position, uint32_t n);

private:
    std::vector<uint32_t> m_open;
    std::vector<uint32_t> m_close;

    // Scans the whole lines [from, to) of text: drops the entries there and
    // records what the scan finds. Answers whether the lines hold any
    // delimiter or "//".
    template <class Text>
    bool Rescan(const Text& text, uint32_t from, uint32_t to, bool& overflow);
    bool Follow(const CCommentText& text, uint32_t position, uint32_t after, bool changed);
};
