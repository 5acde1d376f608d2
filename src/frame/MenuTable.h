// The main frame's menus, toolbar and status panes as static data, and the
// enable and check rules of every command. The frame turns the data into
// QMenus, QActions, toolbar buttons and status labels and asks
// CommandRuleState() before a menu shows and whenever the state changes.
// Texts are UTF-8.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Command IDs; they are stored in the key and data files, so they never change.
namespace cmd {
enum : uint16_t {
    // File
    FileNew = 57600,
    FileOpen = 57601,
    FileClose = 57602,
    FileSave = 57603,
    FileSaveAs = 57604,
    FilePrintSetup = 57606,
    FilePrint = 57607,
    FilePrintPreview = 57609,
    FileRecent1 = 57616,   // to FileRecent4; the first stands in the menus for the list
    FileRecent4 = 57619,
    AppExit = 57665,
    PageLayout = 32791,
    Favourite1 = 32877,    // to Favourite4
    Favourite4 = 32880,
    // Edit
    EditUndo = 57643,
    EditRedo = 57644,
    EditCut = 57635,
    EditCopy = 57634,
    ScreenCopy = 32910,
    EditPaste = 57637,
    EditFind = 57636,
    EditReplace = 57641,
    Compare = 32911,
    FormatTemplate = 32912,
    SelectAll = 32803,
    ReadOnly = 32789,
    Checksum = 32940,
    // View
    Jump = 32788,
    MarkToggle = 32772,
    MarkNext = 32773,
    MarkPrevious = 32774,
    MarkClearAll = 32775,
    CodeSwitch = 32913,
    ViewInspector = 32936,
    // Options
    CommonSettings = 32881,
    DisplayFont = 32780,
    Customize = 32873,
    // Window
    WindowNew = 57648,
    WindowArrange = 57649,
    WindowCascade = 57650,
    WindowTile = 57651,
    // Help
    HelpContents = 57666,
    HelpUsing = 57668,
    HelpContext = 57669,
    AppAbout = 57664,
    // Find, from keys and the toolbar
    FindBox = 194,         // the place of the find box in the toolbar list
    FindBoxNext = 195,
    FindNext = 32850,
    FindPrevious = 32792,
    FindInput = 32790,
    // Text pane
    LineMarkToggle = 32768,
    LineMarkNext = 32769,
    LineMarkPrevious = 32770,
    LineMarkClearAll = 32771,
    ColumnRuler = 32806,
    LineRuler = 32807,
    AppendCopy = 32805,
    AppendCut = 32804,
    SpacesToTabs = 32802,
    TabsToSpaces = 32801,
    Centre = 32799,
    RightAlign = 32798,
    Capitalise = 32819,
    SwapCase = 32816,
    UpperCase = 32817,
    LowerCase = 32818,
    HalfToFullWidth = 32820,
    FullToHalfWidth = 32821,
    HiraganaToKatakana = 32822,
    KatakanaToHiragana = 32825,
    SplitLines = 32823,
    JoinLines = 32824,
    InsertDate = 32826,
    InsertTime = 32827,
    InsertString = 32828,
    Indent = 32875,
    Unindent = 32876,
    // Bars
    ViewToolBar = 59392,
    ViewStatusBar = 59393,
    // Status-bar indicators
    IndicatorOffsetHex = 59143,
    IndicatorOffset = 59144,
    IndicatorOverwrite = 59145,
    IndicatorReadOnly = 59146,
    IndicatorByte = 59147,
    IndicatorCode = 59477,
    IndicatorSpare = 59149,
    IndicatorSelection = 59150,
    IndicatorSize = 59151,
};
} // namespace cmd

// One item of a drop-down menu; id 0 is a separator (text null).
struct MenuItem
{
    uint16_t id;
    const char* text;

    bool isSeparator() const { return id == 0; }
};

// One drop-down menu of a menu bar.
struct MenuPopup
{
    const char* text;
    std::span<const MenuItem> items;
};

// The menu bar while no document is open, and the one while a document window is active.
std::span<const MenuPopup> MenuBarWithoutDocument();
std::span<const MenuPopup> MenuBarWithDocument();

// The menu text of a command in the menu bar with a document (null when it has
// no item there). The item of the recently-used files answers for FileRecent1.
const char* MenuTextOf(uint16_t id);

// The command's name for lists: the text up to the first tab, cut at a "("
// followed by "&" (which drops the mnemonic).
std::string_view CommandNameFromMenuText(std::string_view text);

// Status prompt of a command with no menu item (tool tip after "\n"), or null.
const char* CommandPromptOf(uint16_t id);

// The toolbar's default button list (0: separator, cmd::FindBox: the find box).
std::span<const uint16_t> DefaultToolbarButtons();

// The text pane's shortcut menu: command IDs, kContextSeparator for a line.
inline constexpr int32_t kContextSeparator = -1;
std::span<const int32_t> DefaultContextMenu();
// An item's text there: the command's name without mnemonic or key name,
// empty for a command no menu names.
std::string ContextMenuText(uint16_t id);
inline constexpr int kMaxToolbarButtons = 50;
inline constexpr int kToolbarSeparatorWidth = 8;
inline constexpr int kFindBoxWidth = 160;
// Position of the command's image in the toolbar bitmap, or -1 when it has none.
int ToolbarImageIndex(uint16_t id);
inline constexpr int kToolbarImageCount = 16;

// One status-bar pane: indicator id (0 for the stretch pane) and sizing text.
struct StatusPane
{
    uint16_t id;
    const char* sizingText;
};
std::span<const StatusPane> StatusPanes();
inline constexpr int kStretchPaneMinWidth = 20;

// Pane 6 text for StrCodeType 1 to 4 ("SJIS", "JIS", "EUC", "UNI"); empty for any other value.
const char* CodeTypeName(int strCodeType);
// The code switch cycles 1 -> 2 -> 3 -> 4 -> 1; a value outside that range restarts at 1.
int NextCodeType(int strCodeType);

// What an update rule looks at. Fields of the active document and its pane
// are ignored when hasDocument is false.
struct CommandContext
{
    bool hasDocument = false;      // an MDI child is active
    bool textMode = false;         // the active document's mode is 1
    bool readOnly = false;         // whether the active document is read-only
    bool hasSelection = false;     // the active pane has a selection
    bool streamSelection = false;  // text pane: the selection is a stream selection
    bool canUndo = false;          // the active pane's undo journal holds records
    bool canRedo = false;
    bool canPaste = false;         // the clipboard has text or the private block bytes
    bool compareAvailable = false; // the hex pane's compare rule
    bool overwrite = false;        // g_bOverwrite
    bool columnRulerShown = false; // DisplayRulerBar
    bool lineRulerShown = false;   // DisplayLineBar
    bool toolBarShown = false;
    bool statusBarShown = false;
    bool inspectorShown = false;   // the data inspector panel
    int recentFileCount = 0;       // entries of the recently-used file list
    int favouriteCount = 0;        // non-empty favourite directories
};

struct CommandState
{
    bool enabled = false;
    bool checked = false;

    bool operator==(const CommandState&) const = default;
};

// The update rule of a command: whether it is enabled and checked; unknown ids are disabled.
CommandState CommandRuleState(uint16_t id, const CommandContext& context);
// Commands that show a check mark while on (read-only, the bars, the rulers,
// the inspector), so their items are checkable before they are first checked.
bool IsToggleCommand(uint16_t id);
// The text pane's editing commands (conversions, alignment, insertions,
// indent), which a text document accepts and which change nothing there.
bool IsTextEditCommand(uint16_t id);
