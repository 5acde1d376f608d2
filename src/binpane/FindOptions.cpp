#include "binpane/FindOptions.h"

uint32_t g_bFindDistinguishWidth = 0;
uint16_t g_bFindRegular = 0;
