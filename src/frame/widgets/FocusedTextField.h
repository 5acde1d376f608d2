// The text field that has the keyboard focus (the toolbar's find box, a
// dialog's field): its editing keys and the menu's edit commands are its own
// while it has the focus, so they never reach the document behind it.
#pragma once

#include <cstdint>

class QLineEdit;
class QWidget;

// Whether widget takes typed text: a line edit, an editable combo box, a
// spin box or a text edit.
bool IsTextField(const QWidget* widget);

// The line edit that has the focus (an editable combo box's own), or null.
QLineEdit* FocusedLineEdit();

// Runs an edit command of the menu (undo, redo, cut, copy, paste, select
// all) on the field; false for any other command.
bool RunFieldCommand(QLineEdit& field, uint16_t id);
