// The modeless replace dialog: the find dialog's controls without the
// direction, plus the replacement text with the replace history and the
// replace and replace-all buttons.
#pragma once

#include "binpane/widgets/CFindDialog.h"

class CReplaceDialog : public CFindDialog
{
    Q_OBJECT

public:
    explicit CReplaceDialog(QWidget* parent);

    QPushButton* replaceButton() const { return m_pReplace; }
    QPushButton* replaceAllButton() const { return m_pReplaceAll; }

protected:
    void enableButtons(bool haveText) override;

private:
    QPushButton* m_pReplace = nullptr;
    QPushButton* m_pReplaceAll = nullptr;
};
