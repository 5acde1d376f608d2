#include "frame/CMainFrame.h"

#include "binpane/CLumoBV.h"
#include "doc/CLumoDoc.h"
#include "doc/CabinetSettings.h"
#include "doc/ViewFont.h"

CMainFrame::CMainFrame()
{
    resize(1024, 720);
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::openDocument(const std::string& path)
{
    g_nNextDocMode = 2;
    auto doc = std::make_unique<CLumoDoc>();
    const bool opened = doc->OnOpenDocument(path);
    if (!opened)
        doc = std::make_unique<CLumoDoc>(); // the failure was reported; show an empty document
    showDocument(std::move(doc));
    return opened;
}

void CMainFrame::newDocument()
{
    g_nNextDocMode = 2;
    showDocument(std::make_unique<CLumoDoc>());
}

void CMainFrame::showDocument(std::unique_ptr<CLumoDoc> doc)
{
    const QString title = doc->GetPathName().empty() ? QStringLiteral("無題")
                                                     : QString::fromStdString(doc->GetPathName());
    setWindowTitle(title + QStringLiteral(" - Vexel"));
    auto* pane = new CLumoBV(doc.get(), MakeViewFont(doc->m_font, logicalDpiY()), this);
    setCentralWidget(pane); // deletes the previous pane before its document goes
    m_pPane = pane;
    m_pDoc = std::move(doc);
    m_pPane->setFocus();
}
