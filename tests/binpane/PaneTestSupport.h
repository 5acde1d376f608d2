// Shared by the hex pane model tests: a host that records what the model asks
// of the window, and a binary document with a model on it.
#pragma once

#include "app/Settings.h"
#include "binpane/BinaryPaneHost.h"
#include "binpane/CBinaryPaneModel.h"
#include "doc/CEditJournal.h"
#include "doc/CLumoDoc.h"
#include "doc/DocTestSupport.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace panetest {

using doctest::Bytes;

class CFakeHost : public CBinaryPaneHost
{
public:
    PaneView paneView() const override { return view; }
    void invalidateLines(uint32_t first, uint32_t last) override { invalidated.push_back({first, last}); }
    void invalidateAll() override { ++invalidatedAll; }
    void dataSizeChanged() override {}
    void scrollTo(uint32_t topLine, int scrollColumn) override
    {
        scrolls.push_back({topLine, static_cast<uint32_t>(scrollColumn)});
        view.hit.topLine = topLine;
        view.hit.scrollColumn = scrollColumn;
    }
    void recreateCaret() override {}
    void placeCaret(uint32_t, int) override {}
    void showCaret(bool) override {}
    void setStatusTexts(const char*, const char*, const char*) override {}
    // The system clipboard holds Unicode text, as the widget's does.
    void putClipboardText(const uint8_t* bytes, size_t n) override
    {
        clipboard = cp932::ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes), n));
    }
    bool clipboardText(std::string& out) override
    {
        if (!clipboard)
            return false;
        out = cp932::FromUtf8(*clipboard);
        return true;
    }

    // A window of `lines` lines; the vertical bar as the widget sets it for `dataLines`.
    void setWindow(int lines, uint32_t dataLines)
    {
        view.visibleLines = lines;
        view.verticalActive = int64_t{dataLines} + 1 > lines;
        view.verticalMaximum = view.verticalActive ? static_cast<int32_t>(dataLines) - lines + 1 : 0;
    }

    PaneView view;
    std::vector<std::pair<uint32_t, uint32_t>> invalidated, scrolls;
    int invalidatedAll = 0;
    std::optional<std::string> clipboard; // UTF-8
};

// Settings, edit mode and limits as they were, whatever a test changes.
class CStateGuard
{
public:
    ~CStateGuard()
    {
        g_settings = m_settings;
        g_bOverwrite = m_bOverwrite;
    }

private:
    CSettings m_settings = g_settings;
    bool m_bOverwrite = g_bOverwrite;
    doctest::CLimitGuard m_limits;
};

// A binary document holding `bytes`, with a model on it.
struct Pane
{
    explicit Pane(const Bytes& bytes = {}, uint32_t journalCapacity = CEditJournal::kDefaultCapacity)
        : doc(doctest::MakeDoc(CLumoDoc::kBinaryMode, journalCapacity))
        , model(*doc, host)
    {
        doctest::Fill(*doc, bytes);
        host.setWindow(20, model.lineCount());
    }

    Bytes data() { return doctest::DataOf(*doc); }
    void key(int k, bool shift = false, bool ctrl = false) { model.keyPress(k, shift, ctrl, {}); }
    void type(std::string_view text) { model.keyPress(0, false, false, text); }

    CStateGuard state;
    doctest::CRecordingSink sink;
    CFakeHost host;
    std::unique_ptr<CLumoDoc> doc;
    CBinaryPaneModel model;
};

// A view of a document as a window's view is: its model follows every change.
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

} // namespace panetest
