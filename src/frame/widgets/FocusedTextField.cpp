#include "frame/widgets/FocusedTextField.h"

#include "frame/MenuTable.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

bool IsTextField(const QWidget* widget)
{
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->isEditable();
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget)
        || qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

QLineEdit* FocusedLineEdit()
{
    QWidget* focus = QApplication::focusWidget();
    if (auto* combo = qobject_cast<QComboBox*>(focus))
        return combo->lineEdit();
    return qobject_cast<QLineEdit*>(focus);
}

bool RunFieldCommand(QLineEdit& field, uint16_t id)
{
    switch (id) {
    case cmd::EditUndo: field.undo(); return true;
    case cmd::EditRedo: field.redo(); return true;
    case cmd::EditCut: field.cut(); return true;
    case cmd::EditCopy: field.copy(); return true;
    case cmd::EditPaste: field.paste(); return true;
    case cmd::SelectAll: field.selectAll(); return true;
    default: return false;
    }
}
