#include "platform/Messages.h"

#include <cstdio>

namespace {

// Used until the application installs its dialog sink: headless runs
// (the --dump mode, tests that do not care) still see every message.
class CStderrSink final : public CMessageSink
{
public:
    MsgAnswer showMessage(const std::string& text, const std::string&, MsgButtons buttons,
                          MsgIcon) override
    {
        std::fprintf(stderr, "%s\n", text.c_str());
        switch (buttons) {
        case MsgButtons::Ok:
        case MsgButtons::OkCancel: return MsgAnswer::Ok;
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
        }
        return MsgAnswer::Ok;
    }
    void beep(int) override {}
};

CStderrSink g_stderrSink;
CMessageSink* g_pSink = &g_stderrSink;

std::string expandArguments(const char* pattern, const std::vector<std::string>& args)
{
    std::string out;
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
            const size_t index = static_cast<size_t>(p[1] - '1');
            if (index < args.size()) {
                out += args[index];
                ++p;
                continue;
            }
        }
        out += *p;
    }
    return out;
}

} // namespace

CMessageSink* SetMessageSink(CMessageSink* sink)
{
    CMessageSink* previous = g_pSink == &g_stderrSink ? nullptr : g_pSink;
    g_pSink = sink ? sink : &g_stderrSink;
    return previous;
}

std::string MessageText(StringId id, const std::vector<std::string>& args)
{
    return expandArguments(LoadString(id), args);
}

MsgAnswer ShowMessage(StringId id, MsgButtons buttons, MsgIcon icon,
                      const std::vector<std::string>& args, const std::string& caption)
{
    return g_pSink->showMessage(MessageText(id, args), caption, buttons, icon);
}

MsgAnswer ShowMessageText(const std::string& text, const std::string& caption,
                          MsgButtons buttons, MsgIcon icon)
{
    return g_pSink->showMessage(text, caption, buttons, icon);
}

void MessageBeep(int soundType)
{
    g_pSink->beep(soundType);
}

void ShowOutOfMemory(const char* caption)
{
    g_pSink->showMessage(LoadString(StringId::IdsOutOfMemory), caption, MsgButtons::Ok,
                         MsgIcon::Stop);
}
