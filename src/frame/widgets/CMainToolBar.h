// The main toolbar: buttons from the toolbar list and the find-string box.
// Enter in the box runs find-next with its text; Escape hands the focus back.
#pragma once

#include <QToolBar>

#include <cstdint>
#include <span>

class QComboBox;
class QWidgetAction;
class CCommandActions;

class CMainToolBar : public QToolBar
{
    Q_OBJECT

public:
    CMainToolBar(CCommandActions& actions, QWidget* parent);

    // Lays out the buttons of the list (0: separator, 194: the find box).
    void layOut(std::span<const uint16_t> buttons);
    QComboBox* findBox() const { return m_pFindBox; }

signals:
    void findRequested();     // Enter in the find box
    void findBoxEscaped();    // Escape in the find box

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CCommandActions& m_actions;
    QComboBox* m_pFindBox;
    QWidgetAction* m_pFindBoxAction;
};
