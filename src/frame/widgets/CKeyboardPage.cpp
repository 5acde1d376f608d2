#include "frame/widgets/CKeyboardPage.h"

#include "app/Settings.h"
#include "frame/KeyAssignment.h"
#include "frame/MenuTable.h"
#include "platform/Messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A list with its label, whose mnemonic moves the focus into the list.
QWidget* Labelled(const char* text, QWidget* field, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* label = new QLabel(QString::fromUtf8(text), box);
    label->setBuddy(field);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(field, 1);
    return box;
}

QPushButton* Button(const char* text, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setAutoDefault(false); // Return belongs to the sheet's OK
    return button;
}

} // namespace

CKeyboardPage::CKeyboardPage(CKeyTable& table, QWidget* parent)
    : QWidget(parent)
    , m_table(table)
{
    m_pCommands = new QListWidget(this);
    m_pKeys = new QListWidget(this);
    auto* lists = new QHBoxLayout;
    lists->addWidget(Labelled("コマンド(&C):", m_pCommands, this), 3);
    lists->addWidget(Labelled("割り付けキー(&K):", m_pKeys, this), 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeKindBox());
    layout->addLayout(lists, 1);
    layout->addWidget(makeKeyBox());

    connect(m_pCommands, &QListWidget::currentRowChanged, this, [this] { showKeys(); });
    showKind(KeyKind::Menu);
}

QWidget* CKeyboardPage::makeKindBox()
{
    auto* box = new QGroupBox(QStringLiteral("種類"), this);
    m_pMenuKind = new QRadioButton(QStringLiteral("メニュー(&M)"), box);
    m_pOtherKind = new QRadioButton(QStringLiteral("その他(&O)"), box);
    m_pMenuKind->setChecked(true);
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(m_pMenuKind);
    layout->addWidget(m_pOtherKind);
    layout->addStretch(1);
    connect(m_pMenuKind, &QRadioButton::toggled, this, [this](bool on) {
        showKind(on ? KeyKind::Menu : KeyKind::Other);
    });
    return box;
}

QWidget* CKeyboardPage::makeKeyBox()
{
    auto* box = new QGroupBox(QStringLiteral("キーの割り付け"), this);
    m_pCtrl = new QCheckBox(QStringLiteral("[Ctrl](&L)"), box);
    m_pShift = new QCheckBox(QStringLiteral("[Shift](&S)"), box);
    m_pKeyCombo = new QComboBox(box);
    m_pKeyCombo->setEditable(true);
    m_pKeyCombo->setInsertPolicy(QComboBox::NoInsert);
    m_pKeyCombo->setCompleter(nullptr); // "F1" must stay "F1", never become "F10"
    m_pKeyCombo->setMinimumContentsLength(8);
    m_pKeyCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    for (const AssignableKey& key : AssignableKeys())
        m_pKeyCombo->addItem(QString::fromLatin1(key.name));
    m_pKeyCombo->setCurrentIndex(-1);
    auto* keyLabel = new QLabel(QStringLiteral("キー(&Y):"), box);
    keyLabel->setBuddy(m_pKeyCombo);
    QPushButton* add = Button("追加(&A)", box);
    QPushButton* remove = Button("削除(&D)", box);
    QPushButton* reset = Button("既定値に戻す(&R)", box);
    connect(add, &QPushButton::clicked, this, [this] { addKey(); });
    connect(remove, &QPushButton::clicked, this, [this] { deleteKey(); });
    connect(reset, &QPushButton::clicked, this, [this] { resetKeys(); });

    auto* layout = new QGridLayout(box);
    layout->addWidget(m_pCtrl, 0, 0);
    layout->addWidget(m_pShift, 0, 1);
    layout->addWidget(keyLabel, 0, 2);
    layout->addWidget(m_pKeyCombo, 0, 3);
    layout->addWidget(add, 1, 0);
    layout->addWidget(remove, 1, 1);
    layout->addWidget(reset, 1, 4, Qt::AlignRight);
    layout->setColumnStretch(4, 1); // the key box stays beside its label
    return box;
}

void CKeyboardPage::showKind(KeyKind kind)
{
    m_pCommands->clear();
    if (kind == KeyKind::Menu) {
        for (const uint16_t id : KeyMenuCommands()) {
            auto* item = new QListWidgetItem(QString::fromStdString(ContextMenuText(id)), m_pCommands);
            item->setData(Qt::UserRole, id);
        }
    } else {
        for (const OtherKeyCommand& command : OtherKeyCommands()) {
            auto* item = new QListWidgetItem(QString::fromUtf8(command.name), m_pCommands);
            item->setData(Qt::UserRole, command.id);
        }
    }
    m_pCommands->setCurrentRow(0);
}

void CKeyboardPage::showKeys()
{
    m_pKeys->clear();
    if (const uint16_t id = chosenCommand())
        for (const std::string& name : BoundKeyNames(m_table, chosenKind(), id))
            m_pKeys->addItem(QString::fromStdString(name));
}

uint16_t CKeyboardPage::chosenCommand() const
{
    const QListWidgetItem* item = m_pCommands->currentItem();
    return item ? static_cast<uint16_t>(item->data(Qt::UserRole).toUInt()) : 0;
}

KeyKind CKeyboardPage::chosenKind() const
{
    return m_pMenuKind->isChecked() ? KeyKind::Menu : KeyKind::Other;
}

void CKeyboardPage::refuse(QWidget* faulty)
{
    BeepRefusal();
    faulty->setFocus();
}

void CKeyboardPage::addKey()
{
    const uint16_t id = chosenCommand();
    if (!id)
        return refuse(m_pCommands);
    const uint8_t modifiers = (m_pCtrl->isChecked() ? keymod::Ctrl : 0) | (m_pShift->isChecked() ? keymod::Shift : 0);
    const NewKeyCheck check = CheckNewKey(m_pKeyCombo->currentText().toStdString(), modifiers);
    if (check.result != NewKeyCheck::Result::Ok)
        return refuse(m_pKeyCombo);
    switch (m_table.add({check.virtualKey, chosenKind(), modifiers, id, {}})) {
    case CKeyTable::AddResult::Full: ShowMessage(StringId::IdsKeyTableFull); break;
    case CKeyTable::AddResult::AlreadyAssigned: ShowMessage(StringId::IdsKeyAlreadyAssigned); break;
    case CKeyTable::AddResult::Added: showKeys(); break;
    }
}

void CKeyboardPage::deleteKey()
{
    const uint16_t id = chosenCommand();
    if (!id)
        return refuse(m_pCommands);
    const QList<QListWidgetItem*> keys = m_pKeys->selectedItems();
    if (keys.isEmpty())
        return refuse(m_pKeys);
    if (!RemoveBoundKey(m_table, chosenKind(), id, keys.front()->text().toStdString()))
        return BeepRefusal();
    showKeys();
}

void CKeyboardPage::resetKeys()
{
    m_table.setDefaults();
    showKeys();
}
