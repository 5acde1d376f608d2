// The text pane at 1280x1024: a full repaint of C source with C++ colouring,
// beside a baseline that draws the same lines with one plain drawText each
// (no cell pinning, no colouring); and Ctrl+End on a 500,000-line text, the
// caret placed and the view repainted.
#include "app/Settings.h"
#include "doc/CLumoDoc.h"
#include "doc/CabinetSettings.h"
#include "doc/widgets/ViewFont.h"
#include "platform/QtKeyCodes.h"
#include "textpane/widgets/CLumoEV.h"
#include "QtBenchMain.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::string sourceText(int lines)
{
    static const char* const kLines[] = {
        "#include <stdio.h>  // \x93\xfc\x8f\x6f\x97\xcd",
        "static int count_words(const char* text, unsigned long length)",
        "{",
        "\tfor (int i = 0; i < length; ++i) { if (text[i] == ' ') return i; } /* \x92\x50\x8c\xea */",
        "\tclass Parser* parser = new Parser(text, length); delete parser;",
        "\treturn sizeof(struct entry) + (long)length * 2; // \x83\x65\x83\x58\x83\x67",
        "}",
        "",
    };
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += std::string(kLines[i % std::size(kLines)]) + "\r\n";
    return text;
}

std::unique_ptr<CLumoDoc> makeDocument(const std::string& text)
{
    auto doc = std::make_unique<CLumoDoc>(CLumoDoc::kTextMode);
    if (!doc->InsertBytes(0, reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()),
                          nullptr))
        return nullptr;
    return doc;
}

void BM_TextPaneFullRepaint(benchmark::State& state)
{
    g_cabinet.nDocumentType = 2;
    g_cabinet.bShowCrMarks = 1;
    g_cabinet.bShowTabMarks = 1;
    auto doc = makeDocument(sourceText(2000));
    CLumoEV pane(doc.get(), MakeViewFont(doc->Font(), 96));
    pane.resize(1280, 1024);
    QImage image(pane.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        pane.viewport()->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["lines"] = pane.visibleRows();
    // A blank image would mean the paint never ran: count the ink.
    int ink = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            ink += image.pixel(x, y) != 0xFFFFFFFFu;
    state.counters["ink"] = ink;
}
BENCHMARK(BM_TextPaneFullRepaint)->Unit(benchmark::kMillisecond);

void BM_PlainDrawTextBaseline(benchmark::State& state)
{
    const std::string text = sourceText(2000);
    const QFont font = MakeViewFont(CLumoDoc(CLumoDoc::kTextMode).Font(), 96);
    const QFontMetrics metrics(font);
    std::vector<QString> lines;
    for (size_t start = 0; lines.size() * metrics.height() < 1024;) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(QString::fromLatin1(text.substr(start, end - start)));
        start = end + 2;
    }
    QImage image(1280, 1024, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(font);
        painter.fillRect(image.rect(), Qt::white);
        for (size_t line = 0; line < lines.size(); ++line)
            painter.drawText(5, static_cast<int>(line + 1) * metrics.height(), lines[line]);
    }
}
BENCHMARK(BM_PlainDrawTextBaseline)->Unit(benchmark::kMillisecond);

void BM_TextPaneCtrlEnd(benchmark::State& state)
{
    g_nMaxRows = 1'000'000; // the text alone reaches the default line limit
    std::string text;
    for (int i = 0; i < 500'000; ++i)
        text += "line " + std::to_string(i) + " of a long text\r\n";
    auto doc = makeDocument(text);
    CLumoEV pane(doc.get(), MakeViewFont(doc->Font(), 96));
    pane.resize(1280, 1024);
    QImage image(pane.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        state.PauseTiming();
        pane.model().keyPress(qtkey::Key_Home, false, true, false);
        state.ResumeTiming();
        pane.model().keyPress(qtkey::Key_End, false, true, false);
        pane.viewport()->render(&image);
    }
    state.counters["lines"] = pane.model().lineCount();
    state.counters["top"] = pane.topLine();
}
BENCHMARK(BM_TextPaneCtrlEnd)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
