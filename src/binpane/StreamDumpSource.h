// A dump source over a file read front to back in chunks, in constant memory
// whatever the file's size. It holds the newest chunk and the bytes just
// before it, enough for a layout that formats lines in order: the line, the
// byte after it and the JIS or EUC look-back window.
#pragma once

#include "binpane/DumpLookBack.h"
#include "binpane/DumpSource.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CStreamDumpSource final : public CDumpSource
{
public:
    static constexpr size_t kDefaultChunk = size_t { 1 } << 20;
    // Bytes kept from before the newest chunk.
    static constexpr size_t kKeep = 2 * CDumpLookBack::kWindow;

    // Reads from `fd`, which stays the caller's. A chunk of any size from 1 on
    // gives the same bytes.
    explicit CStreamDumpSource(int fd, size_t chunk = kDefaultChunk);

    // The bytes read so far; positions more than kKeep before the newest
    // chunk can no longer be read.
    uint64_t size() const override { return m_nBase + m_nUsed; }
    uint8_t byteAt(uint64_t pos) override { return *span(pos, 1); }
    const uint8_t* span(uint64_t pos, uint32_t n) override;

    // The whole file has been read.
    bool atEnd() const { return m_bEnd; }
    // Reads the next chunk, or up to the end of the file. False after a read
    // error, with errno telling which.
    [[nodiscard]] bool readMore();

private:
    int m_fd;
    size_t m_nChunk;
    std::vector<uint8_t> m_buffer;  // kKeep bytes of room, then a chunk
    size_t m_nUsed = 0;
    uint64_t m_nBase = 0;           // file position of m_buffer[0]
    bool m_bEnd = false;
};
