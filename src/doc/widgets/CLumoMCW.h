// The child window of one view. Closing the last view of a document closes
// the document, after the save prompt.
#pragma once

#include <QMdiSubWindow>

class CLumoView;
class CDocTemplate;

class CLumoMCW : public QMdiSubWindow
{
    Q_OBJECT

public:
    CLumoMCW(CDocTemplate& docTemplate, CLumoView* view);

    CLumoView* view() const { return m_pView; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CDocTemplate& m_template;
    CLumoView* m_pView;
};
