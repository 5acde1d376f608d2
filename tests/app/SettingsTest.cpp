#include "app/Settings.h"

#include "platform/Messages.h"
#include "platform/ProfileFile.h"
#include "support/CRecordingSink.h"
#include "support/CScopedEnv.h"
#include "support/CScopedTempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <random>

namespace fs = std::filesystem;

namespace {

class SettingsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.valid()); }
    void TearDown() override
    {
        g_settings = m_oldSettings;
        std::tie(g_nMaxImageSize, g_nMaxRows) = m_oldLimits;
        g_bOverwrite = m_bOldOverwrite;
    }

    std::string iniPath() const { return m_dir / "vexel.ini"; }

    // A profile holding exactly the given keys of section "Settings".
    CProfileFile profileWith(const std::vector<std::pair<std::string, std::string>>& values)
    {
        fs::remove(iniPath());
        CProfileFile profile(iniPath());
        profile.beginBatch();
        for (const auto& [key, value] : values)
            EXPECT_TRUE(profile.writeString(kSettingsSection, key, value));
        EXPECT_TRUE(profile.commitBatch());
        return profile;
    }

    CSettings loadWith(const std::vector<std::pair<std::string, std::string>>& values)
    {
        CSettings s;
        LoadSettings(profileWith(values), s);
        return s;
    }

    CScopedTempDir m_dir;
    CRecordingSink m_sink;

private:
    const CScopedEnv m_profileDir{"VEXEL_PROFILE_DIR", m_dir.path()};
    const CSettings m_oldSettings = g_settings;
    const std::pair<uint32_t, uint32_t> m_oldLimits{g_nMaxImageSize, g_nMaxRows};
    const bool m_bOldOverwrite = g_bOverwrite;
};

// Printable ASCII and CP932 double-byte characters; no blanks at the ends and
// no quotes, which the INI format does not keep.
std::string RandomText(std::mt19937& rng, bool allowEmpty)
{
    std::uniform_int_distribution<int> length(allowEmpty ? 0 : 1, 40);
    std::uniform_int_distribution<int> ascii(0x21, 0x7E);
    std::uniform_int_distribution<int> lead(0x81, 0x9F);
    std::uniform_int_distribution<int> trail(0x40, 0xFC);
    std::string text;
    for (int n = length(rng); static_cast<int>(text.size()) < n;) {
        if (rng() % 4 == 0) {
            const int t = trail(rng);
            text += static_cast<char>(lead(rng));
            text += static_cast<char>(t == 0x7F ? 0x80 : t);
        } else if (const int c = ascii(rng); c != '"' && c != '\'') {
            text += static_cast<char>(c);
        }
    }
    return text;
}

int RandomInt(std::mt19937& rng, const SettingKey& key)
{
    if (key.ranged)
        return std::uniform_int_distribution<int>(key.minValue, key.maxValue)(rng);
    switch (rng() % 8) {
    case 0: return INT_MIN;
    case 1: return INT_MAX;
    case 2: return 0;
    default: return static_cast<int>(rng());
    }
}

std::vector<int> RandomTabStops(std::mt19937& rng)
{
    std::vector<int> columns(249);
    std::iota(columns.begin(), columns.end(), 1);
    std::shuffle(columns.begin(), columns.end(), rng);
    columns.resize(1 + rng() % 20);
    std::sort(columns.begin(), columns.end());
    return columns;
}

// Settings as the program holds them after a load: favourites compacted, the
// tab bar rule applied.
CSettings RandomSettings(std::mt19937& rng, const std::string& dir)
{
    CSettings s;
    for (const SettingKey& key : SettingKeys()) {
        if (key.type == SettingKey::Type::Int)
            key.intIn(s) = RandomInt(rng, key);
        else
            key.stringIn(s) = RandomText(rng, true);
    }
    const int used = static_cast<int>(rng() % 5);
    for (int i = 0; i < 4; ++i)
        s.FrequentlyUsedDirectory[i] = i < used ? RandomText(rng, false) : "";
    if (s.ButtonStyleTabBar == 0)
        s.TabBarHeightAdjust = 0;
    s.tabStops = RandomTabStops(rng);
    s.cabinetPath = dir + "/" + RandomText(rng, false);
    return s;
}

} // namespace

