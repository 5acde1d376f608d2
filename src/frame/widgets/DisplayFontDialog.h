// The display font command's dialog: the platform's font dialog listing the
// fixed-pitch fonts, started from the cabinet's font; OK stores the choice in
// the cabinet's font record (a size over 100 pixels is cut there, with a beep).
#pragma once

class QWidget;

// True when the cabinet's font record changed.
bool ChooseDisplayFont(QWidget* parent, int dpiY);
