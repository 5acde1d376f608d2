// The About box: the program icon, its name and version, and an OK button.
#pragma once

#include <QDialog>

class CAboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};
