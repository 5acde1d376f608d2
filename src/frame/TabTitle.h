// The texts and images of the tab bar: one tab per open document, at most 100,
// in the order of the document list.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct CSettings;

// What the tab bar needs of one document.
struct TabDocument
{
    std::string title;            // the document title (a full path with LongTitle)
    bool modified = false;
    bool compareResult = false;   // the document of the comparison tables
};

struct TabItem
{
    std::string text;
    int image = -1;               // index in the tab image list; -1: no image
};

inline constexpr size_t kMaxTabs = 100;
inline constexpr const char* kCompareResultTabTitle = "相違";

// The title a document gets when it is opened from path: the full path with
// LongTitle on, else the file-name part. An empty path keeps currentTitle.
std::string DocumentTitle(std::string_view path, std::string_view currentTitle, bool longTitle);

// The title part of a tab: with LongTitle on the title is a path, of which
// only the file-name part is shown; the compare-result document shows "相違".
std::string TabTitleOf(const TabDocument& document, bool longTitle);

// The tab text of the document at 1-based position number: "3. name" with
// AddDocNumber on, else the title alone.
std::string TabText(size_t number, std::string_view title, bool addDocNumber);

// The image of a tab: TabBarImageNo for a modified document when
// EnableTabBarImage is on, else none (-1).
int TabImage(bool modified, const CSettings& settings);

// The tabs of the documents in list order; documents past the 100th get none.
std::vector<TabItem> BuildTabItems(std::span<const TabDocument> documents, const CSettings& settings);
