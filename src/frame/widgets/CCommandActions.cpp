#include "frame/widgets/CCommandActions.h"

#include "frame/KeyTable.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

CCommandActions::CCommandActions(QObject* parent)
    : QObject(parent)
{
}

QAction* CCommandActions::action(uint16_t id)
{
    auto it = m_actions.find(id);
    if (it != m_actions.end())
        return it->second;
    auto* created = new QAction(menuText(id), this);
    created->setData(id);
    created->setCheckable(IsToggleCommand(id));
    if (const char* prompt = CommandPromptOf(id)) {
        const QString text = QString::fromUtf8(prompt);
        created->setStatusTip(text.section(QLatin1Char('\n'), 0, 0));
        created->setToolTip(text.section(QLatin1Char('\n'), -1));
        if (created->text().isEmpty())
            created->setText(created->toolTip());
    }
    connect(created, &QAction::triggered, this, [this, id] { run(id); });
    m_actions.emplace(id, created);
    return created;
}

QString CCommandActions::menuText(uint16_t id) const
{
    const char* text = MenuTextOf(id);
    if (!text)
        return QString();
    const auto key = m_keyNames.find(id);
    return QString::fromStdString(MenuTextWithKey(text, key == m_keyNames.end() ? "" : key->second));
}

void CCommandActions::buildMenuBar(QMenuBar* menuBar, bool withDocument)
{
    menuBar->clear();
    for (const MenuPopup& popup : withDocument ? MenuBarWithDocument() : MenuBarWithoutDocument()) {
        QMenu* menu = menuBar->addMenu(QString::fromUtf8(popup.text));
        fillMenu(menu, popup);
        connect(menu, &QMenu::aboutToShow, this, [this, menu, popup] {
            if (m_contextProvider)
                updateStates(m_contextProvider());
            // The recent files change while the program runs.
            menu->clear();
            fillMenu(menu, popup);
        });
    }
}

void CCommandActions::fillMenu(QMenu* menu, const MenuPopup& popup)
{
    for (const MenuItem& item : popup.items) {
        if (item.isSeparator())
            menu->addSeparator();
        else if (item.id == cmd::FileRecent1)
            addRecentFiles(menu);
        else
            menu->addAction(action(item.id));
    }
}

void CCommandActions::addRecentFiles(QMenu* menu)
{
    if (m_recentFiles.empty()) {
        QAction* placeholder = action(cmd::FileRecent1);
        placeholder->setText(QString::fromUtf8(MenuTextOf(cmd::FileRecent1)));
        placeholder->setEnabled(false);
        menu->addAction(placeholder);
        return;
    }
    for (size_t i = 0; i < m_recentFiles.size(); ++i) {
        QAction* entry = action(static_cast<uint16_t>(cmd::FileRecent1 + i));
        const QString path = QString::fromStdString(m_recentFiles[i]);
        entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        entry->setStatusTip(path);
        entry->setEnabled(true);
        menu->addAction(entry);
    }
}

void CCommandActions::setRecentFiles(const std::vector<std::string>& paths)
{
    m_recentFiles = paths;
}

void CCommandActions::applyKeyNames(const CKeyTable& keys)
{
    m_keyNames.clear();
    for (const auto& [id, act] : m_actions) {
        const std::string name = keys.menuKeyName(id);
        if (!name.empty())
            m_keyNames.emplace(id, name);
        if (MenuTextOf(id) && (id < cmd::FileRecent1 || id > cmd::FileRecent4))
            act->setText(menuText(id));
    }
}

CommandState CCommandActions::state(uint16_t id) const
{
    return CommandRuleState(id, m_context);
}

void CCommandActions::updateStates(const CommandContext& context)
{
    m_context = context;
    for (const auto& [id, act] : m_actions) {
        if (id >= cmd::FileRecent1 && id <= cmd::FileRecent4)
            continue; // enabled by the list itself
        const CommandState s = state(id);
        act->setEnabled(s.enabled);
        act->setChecked(s.checked);
    }
}

bool CCommandActions::run(uint16_t id)
{
    if (m_contextProvider)
        m_context = m_contextProvider();
    const bool recent = id >= cmd::FileRecent1 && id <= cmd::FileRecent4;
    if (!recent && !state(id).enabled)
        return false;
    emit commandTriggered(id);
    return true;
}
