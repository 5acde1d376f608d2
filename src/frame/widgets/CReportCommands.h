// Compare and format by template: the two commands of the hex pane whose
// answers are text documents. The frame keeps the two output documents: the
// compare result (made again by every comparison) and the table (made on the
// first format, appended to by the later ones, until the user closes it).
#pragma once

#include <QObject>

#include <string>

class CDocTemplate;
class CLumoDoc;
class QWidget;

class CReportCommands : public QObject
{
    Q_OBJECT

public:
    CReportCommands(CDocTemplate& docTemplate, QWidget* dialogParent);

    // 32911: sets the active binary document against another open one.
    void compare();
    // 32912: formats the active hex pane's selection by a template.
    void formatByTemplate();

    // Another binary document than the active one is open.
    bool compareAvailable() const;
    bool isCompareResult(const CLumoDoc* doc) const { return doc && doc == m_pCompareResult; }
    CLumoDoc* compareResult() const { return m_pCompareResult; }
    CLumoDoc* table() const { return m_pTable; }

private:
    // The output documents the user closed are no longer kept.
    void forgetClosed();
    CLumoDoc* newOutputDocument(const std::string& title);
    void closeOutputDocument(CLumoDoc*& doc);

    CDocTemplate& m_template;
    QWidget* m_pDialogParent;
    CLumoDoc* m_pCompareResult = nullptr;
    CLumoDoc* m_pTable = nullptr;
};