TEST_F(SettingsTest, EverySavedKeyRoundTripsWithRandomValues)
{
    std::mt19937 rng(20240611);
    for (int round = 0; round < 25; ++round) {
        const CSettings written = RandomSettings(rng, m_dir.path());
        CProfileFile profile = profileWith({});
        ASSERT_TRUE(SaveSettings(profile, written));
        CSettings loaded;
        LoadSettings(profile, loaded);
        for (const SettingKey& key : SettingKeys()) {
            if (key.saved) {
                EXPECT_EQ(key.fieldText(loaded), key.savedText(written)) << key.name;
            }
        }
        EXPECT_EQ(loaded.tabStops, written.tabStops);
        EXPECT_EQ(loaded.Binary1InEffect, written.Binary1);
        EXPECT_EQ(loaded.Binary2InEffect, written.Binary2);
        EXPECT_EQ(loaded.CabinetName, written.cabinetPath);
    }
    EXPECT_TRUE(m_sink.beeps.empty());
}

TEST_F(SettingsTest, UnsavedKeysAreNeitherWrittenNorOverwritten)
{
    CProfileFile profile = profileWith({{"FlatToolbar", "0"}});
    CSettings s;
    s.FlatToolbar = 1;
    s.BeepSoundType = 64;
    ASSERT_TRUE(SaveSettings(profile, s));
    for (const SettingKey& key : SettingKeys()) {
        const std::string stored = profile.getString(kSettingsSection, key.name, "<none>");
        if (key.saved) {
            EXPECT_NE(stored, "<none>") << key.name;
        } else if (key.name != std::string_view("FlatToolbar")) {
            EXPECT_EQ(stored, "<none>") << key.name;
        }
    }
    EXPECT_EQ(profile.getString(kSettingsSection, "FlatToolbar", ""), "0");
}

TEST_F(SettingsTest, MissingAndOutOfRangeValuesLoadAsTheirDefaults)
{
    const CSettings loaded = loadWith({});
    const CSettings defaults;
    for (const SettingKey& key : SettingKeys()) {
        if (key.name != std::string_view("TabBarHeightAdjust")) {
            EXPECT_EQ(key.fieldText(loaded), key.fieldText(defaults)) << key.name;
        }
    }
    EXPECT_EQ(loaded.TabBarHeightAdjust, 0); // plain tabs by default
    EXPECT_EQ(loaded.cabinetPath, m_dir / "vexel.cab");
    EXPECT_TRUE(m_sink.beeps.empty());
    for (const SettingKey& key : SettingKeys()) {
        if (!key.ranged)
            continue;
        const std::pair<int, int> cases[] = {{key.minValue - 1, key.intDefault},
                                             {key.minValue, key.minValue},
                                             {key.maxValue, key.maxValue},
                                             {key.maxValue + 1, key.intDefault},
                                             {-1000, key.intDefault}};
        for (const auto& [stored, expected] : cases) {
            const CSettings s =
                loadWith({{key.name, std::to_string(stored)}, {"ButtonStyleTabBar", "1"}});
            EXPECT_EQ(key.intIn(s), expected) << key.name << "=" << stored;
        }
    }
    EXPECT_EQ(loadWith({{"BytesPerLine", "4"}}).BytesPerLine, 16);
    // Plain tabs take no height adjustment, whatever is stored.
    EXPECT_EQ(loadWith({{"ButtonStyleTabBar", "0"}, {"TabBarHeightAdjust", "5"}}).TabBarHeightAdjust, 0);
    EXPECT_EQ(loadWith({{"MaxEditRange", "11"}}).MaxEditRange, 0);
}

