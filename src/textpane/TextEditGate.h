// The text pane is a viewer for the user: its text is read-only, and every
// editing command or key checks that first. A few then do something else in
// place of the edit; the rest do nothing. The program's own output goes
// through CTextEditor and is not gated.
#pragma once

#include <cstdint>

constexpr bool IsTextReadOnly()
{
    return true;
}

// The user's editing input, as the pane sorts it.
enum class CTextEditInput {
    Character,  // a typed character or an input-method result
    Backspace,
    DeleteKey,
    CutKey,     // Shift+Delete, Ctrl+X
    Paste,      // Ctrl+V, Shift+Insert, the paste command
    CutCommand, // cut and append cut
    UndoRedo,   // the undo and redo commands, Ctrl+Z
    Transform,  // tabs and spaces, alignment, case, width, kana, lines, inserts, indent
};

// What the pane does instead of the edit.
enum class CTextEditEffect { Nothing, CancelSelection, CopySelection, CaretLeft };

// character: the typed byte for Character; deleteSelectionAtInput: the
// setting of that name.
CTextEditEffect GatedEditEffect(CTextEditInput input, bool hasSelection, uint8_t character = 0,
                                bool deleteSelectionAtInput = true);
