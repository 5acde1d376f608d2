// The text pane's caret model on real documents through a host that records
// what it asks of the window: the navigation keys, words, the mouse, scrolling,
// the status texts, copy, and random key runs checked against plain rules.
#include "doc/CabinetSettings.h"
#include "doc/DocTestSupport.h"
#include "platform/Cp932.h"
#include "platform/QtKeyCodes.h"
#include "textpane/CTextCaretModel.h"

#include <random>
#include <string>
#include <vector>

namespace {

using Position = CTextCaretModel::Position;

class CFakeHost : public CTextPaneHost
{
public:
    TextPaneView paneView() const override { return view; }
    void scrollTo(uint32_t topLine, uint32_t scrollColumn) override
    {
        view.topLine = topLine;
        view.scrollColumn = scrollColumn;
    }
    void invalidateLines(uint32_t, uint32_t) override {}
    void invalidateAll() override {}
    void recreateCaret() override {}
    void placeCaret(uint32_t, uint32_t) override {}
    void showCaret(bool show) override { caretShown = show; }
    void setStatusTexts(const char* line, const char* column, const char* high) override
    {
        status = std::string(line) + "|" + high + "|" + column;
    }
    void putClipboardText(const uint8_t* bytes, size_t n) override { clipboard.assign(bytes, bytes + n); }
    bool clipboardText(std::string& text) override
    {
        text = clipboard;
        return true;
    }
    void openTag(const CTagTarget& tag) override { tags.push_back(tag); }
    void startAutoScrollTimer(int ms) override { timerMs = ms; }
    void stopAutoScrollTimer() override { timerMs = 0; }

    TextPaneView view{8, 16, 0, 0, 0, 0, 10, 40};
    bool caretShown = true;
    std::string status, clipboard;
    std::vector<CTagTarget> tags;
    int timerMs = 0;
};

struct TextCaret : ::testing::Test
{
    ~TextCaret() override
    {
        g_cabinet = cabinet;
        g_settings = settings;
    }
    void open(const std::string& text, int fold = 20)
    {
        doc = doctest::MakeDoc(CLumoDoc::kTextMode);
        doctest::Fill(*doc, doctest::Bytes(text.begin(), text.end()));
        doc->ResetLayout(fold);
        model = std::make_unique<CTextCaretModel>(*doc, host);
        model->textLoaded();
    }
    Position key(int k, bool shift = false, bool ctrl = false)
    {
        model->keyPress(k, shift, ctrl, false);
        return model->caret();
    }

    CCabinetSettings cabinet = g_cabinet;
    CSettings settings = g_settings;
    doctest::CRecordingSink sink;
    CFakeHost host;
    std::unique_ptr<CLumoDoc> doc;
    std::unique_ptr<CTextCaretModel> model;
};

} // namespace

