#include "platform/AtomicFile.h"

#include "platform/CAtomicFileWriter.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::nullopt;
    std::string content;
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return std::nullopt;
    return content;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes)
{
    const fs::path folder = fs::path(path).parent_path();
    std::error_code ec;
    if (!folder.empty())
        fs::create_directories(folder, ec);
    return CAtomicFileWriter::WriteWhole(path, bytes.data(), bytes.size());
}
