// The character column of a UTF-16LE line: each code unit converted to code
// page 932 ('?' where it has no character) and spread over two cells.
#pragma once

#include <cstdint>

namespace dumputf16 {

// bytes: the line's n bytes; fullLine: the line has all its bytes per line
// (it is then padded to that width). Writes at most bytesPerLine bytes.
int RowText(const uint8_t* bytes, int n, bool fullLine, int bytesPerLine, uint8_t* out);

} // namespace dumputf16
