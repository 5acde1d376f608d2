#include "frame/MenuTable.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace {

constexpr MenuItem kSeparator{0, nullptr};

// Menu bar without a document.
constexpr MenuItem kFileBare[] = {
    {cmd::FileNew, "新規作成(&N)..."},
    {cmd::FileOpen, "開く(&O)..."},
    kSeparator,
    {cmd::FileRecent1, "以前開いたファイル"},
    kSeparator,
    {cmd::AppExit, "終了(&X)"},
};
constexpr MenuItem kOptionsBare[] = {
    {cmd::CommonSettings, "共通設定(&M)..."},
    {cmd::DisplayFont, "フォント(&F)..."},
};
constexpr MenuItem kHelp[] = {
    {cmd::HelpContents, "目次(&C)"},
    {cmd::HelpUsing, "ヘルプの使い方(&H)"},
    kSeparator,
    {cmd::AppAbout, "バージョン情報(&A)..."},
};

// Menu bar with a document.
constexpr MenuItem kFile[] = {
    {cmd::FileNew, "新規作成(&N)..."},
    {cmd::FileOpen, "開く(&O)..."},
    {cmd::FileClose, "閉じる(&C)"},
    kSeparator,
    {cmd::FileSave, "上書き保存(&S)"},
    {cmd::FileSaveAs, "名前を付けて保存(&A)..."},
    kSeparator,
    {cmd::FilePrint, "印刷(&P)..."},
    {cmd::FilePrintPreview, "印刷プレビュー(&V)"},
    {cmd::PageLayout, "ページレイアウトの設定(&L)..."},
    {cmd::FilePrintSetup, "プリンタの設定(&R)..."},
    kSeparator,
    {cmd::FileRecent1, "以前開いたファイル"},
    kSeparator,
    {cmd::AppExit, "終了(&X)"},
};
constexpr MenuItem kEdit[] = {
    {cmd::EditUndo, "アンドゥ(&U)"},
    {cmd::EditRedo, "リドゥ(&R)"},
    kSeparator,
    {cmd::EditCut, "切り取り(&T)"},
    {cmd::EditCopy, "コピー(&C)"},
    {cmd::ScreenCopy, "画面コピー(&I)"},
    {cmd::EditPaste, "貼り付け(&P)"},
    kSeparator,
    {cmd::EditFind, "検索(&F)..."},
    {cmd::EditReplace, "置換(&E)..."},
    {cmd::Compare, "比較(&M)..."},
    {cmd::FormatTemplate, "整形(&S)..."},
    kSeparator,
    {cmd::SelectAll, "すべてを選択(&A)"},
    kSeparator,
    {cmd::ReadOnly, "上書き禁止(&O)"},
    kSeparator,
    {cmd::Checksum, "チェックサム(&K)..."},
};
constexpr MenuItem kView[] = {
    {cmd::Jump, "ジャンプ(&J)..."},
    kSeparator,
    {cmd::MarkToggle, "マークの設定/解除(&W)"},
    {cmd::MarkNext, "次のマーク(&A)"},
    {cmd::MarkPrevious, "前のマーク(&B)"},
    {cmd::MarkClearAll, "すべてのマークを解除(&R)"},
    kSeparator,
    {cmd::CodeSwitch, "コードの切替え(&C)"},
    kSeparator,
    {cmd::ViewInspector, "データインスペクタ(&D)"},
};
constexpr MenuItem kOptions[] = {
    {cmd::CommonSettings, "共通設定(&M)..."},
    {cmd::DisplayFont, "フォント(&F)..."},
    {cmd::Customize, "カスタマイズ(&U)..."},
};
constexpr MenuItem kWindow[] = {
    {cmd::WindowNew, "新しいウィンドウを開く(&E)"},
    {cmd::WindowCascade, "重ねて表示(&C)"},
    {cmd::WindowTile, "並べて表示(&T)"},
    {cmd::WindowArrange, "アイコンの整列(&A)"},
};

