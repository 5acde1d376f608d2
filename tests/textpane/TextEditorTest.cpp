// The text editor on real text documents: random edits and undos beside a
// plain model of the bytes, rows, marks, marked strings, tag origin, comment
// table and last unit; then the edge cases one by one.
#include "doc/DocTestSupport.h"
#include "textpane/TextEditGate.h"
#include "textpane/TextEditor.h"

#include <algorithm>
#include <string>

namespace {

using Marks = std::vector<uint32_t>;
using Tags = std::vector<std::pair<uint32_t, uint32_t>>; // offset, length
constexpr uint32_t kFirst = CLumoDoc::kFirstLineMark;
constexpr uint32_t kUnset = CLumoDoc::kNoTextAuxPos;

const uint8_t* U(const std::string& s)
{
    return reinterpret_cast<const uint8_t*>(s.data());
}

// The plain model: the text as a string; a mark read as its line's start
// (mark + 2, the first line's mark giving 0).
struct CPlain
{
    std::string text;
    Marks marks; // with the tag origin last
    Tags tags;

    template <class Follow>
    void follow(Follow line)
    {
        Marks kept;
        for (size_t i = 0; i < marks.size(); ++i) {
            const auto moved = marks[i] == kUnset ? std::nullopt : line(marks[i] + 2);
            if (moved || i + 1 == marks.size())
                kept.push_back(moved.value_or(kUnset + 2) - 2);
        }
        marks = kept;
    }
    void insert(uint32_t at, const std::string& s)
    {
        const bool breakBeforeBreak = s == "\r\n" && text.compare(at, 1, "\r") == 0;
        follow([&](uint32_t l) {
            const uint32_t n = uint32_t(s.size());
            return std::optional(breakBeforeBreak && l == at ? at + 2 : l > at + 1 ? l + n : l);
        });
        std::erase_if(tags, [&](auto& t) { return t.first < at && at < t.first + t.second; });
        for (auto& t : tags)
            t.first += t.first >= at ? uint32_t(s.size()) : 0;
        text.insert(at, s);
    }
    void erase(uint32_t at, uint32_t n)
    {
        const std::string gone = text.substr(at, n);
        const size_t first = gone.find("\r\n"), last = gone.rfind("\r\n"), none = std::string::npos;
        const bool atLineStart = at == 0 || (at >= 2 && text.compare(at - 2, 2, "\r\n") == 0);
        follow([&](uint32_t line) -> std::optional<uint32_t> {
            if (line <= at) // the line the deletion starts at goes with its line break
                return line == at && first != none ? std::nullopt : std::optional(line);
            if (line <= at + n) // its start deleted: kept when only whole lines before it went
                return atLineStart && (last == none || at + last < line) ? std::optional(at) : std::nullopt;
            return line == at + n + 1 ? std::nullopt : std::optional(line - n);
        });
        std::erase_if(tags, [&](auto& t) { return t.first < at + n && at < t.first + t.second; });
        for (auto& t : tags)
            t.first -= t.first >= at + n ? n : 0;
        text.erase(at, n);
    }
    int32_t lastUnit() const
    {
        int32_t last = -1;
        for (size_t p = 0; p < text.size(); p += CTextWrap::IsTwoByte(uint8_t(text[p])) ? 2 : 1)
            last = int32_t(p);
        return last;
    }
};

struct CEdited
{
    std::unique_ptr<CLumoDoc> doc = doctest::MakeDoc(CLumoDoc::kTextMode);
    CTextLineModel model;
    CTextEditor editor{*doc, model, this};
    explicit CEdited(const std::string& text, CTextLayout layout = {10, 4, false, false, "\x81\x42)"})
        : model(*doc, layout)
    {
        doctest::Fill(*doc, doctest::Bytes(text.begin(), text.end()));
        (void)model.rebuild();
    }
    std::vector<uint32_t> rows() const
    {
        std::vector<uint32_t> v;
        for (uint32_t r = 0; r < doc->Rows().Count(); ++r)
            v.push_back(doc->Rows().Start(r) | (doc->Rows().BeginsLine(r) ? 0x80000000u : 0));
        return v;
    }
};

std::string RandomText(std::mt19937& r, size_t pieces)
{
    static const char* const kPieces[] = {"\r\n", "\x8a\xbf", "\x81\x42", " ", "\t", "word", "ab", "/*", "*/",
                                          "//", "x", "\x81", "\xb1"};
    std::string s;
    while (pieces-- > 0)
        s += kPieces[r() % std::size(kPieces)];
    return s;
}

TEST(TextEditor, RandomEditsAndUndosKeepTheDocumentLikeAPlainModel)
{
    doctest::CRecordingSink sink;
    std::mt19937 r(2024);
    for (int run = 0; run < 30; ++run) {
        CPlain plain;
        plain.text = RandomText(r, 10 + r() % 200);
        CEdited t(plain.text, {10 + uint32_t(r() % 20), 4, r() % 2 != 0, r() % 2 != 0, "\x81\x42)"});
        for (size_t p = 0; p + 1 < plain.text.size(); ++p)
            if (plain.text.compare(p, 2, "\r\n") == 0 && r() % 2)
                plain.marks.push_back(uint32_t(p));
        if (r() % 2)
            plain.marks.insert(plain.marks.begin(), kFirst);
        std::vector<CTagRecord> tags;
        for (uint32_t p = 0; p + 3 < plain.text.size(); p += 3 + r() % 20)
            plain.tags.emplace_back(p, 1 + r() % 3), tags.push_back({p, int32_t(plain.tags.back().second)});
        t.doc->SetAttributes(plain.marks, tags);
        plain.marks.push_back(plain.marks.empty() ? kUnset : plain.marks[r() % plain.marks.size()]);
        t.doc->SetTextAuxPos(plain.marks.back());
        struct CEdit { uint32_t at; std::string bytes; bool inserted; };
        std::vector<CEdit> undo, redo;
        auto replay = [&](std::vector<CEdit>& from, std::vector<CEdit>& to) {
            CEdit e = from.back();
            from.pop_back();
            e.inserted ? plain.erase(e.at, uint32_t(e.bytes.size())) : plain.insert(e.at, e.bytes);
            to.push_back({e.at, e.bytes, !e.inserted});
        };
        for (int step = 0; step < 60 && !testing::Test::HasFailure(); ++step) {
            const uint32_t size = uint32_t(plain.text.size());
            const uint32_t at = uint32_t(r() % (size + 1)), n = std::min<uint32_t>(1 + r() % 8, size - at);
            const int what = int(r() % 8);
            std::optional<CTextEditor::Change> change;
            if (what == 0 && !undo.empty()) {
                replay(undo, redo);
                change = t.editor.undo();
            } else if (what == 1 && !redo.empty()) {
                replay(redo, undo);
                change = t.editor.redo();
            } else if (what < 5 && n > 0) {
                undo.push_back({at, plain.text.substr(at, n), false}), redo.clear();
                plain.erase(at, n);
                change = t.editor.deleteBytes(at, n, true, CTextEditor::Journal::On);
            } else {
                const std::string s = r() % 4 ? RandomText(r, 1 + r() % 3) : std::string("\r\n");
                undo.push_back({at, s, true}), redo.clear();
                plain.insert(at, s);
                change = t.editor.insertBytes(at, U(s), uint32_t(s.size()), true, CTextEditor::Journal::On);
            }
            ASSERT_TRUE(change) << "run " << run << " step " << step;
            const doctest::Bytes data = doctest::DataOf(*t.doc);
            const std::string got(data.begin(), data.end());
            ASSERT_EQ(got, plain.text);
            ASSERT_EQ(t.doc->LastCharPos(), plain.lastUnit());
            Marks marks(t.doc->TextMarks().begin(), t.doc->TextMarks().end());
            marks.push_back(t.doc->TextAuxPos());
            ASSERT_EQ(marks, plain.marks) << "step " << step;
            Tags gotTags;
            for (const CTagRecord& tag : t.doc->Tags())
                gotTags.emplace_back(tag.nOffset, uint32_t(tag.nLength));
            ASSERT_EQ(gotTags, plain.tags);
            CAreaCommentTable comments;
            comments.Rebuild({U(plain.text), plain.text.size()});
            ASSERT_TRUE(std::ranges::equal(t.doc->Comments().Openers(), comments.Openers()));
            ASSERT_TRUE(std::ranges::equal(t.doc->Comments().Closers(), comments.Closers()));
            EXPECT_LE(change->changedEnd, plain.text.size());
            const auto incremental = t.rows();
            (void)t.model.rebuild();
            ASSERT_EQ(incremental, t.rows()) << "run " << run << " step " << step;
            ASSERT_EQ(change->lineCount, incremental.size());
        }
    }
}

// A view that appends the document's output through its editor and notes
// the rows it reads when it hears of an edit.
struct CAppendingView : CViewBase
{
    CAppendingView(CLumoDoc* d, CTextEditor* e)
        : doc(d)
        , editor(e)
    {
    }
    CLumoDoc* doc;
    CTextEditor* editor;
    std::vector<uint32_t> rowCounts;
    std::vector<bool> took;
    void OnUpdate(CViewBase*, int hint, void* object) override
    {
        if (hint == CLumoDoc::kHintContentChanged)
            rowCounts.push_back(doc->Rows().Count());
        else
            took.push_back(editor->appendOutput(hint, object).has_value());
    }
};

TEST(TextEditor, EdgeCases)
{
    doctest::CLimitGuard limits;
    doctest::CRecordingSink sink;
    CEdited t("");
    CTextLineModel otherModel(*t.doc, {10, 4, false, false, ""});
    CTextEditor other(*t.doc, otherModel, &otherModel);
    CAppendingView one(t.doc.get(), &t.editor), two(t.doc.get(), &other);
    t.doc->AddView(&one);
    t.doc->AddView(&two);
    // A report into an empty document; every view reads the new rows.
    const std::string report = "ab\r\n" + std::string(25, 'x') + "\r\n";
    auto c = t.editor.insertBytes(0, U(report), uint32_t(report.size()), true);
    EXPECT_EQ(std::tuple(c->lineCount, *c->caret, t.doc->LastCharPos()), std::tuple(4u, 31u, 29));
    EXPECT_EQ(two.rowCounts, std::vector<uint32_t>{4});
    EXPECT_FALSE(t.editor.insertBytes(0, U(report), 0, true));
    EXPECT_FALSE(t.editor.deleteBytes(31, 5, true));
    c = t.editor.insertBytes(31, U("\x8a\xbf"), 2, true);
    EXPECT_EQ(t.doc->LastCharPos(), 31);
    c = t.editor.deleteBytes(0, t.doc->DataSize(), true);
    EXPECT_EQ(std::tuple(c->lineCount, t.doc->LastCharPos()), std::tuple(0u, -1));

    // Output is appended once however many views show the document.
    t.doc->AppendOutput("line\r\n");
    t.doc->AppendOutput("");
    t.doc->AppendOutput(U("ab"), 2, false);
    EXPECT_EQ(one.took, (std::vector{true, false, true}));
    EXPECT_EQ(two.took, std::vector(3, false));
    EXPECT_EQ(doctest::DataOf(*t.doc), (doctest::Bytes{'l', 'i', 'n', 'e', '\r', '\n', 'a', 'b'}));
    g_nMaxImageSize = t.doc->DataSize() + 3; // the room check refuses with its message
    EXPECT_FALSE(t.editor.insertBytes(0, U("xyz"), 3, true));
    EXPECT_EQ(sink.texts.back(), "文字数オーバーのため処理できません。");
    EXPECT_EQ(t.doc->DataSize(), 8u);
    g_nMaxImageSize = limits.saved.first;
    t.doc->RemoveView(&one);
    t.doc->RemoveView(&two);

    // Marks: the deleted first line's goes, the next line's becomes the
    // first line's, a later one moves; a line break put in before an empty
    // marked line's break keeps the mark on that line.
    CEdited m("ab\r\ncd\r\n\r\nef");
    m.doc->SetAttributes(std::vector<uint32_t>{kFirst, 2, 6}, {});
    m.doc->SetTextAuxPos(kFirst);
    (void)m.editor.deleteBytes(0, 4, false);
    EXPECT_EQ(std::tuple(Marks(m.doc->TextMarks().begin(), m.doc->TextMarks().end()), m.doc->TextAuxPos()),
              std::tuple(Marks{kFirst, 2}, kUnset));
    c = m.editor.insertBytes(4, U("\r\n"), 2, false);
    EXPECT_EQ(Marks(m.doc->TextMarks().begin(), m.doc->TextMarks().end()), (Marks{kFirst, 4}));
    EXPECT_FALSE(c->commentsTouched);
    c = m.editor.insertBytes(0, U("/*"), 2, false);
    EXPECT_EQ(std::pair(c->commentsTouched, c->changedEnd), std::pair(true, m.doc->DataSize()));
}

TEST(TextEditor, TheUsersEditsAreRefused)
{
    using enum CTextEditInput;
    using E = CTextEditEffect;
    const struct { CTextEditInput input; bool selection; uint8_t c; bool deleteSelection; E effect; }
        cases[] = {
        {Character, true, 'a', true, E::Nothing}, {Character, true, 'a', false, E::CancelSelection},
        {Character, true, 9, false, E::Nothing}, {Character, true, 3, false, E::Nothing},
        {Character, false, 8, true, E::CaretLeft}, {Backspace, true, 0, true, E::Nothing},
        {CutKey, true, 0, true, E::CopySelection}, {UndoRedo, true, 0, true, E::CancelSelection},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GatedEditEffect(c.input, c.selection, c.c, c.deleteSelection), c.effect) << int(c.input);
}

} // namespace
