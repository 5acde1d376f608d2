#include "frame/widgets/CChecksumDialog.h"

#include "doc/CLumoDoc.h"
#include "doc/widgets/CLumoView.h"
#include "frame/widgets/DocumentChecksums.h"
#include "platform/StringTable.h"
#include "platform/widgets/WaitCursor.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CChecksumDialog::CChecksumDialog(QWidget* parent, const SummedBytes& summed, const ChecksumValues& values)
    : QDialog(parent)
    , m_values(values)
{
    setWindowTitle(QString::fromUtf8(LoadString(StringId::IdsChecksumTitle)));
    auto* layout = new QVBoxLayout(this);
    auto* summedLabel = new QLabel(QString::fromStdString(SummedBytesText(summed)), this);
    summedLabel->setObjectName(QStringLiteral("summedBytes"));
    layout->addWidget(summedLabel);

    auto* form = new QFormLayout;
    const std::string* texts[] = {&values.crc32, &values.md5, &values.sha1, &values.sha256};
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (int i = 0; i < 4; ++i) {
        auto* field = new QLineEdit(QString::fromStdString(*texts[i]), this);
        field->setReadOnly(true);
        field->setFont(fixed);
        // Wide enough for a whole SHA-256 without scrolling.
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QString(66, QLatin1Char('0'))));
        form->addRow(QString::fromLatin1(kChecksumNames[i]), field);
        m_fields[i] = field;
    }
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* copy = buttons->addButton(QString::fromUtf8(LoadString(StringId::IdsChecksumCopy)),
                                           QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copyButton"));
    QPushButton* close = buttons->addButton(QString::fromUtf8(LoadString(StringId::IdsChecksumClose)),
                                            QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(copy, &QPushButton::clicked, this, [this] {
        QGuiApplication::clipboard()->setText(QString::fromStdString(ChecksumLines(m_values)));
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CChecksumDialog::run(QWidget* parent, CLumoView& view)
{
    CLumoDoc& doc = *view.document();
    SummedBytes summed{0, doc.DataSize(), true};
    if (const auto selected = view.selectedBytes())
        summed = {selected->first, selected->second - selected->first, false};
    ChecksumValues values;
    {
        CWaitCursor wait;
        values = SumDocumentBytes(doc, summed.start, summed.length);
    }
    CChecksumDialog dialog(parent, summed, values);
    dialog.exec();
}
