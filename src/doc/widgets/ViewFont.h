// Turns a stored logical-font record into the font the panes draw with.
// Face names of the presets that do not exist here are mapped to installed
// Japanese fonts whose full-width glyphs are exactly two cells wide.
#pragma once

#include "platform/LogFont.h"

#include <QFont>

// heightPoints is the record's height field (points); dpiY the device's vertical resolution.
QFont MakeViewFont(const LogFontRecord& record, int dpiY);

// The installed family that stands in for a stored face name (CP932 bytes).
QString SubstituteFaceName(const char* faceCp932);
