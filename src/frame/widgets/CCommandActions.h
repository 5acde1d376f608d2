// One QAction per command ID, built from the static menu tables: the two menu
// bars, the key names in the item texts, and the enable and check state of
// every command, evaluated before a menu shows and whenever the state changes.
#pragma once

#include "frame/MenuTable.h"

#include <QObject>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class CKeyTable;

class CCommandActions : public QObject
{
    Q_OBJECT

public:
    explicit CCommandActions(QObject* parent);

    // The action of a command (made on first use); its data is the ID.
    QAction* action(uint16_t id);

    // Fills the menu bar with one of the two menu bars of the tables.
    void buildMenuBar(QMenuBar* menuBar, bool withDocument);
    // The recently-used files shown in place of the list item of the File menu.
    void setRecentFiles(const std::vector<std::string>& paths);

    // Appends each command's key name to its menu text.
    void applyKeyNames(const CKeyTable& keys);

    // Enable and check state of every action from the context.
    void updateStates(const CommandContext& context);
    CommandState state(uint16_t id) const;

    // Runs a command when its state allows it; answers whether it ran.
    bool run(uint16_t id);

    // Called before a menu shows, to refresh the context.
    void setContextProvider(std::function<CommandContext()> provider) { m_contextProvider = std::move(provider); }

signals:
    void commandTriggered(uint16_t id);

private:
    void fillMenu(QMenu* menu, const MenuPopup& popup);
    void addRecentFiles(QMenu* menu);
    QString menuText(uint16_t id) const;

    std::map<uint16_t, QAction*> m_actions;
    std::map<uint16_t, std::string> m_keyNames;
    std::vector<std::string> m_recentFiles;
    CommandContext m_context;
    std::function<CommandContext()> m_contextProvider;
};
