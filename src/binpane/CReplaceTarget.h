// What the replace-all engine needs from the pane and its document: the bytes
// to search, the pane's selection and display, and the edit that replaces one
// selected hit while writing its undo records. The hex pane implements it on
// top of its document's image, journal and insertAt/deleteAt; tests implement
// it on a plain vector.
#pragma once

#include <cstdint>
#include <span>

class CReplaceTarget
{
public:
    virtual ~CReplaceTarget() = default;

    virtual uint32_t dataSize() const = 0;
    // Every data byte in one contiguous block; valid until the next edit.
    virtual const uint8_t* dataBytes() = 0;
    virtual bool isReadOnly() const = 0;

    virtual void removeSelection() = 0;
    // Selects position .. position + length - 1 and brings it into view with
    // the caret on position, as a find shows its hit.
    virtual void showHit(uint32_t position, uint32_t length) = 0;

    // The pane's replaceSelection of the hit at position: the selection
    // removed, undo record 2 (position, length) as a new action, the deletion,
    // then for n > 0 the insertion of bytes with the caret after them and undo
    // record 1 (position, n); for n = 0 the caret goes to position. Answers
    // false, having changed and recorded nothing, when the document is
    // read-only or cannot grow by n - length (the target beeps or shows the
    // size message).
    [[nodiscard]] virtual bool replaceSelection(uint32_t position, uint32_t length,
                                                const uint8_t* bytes, uint32_t n) = 0;

    // The same replacement at each of positions (ascending offsets of the
    // current data, length bytes apart at least) in one pass, the document
    // marked modified but no undo record written and the caret left alone.
    // replaceRunsInPlace does the byte work on a block with room for the
    // result. Answers false, having changed and shown nothing, when the data
    // cannot grow to sizeToHold (at least its size after this replacement):
    // the hits still to come must not be refused for want of room either.
    [[nodiscard]] virtual bool replaceUnjournaled(std::span<const uint32_t> positions, uint32_t length,
                                                  const uint8_t* bytes, uint32_t n,
                                                  uint32_t sizeToHold) = 0;
};
