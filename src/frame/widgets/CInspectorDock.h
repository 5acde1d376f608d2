// The data inspector panel: the bytes at the caret of the active pane read
// as numbers, a time and a character in every code. It reads the document
// again on every caret move and edit of that pane, and only while shown.
#pragma once

#include "binpane/DataInspector.h"

#include <QDockWidget>
#include <QPointer>

class CLumoView;
class QLabel;

class CInspectorDock : public QDockWidget
{
    Q_OBJECT

public:
    explicit CInspectorDock(QWidget* parent);

    // Follows the caret of the view's pane; null (no document) empties the rows.
    void follow(CLumoView* view);

    QString valueText(int row) const;

private:
    void refresh();

    QPointer<CLumoView> m_pView;
    QMetaObject::Connection m_caretMoves;
    QLabel* m_values[inspector::kRowCount] {};
};
