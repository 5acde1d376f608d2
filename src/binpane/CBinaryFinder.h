// The find commands of the hex pane on its model: find next and previous
// with the toolbar's text or the dialog's, showing a hit, replacing once or
// everywhere, and the jump to an offset. Texts are code page 932 bytes. The
// part of the pane that has the focus decides whether a text is hex digits or
// characters. Refusals beep here; what the windows do about them (focusing the
// find box, keeping a dialog open) is left to the caller.
#pragma once

#include "binpane/ByteSearch.h"

#include <cstdint>
#include <string>
#include <string_view>

class CBinaryPaneModel;

// The search settings the dialogs remember, process-wide (the cabinet and the
// program data file restore the direction and the match-case flag).
extern int32_t g_bFindDown;        // 1: the last search went down
extern int32_t g_bFindMatchCase;   // the last dialog's match-case flag
extern std::string g_strFindText;  // the last find and replace texts (80 characters)
extern std::string g_strReplaceText;
extern int32_t g_bReplaceDown;     // direction and case of the last replace
extern int32_t g_bReplaceMatchCase;

// What a dialog asks for when one of its buttons is pressed.
struct FindDialogRequest
{
    std::string findText;    // empty for a text over 80 characters
    std::string replaceText;
    bool down = true;
    bool matchCase = false;
    bool escapes = false;    // the escape check box, which sets EnRexp
};

enum class FindResult {
    Found,
    NotFound,   // searched, nothing there: beeped
    Refused,    // nothing searched: beeped
    BadHexText, // the toolbar's text is no hex byte string: beeped
};

class CBinaryFinder
{
public:
    explicit CBinaryFinder(CBinaryPaneModel& model);

    // Find next (down) or previous from the toolbar's find box.
    [[nodiscard]] FindResult findFromBox(std::string_view text, bool down);
    // The dialogs' buttons. Each remembers the flags and updates the histories.
    [[nodiscard]] FindResult findNext(const FindDialogRequest& request);
    [[nodiscard]] FindResult replaceOnce(const FindDialogRequest& request);
    // The number of replacements (the count message is shown unless nothing
    // was found or the replacement text did not convert).
    uint32_t replaceAll(const FindDialogRequest& request, const AbortCheck& checkAbort);
    // OK of the jump dialog; false (beeped) for a text that is no offset.
    [[nodiscard]] bool jump(std::string_view text);

    // Selects length bytes at position and brings them into view, caret on position.
    void showHit(uint32_t position, uint32_t length);
    // How texts are read: hex digits while the hex part has the focus.
    PatternSource source() const;

private:
    bool matchCaseFor(bool requested) const;
    // Finds from the caret or the selection with wrap-around and shows the hit.
    FindResult findAndShow(const BytePattern& pattern, bool down, bool matchCase);
    void applyDialogFlags(const FindDialogRequest& request);
    void rememberDialog(const FindDialogRequest& request, bool replaced);

    CBinaryPaneModel& m_model;
};
