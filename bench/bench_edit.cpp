// Hex digits typed into a 50 MiB document through the pane model's key press
// (caret, status texts, size check, edit window and journal included; no
// window), their undo, and select all + delete; each beside a plain vector
// doing the same to 50 MiB.
#include "app/Settings.h"
#include "binpane/BinaryPaneHost.h"
#include "binpane/CBinaryPaneModel.h"
#include "doc/CEditJournal.h"
#include "platform/QtKeyCodes.h"
#include "doc/CLumoDoc.h"
#include "platform/Messages.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr uint32_t kImageSize = 50u << 20;
constexpr int kKeystrokes = 10'000;

uint8_t Pattern(uint32_t i)
{
    return static_cast<uint8_t>(i * 131u >> 3);
}

// A window that shows nothing.
class CNullHost final : public CBinaryPaneHost
{
public:
    PaneView paneView() const override { return {}; }
    void invalidateLines(uint32_t, uint32_t) override {}
    void invalidateAll() override {}
    void dataSizeChanged() override {}
    void scrollTo(uint32_t, int) override {}
    void recreateCaret() override {}
    void placeCaret(uint32_t, int) override {}
    void showCaret(bool) override {}
    void setStatusTexts(const char*, const char*, const char*) override {}
    void putClipboardText(const uint8_t*, size_t) override {}
    bool clipboardText(std::string&) override { return false; }
};

// Answers the undo question as told, and keeps the messages off the terminal.
class CAnsweringSink final : public CMessageSink
{
public:
    explicit CAnsweringSink(MsgAnswer answer) : m_answer(answer) { m_pPrevious = SetMessageSink(this); }
    ~CAnsweringSink() override { SetMessageSink(m_pPrevious); }
    MsgAnswer showMessage(const std::string&, const std::string&, MsgButtons, MsgIcon) override
    {
        ++questions;
        return m_answer;
    }
    void beep(int) override {}
    int questions = 0;

private:
    MsgAnswer m_answer;
    CMessageSink* m_pPrevious = nullptr;
};

// A view of the document as a window has one: it follows every change.
class CFollowingView final : public CViewBase
{
public:
    explicit CFollowingView(CBinaryPaneModel& model) : m_model(model) {}
    void OnUpdate(CViewBase*, int hint, void* object) override
    {
        if (hint == CLumoDoc::kHintContentChanged)
            m_model.followChange(*static_cast<const DocChange*>(object));
    }

private:
    CBinaryPaneModel& m_model;
};

// A binary document of 50 MiB and the pane model on it, in insert mode;
// with views > 1, more windows on the same document follow every edit.
struct EditSetup
{
    explicit EditSetup(int views = 1)
    {
        // What MaxEditRange = 10 sets: room for 50 MiB and everything typed on top.
        g_nMaxImageSize = 10 * 10'485'760u;
        g_bOverwrite = false;
        doc = std::make_unique<CLumoDoc>(CLumoDoc::kBinaryMode);
        model = std::make_unique<CBinaryPaneModel>(*doc, host);
        ok = Fill();
        std::vector<CBinaryPaneModel*> followers = {model.get()};
        for (int i = 1; i < views; ++i)
            followers.push_back(others.emplace_back(std::make_unique<CBinaryPaneModel>(*doc, host)).get());
        for (CBinaryPaneModel* follower : followers)
            doc->AddView(viewsOfDoc.emplace_back(std::make_unique<CFollowingView>(*follower)).get());
    }
    ~EditSetup()
    {
        for (auto& view : viewsOfDoc)
            doc->RemoveView(view.get());
    }

    bool Fill()
    {
        std::vector<uint8_t> bytes(kImageSize);
        for (uint32_t i = 0; i < kImageSize; ++i)
            bytes[i] = Pattern(i);
        return doc->InsertBytes(0, bytes.data(), kImageSize, nullptr);
    }

    void TypeDigits()
    {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        model->setCaretOffset(0);
        for (int i = 0; i < kKeystrokes; ++i)
            model->keyPress(0, false, false, std::string_view(kDigits + i % 16, 1));
    }

    CNullHost host;
    std::unique_ptr<CLumoDoc> doc;
    std::unique_ptr<CBinaryPaneModel> model;
    std::vector<std::unique_ptr<CBinaryPaneModel>> others;
    std::vector<std::unique_ptr<CFollowingView>> viewsOfDoc;
    bool ok = false;
};

