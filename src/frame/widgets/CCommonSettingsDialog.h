// The common settings dialog: start-up, window bar and title options and
// everything that shapes the hex dump. It opens with the given settings and
// answers, after OK, those settings with its values; OK refuses a colouring
// byte that is not one or two hexadecimal digits (a beep, the field selected)
// and a byte count out of range (the range message).
#pragma once

#include "app/Settings.h"
#include "platform/widgets/CColourButton.h"
#include "platform/StringTable.h"

#include <QDialog>

#include <utility>
#include <vector>

class CRangeSpinBox;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;

class CCommonSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    CCommonSettingsDialog(QWidget* parent, const CSettings& settings, CColourButton::CustomColours& customColours);

    // The settings given with the dialog's values, once OK was taken.
    const CSettings& values() const { return m_values; }

    void accept() override;

private:
    using Field = int CSettings::*;

    QWidget* startPage();
    QWidget* dumpPage();
    QCheckBox* check(StringId text, Field field);
    CColourButton* colourButton(Field field);
    void addLabelled(QGridLayout* grid, StringId text, QWidget* field, QWidget* colour = nullptr);
    [[nodiscard]] bool readColouringBytes(CSettings& values);
    [[nodiscard]] bool readCounts(CSettings& values);

    CSettings m_values;
    CColourButton::CustomColours& m_customColours;
    QRadioButton* m_pHexAddress = nullptr;
    std::vector<std::pair<QCheckBox*, Field>> m_checks;
    std::vector<std::pair<CRangeSpinBox*, Field>> m_counts;
    std::vector<std::pair<QLineEdit*, Field>> m_colouringBytes;
    std::vector<std::pair<CColourButton*, Field>> m_colours;
};
