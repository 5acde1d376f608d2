#include "binpane/DumpWriter.h"

#include "binpane/DumpLayout.h"

#include <vector>

namespace {

constexpr size_t kBufferSize = 1 << 20;

// Gathers whole lines and writes them whenever the buffer is full.
class CDumpOutput
{
public:
    explicit CDumpOutput(std::FILE* out) : m_text(kBufferSize), m_out(out) {}

    // Room for one more line.
    uint8_t* room() { return m_text.data() + m_nUsed; }
    // The n bytes at room() are a line.
    [[nodiscard]] bool added(int n)
    {
        m_nUsed += static_cast<size_t>(n);
        return m_nUsed + CDumpLayout::kLineBufferSize <= m_text.size() || flush();
    }

    [[nodiscard]] bool flush()
    {
        const size_t n = m_nUsed;
        m_nUsed = 0;
        return std::fwrite(m_text.data(), 1, n, m_out) == n;
    }

private:
    std::vector<uint8_t> m_text;
    size_t m_nUsed = 0;
    std::FILE* m_out;
};

} // namespace

DumpOutcome WriteFileDump(int fd, const CSettings& settings, bool utf8, std::FILE* out, size_t chunk)
{
    CStreamDumpSource source(fd, chunk);
    CDumpLayout layout(source, settings, utf8 ? CDumpLayout::LineCode::Utf8 : CDumpLayout::LineCode::Cp932);
    CDumpOutput output(out);
    DumpOutcome outcome;
    if (!output.added(layout.formatHeadingLine(output.room(), false))
        || !output.added(layout.formatRuleLine(output.room()))) {
        outcome.result = DumpResult::WriteFailed;
        return outcome;
    }
    const auto b = static_cast<uint64_t>(layout.geometry().B);
    for (uint64_t line = 0;; ++line) {
        // A line's text is final once its bytes and the one after them are in.
        while (source.size() < (line + 1) * b + 1 && !source.atEnd()) {
            if (!source.readMore()) {
                outcome.result = DumpResult::ReadFailed;
                return outcome;
            }
            layout.sourceGrew();
        }
        if (line >= layout.lineCount())
            break;
        if (!output.added(layout.formatDumpLine(line, output.room()))) {
            outcome.result = DumpResult::WriteFailed;
            return outcome;
        }
    }
    outcome.bytes = source.size();
    if (!output.flush() || std::fflush(out) != 0)
        outcome.result = DumpResult::WriteFailed;
    return outcome;
}
