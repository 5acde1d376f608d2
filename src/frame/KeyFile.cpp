#include "frame/KeyFile.h"

#include "frame/KeyFileFormat.h"
#include "platform/AtomicFile.h"
#include "platform/Messages.h"
#include "platform/ProgramPaths.h"

#include <filesystem>

bool ReadKeyFile(const std::string& path, CKeyTable& table)
{
    const SmallFile file = ReadSmallFile(path, kKeyFileReadLimit);
    if (file.status == SmallFileStatus::Missing)
        return false;
    std::optional<std::vector<KeyEntry>> entries;
    if (file.status == SmallFileStatus::Read)
        entries = DecodeKeyFile(file.content);
    if (!entries || !table.assign(std::move(*entries))) {
        ShowMessage(StringId::IdsKeyFileInvalid);
        return false;
    }
    return true;
}

bool WriteKeyFile(const std::string& path, const CKeyTable& table)
{
    // No file holds an empty table: without one the next start has the defaults, and no complaint.
    std::error_code ec;
    const bool written = table.entries().empty() ? (std::filesystem::remove(path, ec), !ec)
                                                 : WriteFileAtomic(path, EncodeKeyFile(table.entries()));
    if (!written) {
        ShowMessage(StringId::IdsKeyFileWriteError);
        return false;
    }
    return true;
}

void LoadKeyDefinitions()
{
    const std::string path = paths::KeyFilePath();
    if (!path.empty())
        (void)ReadKeyFile(path, g_keyTable); // the user has been told why the defaults stay
}

bool SaveKeyDefinitions()
{
    const std::string path = paths::KeyFilePath();
    return path.empty() || WriteKeyFile(path, g_keyTable);
}