const MenuPopup kBarWithoutDocument[] = {
    {"ファイル(&F)", kFileBare},
    {"オプション(&O)", kOptionsBare},
    {"ヘルプ(&H)", kHelp},
};
const MenuPopup kBarWithDocument[] = {
    {"ファイル(&F)", kFile},
    {"編集(&E)", kEdit},
    {"表示(&V)", kView},
    {"オプション(&O)", kOptions},
    {"ウィンドウ(&W)", kWindow},
    {"ヘルプ(&H)", kHelp},
};

struct Prompt
{
    uint16_t id;
    const char* text;
};
constexpr Prompt kPrompts[] = {
    {cmd::FindNext, "次を検索\n次を検索"},
    {cmd::FindBoxNext, "次を検索\n次を検索"},
    {cmd::FindInput, "検索文字列を入力\n検索"},
    {cmd::LineMarkToggle, "現在のカーソル行にマーク設定／解除\nマーク行の設定/解除"},
    {cmd::LineMarkNext, "次のマーク行位置へジャンプ\n次のマーク行へ"},
    {cmd::LineMarkPrevious, "前のマーク行位置へジャンプ\n前のマーク行へ"},
    {cmd::LineMarkClearAll, "すべてのマーク行のマークを解除\n行マーク解除"},
    {cmd::ColumnRuler, "桁ルーラーを表示または非表示"},
    {cmd::LineRuler, "行ルーラーを表示または非表示"},
    {cmd::AppendCopy, "選択した範囲をコピーしてクリップボードに追加保存\n追加コピー"},
    {cmd::AppendCut, "選択した範囲を切り取ってクリップボードに追加保存\n追加切り取り"},
    {cmd::SpacesToTabs, "指定範囲の空白をタブに変換"},
    {cmd::TabsToSpaces, "指定範囲のタブを空白に変換"},
    {cmd::Centre, "カーソル位置から行末までの文字列をセンタリング\nセンタリング"},
    {cmd::RightAlign, "カーソル位置から行末までの文字列を右寄せ\n右寄せ"},
    {cmd::Capitalise, "単語の先頭文字を大文字に変換"},
    {cmd::SwapCase, "大文字を小文字に、小文字を大文字に変換"},
    {cmd::UpperCase, "小文字を大文字に変換"},
    {cmd::LowerCase, "大文字を小文字に変換"},
    {cmd::HalfToFullWidth, "半角文字を対応する全角文字に変換"},
    {cmd::FullToHalfWidth, "全角文字を対応する半角文字に変換"},
    {cmd::HiraganaToKatakana, "全角ひらがなを全角カタカナに変換"},
    {cmd::KatakanaToHiragana, "全角カタカナを全角ひらがなに変換"},
    {cmd::SplitLines, "折り返し行を独立した行へ分割\n行の分割"},
    {cmd::JoinLines, "分割されている行を連結し折り返し行へ\n行の連結"},
    {cmd::InsertDate, "現在の日付の挿入"},
    {cmd::InsertTime, "現在の時刻の挿入"},
    {cmd::InsertString, "文字列の挿入"},
    {cmd::Favourite1, "このディレクトリを開く"},
    {cmd::Favourite1 + 1, "このディレクトリを開く"},
    {cmd::Favourite1 + 2, "このディレクトリを開く"},
    {cmd::Favourite4, "このディレクトリを開く"},
};

constexpr uint16_t kDefaultToolbar[] = {
    cmd::FileNew, cmd::FileOpen, cmd::FileSave, 0,
    cmd::EditCut, cmd::EditCopy, cmd::ScreenCopy, cmd::EditPaste, 0,
    cmd::EditUndo, cmd::EditRedo, 0,
    cmd::FindBox, 0,
    cmd::FindBoxNext, 0,
    cmd::Compare, cmd::FormatTemplate, 0,
    cmd::MarkToggle, cmd::MarkNext, cmd::MarkPrevious, 0,
    cmd::HelpContext,
};

// The order of the images in the toolbar bitmap.
constexpr std::array<uint16_t, kToolbarImageCount> kToolbarImages{
    cmd::FileNew, cmd::FileOpen, cmd::FileSave, cmd::EditCut, cmd::EditCopy, cmd::ScreenCopy,
    cmd::EditPaste, cmd::EditUndo, cmd::EditRedo, cmd::FindBoxNext, cmd::Compare,
    cmd::FormatTemplate, cmd::MarkToggle, cmd::MarkNext, cmd::MarkPrevious, cmd::HelpContext,
};

