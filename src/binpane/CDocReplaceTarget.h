// The replace target of the hex pane: the replace-all engine and the single
// replacement work on the pane's real document, caret, selection and undo
// journal through this.
#pragma once

#include "binpane/CReplaceTarget.h"

class CBinaryPaneModel;

class CDocReplaceTarget : public CReplaceTarget
{
public:
    explicit CDocReplaceTarget(CBinaryPaneModel& model);

    uint32_t dataSize() const override;
    const uint8_t* dataBytes() override;
    bool isReadOnly() const override;

    void removeSelection() override;
    void showHit(uint32_t position, uint32_t length) override;

    [[nodiscard]] bool replaceSelection(uint32_t position, uint32_t length, const uint8_t* bytes,
                                        uint32_t n) override;
    [[nodiscard]] bool replaceUnjournaled(std::span<const uint32_t> positions, uint32_t length,
                                          const uint8_t* bytes, uint32_t n,
                                          uint32_t sizeToHold) override;

private:
    CBinaryPaneModel& m_model;
};
