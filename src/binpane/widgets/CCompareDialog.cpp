#include "binpane/widgets/CCompareDialog.h"

#include "platform/StringTable.h"

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
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QString::fromUtf8(LoadString(StringId::IdsCancelButton)), QDialogButtonBox::RejectRole);
    layout->addWidget(label);
    layout->addWidget(m_pList);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    m_pList->setFocus();
}

int CCompareDialog::chosen() const
{
    return m_pList->currentRow();
}