TEST_F(TextCaret, KeysWalkUnitsLinesAndTheTextEnds)
{
    using namespace qtkey;
    // Line 0 "ab\tc" (the tab to column 4), line 1 a kanji pair, line 2 wraps at 20.
    open("ab\tc\r\n\x8a\xbf\x8e\x9a\r\n" + std::string(25, 'x'));
    EXPECT_EQ(key(Key_End), (Position{5, 0}));         // before the CR LF
    EXPECT_EQ(model->caretOffset(), 4u);
    EXPECT_EQ(key(Key_Left), (Position{4, 0}));
    EXPECT_EQ(key(Key_Left), (Position{2, 0}));        // the tab is one unit
    EXPECT_EQ(key(Key_Down), (Position{2, 1}));        // the desired column, between the kanji
    EXPECT_EQ(key(Key_Right), (Position{4, 1}));
    EXPECT_EQ(key(Key_Right), (Position{0, 2}));       // over the CR LF
    EXPECT_EQ(key(Key_Left), (Position{4, 1}));
    EXPECT_EQ(key(Key_Down), (Position{4, 2}));
    EXPECT_EQ(key(Key_End), (Position{20, 2}));        // after the last unit of a wrapped line
    EXPECT_EQ(model->caretOffset(), 32u);
    EXPECT_EQ(key(Key_Down), (Position{5, 3}));        // the desired column is past this line's end
    EXPECT_EQ(key(Key_Down), (Position{5, 3}));        // the last line: to the text end
    EXPECT_EQ(key(Key_Home, false, true), (Position{0, 0}));
    EXPECT_EQ(key(Key_Left), (Position{0, 0}));
    EXPECT_EQ(key(Key_End, false, true), (Position{5, 3}));
    EXPECT_EQ(key(Key_Up), (Position{5, 2}));
    EXPECT_EQ(key(Key_Home), (Position{0, 2}));
    EXPECT_EQ(key(Key_Left), (Position{4, 1}));        // before the previous CR LF

    // After a final CR LF the text end is the empty line below.
    open("abc\r\n");
    EXPECT_EQ(key(Key_Down), (Position{0, 1}));
    EXPECT_EQ(key(Key_Down), (Position{0, 1}));
    EXPECT_EQ(key(Key_Up), (Position{0, 0}));
    EXPECT_EQ(key(Key_End, false, true), (Position{0, 1}));

    // Free cursor: Right runs into the empty columns and stays there.
    g_cabinet.bFreeCursor = 1;
    open("ab\r\ncd");
    EXPECT_EQ(key(Key_End), (Position{2, 0}));
    EXPECT_EQ(key(Key_Right), (Position{4, 0}));       // past the CR LF's two cells
    EXPECT_EQ(key(Key_Down), (Position{4, 1}));
    EXPECT_EQ(key(Key_Up), (Position{4, 0}));
    EXPECT_EQ(key(Key_Left), (Position{2, 0}));
    EXPECT_EQ(key(Key_Left), (Position{1, 0}));
    EXPECT_EQ(key(Key_Home), (Position{0, 0}));
    EXPECT_EQ(key(Key_Left), (Position{0, 0}));
    EXPECT_EQ(key(Key_Down), (Position{0, 1}));
    EXPECT_EQ(key(Key_Left), (Position{20, 0}));       // column maxColumns of the line above
    EXPECT_EQ(model->caretOffset(), 2u);
}

TEST_F(TextCaret, WordsAndDoubleClickFollowTheCharacterClasses)
{
    using namespace qtkey;
    // "foo  bar" ひらがな カタカナー 漢字 、 ｶﾅ
    const std::string text = "foo  bar\x82\xd0\x82\xe7\x83\x4a\x83\x5e\x81\x5b\x8a\xbf\x81\x41\xb6\xc5\r\nz";
    open(text, 80);
    const auto walk = [&](int k, int times) {
        std::vector<uint32_t> stops;
        for (int i = 0; i < times; ++i) {
            key(k, false, true);
            stops.push_back(model->caretOffset());
        }
        return stops;
    };
    EXPECT_EQ(walk(Key_Right, 8), (std::vector<uint32_t>{5, 8, 12, 18, 22, 26, 27, 27}));
    EXPECT_EQ(walk(Key_Left, 8), (std::vector<uint32_t>{26, 22, 18, 12, 8, 5, 0, 0}));

    // A double-click on the second cell of カ selects カタカナー.
    model->doubleClick(8 * 13 + 1, 4, false);
    EXPECT_EQ(model->selection(), (std::pair<uint32_t, uint32_t>{12, 18}));
    EXPECT_FALSE(host.caretShown);
    model->copy();
    EXPECT_EQ(host.clipboard, text.substr(12, 6));
    // With Shift it extends from the caret instead.
    model->doubleClick(8 * 1, 4, true);
    EXPECT_EQ(model->selection(), (std::pair<uint32_t, uint32_t>{0, 12})); // from the anchor
    EXPECT_TRUE(host.tags.empty());
}

TEST_F(TextCaret, ADoubleClickOnAnyRowOfAWrappedTagLineOpensTheTag)
{
    // The tag line wraps at 20 columns; the line after it is no tag.
    open("head\r\n/dir/sub/file.c(12) error\r\n/dir/sub/file.c(0)\r\n");
    model->doubleClick(8 * 2, 16 * 2 + 4, false); // on the continuation row
    EXPECT_EQ(host.tags, (std::vector<CTagTarget>{{"/dir/sub/file.c", 12}}));
    EXPECT_FALSE(model->hasSelection());
    model->doubleClick(8 * 2, 16 * 3 + 4, false);
    EXPECT_EQ(host.tags.size(), 1u);
    EXPECT_TRUE(model->hasSelection());
}

