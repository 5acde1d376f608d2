#include "doc/widgets/CDocTemplate.h"

#include "doc/CLumoDoc.h"
#include "doc/widgets/CLumoMCW.h"
#include "doc/widgets/CLumoView.h"
#include "platform/Messages.h"

#include <QMdiArea>

#include <algorithm>
#include <filesystem>

CDocTemplate::CDocTemplate(QMdiArea* mdiArea)
    : m_pMdiArea(mdiArea)
{
}

CDocTemplate::~CDocTemplate() = default;

// A document that ran out of memory while being built gets no view: the
// command that wanted it fails with the out-of-memory box.
std::unique_ptr<CLumoDoc> CDocTemplate::makeDocument()
{
    auto doc = std::make_unique<CLumoDoc>(TakeNextDocMode());
    if (doc->IsComplete())
        return doc;
    ShowOutOfMemory();
    return nullptr;
}

CLumoDoc* CDocTemplate::adopt(std::unique_ptr<CLumoDoc> doc)
{
    m_docs.push_back(std::move(doc));
    CLumoDoc* adopted = m_docs.back().get();
    CreateNewFrame(adopted);
    emit documentListChanged();
    return adopted;
}

CLumoDoc* CDocTemplate::OpenNewDocument()
{
    auto doc = makeDocument();
    if (!doc || !doc->OnNewDocument())
        return nullptr;
    doc->SetTitle("無題" + std::to_string(++m_nUntitledCount));
    return adopt(std::move(doc));
}

CLumoDoc* CDocTemplate::OpenDocumentFile(const std::string& path)
{
    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(path, ec).lexically_normal().string();
    for (const auto& doc : m_docs) {
        if (!doc->GetPathName().empty() && doc->GetPathName() == absolute) {
            activate(doc.get());
            return doc.get();
        }
    }
    auto doc = makeDocument();
    if (!doc || !doc->OnOpenDocument(path))
        return nullptr;
    return adopt(std::move(doc));
}

CLumoMCW* CDocTemplate::CreateNewFrame(CLumoDoc* doc)
{
    auto* view = new CLumoView(doc);
    connect(view, &QObject::destroyed, this, [this, doc] { viewDestroyed(doc); });
    auto* frame = new CLumoMCW(*this, view);
    m_pMdiArea->addSubWindow(frame);
    titleFrames(doc);
    if (m_bRestoring) {
        emit frameCreated(frame);
        return frame; // shown by the restore once every document is in
    }
    // The only document comes up maximised; later ones as the user arranges them.
    if (m_docs.size() <= 1 || (m_pMdiArea->activeSubWindow() && m_pMdiArea->activeSubWindow()->isMaximized()))
        frame->showMaximized();
    else
        frame->show();
    m_pMdiArea->setActiveSubWindow(frame);
    view->setFocus();
    emit frameCreated(frame);
    return frame;
}

void CDocTemplate::titleFrames(const CLumoDoc* doc)
{
    const std::vector<CLumoMCW*> frames = framesOf(doc);
    const QString title = QString::fromStdString(doc->GetTitle());
    for (size_t i = 0; i < frames.size(); ++i)
        frames[i]->setWindowTitle(frames.size() == 1 ? title : title + QStringLiteral(":%1").arg(i + 1));
}

std::vector<CLumoMCW*> CDocTemplate::framesOf(const CLumoDoc* doc) const
{
    std::vector<CLumoMCW*> frames;
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        auto* frame = qobject_cast<CLumoMCW*>(window);
        if (frame && frame->view()->document() == doc)
            frames.push_back(frame);
    }
    return frames;
}

CLumoDoc* CDocTemplate::activeDocument() const
{
    const CLumoView* view = activeView();
    return view ? view->document() : nullptr;
}

CLumoView* CDocTemplate::activeView() const
{
    auto* frame = qobject_cast<CLumoMCW*>(m_pMdiArea->activeSubWindow());
    return frame ? frame->view() : nullptr;
}

void CDocTemplate::activate(CLumoDoc* doc)
{
    const std::vector<CLumoMCW*> frames = framesOf(doc);
    if (frames.empty())
        return;
    if (frames.front()->isMinimized())
        frames.front()->showNormal();
    m_pMdiArea->setActiveSubWindow(frames.front());
}

bool CDocTemplate::frameClosing(CLumoMCW* frame)
{
    // Closing the last window of a modified document asks first.
    CLumoDoc* doc = frame->view()->document();
    return framesOf(doc).size() > 1 || doc->SaveModified();
}

void CDocTemplate::viewDestroyed(CLumoDoc* doc)
{
    const auto it = std::find_if(m_docs.begin(), m_docs.end(),
                                 [doc](const auto& owned) { return owned.get() == doc; });
    if (it == m_docs.end())
        return;
    if (doc->views().empty())
        m_docs.erase(it);
    else
        titleFrames(doc);
    emit documentListChanged();
}

void CDocTemplate::CloseDocument(CLumoDoc* doc)
{
    // The document goes with its last view (viewDestroyed).
    const std::vector<CLumoMCW*> frames = framesOf(doc);
    for (CLumoMCW* frame : frames) {
        m_pMdiArea->removeSubWindow(frame);
        delete frame;
    }
    if (frames.empty()) {
        std::erase_if(m_docs, [doc](const auto& owned) { return owned.get() == doc; });
        emit documentListChanged();
    }
}

bool CDocTemplate::SaveAllModified()
{
    for (const auto& doc : m_docs)
        if (!doc->SaveModified())
            return false;
    return true;
}

void CDocTemplate::CloseAllDocuments()
{
    while (!m_docs.empty())
        CloseDocument(m_docs.back().get());
}
