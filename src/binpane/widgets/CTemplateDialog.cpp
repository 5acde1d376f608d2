#include "binpane/widgets/CTemplateDialog.h"

#include "platform/StringTable.h"
#include "platform/widgets/OkCancelButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CTemplateDialog::CTemplateDialog(QWidget* parent, const std::vector<std::string>& recent,
                                 std::function<bool(const std::string&)> accept)
    : QDialog(parent)
    , m_accept(std::move(accept))
{
    setWindowTitle(QString::fromUtf8(LoadString(StringId::IdsFormatTitle)));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QString::fromUtf8(LoadString(StringId::IdsFormatTemplateLabel)), this);
    m_pName = new QComboBox(this);
    m_pName->setEditable(true);
    m_pName->setInsertPolicy(QComboBox::NoInsert);
    m_pName->setCompleter(nullptr);
    m_pName->setMinimumContentsLength(40);
    for (const std::string& name : recent)
        m_pName->addItem(QString::fromStdString(name));
    m_pName->setEditText(recent.empty() ? QString() : QString::fromStdString(recent.front()));
    m_pName->lineEdit()->selectAll();
    label->setBuddy(m_pName);
    auto* browse = new QPushButton(QString::fromUtf8(LoadString(StringId::IdsBrowseButton)), this);
    browse->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addWidget(m_pName, 1);
    row->addWidget(browse);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    layout->addWidget(label);
    layout->addLayout(row);
    layout->addWidget(buttons);
    connect(browse, &QPushButton::clicked, this, &CTemplateDialog::browse);
    m_pName->setFocus();
}

void CTemplateDialog::browse()
{
    const QString name = QFileDialog::getOpenFileName(this, QString::fromUtf8(LoadString(StringId::IdsOpenTitle)),
                                                      m_pName->currentText());
    if (!name.isEmpty())
        m_pName->setEditText(name);
}

void CTemplateDialog::accept()
{
    if (m_accept && m_accept(m_pName->currentText().toStdString())) {
        QDialog::accept();
        return;
    }
    m_pName->setFocus();
    m_pName->lineEdit()->selectAll();
}
