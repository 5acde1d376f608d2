#include "doc/CFileImage.h"

#include "app/Settings.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

CFileImage::~CFileImage()
{
    std::free(m_pBlock);
    std::free(m_pWindow);
}

bool CFileImage::Init()
{
    // Zeroed so that scratch bytes read before they are written are at least defined.
    m_pBlock = static_cast<uint8_t*>(std::calloc(kGrowthUnit, 1));
    m_pWindow = static_cast<uint8_t*>(std::malloc(kWindowCapacity + 1));
    if (!m_pBlock || !m_pWindow) {
        std::free(m_pBlock);
        std::free(m_pWindow);
        m_pBlock = m_pWindow = nullptr;
        return false;
    }
    m_nCapacity = kGrowthUnit;
    m_bDirect = 0;
    LoadWindow(0);
    return true;
}

int CFileImage::Reserve(uint32_t n)
{
    if (!m_pWindow)
        return OutOfMemory; // Init failed: there is no image to grow
    const uint64_t need = uint64_t{n} + 2;
    if (need < m_nCapacity)
        return need < g_nMaxImageSize ? Fits : OverLimit;
    if (need >= g_nMaxImageSize)
        return OverLimit;
    const uint64_t newCapacity = (need / kGrowthUnit + 1) * kGrowthUnit;
    if (newCapacity > UINT32_MAX)
        return OverLimit;
    // realloc keeps the old block when it fails, as the growth contract demands.
    void* grown = std::realloc(m_pBlock, newCapacity);
    if (!grown)
        return OutOfMemory;
    m_pBlock = static_cast<uint8_t*>(grown);
    m_nCapacity = static_cast<uint32_t>(newCapacity);
    return Grown;
}

uint8_t CFileImage::GetAtSlow(uint32_t pos)
{
    Refocus(pos, true);
    return WindowHolds(pos) ? m_pWindow[pos - m_nBase] : 0;
}

void CFileImage::SetAtSlow(uint32_t pos, uint8_t value)
{
    Refocus(pos, true);
    if (!WindowHolds(pos))
        return; // beyond the block: there is nowhere to keep it
    m_pWindow[pos - m_nBase] = value;
    m_bChanged = 1;
}

void CFileImage::Write(uint32_t pos, const uint8_t* src, uint32_t n)
{
    if (n == 0)
        return;
    if (m_bDirect) {
        if (pos < m_nCapacity)
            std::memcpy(m_pBlock + pos, src, std::min(n, m_nCapacity - pos));
        return;
    }
    while (n > 0) {
        const uint32_t span = SpanInWindow(pos, n);
        if (span == 0)
            return;
        std::memcpy(m_pWindow + (pos - m_nBase), src, span);
        m_bChanged = 1;
        pos += span;
        src += span;
        n -= span;
    }
}

void CFileImage::Read(uint8_t* dst, uint32_t pos, uint32_t n)
{
    if (n == 0)
        return;
    if (m_bDirect) {
        const uint32_t have = pos < m_nCapacity ? std::min(n, m_nCapacity - pos) : 0;
        std::memcpy(dst, m_pBlock + pos, have);
        std::memset(dst + have, 0, n - have);
        return;
    }
    while (n > 0) {
        const uint32_t span = SpanInWindow(pos, n);
        if (span == 0) {
            std::memset(dst, 0, n);
            return;
        }
        std::memcpy(dst, m_pWindow + (pos - m_nBase), span);
        pos += span;
        dst += span;
        n -= span;
    }
}

void CFileImage::MoveBlock(uint32_t dst, uint32_t src, uint32_t n)
{
    if (dst >= m_nCapacity || src >= m_nCapacity)
        return;
    n = std::min({n, m_nCapacity - dst, m_nCapacity - src});
    std::memmove(m_pBlock + dst, m_pBlock + src, n);
}

void CFileImage::MoveDown(uint32_t dst, uint32_t src, uint32_t n)
{
    if (dst == src || n == 0 || dst > src)
        return;
    if (m_bDirect) {
        MoveBlock(dst, src, n);
        return;
    }
    if (!(WindowHolds(dst) && WindowHolds(src))) {
        // Once the window is written back and reloaded around src, a nearby
        // deletion fits it again; only a far one moves the block's tail itself.
        Refocus(src, true);
        if (!(WindowHolds(dst) && WindowHolds(src))) {
            MoveBlock(dst, src, n);
            Refocus(src, false);
            return;
        }
    }
    const uint32_t end = m_nBase + m_nWindowLength;
    std::memmove(m_pWindow + (dst - m_nBase), m_pWindow + (src - m_nBase), end - src);
    m_nWindowLength -= src - dst;
    m_bChanged = 1;
}

