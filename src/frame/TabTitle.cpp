#include "frame/TabTitle.h"

#include "app/Settings.h"

#include <algorithm>

namespace {

std::string_view FileNamePart(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string DocumentTitle(std::string_view path, std::string_view currentTitle, bool longTitle)
{
    if (path.empty())
        return std::string(currentTitle);
    return std::string(longTitle ? path : FileNamePart(path));
}

std::string TabTitleOf(const TabDocument& document, bool longTitle)
{
    if (document.compareResult)
        return kCompareResultTabTitle;
    return std::string(longTitle ? FileNamePart(document.title) : document.title);
}

std::string TabText(size_t number, std::string_view title, bool addDocNumber)
{
    std::string text = addDocNumber ? std::to_string(number) + ". " : std::string();
    text += title;
    return text;
}

int TabImage(bool modified, const CSettings& settings)
{
    return modified && settings.EnableTabBarImage ? settings.TabBarImageNo : -1;
}

std::vector<TabItem> BuildTabItems(std::span<const TabDocument> documents, const CSettings& settings)
{
    std::vector<TabItem> items;
    const size_t count = std::min(documents.size(), kMaxTabs);
    items.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const TabDocument& document = documents[i];
        items.push_back({TabText(i + 1, TabTitleOf(document, settings.LongTitle), settings.AddDocNumber),
                         TabImage(document.modified, settings)});
    }
    return items;
}
