// Where every cell of a dump line stands. A line has three parts: the address
// (columns 0..7), the hex digits (byte i at 10 + 3i + i/K, two cells) and the
// character column (cell i at C + i, one cell more than bytes per line).
// Painting, printing, screen copy and comparison all place text by it.
#pragma once

struct CSettings;

struct CDumpGeometry
{
    static constexpr int kAddressCells = 8;
    static constexpr int kMinBytesPerLine = 5;
    static constexpr int kMaxBytesPerLine = 64;

    int B = 16;  // bytes per line
    int K = 8;   // bytes per block of the hex part
    int C = 60;  // first column of the character part

    CDumpGeometry() = default;
    CDumpGeometry(int bytesPerLine, int blockBytes);
    // BytesPerLine and the block size in effect; values outside 5..64 fall
    // back to their defaults, as the settings loader does.
    static CDumpGeometry FromSettings(const CSettings& s);

    // Column of cell i of a line part: the address (1) i = 0..7; the hex
    // digits (2) the high digit of byte i; the characters (3) i = 0..B.
    int cellColumn(int part, int i) const
    {
        switch (part) {
        case 1: return i;
        case 2: return 10 + 3 * i + i / K;
        default: return C + i;
        }
    }
    // Column of character k of a part's text: the hex text holds two digits per byte.
    int textColumn(int part, int k) const
    {
        return part == 2 ? cellColumn(2, k / 2) + k % 2 : cellColumn(part, k);
    }
};