bool CFileImage::WindowTakesInsert(uint32_t dst, uint32_t src) const
{
    // dst inside the window bounds the gap by the window length, so this cannot overflow.
    return WindowHolds(dst) && WindowHolds(src) && m_nWindowLength + (dst - src) <= kWindowCapacity;
}

void CFileImage::MoveUp(uint32_t dst, uint32_t src, uint32_t n)
{
    if (dst == src || n == 0 || dst < src)
        return;
    if (m_bDirect) {
        MoveBlock(dst, src, n);
        return;
    }
    if (!WindowTakesInsert(dst, src)) {
        // A full window is written back and reloaded around src, where a small
        // insertion fits again: typing moves the block's tail once per window,
        // not twice. Only an insertion larger than the window moves the block.
        Refocus(src, true);
        if (!WindowTakesInsert(dst, src)) {
            MoveBlock(dst, src, n);
            Refocus(src, false);
            return;
        }
    }
    const uint32_t end = m_nBase + m_nWindowLength;
    std::memmove(m_pWindow + (dst - m_nBase), m_pWindow + (src - m_nBase), end - src);
    m_nWindowLength += dst - src;
    m_bChanged = 1;
}

uint8_t* CFileImage::GetPointer(uint32_t pos)
{
    Refocus(pos, true);
    return m_pBlock + pos;
}

const uint8_t* CFileImage::GetSpanPointer(uint32_t pos, uint32_t n)
{
    if (m_bDirect)
        return m_pBlock + pos;
    if (SpanInWindow(pos, n) >= n)
        return m_pWindow + (pos - m_nBase);
    return GetPointer(pos);
}

void CFileImage::BeginDirect(uint32_t pos)
{
    Refocus(pos, true);
    m_bDirect = 1;
}

void CFileImage::EndDirect(uint32_t pos)
{
    Refocus(pos, false);
    m_bDirect = 0;
}

uint32_t CFileImage::SpanInWindow(uint32_t pos, uint32_t n)
{
    if (!WindowHolds(pos)) {
        Refocus(pos, true);
        if (!WindowHolds(pos))
            return 0;
    }
    return std::min(n, m_nBase + m_nWindowLength - pos);
}

void CFileImage::Refocus(uint32_t pos, bool writeBack)
{
    if (writeBack && m_bChanged)
        WriteBack();
    LoadWindow(pos);
}

// Puts the window's bytes back into the block. The untouched tail that
// followed the loaded bytes first moves by the change in length; every length
// is cut at the capacity so nothing is read or written outside the block.
void CFileImage::WriteBack()
{
    const uint32_t tail = m_nBase + m_nLoadedLength; // never beyond the capacity
    if (tail < m_nCapacity) {
        const uint32_t rest = m_nCapacity - tail;
        if (m_nWindowLength > m_nLoadedLength) {
            const uint32_t grow = m_nWindowLength - m_nLoadedLength;
            if (grow < rest) // what is pushed past the capacity is scratch the caller reserved
                std::memmove(m_pBlock + tail + grow, m_pBlock + tail, rest - grow);
        } else if (m_nWindowLength < m_nLoadedLength) {
            const uint32_t shrink = m_nLoadedLength - m_nWindowLength;
            std::memmove(m_pBlock + tail - shrink, m_pBlock + tail, rest);
        }
    }
    if (m_nBase < m_nCapacity)
        std::memcpy(m_pBlock + m_nBase, m_pWindow,
                    std::min(m_nWindowLength, m_nCapacity - m_nBase));
    m_bChanged = 0;
}

void CFileImage::LoadWindow(uint32_t pos)
{
    m_nBase = pos >= kWindowLead ? pos - kWindowLead : 0;
    m_nWindowLength = m_nBase < m_nCapacity ? std::min(m_nCapacity - m_nBase, kWindowFill) : 0;
    m_nLoadedLength = m_nWindowLength;
    if (m_nWindowLength > 0)
        std::memcpy(m_pWindow, m_pBlock + m_nBase, m_nWindowLength);
    m_bChanged = 0;
}
