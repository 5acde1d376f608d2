// The view inside every child window: a container that makes the font its
// panes share, creates the pane its document's mode needs (the hex pane for a
// binary document, the text pane for a text document), lays it out and
// answers the document's update hints.
#pragma once

#include "doc/CDocumentBase.h"

#include <QFont>
#include <QWidget>

#include <optional>
#include <utility>

class CLumoDoc;
class CLumoBV;
class CLumoEV;
class CRulerBar;
class CLineBar;

class CLumoView : public QWidget, public CViewBase
{
    Q_OBJECT

public:
    static constexpr int kHintTextLoaded = 16;
    static constexpr int kHintStorageMoved = 17;
    static constexpr int kHintLayoutReset = 32;
    static constexpr int kHintTextFocusLost = 35; // another text pane of the document lost the focus
    static constexpr int kHintBinaryFirst = 128;
    static constexpr int kHintBinaryLast = 143;

    explicit CLumoView(CLumoDoc* doc, QWidget* parent = nullptr);
    ~CLumoView() override;

    CLumoDoc* document() const { return m_pDoc; }
    bool IsTextMode() const;
    // The hex pane of a binary document, else null.
    CLumoBV* hexPane() const { return m_pHexPane; }
    // The text pane of a text document, else null.
    CLumoEV* textPane() const { return m_pTextPane; }
    // The rulers of a text document (hidden while their setting is off), else null.
    CRulerBar* columnRuler() const { return m_pColumnRuler; }
    CLineBar* lineRuler() const { return m_pLineRuler; }
    // The pane that takes the focus and the edit commands.
    QWidget* activePane() const { return m_pPane; }
    const QFont& viewFont() const { return m_font; }

    void OnUpdate(CViewBase* sender, int hint, void* object) override;

    // The edit and mark commands, run by the pane of the document's mode; the
    // text pane copies and selects all, and beeps at the rest (it does not edit).
    enum class Command {
        Undo, Redo, Cut, Copy, ScreenCopy, Paste, SelectAll,
        MarkToggle, MarkNext, MarkPrevious, MarkClearAll,
        // The text pane's own: line marks, append copy and cut, and the
        // editing commands a text document refuses (they change nothing).
        LineMarkToggle, LineMarkNext, LineMarkPrevious, LineMarkClearAll, AppendCopy, AppendCut, TextEdit,
    };
    void runCommand(Command command);
    // What the update rules of those commands ask of the active pane.
    bool hasSelection() const;
    // A selection of whole units in text order (not a text pane's box).
    bool hasStreamSelection() const;
    // The selected bytes [first, second) when they lie together: none without
    // a selection or for a text pane's box, whose lines are apart.
    std::optional<std::pair<uint32_t, uint32_t>> selectedBytes() const;
    bool canUndo() const;
    bool canRedo() const;
    // Where the view stands, as a cabinet keeps it: the first shown line, then
    // the caret offset (binary) or the caret's column and line (text).
    struct Position
    {
        uint32_t firstLine = 0;
        uint32_t caret = 0;
        uint32_t caretLine = 0;
    };
    Position position() const;
    // The view back where it stood; nothing moves when the first line is past the last.
    void restorePosition(const Position& position);

    // A text document: the caret on a display line and column (both from 0),
    // as the command line's /L and /C ask. A binary document ignores it.
    void moveTextCaret(uint32_t line, uint32_t column);

    // A text document: flips DisplayRulerBar or DisplayLineBar and lays this
    // view out again (the frame then has every other view follow).
    void ToggleColumnRuler();
    void ToggleLineRuler();
    // Shows the rulers as the settings say and lays the panes out around them.
    void ApplyRulerVisibility();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool paneHasSize() const;
    void takePendingPosition();
    void makeFont();
    void runTextCommand(Command command);
    void layoutPanes();

    CLumoDoc* m_pDoc;
    QFont m_font;
    QWidget* m_pPane = nullptr;
    CLumoBV* m_pHexPane = nullptr;
    CLumoEV* m_pTextPane = nullptr;
    CRulerBar* m_pColumnRuler = nullptr;
    CLineBar* m_pLineRuler = nullptr;
    std::optional<Position> m_pendingPosition;
};
