#include "binpane/widgets/CReplaceDialog.h"

#include "platform/StringTable.h"

#include <QPushButton>
#include <QVBoxLayout>

CReplaceDialog::CReplaceDialog(QWidget* parent)
    : CFindDialog(parent, true)
{
    setReplaceCombo(addTextRow(1, StringId::IdsReplaceWithLabel));

    m_pReplace = new QPushButton(QString::fromUtf8(LoadString(StringId::IdsReplaceButton)), this);
    m_pReplaceAll = new QPushButton(QString::fromUtf8(LoadString(StringId::IdsReplaceAllButton)), this);
    buttonColumn()->insertWidget(1, m_pReplace);
    buttonColumn()->insertWidget(2, m_pReplaceAll);
    connect(m_pReplace, &QPushButton::clicked, this, &CFindDialog::replaceClicked);
    connect(m_pReplaceAll, &QPushButton::clicked, this, &CFindDialog::replaceAllClicked);
    updateButtons();
}

void CReplaceDialog::enableButtons(bool haveText)
{
    CFindDialog::enableButtons(haveText);
    if (m_pReplace) {
        m_pReplace->setEnabled(haveText);
        m_pReplaceAll->setEnabled(haveText);
    }
}
