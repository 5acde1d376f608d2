// The lines a text document prints: the text cut into lines no wider than
// the page holds, as the pane cuts it into display lines, and the cells each
// printed line fills on the page grid.
#pragma once

#include "textpane/TextWrap.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CLumoDoc;

struct TextPrintLine
{
    uint32_t start = 0;        // offset of its first byte
    uint32_t logicalLine = 0;  // index of its logical line from the text's start
    bool startsLogicalLine = false;
};

// The layout a page of `charsPerLine` cells prints a document of this layout
// by: its fold narrowed so that a line, with a hanging character or a
// trailing space, never runs past the page.
CTextLayout PrintTextLayout(const CTextLayout& document, int charsPerLine);

// The printed lines of [from, to) of the document's bytes, wrapped by
// `wrap`; from must start a display line. Nothing when there would be
// `capacity` lines or more (the line table's limit).
std::optional<std::vector<TextPrintLine>> BuildTextPrintLines(CLumoDoc& doc, uint32_t from, uint32_t to,
                                                              const CTextWrap& wrap, size_t capacity);

// The cells of one printed line, in code page 932: a tab becomes the blanks
// up to its stop, the line break and other control bytes blanks or nothing
// (at the end), a double-byte character its two bytes over two cells.
std::string TextPrintCells(const uint8_t* text, uint32_t n, const CTextWrap& wrap);
