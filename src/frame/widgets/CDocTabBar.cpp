#include "frame/widgets/CDocTabBar.h"

#include "app/Settings.h"
#include "doc/widgets/ViewFont.h"
#include "frame/widgets/Resources.h"

#include <QFontMetrics>
#include <QTabBar>

namespace {
// The tab font is the proportional Gothic preset at 9 points.
constexpr const char* kTabFace = "ＭＳ Ｐゴシック";
constexpr int kTabFontPoints = 9;
} // namespace

CDocTabBar::CDocTabBar(QWidget* parent)
    : QToolBar(parent)
    , m_pTabs(new QTabBar(this))
{
    setObjectName(QStringLiteral("DocTabBar"));
    setWindowTitle(QStringLiteral("タブバー"));
    setMovable(false);
    setFloatable(false);
    m_pTabs->setExpanding(false);
    m_pTabs->setUsesScrollButtons(true);
    m_pTabs->setElideMode(Qt::ElideNone);
    m_pTabs->setIconSize(QSize(6, 6));
    m_pTabs->setDrawBase(false);
    addWidget(m_pTabs);
    connect(m_pTabs, &QTabBar::currentChanged, this, [this](int index) {
        if (!m_bRefreshing && index >= 0)
            emit positionSelected(index);
    });
    applySettings();
}

void CDocTabBar::applySettings()
{
    LogFontRecord record;
    std::snprintf(record.lfFaceName, sizeof record.lfFaceName, "%s", kTabFace);
    QFont font(SubstituteFaceName(record.lfFaceName));
    font.setPointSize(kTabFontPoints);
    m_pTabs->setFont(font);
    const int adjust = g_settings.TabBarHeightAdjust;
    const int height = QFontMetrics(font).height() + adjust + 8;
    m_pTabs->setFixedHeight(height);
    m_pTabs->setContentsMargins(0, adjust, 0, 0);
    m_pTabs->setStyleSheet(g_settings.ButtonStyleTabBar > 0
                               ? QStringLiteral("QTabBar::tab { border: 1px outset gray; margin: 1px; padding: 2px 6px; }"
                                                "QTabBar::tab:selected { border-style: inset; background: #d8d8d8; }")
                               : QString());
}

void CDocTabBar::refresh(const std::vector<TabDocument>& documents, int active)
{
    m_bRefreshing = true;
    while (m_pTabs->count() > 0)
        m_pTabs->removeTab(0);
    for (const TabItem& item : BuildTabItems(documents, g_settings))
        m_pTabs->addTab(TabImageIcon(item.image), QString::fromStdString(item.text));
    m_pTabs->setCurrentIndex(active < m_pTabs->count() ? active : -1);
    m_bRefreshing = false;
}

void CDocTabBar::updateImage(int position, bool modified)
{
    if (position >= 0 && position < m_pTabs->count())
        m_pTabs->setTabIcon(position, TabImageIcon(TabImage(modified, g_settings)));
}

void CDocTabBar::selectPosition(int position)
{
    m_bRefreshing = true;
    m_pTabs->setCurrentIndex(position < m_pTabs->count() ? position : -1);
    m_bRefreshing = false;
}
