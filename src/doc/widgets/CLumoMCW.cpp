#include "doc/widgets/CLumoMCW.h"

#include "doc/widgets/CDocTemplate.h"
#include "doc/widgets/CLumoView.h"
#include "platform/widgets/WindowPlacementOf.h"

#include <QCloseEvent>

namespace {
constexpr uint32_t kShowMinimised = 2;
constexpr uint32_t kShowMaximised = 3;
constexpr uint32_t kShowMinimisedNoActive = 6;
constexpr uint32_t kShowMinNoActive = 7;
// Smaller than this the frame could not be seen or grabbed again.
constexpr int kMinimumSide = 32;
} // namespace

CLumoMCW::CLumoMCW(CDocTemplate& docTemplate, CLumoView* view)
    : m_template(docTemplate)
    , m_pView(view)
{
    setWidget(view);
    setAttribute(Qt::WA_DeleteOnClose);
}

void CLumoMCW::closeEvent(QCloseEvent* event)
{
    if (m_template.frameClosing(this))
        event->accept();
    else
        event->ignore();
}

void CLumoMCW::moveEvent(QMoveEvent* event)
{
    QMdiSubWindow::moveEvent(event);
    noteNormalRect();
}

void CLumoMCW::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    noteNormalRect();
}

// Qt keeps a maximised subwindow's earlier rectangle to itself, so the frame
// notes its own whenever it stands as a normal window.
void CLumoMCW::noteNormalRect()
{
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)))
        m_normalRect = geometry();
}

WindowPlacement CLumoMCW::placement() const
{
    return PlacementOf(m_normalRect.isValid() ? m_normalRect : geometry(), windowState());
}

void CLumoMCW::showWithPlacement(const WindowPlacement& placement)
{
    const QRect normal(QPoint(placement.left, placement.top),
                       QPoint(placement.right - 1, placement.bottom - 1));
    if (normal.width() >= kMinimumSide && normal.height() >= kMinimumSide) {
        setGeometry(normal);
        m_normalRect = normal;
    }
    switch (placement.showCmd) {
    case kShowMaximised:
        showMaximized();
        break;
    case kShowMinimised:
    case kShowMinNoActive:
    case kShowMinimisedNoActive:
        showMinimized();
        break;
    default:
        showNormal();
    }
}
