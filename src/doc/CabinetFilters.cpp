// The filter lists every cabinet starts from, and their form for a file dialog.
#include "doc/CabinetFile.h"
#include "platform/Cp932.h"

namespace {

// Names and patterns alternate, each followed by "|", with one more "|" at the end.
constexpr const char* kBuiltIn[] = {
    "すべてのﾌｧｲﾙ(*.*)|*.*||",
    "ｿｰｽ(*.c)|*.c|ﾍｯﾀﾞ(*.h)|*.h|ﾘｿｰｽ(*.rc)|*.rc|ｱｾﾝﾌﾞﾗ(*.asm;*.inc)|*.asm;*.inc|"
    "ｷｬﾋﾞﾈｯﾄ(*.cab)|*.cab|すべてのﾌｧｲﾙ(*.*)|*.*||",
    "ｿｰｽ(*.c;*.cpp)|*.c;*.cpp|ﾍｯﾀﾞ(*.h;*.hpp)|*.h;*.hpp|ﾘｿｰｽ(*.rc)|*.rc|"
    "ｱｾﾝﾌﾞﾗ(*.asm;*.inc)|*.asm;*.inc|ｷｬﾋﾞﾈｯﾄ(*.cab)|*.cab|すべてのﾌｧｲﾙ(*.*)|*.*||",
};

// Splits CP932 text at each "|"; a trail byte that happens to be "|" is part
// of its character.
std::vector<std::string> SplitAtBars(const std::string& text)
{
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<uint8_t>(text[i]);
        if (cp932::IsLeadByte(b) && i + 1 < text.size()) {
            parts.back() += text.substr(i, 2);
            ++i;
        } else if (b == '|') {
            parts.emplace_back();
        } else {
            parts.back() += text[i];
        }
    }
    return parts;
}

} // namespace

CabinetFilterLists CabinetContent::BuiltInFilterLists()
{
    CabinetFilterLists lists;
    for (size_t list = 0; list < lists.size(); ++list) {
        const std::vector<std::string> parts = SplitAtBars(cp932::FromUtf8(kBuiltIn[list]));
        // The final "||" leaves an empty name where the pairs end.
        for (size_t i = 0; i + 1 < parts.size() && !parts[i].empty(); i += 2)
            lists[list].push_back({parts[i], parts[i + 1]});
    }
    return lists;
}

std::vector<std::string> DialogNameFilters(const CabinetFilterList& list)
{
    std::vector<std::string> filters;
    for (const CabinetFilter& filter : list) {
        // "*.*" means every file where these lists come from; here it would
        // pass over every name without a dot.
        std::string patterns;
        size_t start = 0;
        while (start <= filter.pattern.size()) {
            size_t end = filter.pattern.find(';', start);
            if (end == std::string::npos)
                end = filter.pattern.size();
            std::string one = filter.pattern.substr(start, end - start);
            if (one == "*.*")
                one = "*";
            if (!one.empty())
                patterns += (patterns.empty() ? "" : " ") + one;
            start = end + 1;
        }
        if (!patterns.empty())
            filters.push_back(cp932::ToUtf8(filter.name + " (" + patterns + ")"));
    }
    return filters;
}
