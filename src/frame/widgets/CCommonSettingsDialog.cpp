#include "frame/widgets/CCommonSettingsDialog.h"

#include "frame/CommonSettings.h"
#include "platform/Messages.h"
#include "platform/widgets/CRangeSpinBox.h"
#include "platform/widgets/OkCancelButtons.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString Text(StringId id)
{
    return QString::fromUtf8(LoadString(id));
}

} // namespace

CCommonSettingsDialog::CCommonSettingsDialog(QWidget* parent, const CSettings& settings,
                                             CColourButton::CustomColours& customColours)
    : QDialog(parent)
    , m_values(settings)
    , m_customColours(customColours)
{
    setWindowTitle(Text(StringId::IdsCommonSettingsTitle));
    auto* columns = new QHBoxLayout;
    columns->addWidget(startPage(), 0, Qt::AlignTop);
    columns->addWidget(dumpPage());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(OkCancelButtons(this));
}

// The start-up, title and bar options and the edit mode at start.
QWidget* CCommonSettingsDialog::startPage()
{
    auto* box = new QGroupBox(this);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(check(StringId::IdsNoPreviousFiles, &CSettings::InitialCabinetMode));
    layout->addWidget(check(StringId::IdsNoNewFile, &CSettings::InvokeWithoutUntitled));
    layout->addWidget(check(StringId::IdsMultiInstance, &CSettings::MultiInstance));
    layout->addWidget(check(StringId::IdsFullPathTitle, &CSettings::LongTitle));
    layout->addWidget(check(StringId::IdsShowWindowBar, &CSettings::DisplayTabBar));
    layout->addWidget(check(StringId::IdsStartOverwrite, &CSettings::StartWithOverWrite));
    layout->addWidget(check(StringId::IdsIgnore8bit, &CSettings::Ignore8bitCode));
    return box;
}

// The address radix, the byte counts, the underline marks and the colours of the dump.
QWidget* CCommonSettingsDialog::dumpPage()
{
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    auto* decimal = new QRadioButton(Text(StringId::IdsDecimalAddress), box);
    m_pHexAddress = new QRadioButton(Text(StringId::IdsHexAddress), box);
    // A stored value other than 0 shows as hexadecimal.
    (m_values.HexAddress ? m_pHexAddress : decimal)->setChecked(true);
    auto* radix = new QHBoxLayout;
    radix->addWidget(decimal);
    radix->addWidget(m_pHexAddress);
    radix->addStretch();
    grid->addLayout(radix, 0, 0, 1, 3);
    const std::pair<StringId, Field> counts[] = {
        {StringId::IdsBytesPerLine, &CSettings::BytesPerLine},
        {StringId::IdsDecimalBlockBytes, &CSettings::DecimalBlockBytes},
        {StringId::IdsHexBlockBytes, &CSettings::HexBlockBytes},
    };
    for (const auto& [text, field] : counts) {
        auto* spin = new CRangeSpinBox(kMinByteCount, kMaxByteCount, box);
        spin->setValue(m_values.*field);
        m_counts.emplace_back(spin, field);
        addLabelled(grid, text, spin);
    }
    const int underline = grid->rowCount();
    grid->addWidget(check(StringId::IdsUnderlineLine, &CSettings::DrawUnderLine), underline, 0, 1, 2);
    grid->addWidget(colourButton(&CSettings::CursorUnderLineColor), underline, 2);
    grid->addWidget(check(StringId::IdsUnderlineCaret, &CSettings::DrawUnderCaret), underline + 1, 0, 1, 2);
    grid->addWidget(colourButton(&CSettings::UnderCaretColor), underline + 1, 2);
    auto* raster = new QHBoxLayout;
    raster->addSpacing(20); // it shapes the mark above
    raster->addWidget(check(StringId::IdsOneRasterLow, &CSettings::OneRasterLow));
    grid->addLayout(raster, underline + 2, 0, 1, 3);
    const std::pair<StringId, std::pair<Field, Field>> colouring[] = {
        {StringId::IdsColouringByte1, {&CSettings::Binary1, &CSettings::Binary1Color}},
        {StringId::IdsColouringByte2, {&CSettings::Binary2, &CSettings::Binary2Color}},
    };
    for (const auto& [text, fields] : colouring) {
        auto* edit = new QLineEdit(QString::fromStdString(ColouringByteText(m_values.*fields.first)), box);
        edit->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
        m_colouringBytes.emplace_back(edit, fields.first);
        addLabelled(grid, text, edit, colourButton(fields.second));
    }
    addLabelled(grid, StringId::IdsMarkedPosColour, colourButton(&CSettings::MarkedPosColor));
    addLabelled(grid, StringId::IdsAddressLineBackColour, colourButton(&CSettings::AddressLineBackColor));
    return box;
}

QCheckBox* CCommonSettingsDialog::check(StringId text, Field field)
{
    auto* box = new QCheckBox(Text(text), this);
    box->setChecked(m_values.*field != 0);
    m_checks.emplace_back(box, field);
    return box;
}

CColourButton* CCommonSettingsDialog::colourButton(Field field)
{
    auto* button = new CColourButton(static_cast<uint32_t>(m_values.*field), m_customColours, this);
    m_colours.emplace_back(button, field);
    return button;
}

// A row of the grid: the label, its field, and the field's colour when it has one;
// a colour button without a field of its own stands in the last column.
void CCommonSettingsDialog::addLabelled(QGridLayout* grid, StringId text, QWidget* field, QWidget* colour)
{
    const int row = grid->rowCount();
    auto* label = new QLabel(Text(text), this);
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, qobject_cast<CColourButton*>(field) ? 2 : 1);
    if (colour)
        grid->addWidget(colour, row, 2);
}

void CCommonSettingsDialog::accept()
{
    CSettings values = m_values;
    if (!readColouringBytes(values))
        return;
    values.HexAddress = m_pHexAddress->isChecked() ? 1 : 0;
    if (!readCounts(values))
        return;
    for (const auto& [box, field] : m_checks)
        values.*field = box->isChecked() ? 1 : 0;
    for (const auto& [button, field] : m_colours)
        values.*field = static_cast<int>(button->colorRef());
    m_values = values;
    QDialog::accept();
}

bool CCommonSettingsDialog::readColouringBytes(CSettings& values)
{
    for (const auto& [edit, field] : m_colouringBytes) {
        const std::optional<int> value = ParseColouringByte(edit->text().toStdString());
        if (!value) {
            BeepRefusal();
            edit->setFocus();
            edit->selectAll();
            return false;
        }
        values.*field = *value;
    }
    return true;
}

bool CCommonSettingsDialog::readCounts(CSettings& values)
{
    for (const auto& [spin, field] : m_counts) {
        if (!spin->checkRange())
            return false;
        values.*field = spin->value();
    }
    return true;
}
