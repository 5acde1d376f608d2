#include "frame/widgets/CPrintCommands.h"

#include "binpane/DocDumpSource.h"
#include "binpane/widgets/CLumoBV.h"
#include "doc/CLumoDoc.h"
#include "doc/widgets/CDocTemplate.h"
#include "doc/widgets/CLumoView.h"
#include "frame/widgets/CPrintJob.h"
#include "frame/widgets/CPrintPreviewDialog.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "textpane/CTextCaretModel.h"
#include "textpane/widgets/CLumoEV.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QPainter>
#include <QPrintDialog>

#include <ctime>

// A job with the source its dump lines are read from.
struct CPrintCommands::Job
{
    std::unique_ptr<CDocDumpSource> source;
    std::optional<CPrintJob> job;
};

CPrintCommands::CPrintCommands(CDocTemplate& docTemplate, QWidget* frame)
    : QObject(frame)
    , m_template(docTemplate)
    , m_pFrame(frame)
{
}

CPrintCommands::~CPrintCommands() = default;

std::unique_ptr<CPrintCommands::Job> CPrintCommands::makeJob(CLumoView& view, bool selection)
{
    CLumoDoc& doc = *view.document();
    auto made = std::make_unique<Job>();
    const CPrintJob::Page page{g_programData.page, m_printer, cp932::FromUtf8(doc.GetTitle()),
                               PrintStampOf(std::time(nullptr))};
    StringId refusal{};
    if (CLumoBV* hex = view.hexPane()) {
        const CBinaryPaneModel& model = hex->model();
        std::optional<DumpLineRange> lines;
        const auto perLine = static_cast<uint32_t>(CDumpGeometry::FromSettings(g_settings).B);
        if (selection && model.m_bSelection)
            lines = DumpLineRange{model.m_nSelStart / perLine, model.m_nSelEnd / perLine};
        made->source = std::make_unique<CDocDumpSource>(doc);
        made->job = CPrintJob::ForDump(*made->source, g_settings, page, lines, refusal);
    } else if (CLumoEV* text = view.textPane()) {
        CTextCaretModel& model = text->model();
        uint32_t from = 0;
        uint32_t to = doc.DataSize();
        if (selection && view.hasStreamSelection()) {
            const auto [start, end] = model.selection();
            from = model.lines().lineStart(model.lines().lineOf(start));
            to = end;
        }
        made->job = CPrintJob::ForText(doc, TextLayoutOf(doc), page, from, to, refusal);
    }
    if (!made->job) {
        ShowMessage(refusal, MsgButtons::Ok, MsgIcon::Warning);
        return nullptr;
    }
    return made;
}

bool CPrintCommands::printAll(CPrintJob& job)
{
    QPainter painter;
    if (!painter.begin(&m_printer))
        return false;
    for (uint32_t page = 0; page < job.pageCount(); ++page) {
        if (page > 0 && !m_printer.newPage())
            break;
        job.printPage(painter, page);
    }
    return painter.end();
}

void CPrintCommands::print()
{
    CLumoView* view = m_template.activeView();
    if (!view)
        return;
    QPrintDialog dialog(&m_printer, m_pFrame);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    const bool offersSelection = view->hexPane() ? view->hasSelection() : view->hasStreamSelection();
    dialog.setOption(QAbstractPrintDialog::PrintSelection, offersSelection);
    m_printer.setPrintRange(offersSelection ? QPrinter::Selection : QPrinter::AllPages);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const bool selection = offersSelection && m_printer.printRange() == QPrinter::Selection;
    // A binary selection not printed goes, so that the pages show no highlight.
    if (!selection && view->hexPane() && view->hasSelection())
        view->hexPane()->model().clearSelection();
    const std::unique_ptr<Job> job = makeJob(*view, selection);
    if (job && !printAll(*job->job))
        MessageBeep(-1);
}

void CPrintCommands::preview()
{
    CLumoView* view = m_template.activeView();
    if (!view)
        return;
    const std::unique_ptr<Job> job = makeJob(*view, false);
    if (!job)
        return;
    CPrintPreviewDialog dialog(m_pFrame, *job->job, QSize(m_printer.width(), m_printer.height()));
    dialog.exec();
    if (dialog.printRequested())
        print();
}

// The platform's print dialog chooses the printer and its paper; here its
// accepting button only keeps the choice, so it says OK.
void CPrintCommands::printerSetup()
{
    QPrintDialog dialog(&m_printer, m_pFrame);
    dialog.setWindowTitle(QString::fromUtf8(LoadString(StringId::IdsPrinterSetupTitle)));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        for (QAbstractButton* button : buttons->buttons())
            if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
                button->setText(QStringLiteral("OK"));
    }
    dialog.exec();
}
