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
        case 5: DeleteKey(); break;
        case 6: Backspace(); break;
        case 7: case 8: case 9: Navigate(); break;
        case 10: m_pane.key(qtkey::Key_Insert); break;
        case 11: PasteForeignText(); break;
        case 12: CopyAndPaste(); break;
        case 13: (void)Undo(); break;
        case 14: (void)Redo(); break;
        default:
            if (m_random() % 8 == 0)
                m_pane.model.selectAll();
            else
                Navigate();
            break;
        }
    }

    // Undoes everything the journal holds; answers how many steps that was.
    size_t UndoAll()
    {
        size_t steps = 0;
        while (Model().canUndo() && !testing::Test::HasFatalFailure())
            steps += Undo();
        return steps;
    }

    size_t RedoAll()
    {
        size_t steps = 0;
        while (Model().canRedo() && !testing::Test::HasFatalFailure())
            steps += Redo();
        return steps;
    }

    const std::vector<Bytes>& history() const { return m_history; }
    Pane& pane() { return m_pane; }

private:
    CBinaryPaneModel& Model() { return m_pane.model; }

    void Commit(const std::vector<Bytes>& steps)
    {
        for (const Bytes& b : steps)
            m_history.push_back(b);
        if (!steps.empty())
            m_redone.clear();
        ASSERT_EQ(m_history.back(), m_pane.data());
        ASSERT_LE(Model().m_nCaret, m_pane.doc->DataSize());
    }

    // Input over a selection deletes it first, as one step of its own.
    bool DeleteSelection(Bytes& b, std::vector<Bytes>& steps, uint32_t& caret)
    {
        if (!Model().m_bSelection)
            return false;
        b.erase(b.begin() + Model().m_nSelStart, b.begin() + Model().m_nSelEnd + 1);
        steps.push_back(b);
        caret = Model().m_nSelStart;
        return true;
    }

    void EnsurePart(int part)
    {
        if (Model().m_nFocusPart != part)
            m_pane.key(qtkey::Key_Tab);
    }

    void TypeDigit()
    {
        EnsurePart(2);
        Bytes b = m_history.back();
        std::vector<Bytes> steps;
        uint32_t p = Model().m_nCaret;
        bool second = Model().m_bSecondDigit != 0;
        bool overwrite = g_bOverwrite;
        if (DeleteSelection(b, steps, p))
            second = overwrite = false;
        if (p >= b.size()) {
            p = static_cast<uint32_t>(b.size());
            second = false;
        }
        const char* digits = "0123456789abcdefABCDEF";
        const char c = digits[m_random() % 22];
        const uint8_t d = static_cast<uint8_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
        if (second)
            b[p] = static_cast<uint8_t>(b[p] << 4 | d);
        else if (overwrite && p < b.size())
            b[p] = d;
        else
            b.insert(b.begin() + p, d);
        steps.push_back(b);
        m_pane.type(std::string(1, c));
        Commit(steps);
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
        Bytes b = m_history.back();
        std::vector<Bytes> steps;
        uint32_t p = Model().m_nCaret;
        bool overwrite = g_bOverwrite;
        if (DeleteSelection(b, steps, p))
            overwrite = false;
        if (overwrite && p < b.size())
            b.erase(b.begin() + p, b.begin() + std::min(b.size(), p + typed.size()));
        b.insert(b.begin() + p, typed.begin(), typed.end());
        steps.push_back(b);
        m_pane.type(typed);
        Commit(steps);
    }

    void DeleteKey()
    {
        Bytes b = m_history.back();
        std::vector<Bytes> steps;
        uint32_t p = Model().m_nCaret;
        if (!DeleteSelection(b, steps, p) && p < b.size()) {
            b.erase(b.begin() + p);
            steps.push_back(b);
        }
        m_pane.key(qtkey::Key_Delete);
        Commit(steps);
    }

    void Backspace()
    {
        Bytes b = m_history.back();
        std::vector<Bytes> steps;
        uint32_t p = Model().m_nCaret;
        const bool second = Model().m_bSecondDigit != 0;
        if (!DeleteSelection(b, steps, p) && (p > 0 || second)) {
            const uint32_t target = second ? p : p - 1;
            if (target < b.size()) {
                b.erase(b.begin() + target);
                steps.push_back(b);
            }
        }
        m_pane.key(qtkey::Key_Backspace);
        Commit(steps);
    }

    void Navigate()
    {
        static constexpr int kKeys[] = {qtkey::Key_Left, qtkey::Key_Right, qtkey::Key_Up, qtkey::Key_Down,
                                        qtkey::Key_Home, qtkey::Key_End, qtkey::Key_PageUp, qtkey::Key_PageDown};
        m_pane.key(kKeys[m_random() % 8], m_random() % 3 == 0, m_random() % 8 == 0);
        ASSERT_EQ(m_history.back(), m_pane.data());
    }

    void Insert(const Bytes& bytes)
    {
        Bytes b = m_history.back();
        std::vector<Bytes> steps;
        uint32_t p = Model().m_nCaret;
        DeleteSelection(b, steps, p);
        b.insert(b.begin() + p, bytes.begin(), bytes.end());
        if (!bytes.empty())
            steps.push_back(b);
        m_pane.key(qtkey::Key_V, false, true);
        Commit(steps);
    }

    void PasteForeignText()
    {
        CBinaryClipboard::Free();
        std::string text;
        for (uint32_t i = 0, n = 1 + m_random() % 12; i < n; ++i)
            text += char('A' + m_random() % 26);
        m_pane.host.clipboard = text;
        Insert(Bytes(text.begin(), text.end()));
    }

    // The copied bytes come back whole, zeros and all.
    void CopyAndPaste()
    {
        if (!Model().m_bSelection)
            return Navigate();
        m_pane.key(qtkey::Key_C, false, true);
        const Bytes& b = m_history.back();
        Insert(Bytes(b.begin() + Model().m_nSelStart, b.begin() + Model().m_nSelEnd + 1));
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
        if (orphan) {
            EXPECT_EQ(m_history.back(), m_pane.data());
            EXPECT_FALSE(Model().canUndo());
            return 0;
        }
        m_redone.push_back(m_history.back());
        m_history.pop_back();
        EXPECT_FALSE(m_history.empty());
        if (m_history.empty() || m_history.back() != m_pane.data()) {
            ADD_FAILURE() << "an undo gave no earlier state";
            m_history.push_back(m_pane.data());
            return 0;
        }
        return 1;
    }

    int Redo()
    {
        if (!Model().canRedo())
            return 0;
        const bool orphan = OrphanOnTop(m_pane.doc->RedoJournal());
        Model().redo();
        if (orphan || m_redone.empty()) {
            EXPECT_EQ(m_history.back(), m_pane.data());
            EXPECT_FALSE(Model().canRedo());
            return 0;
        }
        m_history.push_back(m_redone.back());
        m_redone.pop_back();
        EXPECT_EQ(m_history.back(), m_pane.data()) << "a redo gave no later state";
        return 1;
    }

    std::mt19937 m_random;
    Pane m_pane;
    std::vector<Bytes> m_history; // every state a journaled step made, oldest first
    std::vector<Bytes> m_redone;  // states undone, newest undo last
};

