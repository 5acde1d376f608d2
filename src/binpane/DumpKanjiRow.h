// The character column of a JIS (ISO-2022-JP) or EUC-JP line: the line's bytes
// converted to Shift-JIS so that the pane can draw them, one cell per byte.
#pragma once

#include "binpane/DumpLookBack.h"

#include <cstdint>

namespace dumpkanji {

enum class Code { Jis, Euc };

// Converts n bytes to as many Shift-JIS bytes (escape sequences become dots).
// JIS starts in the kanji state when `shifted`; EUC copies the first byte
// unchanged when `shifted` (it is the kana byte after a 0x8E).
int ConvertJis(const uint8_t* s, int n, bool shifted, uint8_t* out);
int ConvertEuc(const uint8_t* s, int n, bool shifted, uint8_t* out);

// The row text of a line: `work` holds the line's n bytes and one look-ahead
// byte (the next file byte, or 0x01 after the last line); `state` is the state
// at the line start. Writes at most n + 2 bytes and answers their number.
int RowText(Code code, const uint8_t* work, int n, int bytesPerLine,
            const CDumpCodeState& state, uint8_t* out);

} // namespace dumpkanji
