// The program's main window. For now it shows one binary document in a hex
// pane; the MDI frame with menus, bars and tabs grows from here.
#pragma once

#include <QMainWindow>

#include <memory>
#include <string>

class CLumoDoc;
class CLumoBV;

class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    CMainFrame();
    ~CMainFrame() override;

    // Opens path as a binary document; false (after the message) when it cannot be read.
    bool openDocument(const std::string& path);
    void newDocument();

    CLumoBV* hexPane() const { return m_pPane; }

private:
    void showDocument(std::unique_ptr<CLumoDoc> doc);

    std::unique_ptr<CLumoDoc> m_pDoc;
    CLumoBV* m_pPane = nullptr;
};
