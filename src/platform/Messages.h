// The one way the program talks to the user about failures: message boxes by
// string number, refusal beeps and the out-of-memory box. Everything goes
// through a sink, so the window-free code never touches a widget and tests can
// record (and answer) every message.
#pragma once

#include "platform/StringTable.h"

#include <string>
#include <vector>

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { Information, Warning, Question, Stop };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class CMessageSink
{
public:
    virtual ~CMessageSink() = default;
    // text is UTF-8; caption empty means the program's name.
    virtual MsgAnswer showMessage(const std::string& text, const std::string& caption,
                                  MsgButtons buttons, MsgIcon icon) = 0;
    virtual void beep(int soundType) = 0;
};

// Installs the sink and answers the previous one; nullptr restores the default,
// which writes messages to standard error and answers the default button.
CMessageSink* SetMessageSink(CMessageSink* sink);

// The text of string `id` with %1, %2, ... replaced by args (UTF-8): for
// headless runs that write a message instead of showing it.
std::string MessageText(StringId id, const std::vector<std::string>& args = {});

// Shows string `id`, with %1, %2, ... replaced by args (UTF-8).
MsgAnswer ShowMessage(StringId id, MsgButtons buttons = MsgButtons::Ok,
                      MsgIcon icon = MsgIcon::Warning,
                      const std::vector<std::string>& args = {},
                      const std::string& caption = {});

// Shows a text that is no string of the table, such as the "ASSERT" box of a
// check that failed inside the program.
MsgAnswer ShowMessageText(const std::string& text, const std::string& caption,
                          MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::Warning);

// A beep with a platform sound type (-1: the default sound). Refusals use
// BeepRefusal() of the settings store, which passes `BeepSoundType`.
void MessageBeep(int soundType);

// The system-modal stop box shown when memory runs out; deliberately not
// through the string table so it needs no allocation of its own.
void ShowOutOfMemory(const char* caption = "KOV Tabix");
