// The format-by-template dialog: a combo box for the template file's name
// that lists the recently used templates, newest first and as its text, and
// a button that browses for a file. OK hands the name to a check; a name the
// check refuses (it beeped or said why) stays and the dialog stays open.
#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QComboBox;

class CTemplateDialog : public QDialog
{
    Q_OBJECT

public:
    // accept: true when the name was taken.
    CTemplateDialog(QWidget* parent, const std::vector<std::string>& recent,
                    std::function<bool(const std::string&)> accept);

    QComboBox* nameBox() const { return m_pName; }

public slots:
    void accept() override;

private:
    void browse();

    std::function<bool(const std::string&)> m_accept;
    QComboBox* m_pName = nullptr;
};
