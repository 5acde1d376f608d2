// A caret move in the hex pane of a 1 MiB document in the real main window
// with the data inspector shown (read, decode and set its labels), beside
// the same move with the panel hidden: the difference is the panel's cost.
#include "app/RecentFileList.h"
#include "app/Settings.h"
#include "binpane/widgets/CLumoBV.h"
#include "doc/widgets/CDocTemplate.h"
#include "doc/widgets/CLumoView.h"
#include "frame/MenuTable.h"
#include "frame/widgets/CInspectorDock.h"
#include "frame/widgets/CMainFrame.h"
#include "platform/ProfileFile.h"
#include "BenchData.h"
#include "QtBenchMain.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <cstdlib>
#include <string>

namespace {

struct Folder
{
    Folder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vexel-bench.XXXXXX").string();
        path = mkdtemp(pattern.data());
        if (WriteBytesFile((path / "data.bin").c_str(), RandomBytes(1 << 20, 11)) != 0)
            std::abort();
    }
    ~Folder() { std::filesystem::remove_all(path); }

    std::filesystem::path path;
};

void MoveCaret(benchmark::State& state, bool inspectorShown)
{
    static Folder folder;
    CProfileFile profile((folder.path / "vexel.ini").string());
    CRecentFileList recent;
    CMainFrame frame(profile, recent);
    frame.resize(1024, 720);
    frame.show();
    if (!frame.openBinaryDocument((folder.path / "data.bin").string())) {
        state.SkipWithError("the document cannot be opened");
        return;
    }
    if (inspectorShown)
        frame.runCommand(cmd::ViewInspector);
    QApplication::processEvents();
    CBinaryPaneModel& model = frame.docTemplate().activeView()->hexPane()->model();
    uint32_t offset = 0;
    for (auto _ : state) {
        // Along the first lines, as arrow keys take it.
        offset = (offset + 1) & 255;
        model.setCaretOffset(offset);
    }
    state.counters["shown"] = frame.inspector()->isVisible() ? 1 : 0;
    benchmark::DoNotOptimize(frame.inspector()->valueText(0));
    frame.docTemplate().CloseAllDocuments();
}

void BM_CaretMoveWithInspector(benchmark::State& state)
{
    MoveCaret(state, true);
}
BENCHMARK(BM_CaretMoveWithInspector)->Unit(benchmark::kMicrosecond);

void BM_CaretMoveBaseline(benchmark::State& state)
{
    MoveCaret(state, false);
}
BENCHMARK(BM_CaretMoveBaseline)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
