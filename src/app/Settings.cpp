#include "app/Settings.h"

#include "platform/Messages.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramPaths.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

namespace {

using Type = SettingKey::Type;
using Source = SettingKey::Source;

constexpr bool kSaved = true;
constexpr bool kNotSaved = false;

constexpr SettingKey Int(const char* name, int CSettings::* field, int def, bool saved = kSaved)
{
    return {name, Type::Int, def, nullptr, false, 0, 0, saved, Source::Field, field, nullptr, -1};
}

constexpr SettingKey Ranged(const char* name, int CSettings::* field, int def, int lo, int hi)
{
    return {name, Type::Int, def, nullptr, true, lo, hi, kSaved, Source::Field, field, nullptr, -1};
}

constexpr SettingKey Str(const char* name, std::string CSettings::* field, const char* def,
                         Source source = Source::Field)
{
    return {name, Type::String, 0, def, false, 0, 0, kSaved, source, nullptr, field, -1};
}

constexpr SettingKey Dir(const char* name, int index)
{
    return {name, Type::String, 0, "", false, 0, 0, kSaved, Source::Field, nullptr, nullptr, index};
}

// The CP932 bytes of the closing punctuation that may stand beyond the fold
// column: full-width 、。，．）］｝」』, ASCII ),.]} and half-width ｡｣､･ﾞﾟ.
constexpr const char* kColumnOutDefault =
    "\x81\x41\x81\x42\x81\x43\x81\x44\x81\x6a\x81\x6e\x81\x70\x81\x76\x81\x78"
    "),.]}"
    "\xa1\xa3\xa4\xa5\xde\xdf";

using S = CSettings;

// Load order; the loader reads and checks the keys one after another.
constexpr std::array kKeys{
    Int("InitialCabinet", &S::InitialCabinet, 0),
    Int("InitialCabinetMode", &S::InitialCabinetMode, 0),
    Str("CabinetName", &S::CabinetName, "", Source::CabinetPath),
    Int("CabinetSave", &S::CabinetSave, 1),
    Int("ColorAreaComment", &S::ColorAreaComment, 0),
    Int("DisplayRulerBar", &S::DisplayRulerBar, 0),
    Int("DisplayLineBar", &S::DisplayLineBar, 0),
    Ranged("RulerCursorColor", &S::RulerCursorColor, 4, 1, 16),
    Ranged("RulerBackColor", &S::RulerBackColor, 16, 1, 16),
    Ranged("LineCursorColor", &S::LineCursorColor, 4, 1, 16),
    Ranged("LineBackColor", &S::LineBackColor, 16, 1, 16),
    Dir("FrequentlyUsedDirectory1", 0),
    Dir("FrequentlyUsedDirectory2", 1),
    Dir("FrequentlyUsedDirectory3", 2),
    Dir("FrequentlyUsedDirectory4", 3),
    Ranged("AutoScrollInt", &S::AutoScrollInt, 30, 1, 600),
    Ranged("AutoScrollCount", &S::AutoScrollCount, 5, 1, 60),
    Int("AutoScrollBreak", &S::AutoScrollBreak, 0),
    Int("BeepSoundType", &S::BeepSoundType, 48, kNotSaved),
    Int("RulerFontFlag", &S::RulerFontFlag, 0, kNotSaved),
    Int("SpotConversionIME", &S::SpotConversionIME, 1, kNotSaved),
    Int("EnableRedirectForWin4", &S::EnableRedirectForWin4, 0, kNotSaved),
    Int("EnableTabPosition", &S::EnableTabPosition, 0),
    Str("TabPosition", &S::TabPosition, "", Source::TabStops),
    Str("ColumnOutString", &S::ColumnOutString, kColumnOutDefault),
    Str("InsertionString", &S::InsertionString, ""),
    Ranged("InsertionPosition", &S::InsertionPosition, 0, 0, 2),
    Int("ValiableInsertion", &S::ValiableInsertion, 1, kNotSaved),
    Int("DeleteSelectionAtInput", &S::DeleteSelectionAtInput, 1),
    Int("InvokeWithoutUntitled", &S::InvokeWithoutUntitled, 1),
    Ranged("ScrollLineCount", &S::ScrollLineCount, 1, 1, 10),
    Int("RecordExtractOperation", &S::RecordExtractOperation, 0),
    Ranged("LeftMarginLM", &S::LeftMarginLM, 15, 0, 500),
    Ranged("TopMarginLM", &S::TopMarginLM, 15, 0, 500),
    Int("DisplayToolBar", &S::DisplayToolBar, 1),
    Int("DisplayStatusBar", &S::DisplayStatusBar, 1),
    Int("Binary1", &S::Binary1, 256),
    Int("Binary2", &S::Binary2, 256),
    Int("Binary1Color", &S::Binary1Color, 0x0000FF),
    Int("Binary2Color", &S::Binary2Color, 0xFF0000),
    Int("MarkedPosColor", &S::MarkedPosColor, 0xFF00FF),
    Int("AddressLineTextColor", &S::AddressLineTextColor, 0),
    Int("AddressLineBackColor", &S::AddressLineBackColor, 0x40FF00),
    Ranged("BytesPerLine", &S::BytesPerLine, 16, 5, 64),
    Int("HexAddress", &S::HexAddress, 1),
    Ranged("DecimalBlockBytes", &S::DecimalBlockBytes, 5, 5, 64),
    Ranged("HexBlockBytes", &S::HexBlockBytes, 8, 5, 64),
    Str("ReplacingChar", &S::ReplacingChar, "-"),
    Int("DrawUnderLine", &S::DrawUnderLine, 0),
    Int("CursorUnderLineColor", &S::CursorUnderLineColor, 0x400080),
    Ranged("LineSpacesLM", &S::LineSpacesLM, 0, 0, 100),
    Int("LongTitle", &S::LongTitle, 1),
    Int("StrCodeType", &S::StrCodeType, 1),
    Int("DisplayTabBar", &S::DisplayTabBar, 1),
    Int("ButtonStyleTabBar", &S::ButtonStyleTabBar, 0),
    Int("TabBarPosition", &S::TabBarPosition, 1),
    Ranged("TabBarHeightAdjust", &S::TabBarHeightAdjust, 2, 1, 10),
    Int("EnableTabBarImage", &S::EnableTabBarImage, 1),
    Ranged("TabBarImageNo", &S::TabBarImageNo, 0, 0, 2),
    Int("AddDocNumber", &S::AddDocNumber, 0),
    Int("MultiInstance", &S::MultiInstance, 1),
    Ranged("MaxEditRange", &S::MaxEditRange, 0, 0, 10),
    Int("StartWithOverWrite", &S::StartWithOverWrite, 0),
    Int("Ignore8bitCode", &S::Ignore8bitCode, 0),
    Str("DummyCharFor8bit", &S::DummyCharFor8bit, "."),
    Int("DrawUnderCaret", &S::DrawUnderCaret, 0),
    Int("UnderCaretColor", &S::UnderCaretColor, 0xFF0000),
    Int("OneRasterLow", &S::OneRasterLow, 0),
    Int("OnlyOppositePart", &S::OnlyOppositePart, 0),
    Int("EnRexp", &S::EnRexp, 0),
    Int("FlatToolbar", &S::FlatToolbar, 1, kNotSaved),
    Int("ParallelView", &S::ParallelView, 0, kNotSaved),
    Int("DisplayInspector", &S::DisplayInspector, 0),
};

constexpr std::array kDefaultTabStops{7, 11, 19, 27, 35, 43, 51, 59, 67, 71};
constexpr size_t kMaxTabStops = 20;
constexpr size_t kMaxTabPositionText = 95;
constexpr size_t kMaxProgramPath = 251;
constexpr const char* kDefaultCabinet = "vexel.cab";

std::function<void(int)> g_multiInstanceHook;

// A decimal number with optional blanks around it and nothing else.
template <typename T>
std::optional<T> ParseNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The pieces between commas; "a,b," gives "a", "b", "".
std::vector<std::string_view> SplitAtCommas(std::string_view text)
{
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (size_t comma; (comma = text.find(',', start)) != std::string_view::npos; start = comma + 1)
        pieces.push_back(text.substr(start, comma - start));
    pieces.push_back(text.substr(start));
    return pieces;
}

bool IsPathSeparator(char c)
{
#ifdef _WIN32
    if (c == '\\')
        return true;
#endif
    return c == '/';
}

bool RegularFileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

void ReadKey(const CProfileFile& profile, const SettingKey& key, CSettings& s)
{
    if (key.type == Type::String) {
        key.stringIn(s) = profile.getString(kSettingsSection, key.name, key.stringDefault);
        return;
    }
    const int value = profile.getInt(kSettingsSection, key.name, key.intDefault);
    const bool accepted = !key.ranged || (value >= key.minValue && value <= key.maxValue);
    key.intIn(s) = accepted ? value : key.intDefault;
}

[[nodiscard]] bool WriteKey(CProfileFile& profile, const SettingKey& key, const CSettings& s)
{
    if (key.type == Type::Int && key.source == Source::Field)
        return profile.writeInt(kSettingsSection, key.name, key.intIn(s));
    return profile.writeString(kSettingsSection, key.name, key.savedText(s));
}

void DeriveTabStops(CSettings& s)
{
    if (auto stops = ParseTabPosition(s.TabPosition)) {
        s.tabStops = std::move(*stops);
        return;
    }
    s.tabStops.clear();
    MessageBeep(s.BeepSoundType);
}

} // namespace

