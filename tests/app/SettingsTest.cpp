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
    void TearDown() override
    {
        g_settings = m_oldSettings;
        std::tie(g_nMaxImageSize, g_nMaxRows) = m_oldLimits;
        g_bOverwrite = m_bOldOverwrite;
    }

    // A profile holding exactly the given keys of section "Settings".
    CProfileFile profileWith(const std::vector<std::pair<std::string, std::string>>& values)
    {
        fs::remove(m_dir / "vexel.ini");
        CProfileFile profile(m_dir / "vexel.ini");
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

// ASCII and CP932 double-byte characters, one with a backslash as its second
// byte; no blanks at the ends and no quotes, which the INI format does not keep.
std::string RandomText(std::mt19937& rng, size_t minLength)
{
    static const std::string pieces[] = {"a", "Z", "9", "-", "\\", ":", "=", ";", "[", "]", ",", "%",
                                         "\x82\xA0", "\x88\x9F", "\x83\x5C", "\x81\x40"};
    std::string text;
    for (size_t n = minLength + rng() % 40; n > 0; --n)
        text += pieces[rng() % std::size(pieces)];
    return text;
}

int RandomInt(std::mt19937& rng, const SettingKey& key)
{
    if (key.ranged)
        return std::uniform_int_distribution<int>(key.minValue, key.maxValue)(rng);
    const int extremes[] = {INT_MIN, INT_MAX, 0};
    return rng() % 2 ? extremes[rng() % 3] : static_cast<int>(rng());
}

// One to twenty rising columns, 1 to 249.
std::vector<int> RandomTabStops(std::mt19937& rng)
{
    std::vector<int> columns;
    for (int c = 1 + static_cast<int>(rng() % 12); c < 250 && columns.size() < 20;
         c += 1 + static_cast<int>(rng() % 24))
        columns.push_back(c);
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
            key.stringIn(s) = RandomText(rng, 0);
    }
    const int used = static_cast<int>(rng() % 5);
    for (int i = 0; i < 4; ++i)
        s.FrequentlyUsedDirectory[i] = i < used ? RandomText(rng, 1) : "";
    if (s.ButtonStyleTabBar == 0)
        s.TabBarHeightAdjust = 0;
    s.tabStops = RandomTabStops(rng);
    s.cabinetPath = dir + "/" + RandomText(rng, 1);
    return s;
}

} // namespace

// Unsaved keys are neither written nor overwritten.
TEST_F(SettingsTest, EverySavedKeyRoundTripsWithRandomValues)
{
    std::mt19937 rng(20240611);
    for (int round = 0; round < 25; ++round) {
        const CSettings written = RandomSettings(rng, m_dir.path());
        CProfileFile profile = profileWith({{"FlatToolbar", "0"}});
        ASSERT_TRUE(SaveSettings(profile, written));
        CSettings loaded;
        LoadSettings(profile, loaded);
        for (const SettingKey& key : SettingKeys()) {
            const std::string stored = profile.getString(kSettingsSection, key.name, "<none>");
            if (key.saved)
                EXPECT_EQ(key.fieldText(loaded), key.savedText(written)) << key.name;
            else
                EXPECT_EQ(stored, key.name == std::string_view("FlatToolbar") ? "0" : "<none>") << key.name;
        }
        EXPECT_EQ(loaded.tabStops, written.tabStops);
        EXPECT_EQ(loaded.Binary1InEffect, written.Binary1);
        EXPECT_EQ(loaded.Binary2InEffect, written.Binary2);
        EXPECT_EQ(loaded.CabinetName, written.cabinetPath);
    }
    EXPECT_TRUE(m_sink.beeps.empty());
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
                                             {key.maxValue + 1, key.intDefault}};
        for (const auto& [stored, expected] : cases) {
            const CSettings s = loadWith({{key.name, std::to_string(stored)}, {"ButtonStyleTabBar", "1"}});
            EXPECT_EQ(key.intIn(s), expected) << key.name << "=" << stored;
        }
    }
    EXPECT_EQ(loadWith({{"BytesPerLine", "4"}}).BytesPerLine, 16);
    EXPECT_EQ(loadWith({{"MaxEditRange", "11"}}).MaxEditRange, 0);
    // Plain tabs take no height adjustment, whatever is stored.
    EXPECT_EQ(loadWith({{"ButtonStyleTabBar", "0"}, {"TabBarHeightAdjust", "5"}}).TabBarHeightAdjust, 0);
}

