// One open file: its bytes, and everything the two panes of its view share
// (row tables of the text pane, marks, tags, comment positions and the layout
// values). A document is binary (mode 2, the hex pane) or text (mode 1, the
// text pane), fixed when it is built. It loads and stores the file itself,
// keeps the attribute side file, and implements Save, Save As and Close.
#pragma once

#include "doc/AreaCommentTable.h"
#include "doc/CDocumentBase.h"
#include "doc/CEditJournal.h"
#include "doc/CFileImage.h"
#include "doc/RowTable.h"
#include "doc/TagRecord.h"
#include "platform/LogFont.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

// The mode the next document takes when it is built; 1 (text) at rest.
extern int g_nNextDocMode;
// While set, every construction returns g_nNextDocMode to 1.
extern bool g_bResetNextDocMode;
// The mode for the document about to be made: read once where documents are
// made, and returned to 1 while g_bResetNextDocMode is set.
int TakeNextDocMode();

// What one edit did to a document's bytes: at position, `removed` bytes gave
// way to `inserted` bytes. Every view hears of it (hint kHintContentChanged,
// this as the object); `origin` is the pane that made the edit and has
// followed it already. In a text document commentsTouched says the edit made,
// broke or moved a comment delimiter, or touched a line that holds one: the
// text panes then repaint to the end of what they show.
struct DocChange
{
    uint32_t position = 0;
    uint32_t removed = 0;
    uint32_t inserted = 0;
    const void* origin = nullptr;
    bool commentsTouched = false;

    // One past the bytes that went.
    uint64_t end() const { return uint64_t{position} + removed; }
    // Where an offset of the old bytes stands now: before the change it
    // stays, after it it moves, inside what went it stands at the change.
    uint32_t follow(uint32_t offset) const
    {
        if (offset < position)
            return offset;
        return offset >= end() ? static_cast<uint32_t>(offset - removed + inserted) : position;
    }
};

class CLumoDoc : public CDocumentBase
{
public:
    static constexpr int kTextMode = 1;
    static constexpr int kBinaryMode = 2;
    static constexpr int kMaxMarks = 100;
    static constexpr int kMaxTags = 100;
    static constexpr uint32_t kFirstLineMark = 0xFFFFFFFE;
    static constexpr uint32_t kNoTextAuxPos = 0xFFFFFFFF;

    // Update hints this class sends.
    static constexpr int kHintTextLoaded = 16;
    static constexpr int kHintStorageMoved = 17; // the row table's arrays may have moved
    static constexpr int kHintLayoutReset = 32; // object: non-null when the font changed
    // Output for the text views to append (AppendOutput).
    static constexpr int kHintAppendText = 48;       // object: a NUL-terminated text; the caret follows
    static constexpr int kHintAppendBlock = 49;      // object: AppendLength() bytes; the caret follows
    static constexpr int kHintAppendBlockStay = 50;  // the same; the caret stays
    static constexpr int kHintBinaryLoaded = 128;
    static constexpr int kHintContentChanged = 129; // object: the DocChange
    static constexpr int kHintMarksChanged = 130;   // the hex pane's marks: every view redraws

    // When memory runs out here the document is left without its row table
    // and journals (IsComplete() is false); whoever makes it reports it.
    // Each journal's data block holds journalCapacity bytes.
    explicit CLumoDoc(int mode, uint32_t journalCapacity = CEditJournal::kDefaultCapacity);
    ~CLumoDoc() override;
    CLumoDoc(const CLumoDoc&) = delete;
    CLumoDoc& operator=(const CLumoDoc&) = delete;

    bool IsTextMode() const { return m_nMode == kTextMode; }
    bool IsComplete() const { return m_bComplete; }

