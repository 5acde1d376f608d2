// Byte editing of the hex pane without a window: the two edit primitives
// (insertAt, deleteAt: the document's edits plus what they do to this pane's
// caret and selection), typing hex digits and characters in insert or
// overwrite mode, Delete and Backspace, and undo and redo, which the document
// runs on its two journals.
#pragma once

#include "binpane/CBinaryCaretModel.h"

#include <cstdint>
#include <optional>

class CEditJournal;
struct DocChange;

class CBinaryEditModel : public CBinaryCaretModel
{
public:
    using CBinaryCaretModel::CBinaryCaretModel;

    // Inserts n bytes at position (at most the data size). False when the
    // growth was refused (with its message); nothing changed then.
    [[nodiscard]] bool insertAt(uint32_t position, const uint8_t* bytes, uint32_t n, bool moveCaret);
    // Deletes up to n bytes at position.
    void deleteAt(uint32_t position, uint32_t n, bool redraw);

    // The journaled edits behind typing; false when refused.
    [[nodiscard]] bool insertAtCaret(const uint8_t* bytes, uint32_t n);
    [[nodiscard]] bool overwriteAtCaret(const uint8_t* bytes, uint32_t n);

    // Typed input: in the hex part bytes[0] is one digit's value (0..15), in
    // the character part the n bytes of one character.
    void typeBytes(const uint8_t* bytes, uint32_t n);
    // A typed code 32 or above: a hex digit, or one byte of a character.
    void typeCharacter(uint8_t c);
    void enterKey(bool shift, bool ctrl);
    void backspace();
    // The Delete key (count 1) and deleting the selection. False when the
    // document is read-only or the user cancelled the unrecorded deletion.
    [[nodiscard]] bool deleteCommand(uint32_t count);

    // Another pane edited the document: the caret moves with the bytes it
    // stood before, a selection the edit touched goes, pending input is
    // dropped, and the lines from the edit on are drawn again.
    void followChange(const DocChange& change);

    void undo();
    void redo();
    bool canUndo() const;
    bool canRedo() const;

    int32_t m_bLeadPending = 0; // a typed lead byte waits for its trail byte
    uint8_t m_nPendingLead = 0;

protected:
    // Before input over a selection: deletes it or only removes it, as
    // DeleteSelectionAtInput says; false when the user kept the bytes.
    [[nodiscard]] bool dropSelectionForInput();

private:
    void typeDigit(uint8_t digit, bool overwrite);
    void placeCaretAfterReplay(std::optional<uint32_t> caret);
};
