// Key-definition files of any content: the reader never reads outside the
// bytes, and what it accepts writes back to a file that reads the same.
#include "frame/KeyFileFormat.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size); // exact size: any overread is caught
    const auto read = DecodeKeyFile(bytes);
    if (!read)
        return 0;
    if (read->empty() || read->size() > CKeyTable::kMaxEntries || DecodeKeyFile(EncodeKeyFile(*read)) != read)
        std::abort();
    return 0;
}
