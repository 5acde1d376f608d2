#include "platform/CAtomicFileWriter.h"

#include <filesystem>
#include <random>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

bool SyncToDisk(std::FILE* file)
{
#if defined(_WIN32)
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

// The file a write should replace: a symbolic link is followed so that the
// link stays a link and its target gets the new content.
bool ResolveTarget(const std::string& target, fs::path& resolved)
{
    std::error_code ec;
    resolved = target;
    if (fs::is_symlink(fs::symlink_status(resolved, ec))) {
        resolved = fs::weakly_canonical(resolved, ec);
        if (ec)
            return false;
    }
    return !resolved.filename().empty();
}

std::string TempNameBeside(const fs::path& target, unsigned attempt)
{
    static std::mt19937 s_random{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x%u~", static_cast<unsigned>(s_random()), attempt);
    // Cut so that even a name at the system's length limit leaves room for the suffix.
    fs::path temp = target;
    temp.replace_filename("." + target.filename().string().substr(0, 200) + suffix);
    return temp.string();
}

} // namespace

CAtomicFileWriter::CAtomicFileWriter(std::string target)
    : m_strTarget(std::move(target))
{
}

CAtomicFileWriter::~CAtomicFileWriter()
{
    Discard();
}

bool CAtomicFileWriter::Open()
{
    fs::path resolved;
    if (!ResolveTarget(m_strTarget, resolved))
        return false;
    std::error_code ec;
    const fs::file_status status = fs::status(resolved, ec);
    if (fs::exists(status)) {
        if (!fs::is_regular_file(status))
            return false;
        // The old file must be writable as it stands: replacing a read-only
        // file through its folder would bypass its protection.
        std::FILE* probe = std::fopen(resolved.string().c_str(), "r+b");
        if (!probe)
            return false;
        std::fclose(probe);
        m_bKeepPermissions = true;
        m_nPermissions = static_cast<unsigned>(status.permissions());
    }
    m_strTarget = resolved.string();
    for (unsigned attempt = 0; attempt < 16 && !m_pFile; ++attempt) {
        m_strTemp = TempNameBeside(resolved, attempt);
        m_pFile = std::fopen(m_strTemp.c_str(), "wbx");
    }
    if (!m_pFile) {
        m_strTemp.clear();
        return false;
    }
    std::setvbuf(m_pFile, nullptr, _IONBF, 0); // callers write in large chunks of their own
    return true;
}

bool CAtomicFileWriter::Commit()
{
    if (!m_pFile)
        return false;
    const bool written = std::fflush(m_pFile) == 0 && !std::ferror(m_pFile) && SyncToDisk(m_pFile);
    const bool closed = std::fclose(m_pFile) == 0;
    m_pFile = nullptr;
    std::error_code ec;
    if (written && closed && m_bKeepPermissions)
        fs::permissions(m_strTemp, static_cast<fs::perms>(m_nPermissions), fs::perm_options::replace, ec);
    if (!written || !closed || ec)
        return false;
    fs::rename(m_strTemp, m_strTarget, ec);
    if (ec)
        return false;
    m_strTemp.clear();
    return true;
}

bool CAtomicFileWriter::WriteWhole(const std::string& target, const void* bytes, size_t n)
{
    CAtomicFileWriter writer(target);
    if (!writer.Open())
        return false;
    if (n > 0 && std::fwrite(bytes, 1, n, writer.file()) != n)
        return false;
    return writer.Commit();
}

void CAtomicFileWriter::Discard()
{
    if (m_pFile) {
        std::fclose(m_pFile);
        m_pFile = nullptr;
    }
    if (!m_strTemp.empty()) {
        std::error_code ec;
        fs::remove(m_strTemp, ec);
        m_strTemp.clear();
    }
}
