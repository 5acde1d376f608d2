// The two find options no dialog shows, process-wide beside the rest of the
// search state (CBinaryFinder.h); the program data file restores them. With
// both 0 the text find runs every search through the pattern matcher with
// literal units, folding full-width forms to half width.
#pragma once

#include <cstdint>

extern uint32_t g_bFindDistinguishWidth; // 1: full-width and half-width forms differ
extern uint16_t g_bFindRegular;          // 1: the find text is a pattern
