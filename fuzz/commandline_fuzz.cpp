// Arguments of any bytes (split at NUL): parsing never reads outside them,
// takes the file name whole from one argument and never invents a value.
#include "app/CommandLine.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    // Wildcards would list folders of this machine; a name is matched the same way without them.
    std::replace(text.begin(), text.end(), '*', 'x');
    std::replace(text.begin(), text.end(), '?', 'x');
    std::vector<std::string> args;
    size_t start = 0;
    for (size_t nul; (nul = text.find('\0', start)) != std::string::npos; start = nul + 1)
        args.push_back(text.substr(start, nul - start));
    args.push_back(text.substr(start));

    const CommandLine parsed = ParseCommandLine(args);
    const auto isArgument = [&args](const std::string& value) {
        return std::find(args.begin(), args.end(), value) != args.end();
    };
    if (!parsed.file.empty() && !isArgument(parsed.file))
        std::abort();
    if (parsed.line < 0 || parsed.column < 0)
        std::abort();
    if (!parsed.cabinet.empty()
        && std::none_of(args.begin(), args.end(), [&parsed](const std::string& arg) {
               return arg.find(parsed.cabinet) != std::string::npos;
           }))
        std::abort();
    return 0;
}