    // ---- Reading: the data, and what the panes share. ----
    uint32_t DataSize() const { return m_nDataSize; }
    // The offset of the last character: one before the data size, less one
    // more when the data ends in a CR LF pair; -1 without data.
    int32_t LastCharPos() const { return m_nLastCharPos; }
    uint8_t GetAt(uint32_t pos) { return m_image.GetAt(pos); }
    // n contiguous bytes at pos, valid until the next change.
    const uint8_t* GetSpanPointer(uint32_t pos, uint32_t n) { return m_image.GetSpanPointer(pos, n); }
    // Every byte in one block: writes pending edits back first.
    const uint8_t* GetBlockPointer() { return m_image.GetPointer(0); }
    // Whether edits wait in the edit window (a block pointer would cost a write-back).
    bool IsWindowChanged() const { return m_image.IsWindowChanged(); }
    bool IsReadOnly() const { return m_bReadOnly != 0; }
    std::span<const uint32_t> BinaryMarks() const { return {m_binMarks.data(), size_t(m_nBinMarkCount)}; }
    std::span<const uint32_t> TextMarks() const { return {m_textMarks.data(), size_t(m_nTextMarkCount)}; }
    std::span<const CTagRecord> Tags() const { return {m_tags.data(), size_t(m_nTagCount)}; }
    const CRowTable& Rows() const { return m_rows; }
    // Text mode: where the "/*" and "*/" stand, kept current on every edit.
    const CAreaCommentTable& Comments() const { return m_comments; }
    // The tag-origin line, encoded as a text mark; kNoTextAuxPos when unset.
    uint32_t TextAuxPos() const { return m_nTextAuxPos; }
    void SetTextAuxPos(uint32_t mark) { m_nTextAuxPos = mark; }
    int32_t FoldColumn() const { return m_nFoldColumn; }
    int32_t TabWidth() const { return m_nTabWidth; }
    int32_t LineSpacing() const { return m_nLineSpacing; }
    int32_t PaneMargin() const { return m_nPaneMargin; } // tenths of a millimetre
    const LogFontRecord& Font() const { return m_font; }

    // Growth of the data and of the row table: 0 fits, 1 grown,
    // 2 out of memory (nothing changed), 3 over the limit.
    [[nodiscard]] int ReserveImage(uint32_t n) { return m_image.Reserve(n); }
    [[nodiscard]] int ReserveRows(uint32_t n);
    // Makes the row table hold count rows, taking rows first..count-1 from
    // arrays indexed by row (the text pane's rewrap). When the table cannot
    // grow (out of memory, over the line limit) it shows why and keeps the
    // table as it was: false then.
    [[nodiscard]] bool StoreRows(uint32_t first, uint32_t count, const uint32_t* starts, const uint8_t* breaks);

    // Tells every view what an edit did, so that each keeps its caret and
    // selection inside the data and repaints what moved.
    void NotifyContentChanged(const DocChange& change);
    // The newest change of the bytes.
    const DocChange& LastChange() const { return m_lastChange; }

    // While a hold lives the views hear of edits only when it ends, so that
    // the text pane that edits has rewrapped the shared rows before any view
    // reads them.
    class CNoticeHold
    {
    public:
        explicit CNoticeHold(CLumoDoc& doc)
            : m_doc(doc)
        {
            ++m_doc.m_nNoticeHolds;
        }
        ~CNoticeHold();
        CNoticeHold(const CNoticeHold&) = delete;
        CNoticeHold& operator=(const CNoticeHold&) = delete;

    private:
        CLumoDoc& m_doc;
    };

    // ---- Edits: every change of the bytes goes through these. Each marks
    // the document modified and tells every view what changed; origin is the
    // pane that asked (it follows the change itself), null to have every
    // pane follow it. ----

