#include "textpane/TextEditGate.h"

namespace {

constexpr uint8_t kBackspace = 8;
constexpr uint8_t kTab = 9;
constexpr uint8_t kEnter = 13;

CTextEditEffect TypedEffect(uint8_t c, bool hasSelection, bool deleteSelectionAtInput)
{
    if (c == kBackspace)
        return GatedEditEffect(CTextEditInput::Backspace, hasSelection);
    // Other control characters are no input; a Tab over a selection is the
    // indent command, which is refused like every other transform.
    if ((c < 0x20 && c != kTab && c != kEnter) || (c == kTab && hasSelection))
        return CTextEditEffect::Nothing;
    // Typing over a selection would replace it: without that setting the
    // selection only goes away.
    const bool cancel = hasSelection && !deleteSelectionAtInput;
    return cancel ? CTextEditEffect::CancelSelection : CTextEditEffect::Nothing;
}

} // namespace

CTextEditEffect GatedEditEffect(CTextEditInput input, bool hasSelection, uint8_t character,
                                bool deleteSelectionAtInput)
{
    static_assert(IsTextReadOnly());
    switch (input) {
    case CTextEditInput::Character:
        return TypedEffect(character, hasSelection, deleteSelectionAtInput);
    case CTextEditInput::Backspace:
        return hasSelection ? CTextEditEffect::Nothing : CTextEditEffect::CaretLeft;
    case CTextEditInput::CutKey:
        return hasSelection ? CTextEditEffect::CopySelection : CTextEditEffect::Nothing;
    case CTextEditInput::UndoRedo:
        return hasSelection ? CTextEditEffect::CancelSelection : CTextEditEffect::Nothing;
    default:
        return CTextEditEffect::Nothing;
    }
}
