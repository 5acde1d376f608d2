// The status bar: a stretch pane for prompts and nine indicator panes sized
// by their sizing texts. The panes of the active document write panes 1 to 3
// by index; the frame shows or blanks the others.
#pragma once

#include <QStatusBar>

#include <vector>

class QLabel;

class CFrameStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    enum Pane { Prompt = 0, OffsetHex = 1, Offset = 2, ByteValue = 3, Overwrite = 4, ReadOnly = 5, Code = 6, Spare = 7,
                SelectionSize = 8, FileSize = 9 };

    explicit CFrameStatusBar(QWidget* parent);

    void setPaneText(int pane, const QString& text);
    QString paneText(int pane) const;
    // A disabled pane shows empty.
    void setPaneEnabled(int pane, bool enabled);

private:
    std::vector<QLabel*> m_panes;
    std::vector<QString> m_texts;
};