void BM_TypeHexDigitsAtStart_Pane(benchmark::State& state)
{
    EditSetup setup(static_cast<int>(state.range(0)));
    if (!setup.ok)
        return state.SkipWithError("no memory for 50 MiB");
    for (auto _ : state)
        setup.TypeDigits();
    state.counters["per_key"] = benchmark::Counter(kKeystrokes, benchmark::Counter::kIsIterationInvariantRate
                                                                    | benchmark::Counter::kInvert);
    benchmark::DoNotOptimize(setup.doc->GetAt(0));
}
BENCHMARK(BM_TypeHexDigitsAtStart_Pane)->ArgName("views")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_InsertAtFront_VectorBaseline(benchmark::State& state)
{
    std::vector<uint8_t> bytes(kImageSize);
    for (uint32_t i = 0; i < kImageSize; ++i)
        bytes[i] = Pattern(i);
    uint8_t value = 0;
    for (auto _ : state)
        bytes.insert(bytes.begin(), ++value);
    state.counters["per_key"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate
                                                          | benchmark::Counter::kInvert);
    benchmark::DoNotOptimize(bytes[0]);
}
BENCHMARK(BM_InsertAtFront_VectorBaseline)->Iterations(200)->Unit(benchmark::kMicrosecond);

// Undo of everything the journal still holds after 10,000 typed digits (its
// 512 records reach back about 170 typed bytes).
void BM_UndoTypedDigits_Pane(benchmark::State& state)
{
    EditSetup setup;
    if (!setup.ok)
        return state.SkipWithError("no memory for 50 MiB");
    int64_t undos = 0;
    for (auto _ : state) {
        state.PauseTiming();
        setup.TypeDigits();
        state.ResumeTiming();
        while (setup.model->canUndo()) {
            setup.model->undo();
            ++undos;
        }
    }
    state.counters["per_undo"] = benchmark::Counter(double(undos), benchmark::Counter::kIsRate
                                                                       | benchmark::Counter::kInvert);
}
BENCHMARK(BM_UndoTypedDigits_Pane)->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_EraseAtFront_VectorBaseline(benchmark::State& state)
{
    std::vector<uint8_t> bytes(kImageSize);
    for (uint32_t i = 0; i < kImageSize; ++i)
        bytes[i] = Pattern(i);
    for (auto _ : state)
        bytes.erase(bytes.begin());
    state.counters["per_undo"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate
                                                           | benchmark::Counter::kInvert);
    benchmark::DoNotOptimize(bytes[0]);
}
BENCHMARK(BM_EraseAtFront_VectorBaseline)->Iterations(200)->Unit(benchmark::kMicrosecond);

// Select all and Delete: the deletion is too large for the journal, the
// question is answered OK and 50 MiB go without undo.
void BM_SelectAllDelete_Pane(benchmark::State& state)
{
    EditSetup setup;
    CAnsweringSink sink(MsgAnswer::Ok);
    for (auto _ : state) {
        state.PauseTiming();
        if (!setup.Fill())
            return state.SkipWithError("no memory for 50 MiB");
        state.ResumeTiming();
        setup.model->selectAll();
        setup.model->keyPress(qtkey::Key_Delete, false, false, {});
    }
    if (setup.doc->DataSize() != 0 || sink.questions != int(state.iterations()))
        state.SkipWithError("the deletion did not go as expected");
}
BENCHMARK(BM_SelectAllDelete_Pane)->Iterations(20)->Unit(benchmark::kMicrosecond);

// The same answered Cancel: the journal is emptied, the bytes stay.
void BM_SelectAllDeleteCancelled_Pane(benchmark::State& state)
{
    EditSetup setup;
    CAnsweringSink sink(MsgAnswer::Cancel);
    if (!setup.ok)
        return state.SkipWithError("no memory for 50 MiB");
    for (auto _ : state) {
        setup.model->selectAll();
        setup.model->keyPress(qtkey::Key_Delete, false, false, {});
    }
    if (setup.doc->DataSize() != kImageSize || setup.model->canUndo())
        state.SkipWithError("the cancelled deletion changed something");
}
BENCHMARK(BM_SelectAllDeleteCancelled_Pane)->Unit(benchmark::kMicrosecond);

void BM_EraseEverything_VectorBaseline(benchmark::State& state)
{
    std::vector<uint8_t> bytes;
    for (auto _ : state) {
        state.PauseTiming();
        bytes.assign(kImageSize, 0x5A);
        state.ResumeTiming();
        bytes.erase(bytes.begin(), bytes.end());
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_EraseEverything_VectorBaseline)->Iterations(20)->Unit(benchmark::kMicrosecond);

} // namespace
