#include "binpane/widgets/CCompareDialog.h"

#include "platform/StringTable.h"
#include "platform/widgets/OkCancelButtons.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CCompareDialog::CCompareDialog(QWidget* parent, const std::vector<std::string>& titles)
    : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8(LoadString(StringId::IdsCompareTitle)));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QString::fromUtf8(LoadString(StringId::IdsCompareTargetLabel)), this);
    m_pList = new QListWidget(this);
    for (const std::string& title : titles)
        m_pList->addItem(QString::fromStdString(title));
    m_pList->setCurrentRow(0);
    label->setBuddy(m_pList);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    layout->addWidget(label);
    layout->addWidget(m_pList);
    layout->addWidget(buttons);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    m_pList->setFocus();
}

int CCompareDialog::chosen() const
{
    return m_pList->currentRow();
}
