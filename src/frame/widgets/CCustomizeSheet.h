// The customise sheet (caption "カスタマイズ") with its one page, the
// keyboard page, and the command that runs it on the program's key table.
#pragma once

#include "frame/KeyTable.h"

#include <QDialog>

class CCommandActions;
class CKeyboardPage;

class CCustomizeSheet : public QDialog
{
    Q_OBJECT

public:
    CCustomizeSheet(CKeyTable& table, QWidget* parent);

    CKeyboardPage* keyboardPage() const { return m_pKeyboard; }

private:
    CKeyboardPage* m_pKeyboard = nullptr;
};

// The customise command on g_keyTable: bindings of saved operations that no
// longer exist are dropped first (and the file written), then the sheet runs.
// Cancel puts the table back as it was; OK writes the key names into the
// menus and the table to the key file. True when the sheet closed with OK.
[[nodiscard]] bool RunCustomizeSheet(QWidget* parent, CCommandActions& actions);
