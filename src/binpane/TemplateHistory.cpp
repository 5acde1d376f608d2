#include "binpane/TemplateHistory.h"

#include "app/Settings.h"
#include "platform/Messages.h"

CFindHistory g_templateHistory(kMaxTemplateHistory, kMaxTemplateNameChars);

bool AcceptTemplateName(std::string_view name, CFindHistory& history)
{
    if (name.empty()) {
        BeepRefusal();
        return false;
    }
    if (!history.add(name)) {
        ShowMessage(StringId::IdsBadPathName);
        return false;
    }
    return true;
}
