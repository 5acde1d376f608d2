// The document tab bar: one tab per open document in the order of the
// document list, at most 100; a tab picks its document by position alone.
#pragma once

#include "frame/TabTitle.h"

#include <QToolBar>

#include <vector>

class QTabBar;

class CDocTabBar : public QToolBar
{
    Q_OBJECT

public:
    explicit CDocTabBar(QWidget* parent);

    // Applies ButtonStyleTabBar, TabBarHeightAdjust and the font.
    void applySettings();
    // Replaces every tab; active is the position of the active document or -1.
    void refresh(const std::vector<TabDocument>& documents, int active);
    // One document's modified flag changed.
    void updateImage(int position, bool modified);
    void selectPosition(int position);

    QTabBar* tabs() const { return m_pTabs; }

signals:
    void positionSelected(int position);

private:
    QTabBar* m_pTabs;
    bool m_bRefreshing = false;
};
