// The four sums of the checksum command over a run of a document's bytes.
// The bytes are read through the document a large chunk at a time, and each
// chunk feeds all four sums while it is in the cache.
#pragma once

#include "frame/SelectionFacts.h"

#include <cstdint>

class CLumoDoc;

inline constexpr uint32_t kChecksumChunk = 1u << 20;

// The bytes [start, start + length), which must lie within the data.
ChecksumValues SumDocumentBytes(CLumoDoc& doc, uint32_t start, uint32_t length);
