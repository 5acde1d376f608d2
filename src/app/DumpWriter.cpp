#include "app/DumpWriter.h"

#include "binpane/DumpLayout.h"
#include "platform/Cp932.h"

#include <vector>

namespace {

constexpr size_t kBufferSize = 1 << 20;

// Gathers whole lines and writes them whenever the buffer is full. UTF-8 is
// made line by line: only the character column can hold bytes above 0x7F, so
// the rest of a line is already its own UTF-8 form.
class CDumpOutput
{
public:
    CDumpOutput(bool utf8, std::FILE* out) : m_text(kBufferSize), m_bUtf8(utf8), m_out(out) {}

    // Room for one more line, with what its UTF-8 form may take.
    uint8_t* room() { return m_text.data() + m_nUsed; }
    // The n bytes at room() are a line whose first `asciiPrefix` bytes are below 0x80.
    [[nodiscard]] bool added(int n, int asciiPrefix)
    {
        size_t length = static_cast<size_t>(n);
        if (m_bUtf8)
            length = cp932::ConvertToUtf8InPlace(room(), length, static_cast<size_t>(asciiPrefix));
        m_nUsed += length;
        return m_nUsed + kRoom <= m_text.size() || flush();
    }

    [[nodiscard]] bool flush()
    {
        const size_t n = m_nUsed;
        m_nUsed = 0;
        return std::fwrite(m_text.data(), 1, n, m_out) == n;
    }

private:
    static constexpr size_t kRoom = 3 * CDumpLayout::kLineBufferSize + 3;
    static_assert(CDumpLayout::kLineBufferSize <= cp932::kMaxInPlace);

    std::vector<uint8_t> m_text;
    bool m_bUtf8;
    size_t m_nUsed = 0;
    std::FILE* m_out;
};

} // namespace

DumpOutcome WriteFileDump(int fd, const CSettings& settings, bool utf8, std::FILE* out, size_t chunk)
{
    CStreamDumpSource source(fd, chunk);
    CDumpLayout layout(source, settings);
    CDumpOutput output(utf8, out);
    DumpOutcome outcome;
    if (!output.added(layout.formatHeadingLine(output.room(), false), 0)
        || !output.added(layout.formatRuleLine(output.room()), 0)) {
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
        if (!output.added(layout.formatDumpLine(line, output.room()), layout.geometry().C)) {
            outcome.result = DumpResult::WriteFailed;
            return outcome;
        }
    }
    outcome.bytes = source.size();
    if (!output.flush() || std::fflush(out) != 0)
        outcome.result = DumpResult::WriteFailed;
    return outcome;
}
