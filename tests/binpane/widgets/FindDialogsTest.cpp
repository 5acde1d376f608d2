// The find, replace and jump dialogs driven with real key and mouse events,
// through the controller the frame uses, on a real document and model.
#include "binpane/widgets/CFindController.h"
#include "binpane/widgets/CFindDialog.h"
#include "binpane/widgets/CJumpDialog.h"
#include "binpane/widgets/CReplaceDialog.h"
#include "binpane/FindHistory.h"
#include "binpane/JumpText.h"
#include "binpane/FindTestSupport.h"
#include "binpane/PaneTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <tuple>

namespace {

using panetest::Bytes;
using panetest::Pane;

using findtest::bytesOf;

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// A document, a stand-in pane widget, the toolbar's find box and the
// controller over them; histories and remembered flags restored afterwards.
struct Fixture
{
    explicit Fixture(std::string_view data)
        : pane(bytesOf(data))
    {
        findBox.setEditable(true);
        paneWidget.show();
        pane.model.m_nFocusPart = CBinaryCaretModel::kCharPart;
        g_findHistory.clear();
        g_replaceHistory.clear();
    }

    // The selected range, or nothing.
    std::optional<std::pair<uint32_t, uint32_t>> selection() const
    {
        if (!pane.model.hasSelection())
            return std::nullopt;
        return std::pair(pane.model.m_nSelStart, pane.model.m_nSelEnd);
    }

    CFindDialog* open(bool replace)
    {
        replace ? controller.replace() : controller.find();
        settle();
        return controller.dialog();
    }

    findtest::FindStateGuard saved; // restored last, after the controller goes
    Pane pane;
    QWidget paneWidget;
    QComboBox findBox;
    CFindController controller{[this] { return &pane.model; }, [this] { return &paneWidget; }, &findBox};
};

TEST(FindDialogs, TypingAPatternAndPressingFindNextSelectsTheHit)
{
    Fixture f("xxAbCxxabcxx");
    CFindDialog* dialog = f.open(false);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->findNextButton()->isEnabled()); // nothing to find yet
    QTest::keyClicks(dialog->findCombo()->lineEdit(), "abc");
    auto* matchCase = dialog->findChildren<QCheckBox*>().at(0);
    QTest::mouseClick(matchCase, Qt::LeftButton);
    QTest::mouseClick(dialog->findNextButton(), Qt::LeftButton);
    EXPECT_EQ(f.selection(), std::pair(7u, 9u));
    EXPECT_EQ(g_bFindMatchCase, 1);
    // The history went to the toolbar's list and the dialog's.
    EXPECT_EQ(std::tuple(f.findBox.count(), f.findBox.itemText(0), dialog->findCombo()->count()),
              std::tuple(1, QString("abc"), 1));

    // Upward without case: from the hit back to the other spelling.
    QTest::mouseClick(matchCase, Qt::LeftButton);
    QRadioButton* up = dialog->findChildren<QRadioButton*>().at(0);
    QTest::mouseClick(up, Qt::LeftButton);
    QTest::keyClick(dialog->findCombo()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(f.selection(), std::pair(2u, 4u));
    EXPECT_EQ(g_bFindDown, 0);

    // The replace dialog replaces the find dialog and starts with the newest text.
    const QPointer<CFindDialog> findDialog(dialog);
    CFindDialog* replace = f.open(true);
    ASSERT_NE(replace, nullptr);
    EXPECT_TRUE(replace->isReplace());
    EXPECT_EQ(replace->findCombo()->currentText(), "abc");
    EXPECT_EQ(replace->findChildren<QRadioButton*>().size(), 0);
    EXPECT_TRUE(findDialog.isNull() || !findDialog->isVisible());
    // Opening the same kind again keeps the one dialog; Escape closes it.
    EXPECT_EQ(f.open(true), replace);
    QTest::keyClick(replace, Qt::Key_Escape);
    settle();
    EXPECT_EQ(f.controller.dialog(), nullptr);
}

TEST(FindDialogs, ReplaceNeedsAHitThenReplaceAllReportsAndCloses)
{
    Fixture f("ab-ab-ab-ab");
    auto* dialog = static_cast<CReplaceDialog*>(f.open(true));
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(dialog->findCombo()->lineEdit(), "ab");
    QTest::keyClicks(dialog->replaceCombo()->lineEdit(), "Z");
    QTest::mouseClick(dialog->replaceButton(), Qt::LeftButton);
    EXPECT_EQ(f.pane.data(), bytesOf("ab-ab-ab-ab"));
    EXPECT_EQ(f.pane.sink.beeps.size(), 1u);

    QTest::mouseClick(dialog->findNextButton(), Qt::LeftButton);
    QTest::mouseClick(dialog->replaceButton(), Qt::LeftButton);
    EXPECT_EQ(f.pane.data(), bytesOf("Z-ab-ab-ab"));
    EXPECT_EQ(f.pane.model.m_nSelStart, 2u);
    EXPECT_EQ(g_replaceHistory.newest(), "Z");

    QTest::mouseClick(dialog->replaceAllButton(), Qt::LeftButton);
    settle();
    EXPECT_EQ(f.pane.data(), bytesOf("Z-Z-Z-Z"));
    EXPECT_EQ(f.pane.sink.texts, std::vector<std::string>{"3 回置換しました。"});
    EXPECT_EQ(f.controller.dialog(), nullptr);
}

void pressOn(QWidget* widget)
{
    QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5),
                                                        widget->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                                                        Qt::LeftButton, Qt::NoModifier));
}

