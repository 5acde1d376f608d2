#include "platform/AtomicFile.h"

#include "platform/CAtomicFileWriter.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

SmallFile ReadSmallFile(const std::string& path, size_t maxBytes)
{
    SmallFile result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        result.status = errno == ENOENT || errno == ENOTDIR ? SmallFileStatus::Missing : SmallFileStatus::Failed;
        return result;
    }
    struct stat st {};
    const bool known = ::fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode)) {
        result.status = known ? SmallFileStatus::NotRegular : SmallFileStatus::Failed;
        ::close(fd);
        return result;
    }
    result.status = SmallFileStatus::Read;
    if (static_cast<uint64_t>(st.st_size) > maxBytes)
        result.status = SmallFileStatus::TooLarge;
    char buffer[65536];
    while (result.status == SmallFileStatus::Read) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            result.status = SmallFileStatus::Failed;
        else if (got == 0)
            break;
        else if (result.content.size() + static_cast<size_t>(got) > maxBytes)
            result.status = SmallFileStatus::TooLarge;
        else
            result.content.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    if (result.status != SmallFileStatus::Read)
        result.content.clear();
    return result;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes)
{
    const fs::path folder = fs::path(path).parent_path();
    std::error_code ec;
    if (!folder.empty())
        fs::create_directories(folder, ec);
    return CAtomicFileWriter::WriteWhole(path, bytes.data(), bytes.size());
}
