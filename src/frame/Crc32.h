// CRC-32 as zip, PNG and Ethernet have it (reflected polynomial 0xEDB88320,
// all ones in and out), fed a block at a time. Eight bytes go through eight
// tables per step, so a large selection is summed at memory speed.
#pragma once

#include <cstddef>
#include <cstdint>

class CCrc32
{
public:
    void update(const uint8_t* bytes, size_t n);
    uint32_t value() const { return ~m_nState; }

private:
    uint32_t m_nState = 0xFFFFFFFFu;
};
