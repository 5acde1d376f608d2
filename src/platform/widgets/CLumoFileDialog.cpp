#include "platform/widgets/CLumoFileDialog.h"

#include "app/Settings.h"
#include "platform/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace {
int g_nTypeEntry = 0;       // the combo entry of the last open dialog
int g_nFilterIndex = 0;     // the filter of the last dialog
QStringList g_filters = { QStringLiteral("すべてのファイル (*)") };
} // namespace

void CLumoFileDialog::SetNameFilters(const QStringList& filters)
{
    if (!filters.isEmpty())
        g_filters = filters;
    g_nFilterIndex = 0;
}

CLumoFileDialog::CLumoFileDialog(QWidget* parent, bool openForm, const QString& title)
    : QFileDialog(parent, title)
{
    setOption(QFileDialog::DontUseNativeDialog); // the extra controls need our own dialog
    setNameFilters(g_filters);
    selectNameFilter(g_filters.value(g_nFilterIndex, g_filters.front()));
    if (!openForm) {
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
        return;
    }
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    auto* grid = qobject_cast<QGridLayout*>(layout());
    m_pTypeCombo = new QComboBox(this);
    m_pTypeCombo->addItems({ QStringLiteral("自動"), QStringLiteral("テキストファイル"),
                             QStringLiteral("バイナリファイル"), QStringLiteral("キャビネットファイル") });
    m_pTypeCombo->setCurrentIndex(g_nTypeEntry);
    m_pReadOnly = new QCheckBox(QStringLiteral("読み取り専用ファイルとして開く(&R)"), this);
    if (grid) {
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(QStringLiteral("ファイル形式(&K):"), this), row, 0);
        grid->addWidget(m_pTypeCombo, row, 1);
        grid->addWidget(m_pReadOnly, row + 1, 1);
    }
    connect(m_pTypeCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_cabinetStatus)
            return;
        m_cabinetStatus(index == 3 ? QStringLiteral("現在のキャビネット：%1")
                                         .arg(QString::fromStdString(g_settings.cabinetPath))
                                   : QString());
    });
}

bool CLumoFileDialog::readOnlyChecked() const
{
    return m_pReadOnly && m_pReadOnly->isChecked();
}

void CLumoFileDialog::done(int result)
{
    if (m_pTypeCombo)
        g_nTypeEntry = m_pTypeCombo->currentIndex();
    g_nFilterIndex = std::max<int>(0, static_cast<int>(g_filters.indexOf(selectedNameFilter())));
    if (m_cabinetStatus)
        m_cabinetStatus(QString());
    QFileDialog::done(result);
}

bool CLumoFileDialog::PromptFileName(QWidget* parent, std::string& name, bool openForm, bool* readOnly,
                                     std::function<void(const QString&)> cabinetStatus)
{
    const StringId title = openForm ? StringId::IdsOpenTitle : StringId::IdsSaveAsTitle;
    CLumoFileDialog dialog(parent, openForm, QString::fromUtf8(LoadString(title)));
    dialog.setCabinetStatusSink(std::move(cabinetStatus));
    if (!name.empty())
        dialog.selectFile(QString::fromStdString(name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    name = dialog.selectedFiles().front().toStdString();
    if (readOnly)
        *readOnly = dialog.readOnlyChecked();
    return true;
}
