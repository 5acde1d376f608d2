// A message sink for tests: installs itself, records every message and beep,
// and answers from a script (then with the default button).
#pragma once

#include "platform/Messages.h"

#include <deque>
#include <string>
#include <vector>

class CRecordingSink : public CMessageSink
{
public:
    CRecordingSink() { m_pPrevious = SetMessageSink(this); }
    ~CRecordingSink() override { SetMessageSink(m_pPrevious); }
    CRecordingSink(const CRecordingSink&) = delete;
    CRecordingSink& operator=(const CRecordingSink&) = delete;

    MsgAnswer showMessage(const std::string& text, const std::string& caption, MsgButtons buttons,
                          MsgIcon icon) override
    {
        texts.push_back(text);
        captions.push_back(caption);
        icons.push_back(icon);
        if (answers.empty())
            return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes
                                                                                       : MsgAnswer::Ok;
        const MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void beep(int soundType) override { beeps.push_back(soundType); }

    std::vector<std::string> texts;
    std::vector<std::string> captions;
    std::vector<MsgIcon> icons;
    std::vector<int> beeps;
    std::deque<MsgAnswer> answers; // given in order, then the default button

private:
    CMessageSink* m_pPrevious = nullptr;
};
