// The compare dialog: the titles of the documents the current one can be set
// against, the first one chosen. OK answers the position of the chosen title
// in the list given, so two documents of the same title stay apart.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;

class CCompareDialog : public QDialog
{
    Q_OBJECT

public:
    CCompareDialog(QWidget* parent, const std::vector<std::string>& titles);

    QListWidget* list() const { return m_pList; }
    // The chosen entry; -1 when none is.
    int chosen() const;

private:
    QListWidget* m_pList = nullptr;
};
