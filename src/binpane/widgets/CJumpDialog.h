// The jump dialog of the hex pane: one edit field for an offset, started with
// the last accepted text, all selected. OK hands the text to a check; a text
// the check refuses stays, selected, and the dialog stays open.
#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QLineEdit;

class CJumpDialog : public QDialog
{
    Q_OBJECT

public:
    // accept: true when the text was taken (the jump is done then).
    CJumpDialog(QWidget* parent, std::function<bool(const std::string&)> accept);

    QLineEdit* offsetEdit() const { return m_pEdit; }

public slots:
    void accept() override;

private:
    std::function<bool(const std::string&)> m_accept;
    QLineEdit* m_pEdit = nullptr;
};
