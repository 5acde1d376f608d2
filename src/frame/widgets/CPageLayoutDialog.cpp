#include "frame/widgets/CPageLayoutDialog.h"

#include "frame/PrintLayout.h"
#include "frame/widgets/FontRecordDialog.h"
#include "app/Settings.h"
#include "platform/Cp932.h"
#include "platform/StringTable.h"
#include "platform/widgets/CRangeSpinBox.h"
#include "platform/widgets/OkCancelButtons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString Text(StringId id)
{
    return QString::fromUtf8(LoadString(id));
}

QString FromCp932(const std::string& text)
{
    return QString::fromStdString(cp932::ToUtf8(text));
}

} // namespace

CPageLayoutDialog::CPageLayoutDialog(QWidget* parent, const PageLayout& layout)
    : QDialog(parent)
    , m_values(layout)
{
    setWindowTitle(Text(StringId::IdsPageLayoutTitle));
    auto* numbers = new QFormLayout;
    m_pLineSpacing = spacingBox(layout.lineSpacing);
    m_pCharSpacing = spacingBox(layout.charSpacing);
    m_pFirstPage = numberBox(layout.firstPageNumber, kMaxPrintNumber);
    m_pFirstLine = numberBox(layout.firstLineNumber, kMaxPrintNumber);
    numbers->addRow(Text(StringId::IdsLineSpacing), m_pLineSpacing);
    numbers->addRow(Text(StringId::IdsCharSpacing), m_pCharSpacing);
    numbers->addRow(Text(StringId::IdsFirstPageNumber), m_pFirstPage);
    numbers->addRow(Text(StringId::IdsFirstLineNumber), m_pFirstLine);
    m_pLineNumbers = new QCheckBox(Text(StringId::IdsPrintLineNumbers), this);
    m_pLineNumbers->setChecked(layout.printLineNumbers != 0);
    auto* font = new QPushButton(Text(StringId::IdsPrintFontButton), this);
    connect(font, &QPushButton::clicked, this, &CPageLayoutDialog::chooseFont);

    auto* right = new QVBoxLayout;
    right->addLayout(numbers);
    right->addWidget(m_pLineNumbers);
    right->addWidget(font, 0, Qt::AlignLeft);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(marginBox());
    top->addLayout(right);
    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->addLayout(top);
    layoutBox->addWidget(bandBox(true));
    layoutBox->addWidget(bandBox(false));
    layoutBox->addWidget(OkCancelButtons(this));
}

QGroupBox* CPageLayoutDialog::marginBox()
{
    auto* box = new QGroupBox(Text(StringId::IdsMarginsGroup), this);
    auto* form = new QFormLayout(box);
    const int32_t stored[] = {m_values.marginTop, m_values.marginBottom, m_values.marginLeft, m_values.marginRight};
    const StringId labels[] = {StringId::IdsMarginTop, StringId::IdsMarginBottom, StringId::IdsMarginLeft,
                               StringId::IdsMarginRight};
    for (size_t i = 0; i < m_margins.size(); ++i) {
        // Whole millimetres; the layout keeps tenths.
        m_margins[i] = numberBox(stored[i] / 10, kMaxMarginMm);
        form->addRow(Text(labels[i]), m_margins[i]);
    }
    return box;
}

