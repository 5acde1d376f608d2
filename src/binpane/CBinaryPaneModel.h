// The hex pane's whole model without a window: caret, selection and editing
// (from its bases), the clipboard with the private block, screen copy, marks,
// and the key press that the widget hands over untranslated. The widget owns
// one, implements its host, and forwards events and commands to it.
#pragma once

#include "binpane/CBinaryEditModel.h"

#include <cstdint>
#include <string_view>

class CBinaryPaneModel : public CBinaryEditModel
{
public:
    using CBinaryEditModel::CBinaryEditModel;

    // A key press: key is Qt's key code, typed the text it produces as code
    // page 932 bytes.
    void keyPress(int key, bool shift, bool ctrl, std::string_view typed);

    // Commands. Paste reads the clipboard through the host; the caller makes
    // sure the keyboard focus is not in the toolbar's find box.
    void copy();
    void cut();
    void paste();
    void screenCopy();
    bool hasSelection() const { return m_bSelection != 0; }

    // Marks of the document: set or clear at the caret, go to the next or
    // previous one (wrapping around), clear them all.
    void toggleMark();
    void nextMark();
    void previousMark();
    void clearAllMarks();
    // Index of the mark at offset, or -1.
    int markIndex(uint32_t offset) const;

private:
    // Handles a key that is no typed character; false when it is none of them.
    bool commandKey(int key, bool shift, bool ctrl);
    // Ctrl+X and Shift+Delete: copy even on a read-only document, then delete.
    void cutKeys();
    void putText(const uint8_t* bytes, uint32_t n);
    // Next and previous mark: a beep without marks, else the selection goes.
    bool startMarkMove();
};
