#include "binpane/widgets/CJumpDialog.h"

#include "binpane/JumpText.h"
#include "platform/StringTable.h"
#include "platform/widgets/OkCancelButtons.h"

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
    QDialogButtonBox* buttons = OkCancelButtons(this);
    layout->addWidget(label);
    layout->addWidget(m_pEdit);
    layout->addWidget(hint);
    layout->addWidget(buttons);
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
