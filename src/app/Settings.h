// The program-wide options of section "Settings" of the INI file, read once at
// start-up, changed in memory by dialogs and commands, written back at exit.
// Each field is named by its INI key so every part of the program cites a
// setting by the key the user sees in the file. Defaults, accepted ranges and
// the saved flag of every key live in one table (SettingKeys()), so loading,
// saving and the defaults set by the constructor cannot drift apart.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

class CProfileFile;

struct CSettings
{
    int InitialCabinet;
    int InitialCabinetMode;
    std::string CabinetName;
    int CabinetSave;
    int ColorAreaComment;
    int DisplayRulerBar;
    int DisplayLineBar;
    int RulerCursorColor;
    int RulerBackColor;
    int LineCursorColor;
    int LineBackColor;
    std::string FrequentlyUsedDirectory[4];
    int AutoScrollInt;
    int AutoScrollCount;
    int AutoScrollBreak;
    int BeepSoundType;
    int RulerFontFlag;
    int SpotConversionIME;
    int EnableRedirectForWin4;
    int EnableTabPosition;
    std::string TabPosition;      // as read; saving writes tabStops
    std::string ColumnOutString;  // CP932 bytes
    std::string InsertionString;  // CP932 bytes
    int InsertionPosition;
    int ValiableInsertion;
    int DeleteSelectionAtInput;
    int InvokeWithoutUntitled;
    int ScrollLineCount;
    int RecordExtractOperation;
    int LeftMarginLM;
    int TopMarginLM;
    int DisplayToolBar;
    int DisplayStatusBar;
    int Binary1;
    int Binary2;
    int Binary1Color;
    int Binary2Color;
    int MarkedPosColor;
    int AddressLineTextColor;
    int AddressLineBackColor;
    int BytesPerLine;
    int HexAddress;
    int DecimalBlockBytes;
    int HexBlockBytes;
    std::string ReplacingChar;    // CP932 bytes
    int DrawUnderLine;
    int CursorUnderLineColor;
    int LineSpacesLM;
    int LongTitle;
    int StrCodeType;
    int DisplayTabBar;
    int ButtonStyleTabBar;
    int TabBarPosition;
    int TabBarHeightAdjust;
    int EnableTabBarImage;
    int TabBarImageNo;
    int AddDocNumber;
    int MultiInstance;
    int MaxEditRange;
    int StartWithOverWrite;
    int Ignore8bitCode;
    std::string DummyCharFor8bit; // CP932 bytes
    int DrawUnderCaret;
    int UnderCaretColor;
    int OneRasterLow;
    int OnlyOppositePart;
    int EnRexp;
    int FlatToolbar;
    int ParallelView;
    int DisplayInspector;

    // Derived values.
    int Binary1InEffect = 256;
    int Binary2InEffect = 256;
    std::vector<int> tabStops;   // zero-based columns, 0 to 20 entries
    std::string cabinetPath;     // the cabinet in use

    // Every key at its default, the tab stops and highlighted bytes in effect
    // as an empty file gives them; the cabinet path stays empty until loaded.
    CSettings();

    // Block bytes in effect: HexBlockBytes with hexadecimal addresses, else DecimalBlockBytes.
    int blockBytes() const { return HexAddress ? HexBlockBytes : DecimalBlockBytes; }
};

// One key of section "Settings", in load order.
struct SettingKey
{
    enum class Type { Int, String };
    // How the saved text is made: from the field, or from a derived value.
    enum class Source { Field, CabinetPath, TabStops };

    const char* name;
    Type type;
    int intDefault;
    const char* stringDefault;
    bool ranged;             // false: any value is accepted
    int minValue, maxValue;  // accepted range when ranged
    bool saved;
    Source source;
    int CSettings::* intField;          // Type::Int
    std::string CSettings::* stringField; // Type::String, unless directoryIndex >= 0
    int directoryIndex;                 // FrequentlyUsedDirectory[directoryIndex]

    int& intIn(CSettings& s) const { return s.*intField; }
    int intIn(const CSettings& s) const { return s.*intField; }
    std::string& stringIn(CSettings& s) const;
    const std::string& stringIn(const CSettings& s) const;
    // The text the field holds (integers as signed decimal).
    std::string fieldText(const CSettings& s) const;
    // The text SaveSettings writes for this key.
    std::string savedText(const CSettings& s) const;
};

// All keys of section "Settings" in the order the loader reads them.
std::span<const SettingKey> SettingKeys();

inline constexpr const char* kSettingsSection = "Settings";

extern CSettings g_settings;

// Document limits derived from MaxEditRange.
extern uint32_t g_nMaxImageSize;
// The most bytes one document holds: the image size less the block's slack.
inline uint32_t MaxDocumentBytes()
{
    return g_nMaxImageSize >= 3 ? g_nMaxImageSize - 3 : 0;
}
extern uint32_t g_nMaxRows;
// Edit mode at start from StartWithOverWrite; toggled by the Insert key.
extern bool g_bOverwrite;

// Reads every key with its default and range into `s`, then derives the
// cabinet path (from paths::ProgramFilePath()), the favourite-directory order,
// the tab stops (one refusal beep when TabPosition is rejected), and the
// process-wide limits and edit mode.
void LoadSettings(const CProfileFile& profile, CSettings& s = g_settings);
// Writes every saved key in one rewrite of the file. False when it could not be written.
[[nodiscard]] bool SaveSettings(CProfileFile& profile, const CSettings& s = g_settings);
// Sets MultiInstance, writes it at once and tells the single-instance hook.
[[nodiscard]] bool SaveMultiInstance(CProfileFile& profile, int value, CSettings& s = g_settings);
// The application object installs the switch of its single-instance server
// here; SaveMultiInstance calls it with the new value. Empty: nothing to switch.
void SetMultiInstanceHook(std::function<void(int multiInstance)> hook);

// Sets g_nMaxImageSize and g_nMaxRows from MaxEditRange.
void ApplyLimits(const CSettings& s = g_settings);

// The refusal beep: MessageBeep with BeepSoundType.
void BeepRefusal();

// TabPosition: answers the zero-based stops, or nothing when the text is rejected.
std::optional<std::vector<int>> ParseTabPosition(const std::string& text);
std::string FormatTabPosition(const std::vector<int>& stops);

// Four favourite directories: non-empty entries first, in their order.
void CompactFavouriteDirectories(std::string (&dirs)[4]);

// The cabinet path rule, from the program file path.
std::string CabinetPathFor(const CSettings& s, const std::string& programPath,
                           bool (*fileExists)(const std::string&));

// "WindowPos": the fields of a window placement record.
struct WindowPlacement
{
    uint32_t length = 44;
    uint32_t flags = 0;
    uint32_t showCmd = 0;
    int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    bool operator==(const WindowPlacement&) const = default;
};
// Exactly ten comma-separated numbers (the first two unsigned), else nothing.
std::optional<WindowPlacement> ParseWindowPos(const std::string& text);
std::string FormatWindowPos(const WindowPlacement& placement);
std::optional<WindowPlacement> LoadWindowPos(const CProfileFile& profile);
[[nodiscard]] bool SaveWindowPos(CProfileFile& profile, const WindowPlacement& placement);