    // Room for the data to grow by n bytes; a refusal shows its message.
    [[nodiscard]] bool CheckGrowth(uint64_t n);
    // Inserts n bytes at position (at most the data size); false when the
    // growth was refused, and nothing changed then.
    [[nodiscard]] bool InsertBytes(uint32_t position, const uint8_t* bytes, uint32_t n, const void* origin);
    // Deletes up to n bytes at position; answers how many went.
    uint32_t DeleteBytes(uint32_t position, uint32_t n, const void* origin);
    // Rewrites the block in one pass (replace all): rewrite gets the block,
    // with room for capacity bytes, and the data size, and answers the new
    // size; the bytes before firstChanged stay as they are.
    using BlockRewrite = std::function<uint32_t(uint8_t* block, uint32_t size)>;
    [[nodiscard]] bool RewriteBytes(uint32_t capacity, uint32_t firstChanged, const BlockRewrite& rewrite,
                                    const void* origin);

    // Journals an edit about to be made (saving the bytes it will remove).
    // When they do not fit, the user decides whether to go on without undo;
    // only then is the journal emptied. A new action empties the redo journal.
    enum RecordResult { Cancelled = 0, Unrecorded = 1, Recorded = 2 };
    RecordResult Record(CEditJournal& journal, int32_t type, uint32_t position, uint32_t length,
                        bool newAction);
    CEditJournal& UndoJournal() const;
    CEditJournal& RedoJournal() const;
    // Takes back the newest edit, or makes the newest undone one again,
    // journaling the reversal; answers where the caret goes, nothing when no
    // bytes changed. Every pane follows the change.
    std::optional<uint32_t> Undo();
    std::optional<uint32_t> Redo();

    // The hex pane's marks, kept ascending. A toggle adds a mark at offset or
    // takes the one there away; a full set refuses with a beep.
    enum class MarkToggle { Added, Removed, Full };
    MarkToggle ToggleBinaryMark(uint32_t offset);
    void ClearBinaryMarks();
    // The text pane's line marks, in the attribute file's encoding (the CR
    // before the marked line, kFirstLineMark for line 0); the same rules.
    MarkToggle ToggleTextMark(uint32_t mark);
    void ClearTextMarks();
    // The text marks (ascending, kFirstLineMark for line 0) and tags of the
    // attribute file; at most kMaxMarks and kMaxTags are taken.
    void SetAttributes(std::span<const uint32_t> textMarks, std::span<const CTagRecord> tags);
    void SetReadOnly(bool readOnly) { m_bReadOnly = readOnly ? 1 : 0; }

    // The program's output into a text document: the views hear of it (hint
    // kHintAppendText, or kHintAppendBlock/kHintAppendBlockStay with
    // AppendLength() bytes) and the text pane of the first view that takes
    // it (TakeAppend) appends it, so that it is added once however many
    // views show the document.
    void AppendOutput(const char* text);
    void AppendOutput(const uint8_t* bytes, uint32_t n, bool moveCaret);
    uint32_t AppendLength() const { return m_nAppendLength; }
    bool TakeAppend() { return std::exchange(m_bAppendPending, false); }

    // A beep and true when the document is read-only.
    bool RefuseIfReadOnly() const;
    void ResetLayout(int foldColumn);
    void SetTitleFromPath(bool full);

    bool IsModified() const override { return CDocumentBase::IsModified(); }
    void SetModifiedFlag(bool modified) override;

    // The path becomes absolute; the title follows LongTitle.
    using CDocumentBase::SetPathName;
    void SetPathName(const std::string& path, bool addToRecentFiles);

    // Loading and storing the file's bytes through an open stream. LoadFrom
    // reads length bytes (cut at the size limit, with its message naming
    // name) in this document's mode; false on a read error. StoreTo writes
    // every data byte.
    [[nodiscard]] bool LoadFrom(std::FILE* file, uint64_t length, const std::string& name = {});
    // Whether path is the file this document holds only the head of (over
    // the size limit, or memory ran out); it is never saved over that file.
    bool IsPartialSource(const std::string& path) const;
    [[nodiscard]] bool StoreTo(std::FILE* file);