constexpr StatusPane kStatusPanes[] = {
    {0, nullptr},
    {cmd::IndicatorOffsetHex, "0xXXXXXXXX"},
    {cmd::IndicatorOffset, "XXXXXXXX"},
    {cmd::IndicatorByte, "XXX"},
    {cmd::IndicatorOverwrite, "上書"},
    {cmd::IndicatorReadOnly, "書禁"},
    {cmd::IndicatorCode, "SJIS"},
    {cmd::IndicatorSpare, "%1 %2      "},
    {cmd::IndicatorSelection, "選択: 000,000"},
    {cmd::IndicatorSize, "サイズ: 000,000"},
};

constexpr const char* kCodeTypeNames[] = {"SJIS", "JIS", "EUC", "UNI"};

} // namespace

std::span<const MenuPopup> MenuBarWithoutDocument()
{
    return kBarWithoutDocument;
}

std::span<const MenuPopup> MenuBarWithDocument()
{
    return kBarWithDocument;
}

const char* MenuTextOf(uint16_t id)
{
    if (id == 0)
        return nullptr;
    for (const MenuPopup& popup : kBarWithDocument)
        for (const MenuItem& item : popup.items)
            if (item.id == id)
                return item.text;
    return nullptr;
}

std::string_view CommandNameFromMenuText(std::string_view text)
{
    text = text.substr(0, text.find('\t'));
    const size_t mnemonic = text.find("(&");
    return mnemonic == std::string_view::npos ? text : text.substr(0, mnemonic);
}

const char* CommandPromptOf(uint16_t id)
{
    for (const Prompt& prompt : kPrompts)
        if (prompt.id == id)
            return prompt.text;
    return nullptr;
}

std::span<const uint16_t> DefaultToolbarButtons()
{
    return kDefaultToolbar;
}

std::span<const int32_t> DefaultContextMenu()
{
    static constexpr int32_t kItems[] = {cmd::EditUndo, cmd::EditRedo, kContextSeparator,
                                         cmd::EditCut,  cmd::EditCopy, cmd::EditPaste};
    return kItems;
}

std::string ContextMenuText(uint16_t id)
{
    const char* text = MenuTextOf(id);
    return text ? std::string(CommandNameFromMenuText(text)) : std::string();
}

int ToolbarImageIndex(uint16_t id)
{
    const auto it = std::find(kToolbarImages.begin(), kToolbarImages.end(), id);
    return it == kToolbarImages.end() ? -1 : static_cast<int>(std::distance(kToolbarImages.begin(), it));
}

std::span<const StatusPane> StatusPanes()
{
    return kStatusPanes;
}

const char* CodeTypeName(int strCodeType)
{
    return strCodeType >= 1 && strCodeType <= 4 ? kCodeTypeNames[strCodeType - 1] : "";
}

int NextCodeType(int strCodeType)
{
    return strCodeType >= 1 && strCodeType < 4 ? strCodeType + 1 : 1;
}

// ---- Update rules ----------------------------------------------------------

