#include "frame/widgets/CReportCommands.h"

#include "app/Settings.h"
#include "binpane/CompareReport.h"
#include "binpane/DocDumpSource.h"
#include "binpane/TemplateFormat.h"
#include "binpane/TemplateHistory.h"
#include "binpane/widgets/CCompareDialog.h"
#include "binpane/widgets/CLumoBV.h"
#include "binpane/widgets/CTemplateDialog.h"
#include "doc/CLumoDoc.h"
#include "doc/DocumentUi.h"
#include "doc/widgets/CDocTemplate.h"
#include "doc/widgets/CLumoView.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "platform/widgets/WaitCursor.h"

#include <QDialog>

#include <algorithm>
#include <vector>

namespace {

constexpr size_t kMaxCompareCandidates = 30;

// A report that would not fit in a document is cut after its last piece
// that does, and the user is told once.
class CLimitedText final : public CCompareSink
{
public:
    explicit CLimitedText(size_t limit) : m_nLimit(limit) {}

    bool write(const uint8_t* p, size_t n) override
    {
        if (text.size() + n > m_nLimit)
            return false;
        text.append(reinterpret_cast<const char*>(p), n);
        return true;
    }

    std::string text;

private:
    size_t m_nLimit;
};

} // namespace

CReportCommands::CReportCommands(CDocTemplate& docTemplate, QWidget* dialogParent)
    : QObject(dialogParent)
    , m_template(docTemplate)
    , m_pDialogParent(dialogParent)
{
    connect(&m_template, &CDocTemplate::documentListChanged, this, &CReportCommands::forgetClosed);
}

void CReportCommands::forgetClosed()
{
    const auto& docs = m_template.documents();
    for (CLumoDoc** kept : {&m_pCompareResult, &m_pTable}) {
        if (*kept && std::none_of(docs.begin(), docs.end(), [kept](const auto& doc) { return doc.get() == *kept; }))
            *kept = nullptr;
    }
}

bool CReportCommands::compareAvailable() const
{
    const CLumoDoc* current = m_template.activeDocument();
    const auto& docs = m_template.documents();
    return current && !current->IsTextMode()
        && std::any_of(docs.begin(), docs.end(),
                       [current](const auto& doc) { return doc.get() != current && !doc->IsTextMode(); });
}

CLumoDoc* CReportCommands::newOutputDocument(const std::string& title)
{
    g_nNextDocMode = CLumoDoc::kTextMode;
    CLumoDoc* doc = m_template.OpenNewDocument();
    if (!doc)
        return nullptr;
    doc->SetTitle(title);
    DocumentUi().documentStateChanged(*doc);
    return doc;
}

void CReportCommands::closeOutputDocument(CLumoDoc*& doc)
{
    // The program's own output: it goes without asking to be saved.
    if (CLumoDoc* closing = std::exchange(doc, nullptr))
        m_template.CloseDocument(closing);
}

void CReportCommands::compare()
{
    CLumoView* view = m_template.activeView();
    CLumoDoc* current = view && view->hexPane() ? view->document() : nullptr;
    if (!current)
        return;
    if (current->DataSize() == 0) {
        (void)ShowMessage(StringId::IdsCompareEmpty);
        return;
    }
    std::vector<CLumoDoc*> candidates;
    std::vector<std::string> titles;
    for (const auto& doc : m_template.documents()) {
        if (candidates.size() == kMaxCompareCandidates)
            break;
        if (doc.get() != current && !doc->IsTextMode()) {
            candidates.push_back(doc.get());
            titles.push_back(doc->GetTitle());
        }
    }
    if (candidates.empty())
        return;
    CCompareDialog dialog(m_pDialogParent, titles);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen() < 0)
        return;
    CLumoDoc* other = candidates[static_cast<size_t>(dialog.chosen())];
    const std::vector<std::string> names { current->GetTitle(), other->GetTitle() };
    if (current->DataSize() != other->DataSize())
        (void)ShowMessage(StringId::IdsCompareSizeDiffers, MsgButtons::Ok, MsgIcon::Information, names);
    closeOutputDocument(m_pCompareResult);

    CLimitedText report(MaxDocumentBytes());
    CompareOutcome outcome;
    {
        CWaitCursor wait;
        CDocDumpSource mine(*current);
        CDocDumpSource theirs(*other);
        outcome = WriteCompareReport(mine, theirs, g_settings, report);
    }
    if (outcome.differingLines == 0) {
        (void)ShowMessage(StringId::IdsCompareAgree, MsgButtons::Ok, MsgIcon::Information, names);
        return;
    }
    m_pCompareResult = newOutputDocument(MessageText(StringId::IdsCompareResultTitle, names));
    if (!m_pCompareResult)
        return;
    m_pCompareResult->AppendOutput(reinterpret_cast<const uint8_t*>(report.text.data()),
                                   static_cast<uint32_t>(report.text.size()), false);
    // The report is read from its top, whatever the insertion did to the caret.
    if (CLumoView* shown = m_template.activeView(); shown && shown->document() == m_pCompareResult)
        shown->moveTextCaret(0, 0);
    if (!outcome.written)
        (void)ShowMessage(StringId::IdsTooLarge);
}

void CReportCommands::formatByTemplate()
{
    CLumoView* view = m_template.activeView();
    CLumoBV* pane = view ? view->hexPane() : nullptr;
    if (!pane || !pane->model().m_bSelection || view->document()->DataSize() == 0)
        return;
    // The history holds code page 932 bytes, as the program data file keeps
    // them; the file is opened by the name as typed.
    std::vector<std::string> recent;
    for (const std::string& entry : g_templateHistory.entries())
        recent.push_back(cp932::ToUtf8(entry));
    std::string name;
    CTemplateDialog dialog(m_pDialogParent, recent, [&name](const std::string& typed) {
        if (!AcceptTemplateName(cp932::FromUtf8(typed)))
            return false;
        name = typed;
        return true;
    });
    if (dialog.exec() != QDialog::Accepted)
        return;
    const TemplateParse parsed = LoadTemplate(name);
    if (parsed.problem != TemplateProblem::None) {
        ReportTemplateProblem(parsed.problem);
        return;
    }
    // Only the bytes the record can use are read: the selection may be huge.
    const CBinaryPaneModel& model = pane->model();
    const uint64_t selected = uint64_t{model.m_nSelEnd} - model.m_nSelStart + 1;
    const auto n = static_cast<uint32_t>(std::min(selected, TemplateRecordSize(parsed.entries)));
    const uint8_t* bytes = n ? view->document()->GetSpanPointer(model.m_nSelStart, n) : nullptr;
    const std::string table = FormatTemplateTable(cp932::FromUtf8(name), parsed.entries, {bytes, n});
    if (!m_pTable)
        m_pTable = newOutputDocument("Table");
    if (!m_pTable)
        return;
    m_pTable->AppendOutput(reinterpret_cast<const uint8_t*>(table.data()), static_cast<uint32_t>(table.size()),
                           true);
    m_template.activate(m_pTable);
}
