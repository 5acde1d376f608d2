// A random pattern, flags and text for the text find's matcher: it never
// reads outside the region (the bytes before it are poisoned, the buffer ends
// where the region does), an answer lies inside the region, the prefilter
// answers what the plain walk answers, and a literal pattern compared byte
// for byte is found where a plain search finds it.
#include "PlainPatternFind.h"
#include "platform/Messages.h"
#include "textpane/PatternMatcher.h"

#include <sanitizer/asan_interface.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

// The "ASSERT" boxes of refused patterns are expected here.
class CQuietSink final : public CMessageSink
{
public:
    MsgAnswer showMessage(const std::string&, const std::string&, MsgButtons, MsgIcon) override
    {
        return MsgAnswer::Ok;
    }
    void beep(int) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CQuietSink sink;
    SetMessageSink(&sink);
    if (size < 3)
        return 0;
    const uint8_t flags = data[0];
    const size_t patternLength = std::min<size_t>(data[1] % 96, size - 3);
    const std::string pattern(reinterpret_cast<const char*>(data + 3), patternLength);
    const size_t textSize = size - 3 - patternLength;
    const auto end = static_cast<uint32_t>(textSize);
    auto text = std::make_unique<uint8_t[]>(textSize);
    std::memcpy(text.get(), data + 3 + patternLength, textSize);
    // The region starts on the unit data[2] names, walking units from 0.
    uint32_t start = 0;
    for (uint32_t k = data[2]; k > 0 && start < end; --k)
        start += cp932::IsLeadByte(text[start]) && start + 1 < end ? 2 : 1;
    start = std::min(start, end);
    ASAN_POISON_MEMORY_REGION(text.get(), start);

    const bool firstMatch = flags & 1, matchCase = flags & 2, regular = flags & 4, width = flags & 8;
    SetPatternSkipping(PatternSkipping::Never);
    const auto plain = findPattern(text.get(), start, end, pattern, firstMatch, matchCase, regular, width);
    SetPatternSkipping(PatternSkipping::Always);
    const auto skipped = findPattern(text.get(), start, end, pattern, firstMatch, matchCase, regular, width);
    if (plain != skipped)
        std::abort();
    if (plain && (plain->position < start || uint64_t{plain->position} + plain->length > end))
        std::abort();
    if (!regular && matchCase && width
        && plain != plainpattern::find(text.get(), start, end, pattern, firstMatch, true, true))
        std::abort();
    ASAN_UNPOISON_MEMORY_REGION(text.get(), start);
    return 0;
}
