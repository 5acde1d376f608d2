#include "binpane/DocDumpSource.h"

#include "doc/CLumoDoc.h"

uint64_t CDocDumpSource::size() const
{
    return m_doc.DataSize();
}

uint8_t CDocDumpSource::byteAt(uint64_t pos)
{
    // A document's positions fit in 32 bits.
    return m_pBlock ? m_pBlock[pos] : m_doc.GetAt(static_cast<uint32_t>(pos));
}

const uint8_t* CDocDumpSource::span(uint64_t pos, uint32_t n)
{
    if (m_pBlock)
        return m_pBlock + pos;
    // With edits still in the window, a block pointer would cost a write-back
    // (moving the whole tail): read through the window instead.
    if (m_doc.IsWindowChanged())
        return m_doc.GetSpanPointer(static_cast<uint32_t>(pos), n);
    m_pBlock = m_doc.GetBlockPointer();
    return m_pBlock + pos;
}
