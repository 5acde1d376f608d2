// The bytes a dump is made of, seen through the three questions the dump text
// asks: how many there are, one byte, and a run of bytes. The hex pane reads a
// document through it; the --dump command reads a file stream; tests and
// benchmarks read plain memory. Positions are 64-bit: a streamed file may be
// larger than anything a document holds.
#pragma once

#include <cstdint>

class CDumpSource
{
public:
    virtual ~CDumpSource() = default;

    virtual uint64_t size() const = 0;
    // pos < size().
    virtual uint8_t byteAt(uint64_t pos) = 0;
    // An address from which n bytes at pos can be read (pos + n <= size()).
    // Valid only until the next call on this source.
    virtual const uint8_t* span(uint64_t pos, uint32_t n) = 0;
};
