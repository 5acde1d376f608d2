// The modeless find dialog of the hex pane, and the base of the replace
// dialog: the find text with the find history in its combo box, the
// match-case and escape check boxes, and (find only) the direction. It only
// reports its buttons; the find controller runs them.
#pragma once

#include "binpane/BytePattern.h"
#include "binpane/CBinaryFinder.h"
#include "platform/StringTable.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

class CFindDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CFindDialog(QWidget* parent);

    bool isReplace() const { return m_bReplace; }
    // Direction, match case and the escape box; the direction only where shown.
    void setFlags(bool down, bool matchCase, bool escapes);
    // Lists the histories; the find combo shows the newest entry.
    void fillHistories();
    // Lists the histories again, keeping the texts being edited.
    void refillHistories();
    // What the buttons ask for; a text over 80 characters counts as empty.
    FindDialogRequest request() const;
    // Where the texts come from (the pane part with the focus), shown beside
    // each text field as "16進数" or "文字列".
    void setSourceProvider(std::function<PatternSource()> source);

    QComboBox* findCombo() const { return m_pFindCombo; }
    QComboBox* replaceCombo() const { return m_pReplaceCombo; }
    QPushButton* findNextButton() const { return m_pFindNext; }

signals:
    void findNextClicked();
    void replaceClicked();
    void replaceAllClicked();

protected:
    CFindDialog(QWidget* parent, bool replace);
    // A labelled text field in row `row`, with the label of how it is read.
    QComboBox* addTextRow(int row, StringId labelText);
    void changeEvent(QEvent* event) override;
    // The replace dialog adds its buttons here.
    QVBoxLayout* buttonColumn() const { return m_pButtons; }
    void setReplaceCombo(QComboBox* combo) { m_pReplaceCombo = combo; }
    void updateButtons();
    virtual void enableButtons(bool haveText);

private:
    void buildControls();
    void updateSourceLabels();

    bool m_bReplace;
    QGridLayout* m_pGrid = nullptr;
    QVBoxLayout* m_pButtons = nullptr;
    QComboBox* m_pFindCombo = nullptr;
    QComboBox* m_pReplaceCombo = nullptr;
    QCheckBox* m_pMatchCase = nullptr;
    QCheckBox* m_pEscapes = nullptr;
    QRadioButton* m_pUp = nullptr;
    QRadioButton* m_pDown = nullptr;
    QPushButton* m_pFindNext = nullptr;
    std::vector<QLabel*> m_sourceLabels;
    std::function<PatternSource()> m_source;
};
