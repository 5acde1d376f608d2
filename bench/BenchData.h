// Writing the bytes a benchmark runs on to a file, for the compare scripts
// that time other programs on the same bytes (`--make-data FILE`).
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>

// 0 when the file holds the bytes, 1 otherwise (an exit status).
inline int WriteBytesFile(const char* path, std::span<const uint8_t> bytes)
{
    std::FILE* f = std::fopen(path, "wb");
    const bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return f && std::fclose(f) == 0 && ok ? 0 : 1;
}
