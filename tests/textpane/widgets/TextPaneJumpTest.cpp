// The text pane inside the main frame: a double-click on a tag line opens the
// file it names as a text document at its line.
#include "frame/widgets/FrameFixture.h"

#include "doc/CLumoDoc.h"
#include "doc/widgets/CDocTemplate.h"
#include "doc/widgets/CLumoView.h"
#include "platform/Cp932.h"
#include "textpane/widgets/CLumoEV.h"

#include <QApplication>

namespace {

struct TextPaneJump : FrameFixture
{
    // The centre of a cell of the pane's viewport.
    static QPoint cell(CLumoEV* pane, uint32_t column, uint32_t line)
    {
        return QPoint(pane->leftMarginPx() + static_cast<int>(column) * pane->charWidth() + pane->charWidth() / 2,
                      pane->topMarginPx() + static_cast<int>(line - pane->topLine()) * pane->lineHeight()
                          + pane->lineHeight() / 2);
    }
};

} // namespace

TEST_F(TextPaneJump, ADoubleClickOnATagLineOpensTheNamedFileAtItsLine)
{
    std::string target;
    for (int i = 1; i <= 50; ++i)
        target += "target line " + std::to_string(i) + "\r\n";
    // The name holds 表, whose second byte is "\" in the document's code page.
    const std::string targetPath = makeFile("\xe8\xa1\xa8.txt", target);
    const std::string tag = cp932::FromUtf8(targetPath) + "(30): found here";
    CLumoDoc* list = frame->openTextDocument(makeFile("list.txt", "report\r\n" + tag + "\r\nend\r\n"), 1, 1);
    ASSERT_NE(list, nullptr);
    CLumoView* view = frame->docTemplate().activeView();
    ASSERT_NE(view, nullptr);
    CLumoEV* pane = view->textPane();
    ASSERT_NE(pane, nullptr);

    // A double-click elsewhere selects a word and opens nothing.
    QTest::mouseDClick(pane->viewport(), Qt::LeftButton, Qt::NoModifier, cell(pane, 1, 0));
    EXPECT_TRUE(view->hasSelection());
    EXPECT_EQ(frame->docTemplate().activeView(), view);

    QTest::mouseDClick(pane->viewport(), Qt::LeftButton, Qt::NoModifier, cell(pane, 3, 1));
    CLumoView* opened = frame->docTemplate().activeView();
    ASSERT_NE(opened, view);
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->document()->IsTextMode());
    EXPECT_EQ(opened->document()->GetPathName(), targetPath);
    ASSERT_NE(opened->textPane(), nullptr);
    EXPECT_EQ(opened->textPane()->model().caret(), (CTextCaretModel::Position{0, 29}));
    EXPECT_EQ(QApplication::focusWidget(), opened->textPane());
    // The line jumped to is kept (encoded as a line mark: the CR before it).
    const uint32_t lineStart = opened->document()->Rows().Start(29);
    EXPECT_EQ(opened->document()->TextAuxPos(), lineStart - 2);
}
