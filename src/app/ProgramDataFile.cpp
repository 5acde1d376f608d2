#include "app/ProgramDataFile.h"

#include "app/ProgramDataFormat.h"
#include "platform/AtomicFile.h"
#include "platform/Messages.h"

bool ReadProgramDataFile(const std::string& path, ProgramData& data)
{
    const SmallFile file = ReadSmallFile(path, kDataFileLimit);
    switch (file.status) {
    case SmallFileStatus::Missing:
        return false;
    case SmallFileStatus::NotRegular:
    case SmallFileStatus::Failed:
        ShowMessage(StringId::IdsDataFileReadError);
        return false;
    case SmallFileStatus::TooLarge: // no size the reader takes
    case SmallFileStatus::Read:
        break;
    }
    std::optional<ProgramData> read;
    if (file.status == SmallFileStatus::Read)
        read = ParseProgramData(file.content, data);
    if (!read) {
        ShowMessage(StringId::IdsDataFileInvalid);
        return false;
    }
    data = std::move(*read);
    return true;
}

bool WriteProgramDataFile(const std::string& path, const ProgramData& data)
{
    const std::optional<std::string> bytes = BuildProgramData(data);
    if (!bytes || !WriteFileAtomic(path, *bytes)) {
        ShowMessage(StringId::IdsDataFileWriteError);
        return false;
    }
    return true;
}
