// Shows the program's messages as message boxes and its beeps as the
// platform's beep, once a QApplication exists.
#pragma once

#include "platform/Messages.h"

class QWidget;

class CDialogMessageSink final : public CMessageSink
{
public:
    MsgAnswer showMessage(const std::string& text, const std::string& caption, MsgButtons buttons,
                          MsgIcon icon) override;
    void beep(int soundType) override;
};
