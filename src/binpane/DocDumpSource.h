// A dump source over a document's bytes, read through its file image. Make
// one per paint, copy or dump: the document must not change meanwhile.
#pragma once

#include "binpane/DumpSource.h"

class CLumoDoc;

class CDocDumpSource final : public CDumpSource
{
public:
    explicit CDocDumpSource(CLumoDoc& doc) : m_doc(doc) {}

    uint64_t size() const override;
    uint8_t byteAt(uint64_t pos) override;
    const uint8_t* span(uint64_t pos, uint32_t n) override;

private:
    CLumoDoc& m_doc;
    // The image's block when it holds every byte (its edit window unchanged):
    // then reads need not move the window at all.
    const uint8_t* m_pBlock = nullptr;
};
