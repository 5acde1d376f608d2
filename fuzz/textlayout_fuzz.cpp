// A text file of any bytes, wrapped under random layout options: the row table
// the line model builds is strictly ascending inside the data, every offset
// maps to a position and back, an edit rewraps to what a full build gives, and
// the tag-line parser only ever names what lies inside its line.
#include "doc/CLumoDoc.h"
#include "textpane/TagLine.h"
#include "textpane/TextLineModel.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    CTextLayout layout;
    layout.foldColumn = 10 + data[0] % 40;
    layout.tabWidth = 2 + data[1] % 8;
    layout.wordWrap = data[0] & 0x80;
    layout.kinsoku = data[1] & 0x80;
    layout.columnOut = "\x81\x41\x81\x42),.";
    const uint8_t* text = data + 2;
    const auto n = static_cast<uint32_t>(size - 2);

    CLumoDoc doc(CLumoDoc::kTextMode);
    if (!doc.IsComplete() || !doc.InsertBytes(0, text, n, nullptr))
        return 0;
    CTextLineModel model(doc, layout);
    (void)model.rebuild();
    const CRowTable& rows = doc.Rows();
    for (uint32_t row = 1; row < rows.Count(); ++row) {
        if (rows.Start(row) <= rows.Start(row - 1) || rows.Start(row) >= n)
            std::abort();
    }
    for (uint32_t offset = 0; offset <= n; offset += 1 + offset % 7) {
        const auto position = model.offsetToPosition(offset);
        if (position.line > rows.Count() || position.column > model.maxColumns())
            std::abort();
    }
    // Take the first byte out and rewrap from the start: the table must equal a fresh build.
    if (n > 1 && doc.DeleteBytes(0, 1, nullptr) == 1) {
        (void)model.rewrapFrom(0, -1, 0, 0);
        std::vector<uint32_t> incremental;
        for (uint32_t row = 0; row < rows.Count(); ++row)
            incremental.push_back(rows.Start(row));
        (void)model.rebuild();
        for (uint32_t row = 0; row < rows.Count(); ++row) {
            if (row >= incremental.size() || incremental[row] != rows.Start(row))
                std::abort();
        }
    }
    if (const auto tag = ParseTagLine(text, n)) {
        if (tag->name.size() > n || tag->line == 0)
            std::abort();
    }
    return 0;
}
