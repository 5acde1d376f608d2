#include "frame/widgets/CFrameStatusBar.h"

#include "frame/MenuTable.h"

#include <QFontMetrics>
#include <QLabel>

CFrameStatusBar::CFrameStatusBar(QWidget* parent)
    : QStatusBar(parent)
{
    setSizeGripEnabled(true);
    for (const StatusPane& pane : StatusPanes()) {
        auto* label = new QLabel(this);
        if (pane.id == 0) {
            label->setMinimumWidth(kStretchPaneMinWidth);
            addWidget(label, 1);
        } else {
            label->setFrameShape(QFrame::Panel);
            label->setFrameShadow(QFrame::Sunken);
            label->setAlignment(Qt::AlignCenter);
            const QString sizing = QString::fromUtf8(pane.sizingText);
            label->setMinimumWidth(QFontMetrics(label->font()).horizontalAdvance(sizing) + 10);
            addPermanentWidget(label);
        }
        m_panes.push_back(label);
        m_texts.emplace_back();
    }
}

void CFrameStatusBar::setPaneText(int pane, const QString& text)
{
    if (pane < 0 || pane >= static_cast<int>(m_panes.size()))
        return;
    m_texts[static_cast<size_t>(pane)] = text;
    if (m_panes[static_cast<size_t>(pane)]->isEnabled())
        m_panes[static_cast<size_t>(pane)]->setText(text);
}

QString CFrameStatusBar::paneText(int pane) const
{
    if (pane < 0 || pane >= static_cast<int>(m_panes.size()))
        return QString();
    return m_panes[static_cast<size_t>(pane)]->text();
}

void CFrameStatusBar::setPaneEnabled(int pane, bool enabled)
{
    if (pane < 0 || pane >= static_cast<int>(m_panes.size()))
        return;
    QLabel* label = m_panes[static_cast<size_t>(pane)];
    label->setEnabled(enabled);
    label->setText(enabled ? m_texts[static_cast<size_t>(pane)] : QString());
}
