#include "platform/ProfileFile.h"

#include "support/CRecordingSink.h"
#include "support/CScopedTempDir.h"
#include "support/FileContent.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Random spelling of a name: the reader folds ASCII case.
std::string RandomCase(const std::string& name, std::mt19937& rng)
{
    std::string s = name;
    for (char& c : s)
        if (rng() % 2)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// A value that reads back as written: blanks are trimmed and line breaks end it.
std::string RandomValue(std::mt19937& rng)
{
    static const std::string pool = "ab =;[]#\"\t\x82\xA0\x83\x5C\x81\x60" "09-";
    std::string s;
    for (size_t n = rng() % 12; n > 0; --n)
        s += pool[rng() % pool.size()];
    const size_t first = s.find_first_not_of(" \t");
    return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

} // namespace

TEST(ProfileFile, WritesAndReadsLikeAPlainMapInAnyCase)
{
    CScopedTempDir dir;
    ASSERT_TRUE(dir.valid());
    CProfileFile profile(dir / "sub/folder/vexel.ini"); // the folder is made on the first write
    const std::vector<std::string> sections = {"Settings", "Recent File List", "Other"};
    const std::vector<std::string> keys = {"BytesPerLine", "File1", "File2", "TabPosition", "X"};
    std::map<std::pair<std::string, std::string>, std::string> model; // upper-cased names
    std::mt19937 rng(1);
    for (int step = 0; step < 600; ++step) {
        const bool batch = rng() % 8 == 0;
        if (batch)
            profile.beginBatch();
        for (int write = batch ? 1 + static_cast<int>(rng() % 5) : 1; write > 0; --write) {
            const std::string& section = sections[rng() % sections.size()];
            const std::string& key = keys[rng() % keys.size()];
            std::string expected;
            if (rng() % 2) {
                const int value = rng() % 4 == 0 ? (rng() % 2 ? INT_MIN : INT_MAX)
                                                 : static_cast<int>(rng() % 2001) - 1000;
                ASSERT_TRUE(profile.writeInt(RandomCase(section, rng), RandomCase(key, rng), value));
                expected = std::to_string(value);
            } else {
                expected = RandomValue(rng);
                ASSERT_TRUE(profile.writeString(RandomCase(section, rng), RandomCase(key, rng), expected));
            }
            model[{Upper(section), Upper(key)}] = expected;
        }
        if (batch) {
            ASSERT_TRUE(profile.commitBatch());
        }
        for (const std::string& section : sections) {
            for (const std::string& key : keys) {
                const auto it = model.find({Upper(section), Upper(key)});
                const std::string got = profile.getString(RandomCase(section, rng), RandomCase(key, rng), "<none>");
                ASSERT_EQ(got, it == model.end() ? "<none>" : it->second) << section << "/" << key;
            }
        }
    }
    const std::string text = ReadFile(profile.path());
    size_t crlf = 0;
    for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2)
        ++crlf;
    EXPECT_EQ(crlf, std::count(text.begin(), text.end(), '\n')) << "every line ends with CR LF";
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "sub/folder"), {}), 1) << "temporary files left";
}

