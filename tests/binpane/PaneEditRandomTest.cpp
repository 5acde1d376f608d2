// Random edit sequences on the hex pane model beside a plain vector: every
// step must give the vector's bytes, every undo must give back exactly the
// state before that step, and every redo the state after it.
#include "PaneTestSupport.h"

#include "binpane/BinaryClipboard.h"
#include "platform/QtKeyCodes.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using panetest::Bytes;
using panetest::Pane;

class CEditRun
{
public:
    CEditRun(uint32_t seed, uint32_t journalCapacity)
        : m_random(seed)
        , m_pane(doctest::RandomBytes(m_random, 150 + seed % 100), journalCapacity)
    {
        m_history.push_back(m_pane.data());
    }

    void Step()
    {
        switch (m_random() % 16) {
        case 0: case 1: case 2: TypeDigit(); break;
        case 3: case 4: TypeCharacter(); break;
        case 5: Erase(qtkey::Key_Delete); break;
        case 6: Erase(qtkey::Key_Backspace); break;
        case 7: case 8: case 9: Navigate(); break;
        case 10: m_pane.key(qtkey::Key_Insert); break;
        case 11: PasteForeignText(); break;
        case 12: CopyAndPaste(); break;
        case 13: (void)Undo(); break;
        case 14: (void)Redo(); break;
        default: m_random() % 8 ? Navigate() : m_pane.model.selectAll(); break;
        }
    }

    // Undoes (or redoes) everything the journal holds; answers how many steps that was.
    size_t All(bool redo)
    {
        size_t steps = 0;
        while ((redo ? Model().canRedo() : Model().canUndo()) && !testing::Test::HasFatalFailure())
            steps += redo ? Redo() : Undo();
        return steps;
    }

    const std::vector<Bytes>& history() const { return m_history; }
    Pane& pane() { return m_pane; }

private:
    CBinaryPaneModel& Model() { return m_pane.model; }

    struct Expected
    {
        Bytes bytes;
        std::vector<Bytes> steps;
        uint32_t caret;
        bool selection;
    };

    // What an input starts from: over a selection it deletes it first, as a step of its own.
    Expected Start()
    {
        Expected e{m_history.back(), {}, Model().m_nCaret, Model().m_bSelection != 0};
        if (e.selection) {
            e.bytes.erase(e.bytes.begin() + Model().m_nSelStart, e.bytes.begin() + Model().m_nSelEnd + 1);
            e.steps.push_back(e.bytes);
            e.caret = Model().m_nSelStart;
        }
        return e;
    }

    // After the input: its own step, when it changed the bytes, joins the history.
    void Commit(Expected& e, bool changed)
    {
        if (changed)
            e.steps.push_back(e.bytes);
        m_history.insert(m_history.end(), e.steps.begin(), e.steps.end());
        if (!e.steps.empty())
            m_redone.clear();
        ASSERT_EQ(m_history.back(), m_pane.data());
        ASSERT_LE(Model().m_nCaret, m_pane.doc->DataSize());
    }

    void EnsurePart(int part)
    {
        if (Model().m_nFocusPart != part)
            m_pane.key(qtkey::Key_Tab);
    }

    void TypeDigit()
    {
        EnsurePart(2);
        const bool second = Model().m_bSecondDigit != 0;
        Expected e = Start();
        Bytes& b = e.bytes;
        const uint32_t p = e.caret;
        const char c = "0123456789abcdefABCDEF"[m_random() % 22];
        const uint8_t d = static_cast<uint8_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
        if (!e.selection && p < b.size() && (second || g_bOverwrite))
            b[p] = static_cast<uint8_t>(second ? b[p] << 4 | d : d);
        else
            b.insert(b.begin() + p, d);
        m_pane.type(std::string(1, c));
        Commit(e, true);
    }

    void TypeCharacter()
    {
        EnsurePart(3);
        std::string typed;
        switch (m_random() % 4) {
        case 0: typed = {char(0x82), char(0x40 + m_random() % 0xBC)}; break; // a double-byte character
        case 1: typed = std::string(1, char(0xA1 + m_random() % 0x3F)); break; // half-width kana
        default: typed = std::string(1, char(0x20 + m_random() % 0x5F)); break;
        }
        Expected e = Start();
        const auto at = e.bytes.begin() + e.caret;
        if (g_bOverwrite && !e.selection)
            e.bytes.erase(at, at + std::min(e.bytes.size() - e.caret, typed.size()));
        e.bytes.insert(e.bytes.begin() + e.caret, typed.begin(), typed.end());
        m_pane.type(typed);
        Commit(e, true);
    }