// Answers No to the first question, pressing the mouse on the dialog again, and Yes to the second.
class CStoppingSink : public CRecordingSink
{
public:
    QWidget* dialog = nullptr;
    MsgAnswer showMessage(const std::string& text, const std::string& caption, MsgButtons buttons,
                          MsgIcon icon) override
    {
        if (buttons == MsgButtons::YesNo && texts.empty())
            pressOn(dialog);
        if (buttons == MsgButtons::YesNo)
            answers.push_back(texts.empty() ? MsgAnswer::No : MsgAnswer::Yes);
        return CRecordingSink::showMessage(text, caption, buttons, icon);
    }
};

TEST(FindDialogs, AClickOnTheDialogDuringReplaceAllAsksAndYesStops)
{
    std::string data(30'000, '-');
    for (size_t i = 50; i < data.size(); i += 100)
        data[i] = 'x';
    Fixture f(data);
    auto* dialog = static_cast<CReplaceDialog*>(f.open(true));
    ASSERT_NE(dialog, nullptr);
    CStoppingSink sink;
    sink.dialog = dialog;
    QTest::keyClicks(dialog->findCombo()->lineEdit(), "x");
    QTest::keyClicks(dialog->replaceCombo()->lineEdit(), "yy");
    pressOn(dialog);
    QTest::mouseClick(dialog->replaceAllButton(), Qt::LeftButton);
    settle();
    const Bytes after = f.pane.data();
    const auto replaced = std::count(after.begin(), after.end(), 'y') / 2;
    EXPECT_GT(replaced, 0);
    EXPECT_EQ(std::count(after.begin(), after.end(), 'x'), 300 - replaced);
    EXPECT_EQ(sink.texts, (std::vector<std::string>{"中止しますか？", "中止しますか？",
                                                    std::to_string(replaced) + " 回置換しました。"}));
}

TEST(FindDialogs, ToolbarBoxFindsAndSelectsItsTextWhenItIsNoHexString)
{
    Fixture f("\x01JK\x02JK");
    f.pane.model.m_nFocusPart = CBinaryCaretModel::kHexPart;
    f.findBox.setEditText("4A4");
    f.controller.findNext();
    EXPECT_EQ(f.findBox.lineEdit()->selectedText(), "4A4");
    EXPECT_EQ(std::tuple(f.pane.sink.beeps.size(), f.findBox.count(), f.selection()),
              std::tuple(1u, 0, std::nullopt));

    f.findBox.setEditText("4a4B");
    f.controller.findNextFromBox();
    EXPECT_EQ(f.selection(), std::pair(1u, 2u));
    f.controller.findPrevious();
    EXPECT_EQ(f.selection(), std::pair(4u, 5u)); // up from the hit wraps to the last
    EXPECT_EQ(std::pair(f.findBox.count(), f.findBox.currentText()), std::pair(1, QString("4a4B")));
}

TEST(FindDialogs, JumpDialogKeepsABadTextSelectedAndGoesToAGoodOne)
{
    Fixture f(std::string(100, '.'));
    g_strJumpText = "0x0000";
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CJumpDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QLineEdit* edit = dialog->offsetEdit();
        EXPECT_EQ(edit->selectedText(), "0x0000");
        QTest::keyClicks(edit, "12ab");
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(edit->selectedText(), "12ab");
        QTest::keyClicks(edit, "0x1F");
        QTest::keyClick(edit, Qt::Key_Return);
        checked = true;
    });
    f.controller.jump();
    EXPECT_TRUE(checked);
    EXPECT_EQ(f.pane.model.m_nCaret, 31u);
    EXPECT_EQ(g_strJumpText, "0x1F");
    EXPECT_EQ(f.pane.sink.beeps.size(), 1u);
}

} // namespace