    // An empty untitled document.
    [[nodiscard]] bool OnNewDocument();
    [[nodiscard]] bool OnOpenDocument(const std::string& path);
    [[nodiscard]] bool OnSaveDocument(const std::string& path);
    // Asks whether to save a modified document: false when the user cancels
    // or the save fails.
    [[nodiscard]] bool SaveModified();
    // Saves under path (empty: ask for a name); with replace the document
    // takes the new path.
    [[nodiscard]] bool DoSave(const std::string& path, bool replace);

    // Commands; the save commands answer whether the file was saved.
    bool CanSave() const { return !m_bReadOnly && !IsTextMode(); }
    bool CanSaveAs() const { return !IsTextMode(); }
    bool OnFileSave();
    bool OnFileSaveAs();
    // Close is the template's: after SaveModified() it closes the frames and
    // releases the document, never from inside one of its member functions.

    // The name proposed to the save dialog for a document without a path.
    static std::string ProposedFileName(const std::string& title);
    // Whether path names an existing regular file that may be read and written.
    static bool IsReadWriteFile(const std::string& path);

private:
    CFileImage m_image;
    uint32_t m_nDataSize = 0;
    int32_t m_nLastCharPos = -1;
    CRowTable m_rows;

    std::unique_ptr<CEditJournal> m_pUndo;
    std::unique_ptr<CEditJournal> m_pRedo;

    std::array<CTagRecord, kMaxTags> m_tags{};
    int32_t m_nTagCount = 0;
    std::array<uint32_t, kMaxMarks> m_textMarks{};
    int32_t m_nTextMarkCount = 0;
    std::array<uint32_t, kMaxMarks> m_binMarks{};
    int32_t m_nBinMarkCount = 0;
    CAreaCommentTable m_comments;
    uint32_t m_nTextAuxPos = kNoTextAuxPos;
    uint32_t m_nAppendLength = 0;
    bool m_bAppendPending = false;
    DocChange m_lastChange;
    int m_nNoticeHolds = 0;
    std::vector<DocChange> m_heldChanges;

    int32_t m_nFoldColumn = 0;
    int32_t m_nTabWidth = 0;
    int32_t m_nLineSpacing = 0;
    int32_t m_nPaneMargin = 0;
    LogFontRecord m_font{};

    int32_t m_bReadOnly = 0;
    int32_t m_nMode = kTextMode;
    bool m_bComplete = false;

    void SetDataSize(uint32_t size);
    // Adds value to an ascending list of at most kMaxMarks, or takes it out.
    MarkToggle ToggleMark(std::array<uint32_t, kMaxMarks>& marks, int32_t& count, uint32_t value);
    // Text mode: the line marks, marked strings and tag origin follow n
    // bytes inserted at position, or about to be deleted from it.
    void MoveMarksForInsert(uint32_t position, const uint8_t* bytes, uint32_t n);
    void MoveMarksForDelete(uint32_t position, uint32_t n);
    // The comment table follows an edit made; answers whether it touched comments.
    bool CommentsFollow(uint32_t position, uint32_t removed, uint32_t inserted);
    // Where the last unit of the text starts (a CR LF pair and a lead byte
    // with its trail are one unit each); -1 when it is empty.
    int32_t LastTextUnit();
    std::optional<uint32_t> Replay(CEditJournal& from, CEditJournal& to, bool undoing);
    std::optional<uint32_t> ReplayPair(CEditJournal& from, CEditJournal& to);

    bool m_bLoadedShort = false;
    std::string m_strPartialSource; // the file this document holds only the head of

    [[nodiscard]] bool CreateJournals(uint32_t capacity);
    void CopyLayoutValues();
    // Forgets the content: no data, rows, marks, tags or comment positions.
    void ClearContents();
    [[nodiscard]] bool LoadBinary(std::FILE* file, uint32_t length);
    [[nodiscard]] bool LoadText(std::FILE* file, uint32_t length);
};
