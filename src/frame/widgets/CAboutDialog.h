// The About box: the program icon, its name and version, and an OK button,
// in a fixed box with a close button only.
#pragma once

#include <QDialog>

class CAboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};
