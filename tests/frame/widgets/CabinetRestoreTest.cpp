// The documents open when the frame closes are what the next start reopens:
// taken from the windows, through the cabinet file, back into windows, each
// in its mode, read-only state, place and caret.
#include "frame/widgets/CabinetDocuments.h"

#include "doc/CLumoDoc.h"
#include "doc/widgets/CLumoMCW.h"
#include "frame/widgets/CFrameStatusBar.h"
#include "support/UserKeys.h"
#include "textpane/widgets/CLumoEV.h"
#include "textpane/RulerScale.h"
#include "FrameFixture.h"

#include <QMdiArea>

#include <sys/stat.h>

namespace {

struct CabinetRestore : UserFrameFixture
{
    // What the next start does with the cabinet the frame left.
    std::unique_ptr<CMainFrame> restart(const std::vector<CabinetDocument>& documents)
    {
        auto next = std::make_unique<CMainFrame>(*profile, recent);
        next->resize(900, 700);
        next->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(next.get()));
        RestoreCabinetDocuments(next->docTemplate(), *next->mdiArea(), *next->frameStatusBar(), documents);
        return next;
    }

    static CLumoView* viewOf(const CMainFrame& f, const std::string& name)
    {
        for (const auto& doc : f.docTemplate().documents())
            if (doc->GetPathName().ends_with(name))
                return f.docTemplate().framesOf(doc.get()).front()->view();
        return nullptr;
    }
};

std::string Lines(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

TEST_F(CabinetRestore, DocumentsComeBackWithModesCaretsAndTheActiveOne)
{
    CLumoDoc* binary = open("a.bin", std::string(4096, '\x5a'));
    ASSERT_TRUE(binary);
    press(Qt::Key_PageDown);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    const CLumoView::Position binaryAt = frame->docTemplate().activeView()->position();
    ASSERT_GT(binaryAt.caret, 2u);
    binary->SetReadOnly(true);
    frame->newBinaryDocument(); // untitled: no record
    CLumoDoc* text = frame->openTextDocument(makeFile("b.txt", Lines(300)), 120, 3);
    ASSERT_TRUE(text);
    const CLumoView::Position textAt = frame->docTemplate().activeView()->position();
    ASSERT_EQ(textAt.caretLine, 119u);
    ASSERT_GT(textAt.firstLine, 0u);

    std::vector<CabinetDocument> written;
    QObject::connect(frame.get(), &CMainFrame::closing, [&] {
        written = CollectCabinetDocuments(frame->docTemplate(), *frame->mdiArea());
    });
    ASSERT_TRUE(frame->close());
    ASSERT_EQ(written.size(), 2u);
    EXPECT_FALSE(written[0].active);
    EXPECT_TRUE(written[1].active);

    // Through the file: what is read back is what was written.
    CabinetContent content;
    content.documents = written;
    ASSERT_TRUE(SaveCabinet(dir / "vexel.cab", content));
    const std::optional<CabinetContent> read = LoadCabinet(dir / "vexel.cab", ruler::PaletteColour);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->documents, written);

    // A file gone since, or a FIFO in its place (opening it would wait for
    // a writer for ever), is skipped; the others still open.
    CabinetDocument gone = written[0];
    gone.path = dir / "gone.bin";
    CabinetDocument fifo = written[0];
    fifo.path = dir / "fifo.bin";
    ASSERT_EQ(0, mkfifo(fifo.path.c_str(), 0600));
    std::vector<CabinetDocument> records = read->documents;
    records.insert(records.begin(), {gone, fifo});
    const auto next = restart(records);
    ASSERT_EQ(next->docTemplate().documents().size(), 2u);
    EXPECT_TRUE(sink.texts.empty());
    CLumoView* binaryView = viewOf(*next, "a.bin");
    CLumoView* textView = viewOf(*next, "b.txt");
    ASSERT_TRUE(binaryView && textView);
    EXPECT_FALSE(binaryView->IsTextMode());
    EXPECT_TRUE(binaryView->document()->IsReadOnly());
    EXPECT_TRUE(textView->IsTextMode());
    EXPECT_FALSE(textView->document()->IsReadOnly());
    EXPECT_EQ(next->docTemplate().activeView(), textView);
    EXPECT_TRUE(next->frameStatusBar()->currentMessage().isEmpty());
    EXPECT_EQ(textView->position().caretLine, textAt.caretLine);
    EXPECT_EQ(textView->position().caret, textAt.caret);
    EXPECT_EQ(textView->position().firstLine, textAt.firstLine);
    // Keys go where the restored caret stands.
    press(Qt::Key_Down);
    EXPECT_EQ(textView->position().caretLine, textAt.caretLine + 1);
    // The frame behind is laid out when the user brings it forward; till
    // then it would be written back where it was.
    EXPECT_EQ(CollectCabinetDocuments(next->docTemplate(), *next->mdiArea())[0].caret, written[0].caret);
    next->docTemplate().activate(binaryView->document());
    QApplication::processEvents();
    EXPECT_EQ(binaryView->position().caret, binaryAt.caret);
    EXPECT_EQ(binaryView->position().firstLine, binaryAt.firstLine);
}

TEST_F(CabinetRestore, WithoutAnActiveRecordTheFirstIsActiveAndMaximised)
{
    CabinetDocument first;
    first.path = makeFile("one.txt", Lines(5));
    first.mode = CLumoDoc::kTextMode;
    first.firstLine = 5000; // past the text: the caret stays at the start
    first.caret = 4;
    first.caretLine = 3;
    first.placement.showCmd = 1;
    first.placement.left = 10, first.placement.top = 10, first.placement.right = 300, first.placement.bottom = 200;
    CabinetDocument second = first;
    second.path = makeFile("two.bin", std::string(100, '\1'));
    second.mode = CLumoDoc::kBinaryMode;
    second.firstLine = 0;
    second.caret = 1000; // past the data: at its end
    const auto next = restart({first, second});
    ASSERT_EQ(next->docTemplate().documents().size(), 2u);
    CLumoView* one = viewOf(*next, "one.txt");
    ASSERT_TRUE(one);
    EXPECT_EQ(next->docTemplate().activeView(), one);
    EXPECT_TRUE(next->mdiArea()->activeSubWindow()->isMaximized());
    EXPECT_EQ(one->position().caretLine, 0u);
    EXPECT_EQ(one->position().caret, 0u);
    EXPECT_EQ(viewOf(*next, "two.bin")->position().caret, 100u);
    // The normal rectangle survives the maximising, for the next cabinet.
    const WindowPlacement placement = qobject_cast<CLumoMCW*>(next->mdiArea()->activeSubWindow())->placement();
    EXPECT_EQ(placement.showCmd, 3u);
    EXPECT_EQ(placement.right - placement.left, 290);
}

} // namespace
