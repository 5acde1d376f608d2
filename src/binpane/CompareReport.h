// The compare report: the dump lines in which two byte sources differ, line
// by line over the shorter of them, each pair with its equal bytes blanked
// out by the replacing character. The hex pane's compare command and
// `vexel --compare` both write it through CCompareReport, so their texts are
// the same byte for byte.
//
// For the hex pane: both documents are whole in memory, so
//     CDocDumpSource mine(currentDoc), other(otherDoc);
//     CCompareText text;
//     const CompareOutcome r = WriteCompareReport(mine, other, g_settings, text);
// then append text.text (CP932, CR LF) to the result document in one
// insertion; r.differingLines == 0 means the contents agree (an empty source
// has beeped already). Neither document may change meanwhile.
#pragma once

#include "binpane/DumpLayout.h"

#include <cstddef>
#include <cstdint>
#include <string>

class CDumpSource;
struct CSettings;

// Where the report goes, a piece at a time (each piece whole lines).
class CCompareSink
{
public:
    virtual ~CCompareSink() = default;
    // False when the text could not be taken; the report stops.
    [[nodiscard]] virtual bool write(const uint8_t* text, size_t n) = 0;
};

// The whole report in memory.
class CCompareText final : public CCompareSink
{
public:
    bool write(const uint8_t* p, size_t n) override
    {
        text.append(reinterpret_cast<const char*>(p), n);
        return true;
    }

    std::string text;
};

struct CompareOutcome
{
    uint64_t differingLines = 0;
    bool written = true;  // false: the sink refused a piece
};

// Compares two sources line by line and writes the report. The equal stretches
// are compared a span at a time and only differing lines are formatted.
// Lines are taken in order, so streamed sources may be fed as they are read:
// compareWholeLines as far as both sources reach, then finish once both are
// read (see CompareFiles).
class CCompareReport
{
public:
    // `mine` is the current document, written first in each pair. The lines
    // are CP932, or UTF-8 with lineCode Utf8.
    CCompareReport(CDumpSource& mine, CDumpSource& other, const CSettings& settings, CCompareSink& sink,
                   CDumpLayout::LineCode lineCode = CDumpLayout::LineCode::Cp932);

    int bytesPerLine() const { return m_nB; }
    // The first line not yet compared.
    uint64_t nextLine() const { return m_nNextLine; }
    uint64_t differingLines() const { return m_nDiffering; }

    // The sources have grown (files still being read).
    void sourcesGrew();
    // Compares the lines before `end`, all of which both sources hold whole
    // together with the byte after them. False when the sink refused.
    [[nodiscard]] bool compareWholeLines(uint64_t end);
    // Both sources hold all their bytes: compares the rest of the shorter one,
    // its last line over the bytes it has. Beeps when either is empty.
    [[nodiscard]] bool finish();

private:
    [[nodiscard]] bool compareBytes(uint64_t end);
    [[nodiscard]] bool reportLine(uint64_t line);

    CDumpSource& m_mine;
    CDumpSource& m_other;
    CDumpLayout m_mineLayout;
    CDumpLayout m_otherLayout;
    CCompareSink& m_sink;
    int m_nB;
    int m_nC;
    uint8_t m_replacing;
    int m_nBeepSound;
    bool m_bUtf8;
    uint64_t m_nNextLine = 0;
    uint64_t m_nDiffering = 0;
};

// The report of two sources that hold all their bytes (documents, memory).
[[nodiscard]] CompareOutcome WriteCompareReport(CDumpSource& mine, CDumpSource& other, const CSettings& settings,
                                                CCompareSink& sink,
                                                CDumpLayout::LineCode lineCode = CDumpLayout::LineCode::Cp932);
