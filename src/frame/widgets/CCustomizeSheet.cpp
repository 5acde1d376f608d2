#include "frame/widgets/CCustomizeSheet.h"

#include "frame/KeyFile.h"
#include "frame/widgets/CCommandActions.h"
#include "frame/widgets/CKeyboardPage.h"
#include "platform/Messages.h"
#include "platform/widgets/OkCancelButtons.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include <memory>
#include <new>

namespace {

// What the sheet may need while it runs; without it nothing starts.
constexpr size_t kHeadroomBytes = 128 * 1024;

bool HasHeadroom()
{
    const std::unique_ptr<char[]> probe(new (std::nothrow) char[kHeadroomBytes]);
    return probe != nullptr;
}

} // namespace

CCustomizeSheet::CCustomizeSheet(CKeyTable& table, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("カスタマイズ"));
    auto* pages = new QTabWidget(this);
    m_pKeyboard = new CKeyboardPage(table, pages);
    pages->addTab(m_pKeyboard, QStringLiteral("キーボード"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addWidget(OkCancelButtons(this));
    m_pKeyboard->commandList()->setFocus();
}

bool RunCustomizeSheet(QWidget* parent, CCommandActions& actions)
{
    if (!HasHeadroom()) {
        ShowOutOfMemory();
        return false;
    }
    // The program keeps no saved operations, so no binding of one can run.
    if (g_keyTable.removeMissingOperations([](const std::string&) { return false; }) > 0)
        (void)SaveKeyDefinitions(); // the user has been told of a failure
    const CKeyTable kept = g_keyTable;
    CCustomizeSheet sheet(g_keyTable, parent);
    if (sheet.exec() != QDialog::Accepted) {
        g_keyTable = kept;
        return false;
    }
    actions.applyKeyNames(g_keyTable);
    (void)SaveKeyDefinitions();
    return true;
}
