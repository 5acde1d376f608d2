#include "frame/CMainToolBar.h"

#include "doc/ViewFont.h"
#include "frame/CCommandActions.h"
#include "frame/MenuTable.h"
#include "frame/Resources.h"

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
    m_pFindBox->lineEdit()->installEventFilter(this);
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
                addWidget(m_pFindBox);
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
    if (watched == m_pFindBox->lineEdit() && event->type() == QEvent::KeyPress) {
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