TEST(ProfileFile, WriteKeepsEveryOtherLineByteForByte)
{
    CScopedTempDir dir;
    const std::string path = dir / "vexel.ini";
    WriteFile(path, "; written by hand\n"
                    "[Settings]\r\n  HexAddress = 0   \r\nBytesPerLine=16\nbytesperline=99\n"
                    "no equals sign\n\n"
                    "[Recent File List]\nFile1=C:\\a.bin\n"
                    "[settings]\nLate=1\n");
    CProfileFile profile(path);
    EXPECT_EQ(profile.getInt("SETTINGS", "bytesPerLine", 0), 16); // the first of duplicates
    EXPECT_EQ(profile.getInt("Settings", "Late", 7), 7);          // a second section of the name is never read
    EXPECT_EQ(profile.getInt("Settings", "HexAddress", 1), 0);
    ASSERT_TRUE(profile.writeInt("settings", "BYTESPERLINE", 32));
    ASSERT_TRUE(profile.writeString("Settings", "NewKey", "\x82\xA0 x"));
    ASSERT_TRUE(profile.writeString("Recent File List", "File2", "D:\\b.bin"));
    ASSERT_TRUE(profile.writeInt("Added", "Value", -5));
    EXPECT_EQ(ReadFile(path),
              "; written by hand\r\n"
              "[Settings]\r\n  HexAddress = 0   \r\nBYTESPERLINE=32\r\nbytesperline=99\r\n"
              "NewKey=\x82\xA0 x\r\n"
              "no equals sign\r\n\r\n"
              "[Recent File List]\r\nFile1=C:\\a.bin\r\nFile2=D:\\b.bin\r\n"
              "[settings]\r\nLate=1\r\n\r\n"
              "[Added]\r\nValue=-5\r\n");
    // A value cannot smuggle in a line of its own; names that would not read back are refused.
    ASSERT_TRUE(profile.writeString("Added", "Value", "x\r\n[Settings]\r\nBytesPerLine=5"));
    EXPECT_EQ(profile.getString("Added", "Value", ""), "x");
    EXPECT_EQ(profile.getInt("Settings", "BytesPerLine", 0), 32);
    const std::pair<const char*, const char*> refused[] = {{"Added", "a=b"}, {"Added", ""}, {"Added", ";c"},
                                                           {"A]B", "k"}};
    for (const auto& [section, key] : refused)
        EXPECT_FALSE(profile.writeString(section, key, "1")) << section << "/" << key;
    EXPECT_EQ(profile.getString("A]B", "k", "none"), "none");
}

TEST(ProfileFile, IntegersAreReadByTheAtoiRule)
{
    CScopedTempDir dir;
    CProfileFile profile(dir / "vexel.ini");
    EXPECT_EQ(profile.getInt("Settings", "Missing", 48), 48); // no file
    const std::pair<const char*, int> cases[] = {
        {"-5", -5},        {"+7", 7},     {"42abc", 42},           {"\t 12 34", 12},
        {"abc", 0},        {"", 0},       {"0x10", 0},             {"--5", 0},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"4294967295", -1}, {"3.9", 3},
    };
    for (const auto& [text, value] : cases) {
        ASSERT_TRUE(profile.writeString("Settings", "K", text));
        EXPECT_EQ(profile.getInt("Settings", "K", 99), value) << "value \"" << text << "\"";
    }
}

TEST(ProfileFile, BatchWritesOnceAndRefusesToOverwriteWhatItCannotRead)
{
    CScopedTempDir dir;
    const std::string path = dir / "vexel.ini";
    WriteFile(path, "[Settings]\r\nA=1\r\n");
    chmod(path.c_str(), 0640);
    CProfileFile profile(path);
    profile.beginBatch();
    ASSERT_TRUE(profile.writeInt("Settings", "A", 2));
    ASSERT_TRUE(profile.writeInt("Settings", "B", 3));
    EXPECT_EQ(ReadFile(path), "[Settings]\r\nA=1\r\n"); // nothing written yet
    EXPECT_EQ(profile.getInt("Settings", "B", 0), 3);     // reads see the batch
    ASSERT_TRUE(profile.commitBatch());
    EXPECT_EQ(ReadFile(path), "[Settings]\r\nA=2\r\nB=3\r\n");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u); // the rewrite keeps the permissions

    // Something that exists but cannot be read as a file is never replaced.
    fs::create_directory(dir / "folder.ini");
    CProfileFile folder(dir / "folder.ini");
    EXPECT_FALSE(folder.writeInt("Settings", "A", 1));
    folder.beginBatch();
    EXPECT_TRUE(folder.writeInt("Settings", "A", 1));
    EXPECT_FALSE(folder.commitBatch());
    EXPECT_TRUE(fs::is_directory(dir / "folder.ini"));
    if (geteuid() != 0) { // root reads anything
        chmod(path.c_str(), 0);
        EXPECT_FALSE(profile.writeInt("Settings", "A", 5));
        chmod(path.c_str(), 0640);
        EXPECT_EQ(profile.getInt("Settings", "A", 0), 2);
    }
    // A folder that cannot be made.
    CProfileFile blocked(path + "/below/vexel.ini");
    EXPECT_FALSE(blocked.writeInt("Settings", "A", 1));
}

