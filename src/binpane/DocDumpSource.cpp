#include "binpane/DocDumpSource.h"

#include "doc/CLumoDoc.h"

uint32_t CDocDumpSource::size() const
{
    return m_doc.m_nDataSize;
}

uint8_t CDocDumpSource::byteAt(uint32_t pos)
{
    return m_pBlock ? m_pBlock[pos] : m_doc.m_image.GetAt(pos);
}

const uint8_t* CDocDumpSource::span(uint32_t pos, uint32_t n)
{
    if (m_pBlock)
        return m_pBlock + pos;
    CFileImage& image = m_doc.m_image;
    // With edits still in the window, a block pointer would cost a write-back
    // (moving the whole tail): read through the window instead.
    if (image.IsWindowChanged())
        return image.GetSpanPointer(pos, n);
    m_pBlock = image.GetPointer(0);
    return m_pBlock + pos;
}
