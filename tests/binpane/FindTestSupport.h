// Shared by the find tests: bytes from text, and the histories and remembered
// find flags put back as they were, whatever a test changes.
#pragma once

#include "binpane/CBinaryFinder.h"
#include "binpane/FindHistory.h"
#include "binpane/JumpText.h"
#include "PaneTestSupport.h"

#include <string>
#include <string_view>

namespace findtest {

inline panetest::Bytes bytesOf(std::string_view s)
{
    return panetest::Bytes(s.begin(), s.end());
}

struct FindStateGuard
{
    CFindHistory find = g_findHistory, replace = g_replaceHistory;
    int32_t down = g_bFindDown, matchCase = g_bFindMatchCase;
    std::string jump = g_strJumpText;
    ~FindStateGuard()
    {
        g_findHistory = find;
        g_replaceHistory = replace;
        g_bFindDown = down;
        g_bFindMatchCase = matchCase;
        g_strJumpText = jump;
    }
};

} // namespace findtest
