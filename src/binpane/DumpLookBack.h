// What the character column needs to know about the bytes before a line:
// whether its first byte is the trail of a Shift-JIS pair, and the JIS or EUC
// state at its start. Each answer is that of a walk back from the line start;
// consecutive lines (the usual case: a screen, a screen copy, a whole-file
// dump) reuse what the walk for the previous line found, so dumping a file
// costs one pass over it, never a walk per line.
#pragma once

#include "platform/Cp932.h"

#include <cstdint>

class CDumpSource;

// The state of a JIS or EUC text at a line start.
struct CDumpCodeState
{
    bool kanji = false;       // JIS: inside ESC $ B / ESC $ @
    bool kana = false;        // EUC: the line starts at or just after a 0x8E
    bool secondByte = false;  // the line starts with the second byte of a pair
    int carry = 0;            // bytes at the line start that belong to an escape or to 0x8E
};

class CDumpLookBack
{
public:
    // The JIS and EUC walks look at no more than this many positions.
    static constexpr uint32_t kWindow = 4096;

    // The source must not change while this object is used.
    explicit CDumpLookBack(CDumpSource& source);

    // Shift-JIS. The byte at p0 (whose value is b0) is the trail byte of a
    // double-byte character of the file: it is not below 0x40 and an odd
    // number of lead bytes stands right before it (such a run always starts
    // at a character boundary: after a non-lead byte, or at the file start).
    // Reads nothing after prepareSjis(p0).
    bool sjisTrailAt(uint64_t p0, uint8_t b0)
    {
        prepareSjis(p0);
        const int64_t run = static_cast<int64_t>(p0) - 1 - m_sjis.a;
        return b0 >= 0x40 && (run & 1) != 0;
    }
    void prepareSjis(uint64_t p0)
    {
        if (p0 != m_sjis.end)
            moveSjis(p0);
    }
    // The n bytes at pos have been read anyway: the next Shift-JIS answer
    // need not read them again.
    void sawBytes(uint64_t pos, const uint8_t* s, uint32_t n)
    {
        if (pos == m_sjis.end)
            noteSjis(pos, s, n);
    }
    // The lines up to p0 are passed over unformatted: read forward to p0 now,
    // however far, so that the answer at p0 costs no walk back.
    void carrySjis(uint64_t p0)
    {
        if (m_sjis.end <= p0)
            scanSjis(p0);
    }

    CDumpCodeState jisStateAt(uint64_t p0);
    CDumpCodeState eucStateAt(uint64_t p0);

    // The source has grown (a file still being read). Answers stay those of
    // the whole file for lines whose bytes and the byte after them were there.
    void sourceGrew();

private:
    // Positions [start, end) have been examined; a and b are what they showed.
    struct Scan
    {
        uint64_t start = 0;
        uint64_t end = 0;
        int64_t a = -1;
        int64_t b = -1;
        bool kanji = false;
    };

    void moveSjis(uint64_t p0);
    int64_t lastNonLeadBefore(uint64_t end);
    void scanSjis(uint64_t to);
    void noteSjis(uint64_t from, const uint8_t* s, uint32_t n)
    {
        for (uint32_t i = n; i-- > 0;) {
            const uint8_t b = s[i];
            if (!cp932::IsLeadByte(b)) {
                m_sjis.a = static_cast<int64_t>(from + i);
                break;
            }
        }
        m_sjis.end = from + n;
    }
    void scanJis(uint64_t to);
    void scanEuc(uint64_t to);
    // Keeps the scan when it can be carried to p0 (inclusive) within the window.
    static void prepare(Scan& scan, uint64_t lo, uint64_t p0);

    CDumpSource& m_source;
    uint64_t m_nSize;
    Scan m_sjis;  // a: last position whose byte is not a lead byte
    Scan m_jis;   // a: last recognised escape sequence; kanji: its kind
    Scan m_euc;   // a: last byte below 0x80; b: last 0x8E (any before a may be lost)
};
