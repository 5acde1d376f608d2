// The program's open and save dialog: in the open form a file-type combo
// ("自動", "テキストファイル", "バイナリファイル", "キャビネットファイル") and a
// read-only check box; the save form has neither. The dialog remembers the
// combo entry and the filter index between uses.
#pragma once

#include <QFileDialog>

#include <functional>

class QComboBox;
class QCheckBox;

class CLumoFileDialog : public QFileDialog
{
    Q_OBJECT

public:
    CLumoFileDialog(QWidget* parent, bool openForm, const QString& title);

    // The filters every later dialog offers (those of the cabinet in use);
    // an empty list keeps the ones in force.
    static void SetNameFilters(const QStringList& filters);

    bool readOnlyChecked() const;
    // Text for the frame's status bar while the cabinet entry is chosen.
    void setCabinetStatusSink(std::function<void(const QString&)> sink) { m_cabinetStatus = std::move(sink); }

    // Runs the dialog; name is the initial and the chosen file (native path).
    // Answers true on OK. readOnly receives the check box of the open form.
    static bool PromptFileName(QWidget* parent, std::string& name, bool openForm, bool* readOnly = nullptr,
                               std::function<void(const QString&)> cabinetStatus = {});

protected:
    void done(int result) override;

private:
    QComboBox* m_pTypeCombo = nullptr;
    QCheckBox* m_pReadOnly = nullptr;
    std::function<void(const QString&)> m_cabinetStatus;
};