namespace {

// What a command needs to be enabled (and what checks it).
enum class Rule : uint8_t {
    Always,
    Document,          // any active document
    Binary,            // binary document
    Text,              // text document
    Save,              // binary and not read-only
    Undo,              // the active pane's journal
    Redo,
    BinarySelection,   // binary with a selection; disabled in text mode
    Selection,         // a selection in either pane
    TextSelection,     // text with a selection
    TextStream,        // text with a stream selection
    Paste,             // binary and the clipboard holds text
    Compare,           // binary and the hex pane's compare rule
    ReadOnlyToggle,    // binary; checked while read-only
    ColumnRuler,       // text; checked while the column ruler is shown
    LineRuler,         // text; checked while the line ruler is shown
    Settings,          // no document, or a binary one
    Recent,            // that entry of the recently-used list exists
    Favourite,         // that many favourite directories are set
    ToolBar,           // always; checked while shown
    StatusBar,
    Inspector,         // always; checked while the panel is shown
    Indicator,         // any active document
    Overwrite,         // active document and overwrite mode
    ReadOnlyIndicator, // active document that is read-only
    Never,
};

struct CommandRuleEntry
{
    uint16_t first;    // the rule covers first..last
    uint16_t last;
    Rule rule;
};

constexpr CommandRuleEntry Single(uint16_t id, Rule rule)
{
    return {id, id, rule};
}

constexpr CommandRuleEntry kRules[] = {
    Single(cmd::FileNew, Rule::Always),
    Single(cmd::FileOpen, Rule::Always),
    Single(cmd::FileClose, Rule::Document),
    Single(cmd::FileSave, Rule::Save),
    Single(cmd::FileSaveAs, Rule::Binary),
    {cmd::FileRecent1, cmd::FileRecent4, Rule::Recent},
    {cmd::Favourite1, cmd::Favourite4, Rule::Favourite},
    Single(cmd::AppExit, Rule::Always),
    Single(cmd::FilePrint, Rule::Document),
    Single(cmd::FilePrintPreview, Rule::Document),
    Single(cmd::PageLayout, Rule::Document),
    Single(cmd::FilePrintSetup, Rule::Always),
    Single(cmd::EditUndo, Rule::Undo),
    Single(cmd::EditRedo, Rule::Redo),
    Single(cmd::EditCut, Rule::BinarySelection),
    Single(cmd::EditCopy, Rule::Selection),
    Single(cmd::ScreenCopy, Rule::BinarySelection),
    Single(cmd::EditPaste, Rule::Paste),
    Single(cmd::SelectAll, Rule::Document),
    Single(cmd::EditFind, Rule::Binary),
    Single(cmd::EditReplace, Rule::Binary),
    Single(cmd::Jump, Rule::Binary),
    Single(cmd::FindNext, Rule::Document),
    Single(cmd::FindBoxNext, Rule::Document),
    Single(cmd::FindPrevious, Rule::Document),
    Single(cmd::FindInput, Rule::Document),
    Single(cmd::Compare, Rule::Compare),
    Single(cmd::FormatTemplate, Rule::BinarySelection),
    {cmd::MarkToggle, cmd::MarkClearAll, Rule::Binary},
    Single(cmd::ReadOnly, Rule::ReadOnlyToggle),
    Single(cmd::Checksum, Rule::Document),
    Single(cmd::CodeSwitch, Rule::Always),
    {cmd::LineMarkToggle, cmd::LineMarkClearAll, Rule::Text},
    Single(cmd::ColumnRuler, Rule::ColumnRuler),
    Single(cmd::LineRuler, Rule::LineRuler),
    Single(cmd::AppendCopy, Rule::TextSelection),
    Single(cmd::AppendCut, Rule::TextSelection),
    {cmd::TabsToSpaces, cmd::SpacesToTabs, Rule::TextStream},
    {cmd::RightAlign, cmd::Centre, Rule::Text},
    {cmd::SwapCase, cmd::KatakanaToHiragana, Rule::TextStream},
    {cmd::InsertDate, cmd::InsertString, Rule::Text},
    {cmd::Indent, cmd::Unindent, Rule::Document},
    Single(cmd::CommonSettings, Rule::Settings),
    Single(cmd::DisplayFont, Rule::Settings),
    Single(cmd::Customize, Rule::Settings),
    Single(cmd::WindowNew, Rule::Document),
    {cmd::WindowArrange, cmd::WindowTile, Rule::Document},
    Single(cmd::HelpContents, Rule::Always),
    Single(cmd::HelpUsing, Rule::Always),
    Single(cmd::HelpContext, Rule::Always),
    Single(cmd::AppAbout, Rule::Always),
    Single(cmd::ViewToolBar, Rule::ToolBar),
    Single(cmd::ViewStatusBar, Rule::StatusBar),
    Single(cmd::ViewInspector, Rule::Inspector),
    Single(cmd::IndicatorOffsetHex, Rule::Indicator),
    Single(cmd::IndicatorOffset, Rule::Indicator),
    Single(cmd::IndicatorByte, Rule::Indicator),
    Single(cmd::IndicatorCode, Rule::Indicator),
    Single(cmd::IndicatorOverwrite, Rule::Overwrite),
    Single(cmd::IndicatorReadOnly, Rule::ReadOnlyIndicator),
    Single(cmd::IndicatorSpare, Rule::Never),
    {cmd::IndicatorSelection, cmd::IndicatorSize, Rule::Indicator},
};

const CommandRuleEntry* FindRule(uint16_t id)
{
    for (const CommandRuleEntry& entry : kRules)
        if (id >= entry.first && id <= entry.last)
            return &entry;
    return nullptr;
}

// Rules that need nothing of a document.
CommandState FrameRuleState(const CommandRuleEntry& entry, uint16_t id, const CommandContext& c)
{
    const int index = id - entry.first;
    switch (entry.rule) {
    case Rule::Always:
        return {true, false};
    case Rule::Settings:
        return {!c.hasDocument || !c.textMode, false};
    case Rule::Recent:
        return {index < c.recentFileCount, false};
    case Rule::Favourite:
        return {index < c.favouriteCount, false};
    case Rule::ToolBar:
        return {true, c.toolBarShown};
    case Rule::StatusBar:
        return {true, c.statusBarShown};
    case Rule::Inspector:
        return {true, c.inspectorShown};
    default:
        return {};
    }
}

// Rules of the active document; called only with a document.
CommandState DocumentRuleState(Rule rule, const CommandContext& c)
{
    const bool binary = !c.textMode;
    switch (rule) {
    case Rule::Document:
    case Rule::Indicator:
        return {true, false};
    case Rule::Binary:
        return {binary, false};
    case Rule::Text:
        return {c.textMode, false};
    case Rule::Save:
        return {binary && !c.readOnly, false};
    case Rule::Undo:
        return {c.canUndo, false};
    case Rule::Redo:
        return {c.canRedo, false};
    case Rule::BinarySelection:
        return {binary && c.hasSelection, false};
    case Rule::Selection:
        return {c.hasSelection, false};
    case Rule::TextSelection:
        return {c.textMode && c.hasSelection, false};
    case Rule::TextStream:
        return {c.textMode && c.hasSelection && c.streamSelection, false};
    case Rule::Paste:
        return {binary && c.canPaste, false};
    case Rule::Compare:
        return {binary && c.compareAvailable, false};
    case Rule::ReadOnlyToggle:
        return {binary, binary && c.readOnly};
    case Rule::ColumnRuler:
        return {c.textMode, c.textMode && c.columnRulerShown};
    case Rule::LineRuler:
        return {c.textMode, c.textMode && c.lineRulerShown};
    case Rule::Overwrite:
        return {c.overwrite, false};
    case Rule::ReadOnlyIndicator:
        return {c.readOnly, false};
    default:
        return {};
    }
}

bool NeedsDocument(Rule rule)
{
    switch (rule) {
    case Rule::Always:
    case Rule::Settings:
    case Rule::Recent:
    case Rule::Favourite:
    case Rule::ToolBar:
    case Rule::StatusBar:
    case Rule::Inspector:
    case Rule::Never:
        return false;
    default:
        return true;
    }
}

} // namespace

CommandState CommandRuleState(uint16_t id, const CommandContext& context)
{
    const CommandRuleEntry* entry = FindRule(id);
    if (!entry)
        return {};
    if (!NeedsDocument(entry->rule))
        return FrameRuleState(*entry, id, context);
    return context.hasDocument ? DocumentRuleState(entry->rule, context) : CommandState{};
}

bool IsToggleCommand(uint16_t id)
{
    const CommandRuleEntry* entry = FindRule(id);
    if (!entry)
        return false;
    switch (entry->rule) {
    case Rule::ReadOnlyToggle:
    case Rule::ColumnRuler:
    case Rule::LineRuler:
    case Rule::ToolBar:
    case Rule::StatusBar:
    case Rule::Inspector:
        return true;
    default:
        return false;
    }
}

bool IsTextEditCommand(uint16_t id)
{
    const auto within = [id](uint16_t first, uint16_t last) { return id >= first && id <= last; };
    return within(cmd::RightAlign, cmd::Centre) || within(cmd::TabsToSpaces, cmd::SpacesToTabs)
           || within(cmd::SwapCase, cmd::InsertString) || within(cmd::Indent, cmd::Unindent);
}

