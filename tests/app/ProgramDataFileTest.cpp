// The program data file on disk: what each kind of bad file tells the user,
// and that the data keeps its defaults then.
#include "app/ProgramDataFile.h"
#include "app/ProgramDataFormat.h"
#include "support/CRecordingSink.h"
#include "support/CScopedTempDir.h"
#include "support/FileContent.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ProgramDataFile, BadFilesLeaveTheDefaultsAndSaySo)
{
    CScopedTempDir dir;
    const std::string path = dir / "vexel.DAT";
    CRecordingSink sink;
    ProgramData defaults;
    defaults.findHistory = {"kept"};
    ProgramData data = defaults;

    // No file: nothing said.
    EXPECT_FALSE(ReadProgramDataFile(path, data));
    EXPECT_TRUE(sink.texts.empty());

    ProgramData saved;
    saved.findHistory = {"one", "two"};
    saved.customColours[3] = 0x123456;
    ASSERT_TRUE(WriteProgramDataFile(path, saved));
    const std::string good = ReadFile(path);

    const std::string invalid = LoadString(StringId::IdsDataFileInvalid);
    for (const std::string& bad : {good.substr(0, good.size() - 1), good.substr(0, 100), std::string(),
                                   good + std::string(kDataFileLimit, '\0')}) {
        WriteFile(path, bad);
        sink.texts.clear();
        EXPECT_FALSE(ReadProgramDataFile(path, data)) << bad.size();
        EXPECT_EQ(sink.texts, std::vector<std::string>{invalid}) << bad.size();
        EXPECT_EQ(data, defaults);
    }

    // A file that cannot be read.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    sink.texts.clear();
    EXPECT_FALSE(ReadProgramDataFile(path, data));
    EXPECT_EQ(sink.texts, std::vector<std::string>{LoadString(StringId::IdsDataFileReadError)});
    EXPECT_EQ(data, defaults);

    // Nor can it be written over; a good file is taken whole.
    sink.texts.clear();
    EXPECT_FALSE(WriteProgramDataFile(path, saved));
    EXPECT_EQ(sink.texts, std::vector<std::string>{LoadString(StringId::IdsDataFileWriteError)});
    std::filesystem::remove(path);
    WriteFile(path, good);
    EXPECT_TRUE(ReadProgramDataFile(path, data));
    EXPECT_EQ(data, saved);
}

} // namespace