    // Delete takes the byte at the caret, Backspace the one before it, or the
    // byte of a half-typed digit.
    void Erase(int key)
    {
        const bool second = Model().m_bSecondDigit != 0;
        Expected e = Start();
        const uint32_t target = key == qtkey::Key_Delete || second ? e.caret : e.caret - 1;
        const bool changed = !e.selection && target < e.bytes.size();
        if (changed)
            e.bytes.erase(e.bytes.begin() + target);
        m_pane.key(key);
        Commit(e, changed);
    }

    void Navigate()
    {
        static constexpr int kKeys[] = {qtkey::Key_Left, qtkey::Key_Right, qtkey::Key_Up, qtkey::Key_Down,
                                        qtkey::Key_Home, qtkey::Key_End, qtkey::Key_PageUp, qtkey::Key_PageDown};
        m_pane.key(kKeys[m_random() % 8], m_random() % 3 == 0, m_random() % 8 == 0);
        ASSERT_EQ(m_history.back(), m_pane.data());
    }

    void Paste(const Bytes& bytes)
    {
        Expected e = Start();
        e.bytes.insert(e.bytes.begin() + e.caret, bytes.begin(), bytes.end());
        m_pane.key(qtkey::Key_V, false, true);
        Commit(e, !bytes.empty());
    }

    void PasteForeignText()
    {
        CBinaryClipboard::Free();
        std::string text(1 + m_random() % 12, ' ');
        for (char& c : text)
            c = char('A' + m_random() % 26);
        m_pane.host.clipboard = text;
        Paste(Bytes(text.begin(), text.end()));
    }

    // The copied bytes come back whole, zeros and all.
    void CopyAndPaste()
    {
        if (!Model().m_bSelection)
            return Navigate();
        m_pane.key(qtkey::Key_C, false, true);
        const Bytes& b = m_history.back();
        Paste(Bytes(b.begin() + Model().m_nSelStart, b.begin() + Model().m_nSelEnd + 1));
    }

    // The second half of an overwrite whose first half was evicted: taking
    // it back only empties the journal.
    static bool OrphanOnTop(const CEditJournal& journal)
    {
        return journal.count() == 1 && journal.top().type == CEditJournal::OverwrittenNew;
    }

    // One undo; answers 1 when it restored the state before the newest step.
    int Undo()
    {
        if (!Model().canUndo())
            return 0;
        const bool orphan = OrphanOnTop(m_pane.doc->UndoJournal());
        Model().undo();
        const bool stepBack = !orphan && m_history.size() > 1;
        EXPECT_EQ(stepBack, !orphan) << "an undo went past the first state";
        if (stepBack) {
            m_redone.push_back(m_history.back());
            m_history.pop_back();
        }
        EXPECT_EQ(m_history.back(), m_pane.data()) << "an undo gave no earlier state";
        EXPECT_TRUE(stepBack || !Model().canUndo());
        return stepBack;
    }

    int Redo()
    {
        if (!Model().canRedo())
            return 0;
        const bool orphan = OrphanOnTop(m_pane.doc->RedoJournal());
        Model().redo();
        const bool stepOn = !orphan && !m_redone.empty();
        if (stepOn) {
            m_history.push_back(m_redone.back());
            m_redone.pop_back();
        }
        EXPECT_EQ(m_history.back(), m_pane.data()) << "a redo gave no later state";
        EXPECT_TRUE(stepOn || !Model().canRedo());
        return stepOn;
    }

    std::mt19937 m_random;
    Pane m_pane;
    std::vector<Bytes> m_history; // every state a journaled step made, oldest first
    std::vector<Bytes> m_redone;  // states undone, newest undo last
};