TEST(ProfileFile, HostileContentNeverBreaksReadsOrOtherKeys)
{
    CScopedTempDir dir;
    const std::string path = dir / "vexel.ini";
    const std::vector<std::string> names = {"", "a", "A", "b", "ab", "[a", "a]", "\x82]"};
    static const std::string pool = std::string("[]=;\r\n\t ab\0\x82\x5D\xFF", 15);
    std::mt19937 rng(7);
    for (int round = 0; round < 500; ++round) {
        std::string content;
        const size_t length = rng() % 100 == 0 ? 70000 : rng() % 300;
        for (size_t i = 0; i < length; ++i)
            content += rng() % 4 == 0 ? static_cast<char>(rng()) : pool[rng() % pool.size()];
        WriteFile(path, content);
        CProfileFile profile(path);
        std::map<std::pair<std::string, std::string>, std::string> found;
        for (const std::string& section : names) {
            for (const std::string& key : names) {
                const std::string value = profile.getString(section, key, "\x01");
                if (value != "\x01") {
                    ASSERT_NE(content.find(value), std::string::npos);
                    found[{section, key}] = value;
                }
            }
        }
        ASSERT_EQ(ReadFile(path), content) << "a read changed the file";
        const std::string section = names[1 + rng() % 4];
        const std::string key = names[1 + rng() % 4];
        ASSERT_TRUE(profile.writeString(section, key, "new"));
        ASSERT_EQ(profile.getString(section, key, ""), "new");
        for (const auto& [where, value] : found) {
            if (Upper(where.first) == Upper(section) && Upper(where.second) == Upper(key))
                continue;
            ASSERT_EQ(profile.getString(where.first, where.second, "\x01"), value)
                << "round " << round;
        }
    }
}

// Settings files that are no regular file, or too large, read as defaults at
// once and are never written over; a mark or CR-only line ends read as a user
// would expect.
TEST(ProfileFile, OddFilesGiveDefaultsAtOnceAndAreNeverWrittenOver)
{
    CScopedTempDir dir;
    CRecordingSink sink;
    const std::string fifo = dir / "fifo.ini";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string device = dir / "zero.ini";
    fs::create_symlink("/dev/zero", device);
    for (const std::string& path : {fifo, device}) {
        CProfileFile profile(path); // a blocking open or an endless read would hang here
        EXPECT_EQ(profile.getInt("Settings", "A", 7), 7);
        EXPECT_FALSE(profile.writeInt("Settings", "A", 1));
    }
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
    EXPECT_TRUE(sink.texts.empty());

    const std::string large = dir / "large.ini";
    WriteFile(large, "[Settings]\r\nA=1\r\n");
    fs::resize_file(large, 100'000'000); // blank bytes after a real key
    CProfileFile profile(large);
    EXPECT_EQ(profile.getInt("Settings", "A", 7), 7);
    EXPECT_EQ(profile.getInt("Settings", "A", 7), 7);
    EXPECT_FALSE(profile.writeInt("Settings", "A", 2));
    EXPECT_EQ(fs::file_size(large), 100'000'000u);
    ASSERT_EQ(sink.texts.size(), 1u) << "one message, however often it is read";
    EXPECT_NE(sink.texts[0].find(large), std::string::npos);

    const std::string marked = dir / "marked.ini";
    WriteFile(marked, "\xEF\xBB\xBF[Settings]\rA=1\rB=2\r\nC=3\n");
    CProfileFile odd(marked);
    EXPECT_EQ(odd.getInt("Settings", "B", 0), 2);
    ASSERT_TRUE(odd.writeInt("Settings", "D", 4));
    EXPECT_EQ(ReadFile(marked), "[Settings]\r\nA=1\r\nB=2\r\nC=3\r\nD=4\r\n");
}
