#include "frame/widgets/CMainToolBar.h"

#include "doc/widgets/ViewFont.h"
#include "frame/widgets/CCommandActions.h"
#include "frame/MenuTable.h"
#include "frame/widgets/Resources.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidgetAction>

namespace {
// The find box uses the Mincho preset at 11 points.
constexpr const char* kFindBoxFace = "ＭＳ 明朝";
constexpr int kFindBoxPoints = 11;
} // namespace

CMainToolBar::CMainToolBar(CCommandActions& actions, QWidget* parent)
    : QToolBar(parent)
    , m_actions(actions)
    , m_pFindBox(new QComboBox(this))
{
    setObjectName(QStringLiteral("MainToolBar"));
    setWindowTitle(QStringLiteral("ツールバー"));
    setIconSize(QSize(16, 16));
    m_pFindBox->setEditable(true);
    m_pFindBox->setInsertPolicy(QComboBox::NoInsert);
    m_pFindBox->setFixedWidth(kFindBoxWidth);
    m_pFindBox->setMaxVisibleItems(20);
    m_pFindBox->setToolTip(QStringLiteral("検索"));
    LogFontRecord record;
    std::snprintf(record.lfFaceName, sizeof record.lfFaceName, "%s", kFindBoxFace);
    QFont font(SubstituteFaceName(record.lfFaceName));
    font.setPointSize(kFindBoxPoints);
    m_pFindBox->setFont(font);
    // The text is searched exactly as typed; the history stays in the list.
    m_pFindBox->setCompleter(nullptr);
    // A key reaches the box first, which hands it on to its line edit by a
    // direct call, so Return and Escape are caught at the box; the line
    // edit's own filter covers a platform that delivers to the edit.
    m_pFindBox->installEventFilter(this);
    m_pFindBox->lineEdit()->installEventFilter(this);
    // One action carries the box through every layout: a new one for a box
    // taken out of the bar before would start hidden.
    m_pFindBoxAction = new QWidgetAction(this);
    m_pFindBoxAction->setDefaultWidget(m_pFindBox);
}

void CMainToolBar::layOut(std::span<const uint16_t> buttons)
{
    clear();
    bool findBoxShown = false;
    for (const uint16_t id : buttons) {
        if (id == 0) {
            addSeparator();
        } else if (id == cmd::FindBox) {
            if (!findBoxShown)
                addAction(m_pFindBoxAction);
            findBoxShown = true;
        } else {
            QAction* action = m_actions.action(id);
            action->setIcon(ToolbarIcon(ToolbarImageIndex(id)));
            addAction(action);
        }
    }
    if (!findBoxShown)
        m_pFindBox->hide();
}

bool CMainToolBar::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_pFindBox || watched == m_pFindBox->lineEdit()) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit findRequested();
            return true;
        }
        if (key == Qt::Key_Escape) {
            emit findBoxEscaped();
            return true;
        }
    }
    return QToolBar::eventFilter(watched, event);
}