// Undo gives back every earlier state and redo every later one. A small data
// block evicts records: undo may stop early but never corrupts bytes, and the
// largest deletions cannot be journaled at all.
TEST(PaneEditRandom, UndoAndRedoRestoreEveryStateAndEvictionOnlyShortensThem)
{
    for (uint32_t seed = 1; seed <= 18; ++seed) {
        SCOPED_TRACE(seed);
        const bool evicting = seed > 12;
        CEditRun run(seed, evicting ? 96 : 1u << 20);
        for (int i = 0; i < (evicting ? 900 : 110) && !testing::Test::HasFatalFailure(); ++i)
            run.Step();
        run.All(true); // what the last undos took back belongs to the edits
        ASSERT_FALSE(testing::Test::HasFatalFailure());
        const std::vector<Bytes> states = run.history();
        const size_t undone = run.All(false);
        const size_t redone = run.All(true);
        if (evicting) {
            EXPECT_GT(states.size() - undone, 1u) << "eviction stops the undo before the start";
            EXPECT_LE(redone, undone);
            EXPECT_FALSE(run.pane().sink.texts.empty()) << "some deletion was too large to journal";
        } else {
            ASSERT_LT(states.size() * 3, size_t{CEditJournal::kMaxRecords}) << "nothing may be evicted here";
            EXPECT_EQ(std::pair(undone, redone), std::pair(states.size() - 1, states.size() - 1));
            EXPECT_EQ(run.history(), states);
            EXPECT_TRUE(run.pane().doc->IsModified());
        }
    }
}

// Two views of one document, as two windows on one file: every edit, undo
// and redo comes from either view at random. Each view must keep its caret
// and selection inside the data whatever the other did, so that what it
// copies, cuts or saves is what it shows; the bytes follow a plain model.
TEST(PaneEditRandom, TwoViewsOfOneDocumentStayInsideTheDataWhateverTheOtherDoes)
{
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        Pane first(doctest::RandomBytes(random, 40 + seed));
        panetest::CFakeHost secondHost;
        secondHost.setWindow(20, first.model.lineCount());
        CBinaryPaneModel second(*first.doc, secondHost);
        panetest::CModelView views[] = {panetest::CModelView(first.model), panetest::CModelView(second)};
        for (panetest::CModelView& view : views)
            first.doc->AddView(&view);
        g_bOverwrite = false;
        const Bytes original = first.data();
        Bytes plain = original;
        for (int step = 0; step < 150 && !testing::Test::HasFatalFailure(); ++step) {
            CBinaryPaneModel& model = random() % 2 ? first.model : second;
            const uint32_t size = first.doc->DataSize();
            const auto eraseSelection = [&] {
                if (model.m_bSelection)
                    plain.erase(plain.begin() + model.m_nSelStart, plain.begin() + model.m_nSelEnd + 1);
                return model.m_bSelection;
            };
            switch (random() % 6) {
            case 0: // select a range, as a drag would
                model.setCaretOffset(static_cast<uint32_t>(random() % (size + 1)));
                model.extendSelection(model.m_nCaret, static_cast<uint32_t>(random() % (size + 1)));
                break;
            case 1: { // type a character in the character part
                if (model.m_nFocusPart != CBinaryCaretModel::kCharPart)
                    model.keyPress(qtkey::Key_Tab, false, false, {});
                const uint32_t at = model.m_bSelection ? model.m_nSelStart : model.m_nCaret;
                eraseSelection();
                const char c = static_cast<char>('a' + random() % 26);
                model.keyPress(0, false, false, std::string_view(&c, 1));
                plain.insert(plain.begin() + at, static_cast<uint8_t>(c));
                break;
            }
            case 2: // the Delete key
                if (!eraseSelection() && model.m_nCaret < plain.size())
                    plain.erase(plain.begin() + model.m_nCaret);
                model.keyPress(qtkey::Key_Delete, false, false, {});
                break;
            case 3: model.undo(); plain = first.data(); break;
            case 4: model.redo(); plain = first.data(); break;
            default: model.setCaretOffset(static_cast<uint32_t>(random() % (size + 1))); break;
            }
            ASSERT_EQ(plain, first.data()) << "step " << step;
            for (const CBinaryPaneModel* view : {&first.model, &second}) {
                ASSERT_TRUE(view->m_nCaret <= plain.size()
                            && (!view->m_bSelection
                                || (view->m_nSelStart <= view->m_nSelEnd && view->m_nSelEnd < plain.size())))
                    << "step " << step;
            }
        }
        while (first.model.canUndo())
            second.undo();
        EXPECT_EQ(original, first.data());
        for (panetest::CModelView& view : views)
            first.doc->RemoveView(&view);
    }
}

} // namespace