CSettings g_settings;
uint32_t g_nMaxImageSize = 52'428'800;
uint32_t g_nMaxRows = 500'000;
bool g_bOverwrite = false;

std::span<const SettingKey> SettingKeys()
{
    return kKeys;
}

std::string& SettingKey::stringIn(CSettings& s) const
{
    return directoryIndex >= 0 ? s.FrequentlyUsedDirectory[directoryIndex] : s.*stringField;
}

const std::string& SettingKey::stringIn(const CSettings& s) const
{
    return directoryIndex >= 0 ? s.FrequentlyUsedDirectory[directoryIndex] : s.*stringField;
}

std::string SettingKey::fieldText(const CSettings& s) const
{
    return type == Type::Int ? std::to_string(intIn(s)) : stringIn(s);
}

std::string SettingKey::savedText(const CSettings& s) const
{
    switch (source) {
    case Source::CabinetPath: return s.cabinetPath;
    case Source::TabStops: return FormatTabPosition(s.tabStops);
    case Source::Field: break;
    }
    return fieldText(s);
}

CSettings::CSettings()
{
    for (const SettingKey& key : kKeys) {
        if (key.type == Type::Int)
            key.intIn(*this) = key.intDefault;
        else
            key.stringIn(*this) = key.stringDefault;
    }
    Binary1InEffect = Binary1;
    Binary2InEffect = Binary2;
    tabStops.assign(kDefaultTabStops.begin(), kDefaultTabStops.end());
}

