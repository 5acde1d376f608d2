// Print preview: the pages of a print job one at a time, each painted only
// while it is shown, scaled to the window; the page keys and buttons turn
// the pages, 印刷 hands over to the print command.
#pragma once

#include <QDialog>

class CPrintJob;
class QLabel;
class QPushButton;

class CPrintPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    // pageSize: the printer's page in its pixels.
    CPrintPreviewDialog(QWidget* parent, CPrintJob& job, QSize pageSize);

    uint32_t currentPage() const { return m_nPage; }
    void showPage(uint32_t page);
    // The dialog ended with 印刷: the caller prints.
    bool printRequested() const { return m_bPrint; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class CPageView;

    CPrintJob& m_job;
    CPageView* m_pView;
    QLabel* m_pPageLabel;
    QPushButton* m_pPrevious;
    QPushButton* m_pNext;
    uint32_t m_nPage = 0;
    bool m_bPrint = false;
};
