// The program's help: the page built into the resources, shown in a window of
// the program itself, so it needs no browser and writes nothing to disk. The
// frame keeps one and shows it again on every help command.
#pragma once

#include <QDialog>

class QTextBrowser;

class CHelpWindow : public QDialog
{
    Q_OBJECT

public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    // Shows the window (from the top of the page when it was closed) and
    // brings it to the front.
    void showPage();

    QTextBrowser* browser() const { return m_pBrowser; }

private:
    QTextBrowser* m_pBrowser;
};