void LoadSettings(const CProfileFile& profile, CSettings& s)
{
    for (const SettingKey& key : kKeys)
        ReadKey(profile, key, s);
    // Plain tabs have no extra height to add.
    if (s.ButtonStyleTabBar == 0)
        s.TabBarHeightAdjust = 0;
    s.Binary1InEffect = s.Binary1;
    s.Binary2InEffect = s.Binary2;
    s.cabinetPath = CabinetPathFor(s, paths::ProgramFilePath(), RegularFileExists);
    CompactFavouriteDirectories(s.FrequentlyUsedDirectory);
    DeriveTabStops(s);
    ApplyLimits(s);
    g_bOverwrite = s.StartWithOverWrite != 0;
}

bool SaveSettings(CProfileFile& profile, const CSettings& s)
{
    profile.beginBatch();
    bool ok = true;
    for (const SettingKey& key : kKeys) {
        if (key.saved)
            ok = WriteKey(profile, key, s) && ok;
    }
    return profile.commitBatch() && ok;
}

bool SaveMultiInstance(CProfileFile& profile, int value, CSettings& s)
{
    s.MultiInstance = value;
    const bool ok = profile.writeInt(kSettingsSection, "MultiInstance", value);
    // The option takes effect for this run even when the file cannot be written.
    if (g_multiInstanceHook)
        g_multiInstanceHook(value);
    return ok;
}

void SetMultiInstanceHook(std::function<void(int)> hook)
{
    g_multiInstanceHook = std::move(hook);
}

void ApplyLimits(const CSettings& s)
{
    const bool scaled = s.MaxEditRange >= 1 && s.MaxEditRange <= 10;
    const auto range = static_cast<uint32_t>(s.MaxEditRange);
    g_nMaxImageSize = scaled ? range * 10'485'760u : 52'428'800u;
    g_nMaxRows = scaled ? range * 100'000u : 500'000u;
}

