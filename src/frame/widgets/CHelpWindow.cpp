#include "frame/widgets/CHelpWindow.h"

#include "frame/widgets/Resources.h"

#include <QTextBrowser>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(QWidget* parent)
    : QDialog(parent)
    , m_pBrowser(new QTextBrowser(this))
{
    setWindowTitle(QStringLiteral("Vexel ヘルプ"));
    setWindowIcon(ProgramIcon());
    // Modeless, with the buttons of an ordinary window: the user reads it
    // beside the dump.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pBrowser);
    m_pBrowser->setSource(HelpPageUrl());
    resize(760, 640);
}

void CHelpWindow::showPage()
{
    if (!isVisible())
        m_pBrowser->scrollToAnchor(QString());
    show();
    raise();
    activateWindow();
}