TEST_F(TextCaret, ScrollingPagesAndStatusTexts)
{
    using namespace qtkey;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    open(text);
    EXPECT_EQ(model->verticalMaximum(), std::optional<uint32_t>(91u)); // 100 lines and the empty one in 10 rows
    EXPECT_EQ(model->horizontalMaximum(), 0u);
    EXPECT_EQ(host.status, "00001| |001");
    key(Key_End, false, true);
    EXPECT_EQ(model->caret(), (Position{0, 100}));
    EXPECT_EQ(host.view.topLine, 91u);
    key(Key_PageUp);
    EXPECT_EQ(host.view.topLine, 81u);
    EXPECT_EQ(model->caret(), (Position{0, 90}));
    key(Key_Up, false, true);                          // the view moves, the caret stays inside it
    EXPECT_EQ(host.view.topLine, 80u);
    EXPECT_EQ(model->caret(), (Position{0, 89}));
    key(Key_Home, false, true);
    EXPECT_EQ(host.view.topLine, 0u);
    for (int i = 0; i < 9; ++i)
        key(Key_Down);
    key(Key_End);
    EXPECT_EQ(host.view.topLine, 0u);
    EXPECT_EQ(host.status, "00010| |007");
    g_settings.ScrollLineCount = 3;                     // below the view: three lines at once
    EXPECT_EQ(key(Key_Down), (Position{6, 12}));
    EXPECT_EQ(host.view.topLine, 3u);

    // Columns past 999 (counted along the logical line) split across two panes.
    g_cabinet.bLogicalLineNumbers = 1;
    open("a\r\n" + std::string(1500, 'x'), 250);
    key(Key_End, false, true);
    EXPECT_EQ(host.status, "00002|1|501");
    EXPECT_GT(host.view.scrollColumn, 0u);
}

TEST_F(TextCaret, MouseDragsSelectWholeUnitsAndCopyGivesTheBytes)
{
    open(std::string("ab\x8a\xbf" "cd\r\nef\0g", 12), 20);
    // Line height 16, columns of 8 pixels; a press right of the kanji's first cell.
    model->mouseDown(8 * 2 + 2, 3, false);
    EXPECT_EQ(model->caretOffset(), 2u);
    model->mouseMove(8 * 40, 20);                      // past the end of line 1
    EXPECT_EQ(model->selection(), (std::pair<uint32_t, uint32_t>{2, 12}));
    model->mouseMove(0, 0);                            // backwards: start <= end still
    EXPECT_EQ(model->selection(), (std::pair<uint32_t, uint32_t>{0, 2}));
    model->mouseUp();
    model->mouseDown(8 * 40, 20, true);                // Shift extends from the caret
    EXPECT_EQ(model->selection(), (std::pair<uint32_t, uint32_t>{2, 12})); // the anchor stays
    model->keyPress(qtkey::Key_C, false, true, false);
    EXPECT_EQ(host.clipboard, std::string("\x8a\xbf" "cd\r\nefg"));   // the zero left out
    model->keyPress(qtkey::Key_Escape, false, false, false);
    EXPECT_FALSE(model->hasSelection());
    EXPECT_TRUE(host.caretShown);

    // Editing keys and typed text beep and change nothing; Backspace moves left.
    host.clipboard.clear();
    model->keyPress(qtkey::Key_C, false, true, false);
    EXPECT_TRUE(host.clipboard.empty());
    model->keyPress(qtkey::Key_Delete, false, false, false);
    model->keyPress(0x41, false, false, true);
    EXPECT_EQ(sink.beeps.size(), 2u);
    const uint32_t caret = model->caretOffset();
    model->keyPress(qtkey::Key_Backspace, false, false, false);
    EXPECT_EQ(model->caretOffset(), caret - 1);
    model->selectAll();
    EXPECT_EQ(model->selection(), (std::pair<uint32_t, uint32_t>{0, doc->DataSize()}));
}

