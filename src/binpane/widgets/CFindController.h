// Runs the find, replace and jump commands of the hex pane for the frame:
// owns the one modeless find or replace dialog, the jump dialog while it is
// up, and keeps the toolbar's find box listing the find history. The frame
// tells it which pane is active; commands do nothing without a hex pane.
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class CBinaryPaneModel;
class CFindDialog;
class QComboBox;
class QWidget;

class CFindController : public QObject
{
    Q_OBJECT

public:
    using ModelSource = std::function<CBinaryPaneModel*()>;
    using PaneSource = std::function<QWidget*()>;

    // activeModel: the model of the active hex pane, or null; activePane: its
    // widget (focus, dialog owner); findBox: the toolbar's find box.
    CFindController(ModelSource activeModel, PaneSource activePane, QComboBox* findBox,
                    QObject* parent = nullptr);
    ~CFindController() override;

    // The open find or replace dialog, or null.
    CFindDialog* dialog() const { return m_pFindDialog; }
    // Lists the find history in the find box, keeping its text.
    void refillFindBox();

    // Asked by a replace-all every 2,001 scanned positions: handles the
    // waiting events and, when the user pressed the mouse on the replace
    // dialog, asks whether to stop. False outside a replace-all.
    [[nodiscard]] bool replaceAbortCheck();

public slots:
    void find();            // 57636
    void replace();         // 57641
    void jump();            // 32788
    void findNext();        // 32850
    void findNextFromBox(); // 195: the pane takes the focus first
    void findPrevious();    // 32792
    void focusFindBox();    // 32790

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openDialog(bool replace);
    void findFromBox(bool down);
    void dialogFindNext();
    void dialogReplace();
    void dialogReplaceAll();
    void afterDialogCommand();
    bool isOnDialog(QObject* watched) const;

    ModelSource m_activeModel;
    PaneSource m_activePane;
    QPointer<QComboBox> m_pFindBox;
    QPointer<CFindDialog> m_pFindDialog;
    bool m_bReplacing = false; // a replace-all runs: user input is held off
    bool m_bClicked = false;   // the mouse was pressed on the dialog meanwhile
};