TEST_F(SettingsTest, TabPositionIsParsedAndWrittenBack)
{
    CProfileFile profile = profileWith({{"TabPosition", "8,12,20,"}});
    CSettings s;
    LoadSettings(profile, s);
    EXPECT_EQ(s.tabStops, (std::vector<int>{7, 11, 19}));
    ASSERT_TRUE(SaveSettings(profile, s));
    EXPECT_EQ(profile.getString(kSettingsSection, "TabPosition", ""), "8,12,20");
    EXPECT_TRUE(m_sink.beeps.empty());

    std::string twenty, twentyOne;
    for (int i = 1; i <= 21; ++i)
        (i <= 20 ? twenty : twentyOne) += std::to_string(i * 10) + ",";
    twentyOne = twenty + twentyOne;
    EXPECT_EQ(ParseTabPosition(twenty)->size(), 20u);
    EXPECT_EQ(ParseTabPosition("2,250"), (std::vector<int>{1, 249}));
    EXPECT_EQ(ParseTabPosition(" 8 , 12"), (std::vector<int>{7, 11}));
    for (const char* rejected : {"12,8", "1,5", "8,8", "2,251", "8,,12", "8,x", "8,12a", ",",
                                 "0", "-8", "99999999999"})
        EXPECT_FALSE(ParseTabPosition(rejected)) << rejected;
    EXPECT_FALSE(ParseTabPosition(twentyOne));
}

TEST_F(SettingsTest, RejectedTabPositionBeepsOnceAndLeavesNoStops)
{
    for (const char* rejected : {"12,8", "1,5"}) {
        m_sink.beeps.clear();
        const CSettings s = loadWith({{"TabPosition", rejected}, {"BeepSoundType", "16"}});
        EXPECT_TRUE(s.tabStops.empty()) << rejected;
        EXPECT_EQ(m_sink.beeps, std::vector<int>{16}) << rejected;
    }
    g_settings.BeepSoundType = 32;
    m_sink.beeps.clear();
    BeepRefusal();
    EXPECT_EQ(m_sink.beeps, std::vector<int>{32});
}

TEST_F(SettingsTest, TabPositionTextStopsBeforePassing95Characters)
{
    // Twenty four-digit columns take five characters each: nineteen fill 95 exactly.
    std::vector<int> stops;
    std::string nineteen;
    for (int i = 0; i < 20; ++i) {
        stops.push_back(1000 + i);
        if (i < 19)
            nineteen += (i ? "," : "") + std::to_string(1001 + i);
    }
    EXPECT_EQ(FormatTabPosition(stops), nineteen);
    EXPECT_EQ(nineteen.size(), 94u);
    EXPECT_EQ(FormatTabPosition({}), "");
    EXPECT_EQ(FormatTabPosition({0, 249}), "1,250");
}

TEST_F(SettingsTest, FavouriteDirectoriesAreCompactedInOrder)
{
    const CSettings s = loadWith({{"FrequentlyUsedDirectory2", "D:\\A"},
                                  {"FrequentlyUsedDirectory4", "E:\\B"}});
    EXPECT_EQ(std::vector<std::string>(s.FrequentlyUsedDirectory, s.FrequentlyUsedDirectory + 4),
              (std::vector<std::string>{"D:\\A", "E:\\B", "", ""}));

    for (int pattern = 0; pattern < 16; ++pattern) {
        std::string dirs[4];
        for (int i = 0; i < 4; ++i)
            dirs[i] = (pattern >> i & 1) ? std::string(1, static_cast<char>('a' + i)) : "";
        std::vector<std::string> model(dirs, dirs + 4);
        std::stable_partition(model.begin(), model.end(),
                              [](const std::string& d) { return !d.empty(); });
        CompactFavouriteDirectories(dirs);
        EXPECT_EQ(std::vector<std::string>(dirs, dirs + 4), model) << "pattern " << pattern;
    }
}

