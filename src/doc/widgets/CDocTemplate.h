// The one document template: it makes a document, its child window and its
// view together, keeps the open documents in the order they were opened, and
// finds the windows of each.
#pragma once

#include <QObject>

#include <memory>
#include <string>
#include <vector>

class CLumoDoc;
class CLumoMCW;
class CLumoView;
class QMdiArea;

class CDocTemplate : public QObject
{
    Q_OBJECT

public:
    explicit CDocTemplate(QMdiArea* mdiArea);
    ~CDocTemplate() override;

    // A new untitled document in the mode g_nNextDocMode gives ("無題1", ...).
    CLumoDoc* OpenNewDocument();
    // Opens path, or activates the document already open under that path.
    // Null (after the document's own message) when the file cannot be read.
    CLumoDoc* OpenDocumentFile(const std::string& path);
    // A further view of doc in a child window of its own.
    CLumoMCW* CreateNewFrame(CLumoDoc* doc);

    // While restoring, new frames are made hidden and not activated: the
    // restore shows them with their placements once all are in.
    void setRestoring(bool restoring) { m_bRestoring = restoring; }

    // Closes every window of doc and releases it; no questions asked.
    void CloseDocument(CLumoDoc* doc);
    // Runs the save prompt of every modified document; false when one was cancelled.
    bool SaveAllModified();
    void CloseAllDocuments();

    const std::vector<std::unique_ptr<CLumoDoc>>& documents() const { return m_docs; }
    std::vector<CLumoMCW*> framesOf(const CLumoDoc* doc) const;
    CLumoDoc* activeDocument() const;
    CLumoView* activeView() const;
    void activate(CLumoDoc* doc);
    // Child window titles follow the document title (":2" and so on for further views).
    void titleFrames(const CLumoDoc* doc);

    // Called by a child window that is closing: answers whether it may close
    // (the save prompt when it is the document's last window).
    bool frameClosing(CLumoMCW* frame);
    // A view is gone: the document goes with its last one.
    void viewDestroyed(CLumoDoc* doc);

signals:
    // A document was opened or closed, or a frame created: the tab bar refreshes.
    void documentListChanged();
    void frameCreated(CLumoMCW* frame);

private:
    std::unique_ptr<CLumoDoc> makeDocument();
    CLumoDoc* adopt(std::unique_ptr<CLumoDoc> doc);

    QMdiArea* m_pMdiArea;
    std::vector<std::unique_ptr<CLumoDoc>> m_docs;
    int m_nUntitledCount = 0;
    bool m_bRestoring = false;
};