TEST(PaneEditRandom, UndoingEverythingRestoresTheOriginalAndRedoingRestoresTheEdits)
{
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        CEditRun run(seed, 1u << 20);
        for (int i = 0; i < 110 && !testing::Test::HasFatalFailure(); ++i)
            run.Step();
        run.RedoAll(); // what the last undos took back belongs to the edits
        ASSERT_FALSE(testing::Test::HasFatalFailure());
        const Bytes original = run.history().front();
        const Bytes edited = run.history().back();
        const size_t steps = run.history().size() - 1;
        ASSERT_LT(steps * 3, size_t{CEditJournal::kMaxRecords}) << "nothing may be evicted here";
        EXPECT_EQ(steps, run.UndoAll());
        EXPECT_EQ(original, run.pane().data());
        EXPECT_EQ(steps, run.RedoAll());
        EXPECT_EQ(edited, run.pane().data());
        EXPECT_TRUE(run.pane().doc->IsModified());
    }
}

TEST(PaneEditRandom, EvictionOnlyShortensUndoAndNeverCorruptsBytes)
{
    for (uint32_t seed = 100; seed < 106; ++seed) {
        SCOPED_TRACE(seed);
        // A small data block: deletions evict records, the largest cannot be journaled at all.
        CEditRun run(seed, 96);
        for (int i = 0; i < 900 && !testing::Test::HasFatalFailure(); ++i)
            run.Step();
        ASSERT_FALSE(testing::Test::HasFatalFailure());
        const size_t undone = run.UndoAll();
        EXPECT_GT(run.history().size(), 1u) << "eviction stops the undo before the start";
        EXPECT_LE(run.RedoAll(), undone);
        EXPECT_FALSE(run.pane().sink.texts.empty()) << "some deletion was too large to journal";
    }
}

