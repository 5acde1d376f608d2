#include "frame/SelectionFacts.h"

#include <cstdio>

std::string CountText(uint32_t n)
{
    std::string digits = std::to_string(n);
    for (size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", n);
    return digits + " (0x" + hex + ")";
}

std::string SelectionPaneText(std::optional<uint32_t> selected)
{
    return selected ? "選択: " + CountText(*selected) : std::string();
}

std::string SizePaneText(uint32_t dataSize)
{
    return "サイズ: " + CountText(dataSize);
}

std::string SummedBytesText(const SummedBytes& summed)
{
    if (summed.wholeDocument)
        return "文書全体: " + CountText(summed.length) + " バイト";
    char range[48];
    const uint32_t last = summed.length ? summed.start + summed.length - 1 : summed.start;
    std::snprintf(range, sizeof range, "0x%08X - 0x%08X", summed.start, last);
    return "選択範囲: " + std::string(range) + "  " + CountText(summed.length) + " バイト";
}

std::string ChecksumLines(const ChecksumValues& values)
{
    const std::string* sums[] = {&values.crc32, &values.md5, &values.sha1, &values.sha256};
    std::string lines;
    for (size_t i = 0; i < std::size(sums); ++i)
        lines += std::string(kChecksumNames[i]) + ": " + *sums[i] + "\n";
    return lines;
}

std::string Crc32Hex(uint32_t crc)
{
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", crc);
    return hex;
}