// Random key runs over random text: the caret always stands on a unit start
// inside the view, and a Shift run selects from where it began to the caret.
TEST_F(TextCaret, RandomKeysKeepCaretAndSelectionOnUnits)
{
    using namespace qtkey;
    const std::string pieces[] = {"a", "Z9", " ", "\t", "\r\n", "\x8a\xbf", "\x82\xa0", "\xb1", "\x81\x40", "."};
    const int keys[] = {Key_Left, Key_Right, Key_Up, Key_Down, Key_Home, Key_End, Key_PageUp, Key_PageDown};
    std::mt19937 random(7);
    for (int round = 0; round < 30; ++round) {
        g_cabinet.bFreeCursor = round % 3 == 0;
        g_cabinet.bWordWrap = round % 4 == 1;
        g_cabinet.bKinsoku = round % 5 == 2;
        std::string text;
        for (int i = random() % 400; i > 0; --i)
            text += pieces[random() % std::size(pieces)];
        open(text, 10 + random() % 20);
        // Where each unit starts, walking the text as the pane does.
        std::vector<bool> unitStart(text.size() + 1, false);
        for (size_t q = 0; q <= text.size(); q += q < text.size() ? CTextWrap::UnitLength(
                 reinterpret_cast<const uint8_t*>(text.data()) + q, static_cast<uint32_t>(text.size() - q)) : 1)
            unitStart[q] = true;
        int64_t anchor = -1; // where the Shift run began
        for (int step = 0; step < 200; ++step) {
            const bool shift = random() % 3 == 0, ctrl = random() % 5 == 0;
            const uint32_t before = model->caretOffset();
            key(keys[random() % std::size(keys)], shift, ctrl);
            const uint32_t offset = model->caretOffset();
            ASSERT_TRUE(unitStart[offset]) << round << " " << step;
            const Position caret = model->caret();
            ASSERT_LE(caret.column, model->maxColumns());
            ASSERT_GE(caret.line, host.view.topLine);
            ASSERT_LT(caret.line, host.view.topLine + 10);
            // Ctrl+Shift+Up/Down starts auto-scroll, which drops the selection.
            const bool autoScroll = model->autoScrolling();
            model->stopAutoScroll();
            if (!shift || autoScroll) {
                anchor = -1;
                ASSERT_FALSE(model->hasSelection());
                continue;
            }
            const uint32_t from = anchor < 0 ? before : static_cast<uint32_t>(anchor);
            anchor = from;
            ASSERT_EQ(model->hasSelection(), from != offset);
            if (from != offset) {
                ASSERT_EQ(model->selection(), std::make_pair(std::min(from, offset), std::max(from, offset)));
            }
        }
    }
}

TEST_F(TextCaret, AutoScrollRunsByTicksAndStopsAtAMarkedLineAKeyOrAClick)
{
    using namespace qtkey;
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    open(text);
    g_settings.AutoScrollInt = 2;
    g_settings.AutoScrollCount = 3;
    g_settings.AutoScrollBreak = 1;
    const uint32_t marked = static_cast<uint32_t>(text.find("line 21")) - 2;
    doc->SetAttributes(std::span<const uint32_t>(&marked, 1), {});

    EXPECT_EQ(key(Key_Down, true, true), (Position{0, 9})); // to the view's last line
    EXPECT_EQ(host.timerMs, 200);
    model->autoScrollTick();
    EXPECT_EQ(model->caret(), (Position{0, 12}));
    EXPECT_EQ(host.view.topLine, 3u); // the view follows
    for (int i = 0; i < 3; ++i)
        model->autoScrollTick();
    EXPECT_EQ(model->caret(), (Position{0, 21})); // stopped on the marked line
    EXPECT_FALSE(model->autoScrolling());
    EXPECT_EQ(host.timerMs, 0);
    EXPECT_EQ(sink.beeps.size(), 1u);

    // Upwards; a key stops it and does nothing else.
    EXPECT_EQ(key(Key_Up, true, true), (Position{0, host.view.topLine}));
    model->autoScrollTick();
    EXPECT_TRUE(model->autoScrolling());
    const Position at = model->caret();
    model->keyPress(Key_A, false, false, true);
    EXPECT_FALSE(model->autoScrolling());
    EXPECT_EQ(model->caret(), at);
    EXPECT_EQ(sink.beeps.size(), 1u); // the typed character is swallowed
    key(Key_Down, true, true);
    model->mouseDown(0, 0, false);
    EXPECT_FALSE(model->autoScrolling());
}
