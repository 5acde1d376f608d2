#include "binpane/StreamDumpSource.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstring>
#include <unistd.h>

CStreamDumpSource::CStreamDumpSource(int fd, size_t chunk)
    : m_fd(fd), m_nChunk(std::max<size_t>(chunk, 1)), m_buffer(kKeep + m_nChunk)
{
}

const uint8_t* CStreamDumpSource::span(uint64_t pos, [[maybe_unused]] uint32_t n)
{
    assert(pos >= m_nBase && pos + n <= size());
    return m_buffer.data() + (pos - m_nBase);
}

bool CStreamDumpSource::readMore()
{
    const size_t keep = std::min(m_nUsed, kKeep);
    std::memmove(m_buffer.data(), m_buffer.data() + m_nUsed - keep, keep);
    m_nBase += m_nUsed - keep;
    m_nUsed = keep;
    // The size the file claims is not trusted (files under /proc claim 0):
    // it ends where a read answers nothing.
    while (!m_bEnd && m_nUsed < m_buffer.size()) {
        const ssize_t got = ::read(m_fd, m_buffer.data() + m_nUsed, m_buffer.size() - m_nUsed);
        if (got > 0)
            m_nUsed += static_cast<size_t>(got);
        else if (got == 0)
            m_bEnd = true;
        else if (errno != EINTR)
            return false;
    }
    return true;
}
