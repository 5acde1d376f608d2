// The File menu's print commands on the active view: print (the platform's
// print dialog, the selection offered when the pane has one), print preview
// (one page at a time, painted only when shown, so a document of any size
// previews at once) and printer set-up (the print dialog choosing printer and
// paper without printing). The printer chosen is kept for the run.
#pragma once

#include <QObject>
#include <QPrinter>

class CDocTemplate;
class CLumoView;
class CPrintJob;
class QWidget;

class CPrintCommands : public QObject
{
    Q_OBJECT

public:
    CPrintCommands(CDocTemplate& docTemplate, QWidget* frame);
    ~CPrintCommands() override;

    void print();
    void preview();
    void printerSetup();

    QPrinter& printer() { return m_printer; }

private:
    struct Job;
    // The job for the active view, on the printer; null after telling why.
    std::unique_ptr<Job> makeJob(CLumoView& view, bool selection);
    // Prints every page of the job; false when the printer refused to start.
    bool printAll(CPrintJob& job);

    CDocTemplate& m_template;
    QWidget* m_pFrame;
    QPrinter m_printer;
};
