// What the print preview does before its first page shows: the job made on
// the printer (the page grid, the page count) and page 1 painted, scaled to
// a preview window, for a document of 50 MiB beside one of 1 KiB. A preview
// that painted every page first would grow with the document.
#include "app/ProgramData.h"
#include "app/Settings.h"
#include "binpane/DocDumpSource.h"
#include "doc/CLumoDoc.h"
#include "frame/widgets/CPrintJob.h"
#include "BenchData.h"
#include "QtBenchMain.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

std::unique_ptr<CLumoDoc> MakeDocument(size_t n)
{
    const std::vector<uint8_t> bytes = RandomBytes(n, 5);
    auto doc = std::make_unique<CLumoDoc>(CLumoDoc::kBinaryMode);
    if (!doc->InsertBytes(0, bytes.data(), static_cast<uint32_t>(bytes.size()), nullptr))
        return nullptr;
    return doc;
}

void PreviewFirstPage(benchmark::State& state, size_t bytes)
{
    g_nMaxImageSize = 64u << 20;
    const auto doc = MakeDocument(bytes);
    if (!doc) {
        state.SkipWithError("no document");
        return;
    }
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    QImage window(700, 900, QImage::Format_ARGB32_Premultiplied);
    const PageLayout layout;
    uint32_t pages = 0;
    for (auto _ : state) {
        CDocDumpSource source(*doc);
        StringId refusal{};
        std::optional<CPrintJob> job = CPrintJob::ForDump(
            source, g_settings, {layout, printer, "bench.bin", PrintStampOf(0)}, std::nullopt, refusal);
        if (!job) {
            state.SkipWithError("the page holds no grid");
            return;
        }
        QPainter painter(&window);
        painter.fillRect(window.rect(), Qt::white);
        painter.scale(700.0 / printer.width(), 700.0 / printer.width());
        job->printPage(painter, 0);
        pages = job->pageCount();
    }
    state.counters["pages"] = pages;
}

void BM_PreviewFirstPage50MiB(benchmark::State& state)
{
    PreviewFirstPage(state, 50u << 20);
}
BENCHMARK(BM_PreviewFirstPage50MiB)->Unit(benchmark::kMillisecond);

void BM_PreviewFirstPage1KiBBaseline(benchmark::State& state)
{
    PreviewFirstPage(state, 1024);
}
BENCHMARK(BM_PreviewFirstPage1KiBBaseline)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
