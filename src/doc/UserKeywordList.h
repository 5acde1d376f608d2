// The user's keywords: the cabinet's name list with its two matching
// options. The text pane gives every occurrence the keyword colour.
#pragma once

#include <string>
#include <vector>

struct CUserKeywordList
{
    std::vector<std::string> names; // CP932 bytes, each shorter than 31 bytes
    bool matchCase = false;
    bool wholeWord = false; // an occurrence inside a longer word does not count

    bool operator==(const CUserKeywordList&) const = default;
};
