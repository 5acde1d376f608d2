// What the document needs from the windows around it while it opens, saves
// and closes: the save form of the file dialog, the wait cursor, the tab bar
// and the recently-used list. The main window installs its implementation;
// until then (and in tests that do not install one) a default does nothing
// and declines the file dialog.
#pragma once

#include <string>

class CLumoDoc;

class CDocumentUi
{
public:
    virtual ~CDocumentUi() = default;

    // The save form of the file dialog (title "名前を付けて保存", read-only box
    // hidden, the folder must exist). name comes in as the proposal and goes
    // out as the chosen path; false when the user cancels.
    virtual bool promptSaveFileName(std::string& name) { (void)name; return false; }

    virtual void beginWaitCursor() {}
    virtual void endWaitCursor() {}

    // The modified flag, path or title of doc changed: refresh the tab bar.
    // Also arrives while a document loads, before any window shows it.
    virtual void documentStateChanged(CLumoDoc& doc) { (void)doc; }

    virtual void addToRecentFiles(const std::string& path) { (void)path; }

    // doc is being destroyed: drop every reference kept to it (the output
    // document slots of the main window).
    virtual void documentDestroyed(CLumoDoc& doc) { (void)doc; }
};

// Installs ui (nullptr: the default) and answers the previous one (nullptr when it was the default).
CDocumentUi* SetDocumentUi(CDocumentUi* ui);
CDocumentUi& DocumentUi();
