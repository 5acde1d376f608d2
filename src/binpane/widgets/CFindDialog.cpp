#include "binpane/widgets/CFindDialog.h"

#include "binpane/FindHistory.h"
#include "platform/Cp932.h"
#include "platform/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

QString text(StringId id)
{
    return QString::fromUtf8(LoadString(id));
}

// The combo's text as code page 932 bytes; empty when the fields could not hold it.
std::string comboBytes(const QComboBox* combo)
{
    if (!combo)
        return {};
    std::string bytes = cp932::FromUtf8(combo->currentText().toStdString());
    return bytes.size() > kMaxPatternChars ? std::string() : bytes;
}

void fillCombo(QComboBox* combo, const CFindHistory& history, bool showNewest)
{
    const QString editing = combo->currentText();
    combo->clear();
    for (const std::string& entry : history.entries())
        combo->addItem(QString::fromStdString(cp932::ToUtf8(entry)));
    combo->setEditText(showNewest ? QString::fromStdString(cp932::ToUtf8(history.newest())) : editing);
}

} // namespace

CFindDialog::CFindDialog(QWidget* parent)
    : CFindDialog(parent, false)
{
}

CFindDialog::CFindDialog(QWidget* parent, bool replace)
    : QDialog(parent)
    , m_bReplace(replace)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(text(replace ? StringId::IdsReplaceTitle : StringId::IdsFindTitle));
    buildControls();
    connect(m_pFindCombo, &QComboBox::editTextChanged, this, &CFindDialog::updateButtons);
    updateButtons();
}

void CFindDialog::buildControls()
{
    auto* columns = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    m_pGrid = new QGridLayout;
    m_pFindCombo = addTextRow(0, StringId::IdsFindWhatLabel);
    left->addLayout(m_pGrid);

    auto* options = new QHBoxLayout;
    auto* checks = new QVBoxLayout;
    m_pMatchCase = new QCheckBox(text(m_bReplace ? StringId::IdsReplaceMatchCase : StringId::IdsFindMatchCase), this);
    m_pEscapes = new QCheckBox(text(m_bReplace ? StringId::IdsReplaceEscapes : StringId::IdsFindEscapes), this);
    checks->addWidget(m_pMatchCase);
    checks->addWidget(m_pEscapes);
    options->addLayout(checks);
    if (!m_bReplace) {
        auto* group = new QGroupBox(text(StringId::IdsDirectionGroup), this);
        auto* radios = new QHBoxLayout(group);
        m_pUp = new QRadioButton(text(StringId::IdsFindUp), group);
        m_pDown = new QRadioButton(text(StringId::IdsFindDown), group);
        m_pDown->setChecked(true);
        radios->addWidget(m_pUp);
        radios->addWidget(m_pDown);
        options->addWidget(group);
    }
    left->addLayout(options);
    columns->addLayout(left);

    m_pButtons = new QVBoxLayout;
    m_pFindNext = new QPushButton(text(StringId::IdsFindNextButton), this);
    m_pFindNext->setDefault(true);
    auto* cancel = new QPushButton(text(StringId::IdsCancelButton), this);
    m_pButtons->addWidget(m_pFindNext);
    m_pButtons->addWidget(cancel);
    m_pButtons->addStretch();
    columns->addLayout(m_pButtons);
    connect(m_pFindNext, &QPushButton::clicked, this, &CFindDialog::findNextClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

QComboBox* CFindDialog::addTextRow(int row, StringId labelText)
{
    auto* label = new QLabel(text(labelText), this);
    auto* combo = new QComboBox(this);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // The text is searched exactly as typed; the history stays in the list.
    combo->setCompleter(nullptr);
    combo->setMinimumContentsLength(24);
    label->setBuddy(combo);
    auto* kind = new QLabel(this);
    kind->setObjectName(QStringLiteral("textKind"));
    m_sourceLabels.push_back(kind);
    m_pGrid->addWidget(label, row, 0);
    m_pGrid->addWidget(combo, row, 1);
    m_pGrid->addWidget(kind, row, 2);
    updateSourceLabels();
    return combo;
}

void CFindDialog::setSourceProvider(std::function<PatternSource()> source)
{
    m_source = std::move(source);
    updateSourceLabels();
}

void CFindDialog::updateSourceLabels()
{
    const bool hex = m_source && m_source() == PatternSource::HexPart;
    for (QLabel* label : m_sourceLabels)
        label->setText(text(hex ? StringId::IdsFindAsHex : StringId::IdsFindAsText));
}

// The user may move the pane's focus between its parts while the dialog
// stays open; coming back to the dialog shows how the text will be read.
void CFindDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        updateSourceLabels();
    QDialog::changeEvent(event);
}

void CFindDialog::setFlags(bool down, bool matchCase, bool escapes)
{
    if (m_pDown) {
        m_pDown->setChecked(down);
        m_pUp->setChecked(!down);
    }
    m_pMatchCase->setChecked(matchCase);
    m_pEscapes->setChecked(escapes);
}

void CFindDialog::fillHistories()
{
    fillCombo(m_pFindCombo, g_findHistory, true);
    if (m_pReplaceCombo)
        fillCombo(m_pReplaceCombo, g_replaceHistory, true);
    m_pFindCombo->lineEdit()->selectAll();
    updateButtons();
}

void CFindDialog::refillHistories()
{
    fillCombo(m_pFindCombo, g_findHistory, false);
    if (m_pReplaceCombo)
        fillCombo(m_pReplaceCombo, g_replaceHistory, false);
}

FindDialogRequest CFindDialog::request() const
{
    FindDialogRequest r;
    r.findText = comboBytes(m_pFindCombo);
    r.replaceText = comboBytes(m_pReplaceCombo);
    r.down = m_pDown ? m_pDown->isChecked() : true;
    r.matchCase = m_pMatchCase->isChecked();
    r.escapes = m_pEscapes->isChecked();
    return r;
}

void CFindDialog::updateButtons()
{
    enableButtons(!m_pFindCombo->currentText().isEmpty());
}

void CFindDialog::enableButtons(bool haveText)
{
    m_pFindNext->setEnabled(haveText);
}
