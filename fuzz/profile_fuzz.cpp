// INI text of any content: parsing never reads outside the data, writing it
// back is stable, and a key set is found again under any case of its name.
#include "platform/Cp932.h"
#include "platform/ProfileText.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CProfileText profile = CProfileText::parse(text);
    const std::string once = profile.serialize();
    if (CProfileText::parse(once).serialize() != once)
        std::abort();
    const char* names[] = {"a", "A", "", "b", "[a", "a]", "k"};
    for (const char* s : names)
        for (const char* k : names)
            (void)profile.find(s, k);
    if (profile.set("a", "k", "value")) {
        auto v = profile.find("A", "K");
        if (!v || *v != "value")
            std::abort();
    }
    // The dump conversion and the classification must hold on any bytes too.
    std::string out;
    cp932::AppendUtf8(out, data, size);
    for (size_t k = 0; k < size; ++k)
        (void)cp932::ClassifyPosition(data, size, k);
    return 0;
}
