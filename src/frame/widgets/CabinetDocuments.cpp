#include "frame/widgets/CabinetDocuments.h"

#include "doc/CLumoDoc.h"
#include "doc/widgets/CDocTemplate.h"
#include "doc/widgets/CLumoMCW.h"
#include "doc/widgets/CLumoView.h"
#include "platform/Cp932.h"

#include <QMdiArea>
#include <QStatusBar>

#include <filesystem>
#include <unistd.h>

namespace {

const QString kOpeningCabinet = QStringLiteral("ｷｬﾋﾞﾈｯﾄを開いています:");

// Whether the file is there to be read. It is not opened here: a FIFO put in
// its place would block the start for ever.
bool Readable(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), R_OK) == 0;
}

} // namespace

std::vector<CabinetDocument> CollectCabinetDocuments(const CDocTemplate& docTemplate, const QMdiArea& area)
{
    std::vector<CabinetDocument> records;
    const QMdiSubWindow* active = area.activeSubWindow();
    for (const auto& doc : docTemplate.documents()) {
        if (records.size() == CabinetContent::kMaxDocuments)
            break;
        const std::string& path = doc->GetPathName();
        const std::vector<CLumoMCW*> frames = docTemplate.framesOf(doc.get());
        if (path.empty() || frames.empty())
            continue;
        CabinetDocument record;
        record.path = cp932::FromUtf8(path);
        if (cp932::ToUtf8(record.path) != path)
            continue;
        record.placement = frames.front()->placement();
        record.active = std::find(frames.begin(), frames.end(), active) != frames.end();
        record.readOnly = doc->IsReadOnly();
        record.mode = doc->IsTextMode() ? CLumoDoc::kTextMode : CLumoDoc::kBinaryMode;
        const CLumoView::Position position = frames.front()->view()->position();
        record.firstLine = static_cast<int32_t>(position.firstLine);
        record.caret = static_cast<int32_t>(position.caret);
        record.caretLine = static_cast<int32_t>(position.caretLine);
        records.push_back(std::move(record));
    }
    return records;
}

void RestoreCabinetDocuments(CDocTemplate& docTemplate, QMdiArea& area, QStatusBar& status,
                             const std::vector<CabinetDocument>& documents)
{
    struct Reopened
    {
        CLumoMCW* frame;
        const CabinetDocument* record;
    };
    std::vector<Reopened> reopened;
    CLumoMCW* activeFrame = nullptr;
    const bool earlierLayout = !documents.empty() && documents.front().mode == 0;

    docTemplate.setRestoring(true);
    for (size_t i = 0; i < documents.size(); ++i) {
        const CabinetDocument& record = documents[i];
        status.showMessage(kOpeningCabinet + QStringLiteral(" %1/%2").arg(i + 1).arg(documents.size()));
        status.repaint();
        const std::string path = cp932::ToUtf8(record.path);
        if (!Readable(path))
            continue;
        g_nNextDocMode = record.mode == CLumoDoc::kTextMode ? CLumoDoc::kTextMode : CLumoDoc::kBinaryMode;
        CLumoDoc* doc = docTemplate.OpenDocumentFile(path);
        g_nNextDocMode = CLumoDoc::kTextMode;
        const std::vector<CLumoMCW*> frames = doc ? docTemplate.framesOf(doc) : std::vector<CLumoMCW*>{};
        if (frames.empty())
            continue;
        // A file that came in only in part stays read-only: saving it would cut it short.
        if (record.readOnly)
            doc->SetReadOnly(true);
        reopened.push_back({frames.front(), &record});
        if (record.active)
            activeFrame = frames.front();
    }
    docTemplate.setRestoring(false);
    status.clearMessage();

    // Shown only now, so that the area arranges them once.
    for (const Reopened& entry : reopened)
        entry.frame->showWithPlacement(entry.record->placement);
    for (const Reopened& entry : reopened) {
        CLumoView* view = entry.frame->view();
        if (entry.record->mode != 0 || view->IsTextMode())
            view->restorePosition({static_cast<uint32_t>(entry.record->firstLine),
                                   static_cast<uint32_t>(entry.record->caret),
                                   static_cast<uint32_t>(entry.record->caretLine)});
    }
    if (activeFrame) {
        area.setActiveSubWindow(activeFrame);
    } else if (!reopened.empty() && !earlierLayout) {
        area.setActiveSubWindow(reopened.front().frame);
        reopened.front().frame->showMaximized();
    }
    if (QMdiSubWindow* active = area.activeSubWindow())
        active->widget()->setFocus();
}