TEST_F(SettingsTest, CabinetPathFollowsTheNameAndTheProgramPath)
{
    const std::string named = m_dir / "mine.cab";
    std::ofstream(named) << "x";
    auto exists = [](const std::string& p) { return fs::is_regular_file(p); };
    CSettings s;
    EXPECT_EQ(CabinetPathFor(s, "/opt/v/vexel.exe", exists), "/opt/v/vexel.cab");
    s.CabinetName = named;
    EXPECT_EQ(CabinetPathFor(s, "/opt/v/vexel.exe", exists), named);
    s.InitialCabinet = 1;
    EXPECT_EQ(CabinetPathFor(s, "/opt/v/vexel.exe", exists), "/opt/v/vexel.cab");
    s.InitialCabinet = 0;
    s.CabinetName = m_dir / "gone.cab";
    EXPECT_EQ(CabinetPathFor(s, "/opt/v/vexel.exe", exists), "/opt/v/vexel.cab");

    s.CabinetName.clear();
    EXPECT_EQ(CabinetPathFor(s, "vexel.exe", exists), "vexel.cab");
    // The search starts at the fifth character from the end.
    EXPECT_EQ(CabinetPathFor(s, "abc/defg", exists), "abc/vexel.cab");
    EXPECT_EQ(CabinetPathFor(s, "abcd/efg", exists), "vexel.cab");
    EXPECT_EQ(CabinetPathFor(s, "", exists), "");
    const std::string longest = "/" + std::string(240, 'd') + "/vexel.exe";
    ASSERT_EQ(longest.size(), 251u);
    EXPECT_EQ(CabinetPathFor(s, longest, exists), "");
    EXPECT_EQ(CabinetPathFor(s, longest.substr(1), exists),
              std::string(240, 'd') + "/vexel.cab");

    CProfileFile profile = profileWith({{"CabinetName", named}});
    CSettings loaded;
    LoadSettings(profile, loaded);
    EXPECT_EQ(loaded.cabinetPath, named);
    loaded.cabinetPath = m_dir / "other.cab";
    ASSERT_TRUE(SaveSettings(profile, loaded));
    EXPECT_EQ(profile.getString(kSettingsSection, "CabinetName", ""), loaded.cabinetPath);
}

TEST_F(SettingsTest, WindowPosNeedsExactlyTenNumbers)
{
    const std::string good = "2,3,-1,-1,-8,-31,22,33,1044,788";
    const auto p = ParseWindowPos(good);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->maxY, -31);
    EXPECT_EQ(FormatWindowPos(*p), good);

    for (const char* bad : {"2,3,-1,-1,-8,-31,22,33,1044", "2,3,-1,-1,-8,-31,22,33,1044,788,5",
                            "garbage", "", "2,3,-1,-1,-8,-31,22,33,1044,x",
                            "2,3,-1,-1,-8,-31,22,33,1044,788x", "2,3,-1,-1,-8,-31,22,33,,788",
                            "2,3,-1,-1,-8,-31,22,33,1044,99999999999"})
        EXPECT_FALSE(ParseWindowPos(bad)) << bad;

    WindowPlacement extreme;
    extreme.flags = 0xFFFFFFFFu;
    extreme.minX = INT32_MIN;
    extreme.bottom = INT32_MAX;
    CProfileFile profile = profileWith({});
    EXPECT_FALSE(LoadWindowPos(profile));
    ASSERT_TRUE(SaveWindowPos(profile, extreme));
    EXPECT_EQ(LoadWindowPos(profile), extreme);
    EXPECT_FALSE(LoadWindowPos(profileWith({{"WindowPos", "1,2,3"}})));
}

TEST_F(SettingsTest, MultiInstanceIsWrittenAtOnceAndSwitchesTheInstance)
{
    std::vector<int> switched;
    SetMultiInstanceHook([&](int value) { switched.push_back(value); });
    CProfileFile profile = profileWith({{"BytesPerLine", "32"}});
    CSettings s;
    ASSERT_TRUE(SaveMultiInstance(profile, 0, s));
    EXPECT_EQ(s.MultiInstance, 0);
    EXPECT_EQ(profile.getInt(kSettingsSection, "MultiInstance", 1), 0);
    EXPECT_EQ(profile.getInt(kSettingsSection, "BytesPerLine", 0), 32);
    EXPECT_EQ(switched, std::vector<int>{0});
    SetMultiInstanceHook({});
    ASSERT_TRUE(SaveMultiInstance(profile, 1, s));
    EXPECT_EQ(profile.getInt(kSettingsSection, "MultiInstance", 0), 1);
    EXPECT_EQ(switched.size(), 1u);
}
