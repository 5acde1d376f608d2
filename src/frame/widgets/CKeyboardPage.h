// The keyboard page of the customise sheet: a command list of either kind,
// the keys bound to the chosen command, and the controls that add a binding
// (modifier boxes and a key combo box) or delete one. It edits the table it
// is given as the user works; the sheet's caller keeps a copy for Cancel.
#pragma once

#include "frame/KeyTable.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QRadioButton;

class CKeyboardPage : public QWidget
{
    Q_OBJECT

public:
    CKeyboardPage(CKeyTable& table, QWidget* parent);

    QListWidget* commandList() const { return m_pCommands; }
    QListWidget* keyList() const { return m_pKeys; }
    QComboBox* keyCombo() const { return m_pKeyCombo; }

private:
    QWidget* makeKindBox();
    QWidget* makeKeyBox();
    void showKind(KeyKind kind);
    void showKeys();
    void addKey();
    void deleteKey();
    void resetKeys();
    // The command chosen in the list, or 0 when none is.
    uint16_t chosenCommand() const;
    KeyKind chosenKind() const;
    void refuse(QWidget* faulty);

    CKeyTable& m_table;
    QRadioButton* m_pMenuKind = nullptr;
    QRadioButton* m_pOtherKind = nullptr;
    QListWidget* m_pCommands = nullptr;
    QListWidget* m_pKeys = nullptr;
    QCheckBox* m_pCtrl = nullptr;
    QCheckBox* m_pShift = nullptr;
    QComboBox* m_pKeyCombo = nullptr;
};