QGroupBox* CPageLayoutDialog::bandBox(bool header)
{
    Band& band = m_bands[header ? 0 : 1];
    auto* box = new QGroupBox(Text(header ? StringId::IdsHeaderGroup : StringId::IdsFooterGroup), this);
    auto* grid = new QGridLayout(box);
    band.pageTemplate = new QLineEdit(FromCp932(header ? m_values.headerTemplate : m_values.footerTemplate), box);
    auto* label = new QLabel(Text(header ? StringId::IdsHeaderTemplate : StringId::IdsFooterTemplate), box);
    label->setBuddy(band.pageTemplate);
    grid->addWidget(label, 0, 0);
    grid->addWidget(band.pageTemplate, 0, 1, 1, 5);
    band.on = new QButtonGroup(box);
    band.position = new QButtonGroup(box);
    const int on = header ? m_values.headerOn : m_values.footerOn;
    const int position = header ? m_values.headerPosition : m_values.footerPosition;
    const std::pair<StringId, int> switches[] = {{StringId::IdsBandOn, 1}, {StringId::IdsBandOff, 0}};
    int column = 0;
    for (const auto& [text, id] : switches) {
        auto* radio = new QRadioButton(Text(text), box);
        radio->setChecked((on != 0) == (id == 1));
        band.on->addButton(radio, id);
        grid->addWidget(radio, 1, column++);
    }
    const StringId places[] = {StringId::IdsBandLeft, StringId::IdsBandCentre, StringId::IdsBandRight};
    for (int id = 0; id < 3; ++id) {
        auto* radio = new QRadioButton(Text(places[id]), box);
        radio->setChecked(position == id);
        band.position->addButton(radio, id);
        grid->addWidget(radio, 1, ++column);
    }
    return box;
}

QComboBox* CPageLayoutDialog::spacingBox(int32_t value)
{
    auto* combo = new QComboBox(this);
    combo->addItem(QStringLiteral("0"));
    for (int item = 1; item < kSpacingItems; ++item)
        combo->addItem(QStringLiteral("+%1 mm").arg(SpacingOfItem(item) / 10.0, 0, 'f', 1));
    combo->setCurrentIndex(SpacingItemOf(value));
    return combo;
}

CRangeSpinBox* CPageLayoutDialog::numberBox(int value, int highest)
{
    auto* spin = new CRangeSpinBox(0, highest, this);
    spin->setValue(value);
    return spin;
}

void CPageLayoutDialog::chooseFont()
{
    if (const std::optional<LogFontRecord> font = ChooseFontRecord(this, m_values.font, logicalDpiY()))
        m_values.font = *font;
}

void CPageLayoutDialog::accept()
{
    PageLayout values = m_values;
    for (CRangeSpinBox* margin : m_margins) {
        if (!margin->checkRange())
            return;
    }
    values.marginTop = m_margins[0]->value() * 10;
    values.marginBottom = m_margins[1]->value() * 10;
    values.marginLeft = m_margins[2]->value() * 10;
    values.marginRight = m_margins[3]->value() * 10;
    for (size_t i = 0; i < m_bands.size(); ++i) {
        const std::string text = cp932::FromUtf8(m_bands[i].pageTemplate->text().toStdString());
        if (text.size() > kMaxPageTemplateBytes) {
            BeepRefusal();
            m_bands[i].pageTemplate->setFocus();
            m_bands[i].pageTemplate->selectAll();
            return;
        }
        (i == 0 ? values.headerTemplate : values.footerTemplate) = text;
        (i == 0 ? values.headerOn : values.footerOn) = m_bands[i].on->checkedId() == 1 ? 1 : 0;
        // A stored place outside the three keeps its value while no button is chosen.
        if (const int place = m_bands[i].position->checkedId(); place >= 0)
            (i == 0 ? values.headerPosition : values.footerPosition) = place;
    }
    for (QComboBox* combo : {m_pLineSpacing, m_pCharSpacing}) {
        if (combo->currentIndex() < 0) {
            BeepRefusal();
            combo->setFocus();
            return;
        }
    }
    values.lineSpacing = SpacingOfItem(m_pLineSpacing->currentIndex());
    values.charSpacing = SpacingOfItem(m_pCharSpacing->currentIndex());
    if (!m_pFirstPage->checkRange() || !m_pFirstLine->checkRange())
        return;
    values.firstPageNumber = m_pFirstPage->value();
    values.firstLineNumber = static_cast<uint16_t>(m_pFirstLine->value());
    values.printLineNumbers = m_pLineNumbers->isChecked() ? 1 : 0;
    m_values = values;
    QDialog::accept();
}
