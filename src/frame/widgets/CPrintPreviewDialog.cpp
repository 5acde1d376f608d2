#include "frame/widgets/CPrintPreviewDialog.h"

#include "frame/widgets/CPrintJob.h"
#include "platform/Messages.h"
#include "platform/StringTable.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString Text(StringId id)
{
    return QString::fromUtf8(LoadString(id));
}

} // namespace

// The page, scaled to fit, on a grey ground.
class CPrintPreviewDialog::CPageView : public QWidget
{
public:
    CPageView(CPrintJob& job, QSize pageSize, QWidget* parent)
        : QWidget(parent)
        , m_job(job)
        , m_pageSize(pageSize)
    {
        setMinimumSize(300, 400);
    }
    void setPage(uint32_t page)
    {
        m_nPage = page;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Mid));
        if (m_pageSize.isEmpty())
            return;
        const int margin = 8;
        const double scale = std::min((width() - 2.0 * margin) / m_pageSize.width(),
                                      (height() - 2.0 * margin) / m_pageSize.height());
        if (scale <= 0)
            return;
        const QSizeF shown = QSizeF(m_pageSize) * scale;
        painter.translate((width() - shown.width()) / 2, (height() - shown.height()) / 2);
        painter.fillRect(QRectF(QPointF(0, 0), shown), Qt::white);
        painter.scale(scale, scale);
        painter.setRenderHint(QPainter::TextAntialiasing);
        if (m_nPage < m_job.pageCount())
            m_job.printPage(painter, m_nPage);
    }

private:
    CPrintJob& m_job;
    QSize m_pageSize;
    uint32_t m_nPage = 0;
};

CPrintPreviewDialog::CPrintPreviewDialog(QWidget* parent, CPrintJob& job, QSize pageSize)
    : QDialog(parent)
    , m_job(job)
{
    setWindowTitle(Text(StringId::IdsPreviewTitle));
    m_pView = new CPageView(job, pageSize, this);
    m_pPageLabel = new QLabel(this);
    auto* print = new QPushButton(Text(StringId::IdsPreviewPrint), this);
    m_pPrevious = new QPushButton(Text(StringId::IdsPreviewPrevious), this);
    m_pNext = new QPushButton(Text(StringId::IdsPreviewNext), this);
    auto* close = new QPushButton(Text(StringId::IdsPreviewClose), this);
    connect(print, &QPushButton::clicked, this, [this] {
        m_bPrint = true;
        accept();
    });
    connect(m_pPrevious, &QPushButton::clicked, this, [this] {
        if (m_nPage > 0)
            showPage(m_nPage - 1);
    });
    connect(m_pNext, &QPushButton::clicked, this, [this] { showPage(m_nPage + 1); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {print, m_pPrevious, m_pNext, close}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    buttons->addWidget(m_pPageLabel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_pView, 1);
    resize(720, 900);
    showPage(0);
}

void CPrintPreviewDialog::showPage(uint32_t page)
{
    const uint32_t count = m_job.pageCount();
    m_nPage = count == 0 ? 0 : std::min(page, count - 1);
    m_pPrevious->setEnabled(m_nPage > 0);
    m_pNext->setEnabled(m_nPage + 1 < count);
    m_pPageLabel->setText(QString::fromUtf8(MessageText(StringId::IdsPreviewPage,
                                                        {std::to_string(count ? m_nPage + 1 : 0),
                                                         std::to_string(count)})
                                                .c_str()));
    m_pView->setPage(m_nPage);
}

void CPrintPreviewDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
    case Qt::Key_Right:
        showPage(m_nPage + 1);
        return;
    case Qt::Key_PageUp:
    case Qt::Key_Left:
        if (m_nPage > 0)
            showPage(m_nPage - 1);
        return;
    case Qt::Key_Home:
        showPage(0);
        return;
    case Qt::Key_End:
        showPage(m_job.pageCount());
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
