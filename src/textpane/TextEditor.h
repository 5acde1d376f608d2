// The text pane's editing primitives: insert and delete bytes in a text
// document and rewrap its shared display lines, the program's output appended
// to it, and undo and redo with the rewrap after the replay. The document
// keeps its marks, marked strings and comment table in step itself; the
// editor answers what changed so that a pane can repaint and place its caret.
// It holds no caret or selection.
#pragma once

#include "textpane/TextLineModel.h"

#include <cstdint>
#include <optional>

class CLumoDoc;

class CTextEditor
{
public:
    // origin: the pane the edits are made for; the views hear of every edit
    // with it (DocChange), after the rows were rewrapped.
    CTextEditor(CLumoDoc& doc, CTextLineModel& model, const void* origin);

    // What an edit changed. The pane repaints from repaintFrom (the start of
    // display line firstLine) up to changedEnd (exclusive; the text end when
    // every later line moved or comment colours may have changed), erases
    // the display lines between the new and the old line count when it fell,
    // and puts its caret at caret when there is one.
    struct Change
    {
        uint32_t firstLine = 0;
        uint32_t repaintFrom = 0;
        uint32_t changedEnd = 0;
        uint32_t oldLineCount = 0;
        uint32_t lineCount = 0;
        bool commentsTouched = false;
        std::optional<uint32_t> caret;
        bool countChanged() const { return lineCount != oldLineCount; }
    };

    // Whether an edit is journaled for undo. The program's output is not.
    enum class Journal { Off, On };

    // Inserts length bytes at offset (at most the text length); nothing for
    // length 0 or when the room check refuses (it shows why). With moveCaret
    // the caret goes after the inserted bytes.
    std::optional<Change> insertBytes(uint32_t offset, const uint8_t* bytes, uint32_t length, bool moveCaret,
                                      Journal journal = Journal::Off);
    // Deletes up to length bytes at offset; nothing when none go (or the user
    // declined to go on without undo). With moveCaret the caret goes to offset.
    std::optional<Change> deleteBytes(uint32_t offset, uint32_t length, bool moveCaret,
                                      Journal journal = Journal::Off);
    // The document's output hints (CLumoDoc::AppendOutput): appends at the
    // text end, once for all the views; nothing for other hints, for empty
    // output, or when another view took it.
    std::optional<Change> appendOutput(int hint, const void* object);
    // The document's undo and redo, and the rewrap after them.
    std::optional<Change> undo();
    std::optional<Change> redo();

private:
    CLumoDoc& m_doc;
    CTextLineModel& m_model;
    const void* m_pOrigin;

    struct Start
    {
        uint32_t line = 0;
        uint32_t offset = 0;
    };
    // The first display line whose wrap an edit at offset may change: one
    // before the line holding the edit or the start of its word, whichever
    // is earlier (a word that moved to the next line may move back).
    Start wrapStart(uint32_t offset);
    Change rewrap(const Start& start, uint32_t position, int64_t delta, uint32_t oldCount);
    std::optional<Change> replay(bool undoing);
};
