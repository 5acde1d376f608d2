// The font commands' dialog: the platform's font dialog listing the
// fixed-pitch fonts (the grid needs them), started from a stored font record;
// OK gives the record of the choice with its size in points, a size over 100
// pixels at the screen's resolution cut to 100 pixels with a beep.
#pragma once

#include "platform/LogFont.h"

#include <optional>

class QWidget;

// The chosen record, or nothing when the dialog was cancelled.
std::optional<LogFontRecord> ChooseFontRecord(QWidget* parent, const LogFontRecord& current, int dpiY);
