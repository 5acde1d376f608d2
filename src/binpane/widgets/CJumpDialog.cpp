#include "binpane/widgets/CJumpDialog.h"

#include "binpane/JumpText.h"
#include "platform/StringTable.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CJumpDialog::CJumpDialog(QWidget* parent, std::function<bool(const std::string&)> accept)
    : QDialog(parent)
    , m_accept(std::move(accept))
{
    setWindowTitle(QString::fromUtf8(LoadString(StringId::IdsJumpTitle)));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QString::fromUtf8(LoadString(StringId::IdsJumpOffsetLabel)), this);
    m_pEdit = new QLineEdit(QString::fromStdString(g_strJumpText), this);
    m_pEdit->setMaxLength(static_cast<int>(kJumpFieldLimit));
    m_pEdit->selectAll();
    label->setBuddy(m_pEdit);
    auto* hint = new QLabel(QString::fromUtf8(LoadString(StringId::IdsJumpHexHint)), this);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QString::fromUtf8(LoadString(StringId::IdsCancelButton)), QDialogButtonBox::RejectRole);
    layout->addWidget(label);
    layout->addWidget(m_pEdit);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CJumpDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_pEdit->setFocus();
}

void CJumpDialog::accept()
{
    if (m_accept && m_accept(m_pEdit->text().toStdString())) {
        QDialog::accept();
        return;
    }
    // The check beeped: the faulty text stays, selected, for the next try.
    m_pEdit->setFocus();
    m_pEdit->selectAll();
}
