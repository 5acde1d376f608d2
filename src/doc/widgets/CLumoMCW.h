// The child window of one view. Closing the last view of a document closes
// the document, after the save prompt.
#pragma once

#include "app/Settings.h"

#include <QMdiSubWindow>

class CLumoView;
class CDocTemplate;

class CLumoMCW : public QMdiSubWindow
{
    Q_OBJECT

public:
    CLumoMCW(CDocTemplate& docTemplate, CLumoView* view);

    CLumoView* view() const { return m_pView; }

    // Where the frame stands in the MDI area: its normal rectangle (kept while
    // it is maximised or minimised) and its show command (1 normal, 2
    // minimised, 3 maximised; flag 2 when maximised).
    WindowPlacement placement() const;
    // Puts the frame at the placement's normal rectangle and shows it with its
    // show command; a rectangle too small to use keeps the frame's size.
    void showWithPlacement(const WindowPlacement& placement);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void noteNormalRect();

    CDocTemplate& m_template;
    CLumoView* m_pView;
    QRect m_normalRect;
};
