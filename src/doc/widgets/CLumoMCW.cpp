#include "doc/widgets/CLumoMCW.h"

#include "doc/widgets/CDocTemplate.h"
#include "doc/widgets/CLumoView.h"

#include <QCloseEvent>

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