// Two views of one document, as two windows on one file: every edit, undo
// and redo comes from either view at random. Each view must keep its caret
// and selection inside the data whatever the other did, so that what it
// copies, cuts or saves is what it shows; the bytes follow a plain model.
TEST(PaneEditRandom, TwoViewsOfOneDocumentStayInsideTheDataWhateverTheOtherDoes)
{
    // Each view hears of the document's changes as the window's view does.
    struct CModelView : CViewBase
    {
        explicit CModelView(CBinaryPaneModel& m) : model(m) {}
        void OnUpdate(CViewBase*, int hint, void* object) override
        {
            if (hint == CLumoDoc::kHintContentChanged)
                model.followChange(*static_cast<const DocChange*>(object));
        }
        CBinaryPaneModel& model;
    };
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        Pane first(doctest::RandomBytes(random, 40 + seed));
        panetest::CFakeHost secondHost;
        secondHost.setWindow(20, first.model.lineCount());
        CBinaryPaneModel second(*first.doc, secondHost);
        CModelView views[] = {CModelView(first.model), CModelView(second)};
        for (CModelView& view : views)
            first.doc->AddView(&view);
        g_bOverwrite = false;
        const Bytes original = first.data();
        Bytes plain = original;
        for (int step = 0; step < 150 && !testing::Test::HasFatalFailure(); ++step) {
            CBinaryPaneModel& model = random() % 2 ? first.model : second;
            const uint32_t size = first.doc->DataSize();
            switch (random() % 6) {
            case 0: { // select a range, as a drag would
                model.setCaretOffset(static_cast<uint32_t>(random() % (size + 1)));
                model.extendSelection(model.m_nCaret, static_cast<uint32_t>(random() % (size + 1)));
                break;
            }
            case 1: { // type a character in the character part
                if (model.m_nFocusPart != CBinaryCaretModel::kCharPart)
                    model.keyPress(qtkey::Key_Tab, false, false, {});
                uint32_t at = model.m_nCaret;
                if (model.m_bSelection) {
                    plain.erase(plain.begin() + model.m_nSelStart, plain.begin() + model.m_nSelEnd + 1);
                    at = model.m_nSelStart;
                }
                const char c = static_cast<char>('a' + random() % 26);
                model.keyPress(0, false, false, std::string_view(&c, 1));
                plain.insert(plain.begin() + at, static_cast<uint8_t>(c));
                break;
            }
            case 2: { // the Delete key
                if (model.m_bSelection)
                    plain.erase(plain.begin() + model.m_nSelStart, plain.begin() + model.m_nSelEnd + 1);
                else if (model.m_nCaret < plain.size())
                    plain.erase(plain.begin() + model.m_nCaret);
                model.keyPress(qtkey::Key_Delete, false, false, {});
                break;
            }
            case 3: model.undo(); plain = first.data(); break;
            case 4: model.redo(); plain = first.data(); break;
            default: model.setCaretOffset(static_cast<uint32_t>(random() % (size + 1))); break;
            }
            ASSERT_EQ(plain, first.data()) << "step " << step;
            for (const CBinaryPaneModel* view : {&first.model, &second}) {
                ASSERT_LE(view->m_nCaret, first.doc->DataSize()) << "step " << step;
                if (view->m_bSelection) {
                    ASSERT_LE(view->m_nSelStart, view->m_nSelEnd) << "step " << step;
                    ASSERT_LT(view->m_nSelEnd, first.doc->DataSize()) << "step " << step;
                }
            }
        }
        while (first.model.canUndo())
            second.undo();
        EXPECT_EQ(original, first.data());
        for (CModelView& view : views)
            first.doc->RemoveView(&view);
    }
}

} // namespace
