// Attribute files of any content: the reader takes a record whole or not at
// all, never reads outside the bytes, and what it accepts writes back the same.
#include "app/Settings.h"
#include "doc/AttributeFile.h"
#include "doc/CLumoDoc.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// A small text document whose every fourth byte is a CR, so that marks can be valid.
CLumoDoc& Document()
{
    static CLumoDoc* doc = [] {
        auto* d = new CLumoDoc(CLumoDoc::kTextMode);
        constexpr uint32_t kSize = 4096;
        uint8_t bytes[kSize];
        for (uint32_t i = 0; i < kSize; ++i)
            bytes[i] = i % 4 == 3 ? '\r' : 'a';
        if (!d->InsertBytes(0, bytes, kSize, nullptr))
            std::abort();
        return d;
    }();
    return *doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CLumoDoc& doc = Document();
    doc.SetAttributes({}, {});
    CAttributeFile file(doc);
    const std::vector<uint8_t> bytes(data, data + size); // exact size: any overread is caught
    if (file.Parse(bytes.data(), bytes.size()) == CAttributeFile::ParseResult::Accepted) {
        const std::vector<uint8_t> written = file.Build();
        CAttributeFile again(doc);
        if (again.Parse(written.data(), written.size()) != CAttributeFile::ParseResult::Accepted
            || again.Build() != written)
            std::abort();
    }
    return 0;
}