TEST_F(SettingsTest, TabPositionIsParsedFormattedAndRejectedWithOneBeep)
{
    EXPECT_EQ(loadWith({{"TabPosition", "8,12,20,"}}).tabStops, (std::vector<int>{7, 11, 19}));
    EXPECT_EQ(ParseTabPosition("2,250"), (std::vector<int>{1, 249}));
    EXPECT_EQ(ParseTabPosition(" 8 , 12"), (std::vector<int>{7, 11}));
    std::string twenty;
    for (int i = 1; i <= 20; ++i)
        twenty += std::to_string(i * 10) + ",";
    EXPECT_EQ(ParseTabPosition(twenty)->size(), 20u);
    EXPECT_FALSE(ParseTabPosition(twenty + "210"));
    for (const char* rejected : {"12,8", "1,5", "8,8", "2,251", "8,,12", "8,x", "8,12a", ",", "0", "-8",
                                 "99999999999"})
        EXPECT_FALSE(ParseTabPosition(rejected)) << rejected;
    EXPECT_TRUE(m_sink.beeps.empty());
    EXPECT_TRUE(loadWith({{"TabPosition", "12,8"}, {"BeepSoundType", "16"}}).tabStops.empty());
    EXPECT_EQ(m_sink.beeps, std::vector<int>{16});
    g_settings.BeepSoundType = 32;
    BeepRefusal();
    EXPECT_EQ(m_sink.beeps, (std::vector<int>{16, 32}));

    // The text stops before it passes 95 characters: nineteen four-digit columns fill 94.
    std::vector<int> stops(20);
    std::iota(stops.begin(), stops.end(), 1000);
    std::string nineteen = "1001";
    for (int column = 1002; column <= 1019; ++column)
        nineteen += "," + std::to_string(column);
    EXPECT_EQ(FormatTabPosition(stops), nineteen);
    EXPECT_EQ(FormatTabPosition({0, 249}), "1,250");
}

TEST_F(SettingsTest, FavouriteDirectoriesAreCompactedInOrder)
{
    for (int pattern = 0; pattern < 16; ++pattern) {
        std::vector<std::pair<std::string, std::string>> stored;
        std::vector<std::string> model;
        for (int i = 0; i < 4; ++i) {
            const std::string dir = (pattern >> i & 1) ? "D:\\" + std::string(1, char('A' + i)) : "";
            stored.emplace_back("FrequentlyUsedDirectory" + std::to_string(i + 1), dir);
            if (!dir.empty())
                model.push_back(dir);
        }
        model.resize(4);
        const CSettings s = loadWith(stored);
        EXPECT_EQ(std::vector<std::string>(s.FrequentlyUsedDirectory, s.FrequentlyUsedDirectory + 4), model)
            << "pattern " << pattern;
    }
}

TEST_F(SettingsTest, CabinetPathFollowsTheNameAndTheProgramPath)
{
    const std::string named = m_dir / "mine.cab";
    std::ofstream(named) << "x";
    const auto exists = [](const std::string& p) { return fs::is_regular_file(p); };
    const auto cabinet = [&](const std::string& name, int initial, const std::string& program) {
        CSettings s;
        s.CabinetName = name;
        s.InitialCabinet = initial;
        return CabinetPathFor(s, program, exists);
    };
    EXPECT_EQ(cabinet("", 0, "/opt/v/vexel.exe"), "/opt/v/vexel.cab");
    EXPECT_EQ(cabinet(named, 0, "/opt/v/vexel.exe"), named);
    EXPECT_EQ(cabinet(named, 1, "/opt/v/vexel.exe"), "/opt/v/vexel.cab");
    EXPECT_EQ(cabinet(m_dir / "gone.cab", 0, "/opt/v/vexel.exe"), "/opt/v/vexel.cab");
    EXPECT_EQ(cabinet("", 0, "vexel.exe"), "vexel.cab");
    // The search for the folder starts at the fifth character from the end.
    EXPECT_EQ(cabinet("", 0, "abc/defg"), "abc/vexel.cab");
    EXPECT_EQ(cabinet("", 0, "abcd/efg"), "vexel.cab");
    EXPECT_EQ(cabinet("", 0, ""), "");
    const std::string longest = std::string(240, 'd') + "/vexel.exe"; // 250 characters
    EXPECT_EQ(cabinet("", 0, longest), std::string(240, 'd') + "/vexel.cab");
    EXPECT_EQ(cabinet("", 0, "/" + longest), "");
    EXPECT_EQ(loadWith({{"CabinetName", named}}).cabinetPath, named);
}

TEST_F(SettingsTest, WindowPosNeedsExactlyTenNumbers)
{
    const std::string good = "2,3,-1,-1,-8,-31,22,33,1044,788";
    const auto p = ParseWindowPos(good);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->maxY, -31);
    EXPECT_EQ(FormatWindowPos(*p), good);
    for (const char* bad : {"2,3,-1,-1,-8,-31,22,33,1044", "2,3,-1,-1,-8,-31,22,33,1044,788,5", "",
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
    SetMultiInstanceHook({});
    ASSERT_TRUE(SaveMultiInstance(profile, 1, s));
    EXPECT_EQ(profile.getInt(kSettingsSection, "MultiInstance", 0), 1);
    EXPECT_EQ(switched, std::vector<int>{0});
}
