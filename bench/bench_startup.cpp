// What a cabinet of 30 documents of 1 MiB each adds to a start: the main
// window made, the cabinet read, every document opened and placed, and the
// window painted, beside the same start with no documents to reopen. The
// process start and Qt's own set-up are the same for both and left out.
#include "app/RecentFileList.h"
#include "app/Settings.h"
#include "doc/CabinetFile.h"
#include "doc/widgets/CDocTemplate.h"
#include "frame/widgets/CFrameStatusBar.h"
#include "frame/widgets/CMainFrame.h"
#include "frame/widgets/CabinetDocuments.h"
#include "platform/ProfileFile.h"
#include "textpane/RulerScale.h"
#include "QtBenchMain.h"

#include <QApplication>
#include <QImage>
#include <QMdiArea>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

constexpr int kDocuments = 30;
constexpr size_t kDocumentBytes = 1 << 20;

struct Profile
{
    Profile()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vexel-bench.XXXXXX").string();
        dir = mkdtemp(pattern.data());
        std::mt19937 rng(7);
        std::string bytes(kDocumentBytes, '\0');
        for (auto& b : bytes)
            b = static_cast<char>(rng());
        CabinetContent content;
        for (int i = 0; i < kDocuments; ++i) {
            CabinetDocument record;
            record.path = (dir / ("doc" + std::to_string(i) + ".bin")).string();
            std::ofstream(record.path, std::ios::binary) << bytes;
            record.mode = 2;
            record.placement.showCmd = 1;
            record.placement.left = 10 * i, record.placement.top = 10 * i;
            record.placement.right = 10 * i + 600, record.placement.bottom = 10 * i + 400;
            record.firstLine = 1000 * i;
            record.caret = 16'000 * i + 5;
            record.active = i == kDocuments - 1;
            content.documents.push_back(record);
        }
        withDocuments = (dir / "full.cab").string();
        empty = (dir / "empty.cab").string();
        if (!SaveCabinet(withDocuments, content) || !SaveCabinet(empty, CabinetContent()))
            dir.clear();
    }
    ~Profile()
    {
        if (!dir.empty())
            std::filesystem::remove_all(dir);
    }

    std::filesystem::path dir;
    std::string withDocuments;
    std::string empty;
};

Profile& SharedProfile()
{
    static Profile profile;
    return profile;
}

// One start: the frame, the cabinet and its documents, the first paint.
void Start(const std::string& cabinet, benchmark::State& state)
{
    CProfileFile profile((SharedProfile().dir / "vexel.ini").string());
    CRecentFileList recent;
    CMainFrame frame(profile, recent);
    frame.resize(1024, 720);
    frame.show();
    const std::optional<CabinetContent> content = LoadCabinet(cabinet, ruler::PaletteColour);
    if (!content) {
        state.SkipWithError("the cabinet cannot be read");
        return;
    }
    RestoreCabinetDocuments(frame.docTemplate(), *frame.mdiArea(), *frame.frameStatusBar(), content->documents);
    QApplication::processEvents();
    const QImage painted = frame.grab().toImage();
    benchmark::DoNotOptimize(painted.constBits());
    state.counters["documents"] = static_cast<double>(frame.docTemplate().documents().size());
    frame.docTemplate().CloseAllDocuments();
}

void BM_StartWithThirtyDocuments(benchmark::State& state)
{
    for (auto _ : state)
        Start(SharedProfile().withDocuments, state);
}
BENCHMARK(BM_StartWithThirtyDocuments)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_StartEmptyBaseline(benchmark::State& state)
{
    for (auto _ : state)
        Start(SharedProfile().empty, state);
}
BENCHMARK(BM_StartEmptyBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    if (SharedProfile().dir.empty())
        return 1;
    return RunQtBenchmarks(argc, argv);
}
