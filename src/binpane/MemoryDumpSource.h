// A dump source over bytes held in memory by the caller.
#pragma once

#include "binpane/DumpSource.h"

#include <cstddef>
#include <cstdint>

class CMemoryDumpSource final : public CDumpSource
{
public:
    CMemoryDumpSource(const uint8_t* data, uint64_t size) : m_pData(data), m_nSize(size) {}

    uint64_t size() const override { return m_nSize; }
    uint8_t byteAt(uint64_t pos) override { return m_pData[pos]; }
    const uint8_t* span(uint64_t pos, uint32_t) override { return m_pData + pos; }

private:
    const uint8_t* m_pData;
    uint64_t m_nSize;
};