void BeepRefusal()
{
    MessageBeep(g_settings.BeepSoundType);
}

std::optional<std::vector<int>> ParseTabPosition(const std::string& text)
{
    if (text.empty())
        return std::vector<int>(kDefaultTabStops.begin(), kDefaultTabStops.end());
    std::vector<std::string_view> pieces = SplitAtCommas(text);
    if (text.back() == ',')
        pieces.pop_back();
    if (pieces.size() > kMaxTabStops)
        return std::nullopt;
    std::vector<int> stops;
    for (std::string_view piece : pieces) {
        const std::optional<int> column = ParseNumber<int>(piece);
        if (!column || *column < 2 || *column > 250)
            return std::nullopt;
        const int stop = *column - 1;
        if (!stops.empty() && stop <= stops.back())
            return std::nullopt;
        stops.push_back(stop);
    }
    return stops;
}

std::string FormatTabPosition(const std::vector<int>& stops)
{
    std::string text;
    for (int stop : stops) {
        const std::string piece = std::to_string(static_cast<long long>(stop) + 1) + ",";
        if (text.size() + piece.size() > kMaxTabPositionText)
            break;
        text += piece;
    }
    if (!text.empty())
        text.pop_back();
    return text;
}

void CompactFavouriteDirectories(std::string (&dirs)[4])
{
    // Shift the tail up over each empty slot, from the front.
    for (int n = 0; n < 3 && dirs[0].empty(); ++n) {
        std::move(dirs + 1, dirs + 4, dirs);
        dirs[3].clear();
    }
    for (int n = 0; n < 2 && dirs[1].empty(); ++n) {
        std::move(dirs + 2, dirs + 4, dirs + 1);
        dirs[3].clear();
    }
    if (dirs[2].empty()) {
        dirs[2] = std::move(dirs[3]);
        dirs[3].clear();
    }
}

std::string CabinetPathFor(const CSettings& s, const std::string& programPath,
                           bool (*fileExists)(const std::string&))
{
    if (!s.CabinetName.empty() && s.InitialCabinet == 0 && fileExists(s.CabinetName))
        return s.CabinetName;
    if (programPath.empty() || programPath.size() >= kMaxProgramPath)
        return {};
    // The search starts before the extension so a separator there is not taken.
    for (ptrdiff_t i = static_cast<ptrdiff_t>(programPath.size()) - 5; i >= 0; --i) {
        if (IsPathSeparator(programPath[static_cast<size_t>(i)]))
            return programPath.substr(0, static_cast<size_t>(i) + 1) + kDefaultCabinet;
    }
    return kDefaultCabinet;
}

std::optional<WindowPlacement> ParseWindowPos(const std::string& text)
{
    const std::vector<std::string_view> pieces = SplitAtCommas(text);
    if (pieces.size() != 10)
        return std::nullopt;
    WindowPlacement p;
    const auto flags = ParseNumber<uint32_t>(pieces[0]);
    const auto showCmd = ParseNumber<uint32_t>(pieces[1]);
    if (!flags || !showCmd)
        return std::nullopt;
    p.flags = *flags;
    p.showCmd = *showCmd;
    int32_t* const fields[] = {&p.minX, &p.minY, &p.maxX, &p.maxY,
                               &p.left, &p.top, &p.right, &p.bottom};
    for (size_t i = 0; i < 8; ++i) {
        const auto value = ParseNumber<int32_t>(pieces[i + 2]);
        if (!value)
            return std::nullopt;
        *fields[i] = *value;
    }
    return p;
}

std::string FormatWindowPos(const WindowPlacement& p)
{
    char text[128];
    std::snprintf(text, sizeof text, "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", p.flags, p.showCmd, p.minX,
                  p.minY, p.maxX, p.maxY, p.left, p.top, p.right, p.bottom);
    return text;
}

std::optional<WindowPlacement> LoadWindowPos(const CProfileFile& profile)
{
    return ParseWindowPos(profile.getString(kSettingsSection, "WindowPos", ""));
}

bool SaveWindowPos(CProfileFile& profile, const WindowPlacement& placement)
{
    return profile.writeString(kSettingsSection, "WindowPos", FormatWindowPos(placement));
}
