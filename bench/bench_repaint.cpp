// A full repaint of the hex pane at 1280x1024 with 16 bytes a line, beside a
// baseline that draws the same screen-copy lines with one plain drawText each
// (no cell pinning, no colouring): what any text view would pay.
#include "app/Settings.h"
#include "binpane/widgets/CLumoBV.h"
#include "binpane/DumpLayout.h"
#include "binpane/MemoryDumpSource.h"
#include "doc/CLumoDoc.h"
#include "doc/widgets/ViewFont.h"
#include "BenchData.h"
#include "QtBenchMain.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

std::unique_ptr<CLumoDoc> makeDocument(const std::vector<uint8_t>& bytes)
{
    auto doc = std::make_unique<CLumoDoc>(CLumoDoc::kBinaryMode);
    if (!doc->InsertBytes(0, bytes.data(), static_cast<uint32_t>(bytes.size()), nullptr))
        return nullptr;
    return doc;
}

void BM_HexPaneFullRepaint(benchmark::State& state)
{
    const auto bytes = RandomBytes(1 << 20, 3);
    auto doc = makeDocument(bytes);
    CLumoBV pane(doc.get(), MakeViewFont(doc->Font(), 96));
    pane.resize(1280, 1024);
    QImage image(pane.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        pane.viewport()->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["lines"] = pane.visibleLines();
    // A blank image would mean the paint never ran: count the ink.
    int ink = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            ink += image.pixel(x, y) != 0xFFFFFFFFu;
    state.counters["ink"] = ink;
}
BENCHMARK(BM_HexPaneFullRepaint)->Unit(benchmark::kMillisecond);

void BM_PlainDrawTextBaseline(benchmark::State& state)
{
    const auto bytes = RandomBytes(1 << 20, 3);
    const QFont font = MakeViewFont(CLumoDoc(CLumoDoc::kBinaryMode).Font(), 96);
    const QFontMetrics metrics(font);
    const int lines = (1024 - 2 * metrics.height()) / metrics.height();
    CMemoryDumpSource source(bytes.data(), static_cast<uint32_t>(bytes.size()));
    QImage image(1280, 1024, QImage::Format_ARGB32_Premultiplied);
    uint8_t text[CDumpLayout::kLineBufferSize];
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(font);
        painter.fillRect(image.rect(), Qt::white);
        CDumpLayout layout(source, g_settings);
        for (int line = 0; line < lines; ++line) {
            const int n = layout.formatDumpLine(static_cast<uint32_t>(line), text);
            painter.drawText(5, (line + 2) * metrics.height(),
                             QString::fromLatin1(reinterpret_cast<const char*>(text), n - 2));
        }
    }
}
BENCHMARK(BM_PlainDrawTextBaseline)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
