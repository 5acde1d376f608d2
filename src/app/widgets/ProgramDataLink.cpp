#include "app/widgets/ProgramDataLink.h"

#include "app/ProgramDataFile.h"
#include "binpane/CBinaryFinder.h"
#include "binpane/FindHistory.h"
#include "binpane/FindOptions.h"
#include "binpane/TemplateHistory.h"
#include "frame/MenuTable.h"
#include "frame/widgets/CMainFrame.h"
#include "platform/ProgramPaths.h"

namespace {

void GatherProgramValues(ProgramData& data)
{
    data.findHistory = g_findHistory.entries();
    data.replaceHistory = g_replaceHistory.entries();
    data.thirdHistory = g_templateHistory.entries();
    uint32_t bits = data.findOptionBits & ~(kFindBitMatchCase | kFindBitWidthAlike | kFindBitRegular);
    if (g_bFindMatchCase)
        bits |= kFindBitMatchCase;
    if (!g_bFindDistinguishWidth)
        bits |= kFindBitWidthAlike;
    if (g_bFindRegular)
        bits |= kFindBitRegular;
    data.findOptionBits = bits;
    data.searchDown = g_bFindDown;
}

void ApplyProgramValues(const ProgramData& data)
{
    // The reader has held every history to the file's limits, which these keep too.
    (void)g_findHistory.assign(data.findHistory);
    (void)g_replaceHistory.assign(data.replaceHistory);
    (void)g_templateHistory.assign(data.thirdHistory);
    g_bFindMatchCase = (data.findOptionBits & kFindBitMatchCase) ? 1 : 0;
    g_bFindDistinguishWidth = (data.findOptionBits & kFindBitWidthAlike) ? 0 : 1;
    g_bFindRegular = (data.findOptionBits & kFindBitRegular) ? 1 : 0;
    g_bFindDown = data.searchDown ? 1 : 0;
}

} // namespace

void LoadProgramData()
{
    const std::string path = paths::ProgramDataFilePath();
    if (path.empty())
        return;
    ProgramData data = g_programData;
    GatherProgramValues(data);
    const auto toolbar = DefaultToolbarButtons();
    data.toolbar.assign(toolbar.begin(), toolbar.end());
    const auto contextMenu = DefaultContextMenu();
    data.contextMenu.assign(contextMenu.begin(), contextMenu.end());
    if (ReadProgramDataFile(path, data))
        ApplyProgramValues(data);
    g_programData = std::move(data);
}

void SaveProgramData()
{
    const std::string path = paths::ProgramDataFilePath();
    if (path.empty())
        return;
    GatherProgramValues(g_programData);
    (void)WriteProgramDataFile(path, g_programData); // the user has been told of a failure
}

std::vector<uint16_t> DataToolbarButtons()
{
    std::vector<uint16_t> buttons;
    for (const uint32_t id : g_programData.toolbar)
        if (id <= UINT16_MAX) // no command has a larger ID
            buttons.push_back(static_cast<uint16_t>(id));
    return buttons;
}

void ApplyCustomization(CMainFrame& frame)
{
    frame.layOutToolBar(DataToolbarButtons());
    SaveProgramData();
}
