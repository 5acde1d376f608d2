// The find commands of the hex pane on a real document and model: a random
// run of finds and single replacements against a plain model of the same
// rules, and replace all through the real journal.
#include "binpane/CBinaryFinder.h"
#include "binpane/CDocReplaceTarget.h"
#include "binpane/FindHistory.h"
#include "NaiveFind.h"
#include "FindTestSupport.h"
#include "PaneTestSupport.h"

#include <random>
#include <tuple>

namespace {

using panetest::Bytes;
using panetest::Pane;

using findtest::bytesOf;
using findtest::FindStateGuard;


FindDialogRequest request(std::string find, std::string replace = {}, bool down = true)
{
    return {std::move(find), std::move(replace), down, true};
}

void select(Pane& pane, uint32_t first, uint32_t length)
{
    pane.model.clearSelection();
    pane.model.extendSelection(first, first + length);
}

// The plain model: the data, the caret and the selection after each command.
struct Model
{
    Bytes data;
    uint32_t caret = 0;
    bool selection = false;
    uint32_t selStart = 0, selEnd = 0;

    bool find(const std::string& text, bool down)
    {
        const BytePattern p = patternFromText(text, PatternSource::CharPart, false);
        const FindRequest r{down, true, FindStart::Wrap, caret, selection, selStart, selEnd};
        const auto hit = naive::find(data, p, r, {});
        if (hit) {
            selection = true;
            selStart = *hit;
            selEnd = *hit + p.size() - 1;
            caret = *hit;
        }
        return hit.has_value();
    }
    void replaceOnce(const std::string& findText, const std::string& replaceText)
    {
        if (!selection || selEnd - selStart + 1 > 80)
            return;
        const bool onHit = selEnd - selStart + 1 == findText.size()
                           && std::equal(findText.begin(), findText.end(), data.begin() + selStart);
        if (!onHit && !find(findText, true))
            return;
        data.erase(data.begin() + selStart, data.begin() + selEnd + 1);
        data.insert(data.begin() + selStart, replaceText.begin(), replaceText.end());
        caret = selStart + static_cast<uint32_t>(replaceText.size());
        selection = false;
        find(findText, true);
    }
};

TEST(BinaryFinder, RandomFindsAndReplacementsFollowThePlainModel)
{
    FindStateGuard guard;
    std::mt19937 random(20240611);
    const std::string texts[] = {"ab", "b", "aba", "ba", "c"};
    for (int round = 0; round < 30; ++round) {
        Bytes start(20 + random() % 300);
        for (auto& b : start)
            b = "abc"[random() % 3];
        Pane pane(start);
        pane.model.m_nFocusPart = CBinaryCaretModel::kCharPart;
        Model model{start};
        CBinaryFinder finder(pane.model);
        for (int step = 0; step < 60; ++step) {
            const std::string& text = texts[random() % 5];
            const int op = static_cast<int>(random() % 4);
            if (op == 0) {
                const bool down = random() % 2;
                (void)finder.findFromBox(text, down);
                model.find(text, down);
            } else if (op == 1) {
                const std::string replacement = random() % 3 ? texts[random() % 5] : std::string();
                (void)finder.replaceOnce(request(text, replacement));
                model.replaceOnce(text, replacement);
            } else if (op == 2) {
                const uint32_t p = random() % (model.data.size() + 1);
                pane.model.clearSelection();
                pane.model.setCaretOffset(p);
                model.caret = p;
                model.selection = false;
            } else if (!model.data.empty()) {
                const uint32_t first = random() % model.data.size();
                const uint32_t length = 1 + random() % std::min<uint32_t>(4, model.data.size() - first);
                select(pane, first, length);
                model.selection = true;
                model.selStart = first;
                model.selEnd = first + length - 1;
            }
            ASSERT_EQ(pane.data(), model.data) << "round " << round << " step " << step;
            const CBinaryPaneModel& m = pane.model;
            ASSERT_EQ(m.hasSelection() ? std::tuple(true, m.m_nSelStart, m.m_nSelEnd)
                                       : std::tuple(false, m.m_nCaret, 0u),
                      model.selection ? std::tuple(true, model.selStart, model.selEnd)
                                      : std::tuple(false, model.caret, 0u));
        }
    }
}

TEST(BinaryFinder, ReplaceIsUndoneInTwoStepsAndRefusedReadOnlyOrWithoutRoom)
{
    FindStateGuard guard;
    Pane pane(bytesOf("xxABxxABxx"));
    pane.model.m_nFocusPart = CBinaryCaretModel::kCharPart;
    CBinaryFinder finder(pane.model);
    ASSERT_EQ(finder.findNext(request("AB")), FindResult::Found);
    EXPECT_EQ(finder.replaceOnce(request("AB", "cde")), FindResult::Found);
    EXPECT_EQ(pane.data(), bytesOf("xxcdexxABxx"));
    EXPECT_EQ(g_strReplaceText, "cde");
    // Deletion and insertion are undone one at a time.
    pane.model.undo();
    EXPECT_EQ(pane.data(), bytesOf("xxxxABxx"));
    pane.model.undo();
    EXPECT_EQ(pane.data(), bytesOf("xxABxxABxx"));

    // Room for one more byte only: the size message, nothing journaled.
    g_nMaxImageSize = 11;
    select(pane, 2, 2);
    EXPECT_EQ(finder.replaceOnce(request("AB", "cccc")), FindResult::Refused);
    EXPECT_EQ(pane.sink.texts.size(), 1u);
    EXPECT_FALSE(pane.model.canUndo());
    // A read-only document only beeps.
    select(pane, 2, 2);
    pane.doc->SetReadOnly(true);
    EXPECT_EQ(finder.replaceOnce(request("AB", "c")), FindResult::Refused);
    EXPECT_EQ(pane.data(), bytesOf("xxABxxABxx"));
    EXPECT_EQ(pane.sink.texts.size(), 1u);
    EXPECT_FALSE(pane.sink.beeps.empty());
}

TEST(BinaryFinder, ReplaceAllOnTheDocumentMatchesAPlainLoopAndKeepsTheLastUndoRecords)
{
    FindStateGuard guard;
    // 1,000 hits: the early ones go in one pass without records, the last
    // 256 through the journal, two records each.
    std::string data, expected;
    for (int i = 0; i < 1000; ++i) {
        data += i % 7 ? "xy-" : "xy--";
        expected += i % 7 ? "ZZZ-" : "ZZZ--";
    }
    Pane pane(bytesOf(data));
    pane.model.m_nFocusPart = CBinaryCaretModel::kCharPart;
    EXPECT_EQ(CBinaryFinder(pane.model).replaceAll(request("XY", "ZZZ"), {}), 0u);
    EXPECT_EQ(CBinaryFinder(pane.model).replaceAll({"XY", "ZZZ", true, false}, {}), 1000u);
    EXPECT_EQ(pane.data(), bytesOf(expected));
    EXPECT_TRUE(pane.doc->IsModified());
    EXPECT_EQ(g_replaceHistory.newest(), "ZZZ");
    // The last hit is shown replaced: the caret after its bytes.
    EXPECT_EQ(pane.model.m_nCaret, expected.size() - 1);
    int undone = 0;
    while (pane.model.canUndo()) {
        pane.model.undo();
        ++undone;
    }
    EXPECT_EQ(undone, 512);
    const Bytes back = pane.data();
    EXPECT_EQ(std::count(back.begin(), back.end(), 'Z'), 3 * (1000 - 256));
    EXPECT_EQ(std::count(back.begin(), back.end(), 'x'), 256);
}

} // namespace
