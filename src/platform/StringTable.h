// Every user-visible message text of the program, by number.
#pragma once

enum class StringId : int {
    // Framework texts (numbers as in the resource script).
    IdsOpenTitle = 61440,          // "開く"
    IdsSaveAsTitle = 61441,        // "名前を付けて保存"
    IdsOpenFailed = 61500,         // "ﾄﾞｷｭﾒﾝﾄを開くことに失敗しました。"
    IdsInvalidFileName = 61501,    // "無効なﾌｧｲﾙ名です。"
    IdsSaveFailed = 61502,         // "ﾄﾞｷｭﾒﾝﾄの保存に失敗しました。"
    IdsSaveChanges = 61503,        // "%1への変更を保存しますか？"
    IdsIntRange = 61714,           // a typed count outside its range: "%1 から %2 ..."
    // The program's own texts.
    IdsTooLarge = 1000,            // "文字数オーバーのため処理できません。"
    IdsAttrSameExtension,          // attribute file cannot be made
    IdsAttrForeignOverwrite,       // foreign file of the same name: overwrite?
    IdsAttrWriteError,
    IdsAttrReadError,
    IdsAttrMismatch,
    IdsOutOfMemory,                // text of the out-of-memory box
    // Find, replace and jump of the hex pane.
    IdsFindTitle,                  // "検索"
    IdsReplaceTitle,               // "置換": also the caption of the replace-all messages
    IdsReplacedCount,              // "%1 回置換しました。"
    IdsStopReplaceAll,             // "中止しますか？"
    IdsFindUp,                     // "上へ向って(&U)"
    IdsFindDown,                   // "下へ向って(&D)"
    IdsFindMatchCase,
    IdsReplaceMatchCase,
    IdsFindEscapes,
    IdsReplaceEscapes,
    IdsJumpTitle,                  // "ジャンプ"
    IdsJumpOffsetLabel,            // "オフセット値(&O):"
    IdsJumpHexHint,
    // Editing of the hex pane.
    IdsUndoOverflow,               // the edit is too large for the undo journal: go on?
    // Compare and format by template.
    IdsCompareTitle,               // "比較"
    IdsCompareTargetLabel,         // "比較先文書(&T):"
    IdsCompareEmpty,               // the current document is empty
    IdsCompareAgree,               // "%1 と\n%2 の\n内容は一致しています。"
    IdsCompareResultTitle,         // "相違 %1 : %2"
    IdsFormatTitle,                // "整形"
    IdsFormatTemplateLabel,        // "テンプレートファイル名(&F):"
    IdsBrowseButton,               // "参照(&B)"
    // Controls of the find, replace and jump dialogs.
    IdsFindWhatLabel,              // "検索する文字列(&N):"
    IdsReplaceWithLabel,           // "置換後の文字列(&P):"
    IdsFindNextButton,             // "次を検索(&F)"
    IdsReplaceButton,              // "置換して次に(&R)"
    IdsReplaceAllButton,           // "すべて置換(&A)"
    IdsCancelButton,               // "キャンセル"
    IdsDirectionGroup,             // "方向"
    // The common settings dialog.
    IdsCommonSettingsTitle,        // "共通設定"
    IdsNoPreviousFiles,
    IdsNoNewFile,
    IdsMultiInstance,
    IdsFullPathTitle,
    IdsShowWindowBar,
    IdsDecimalAddress,
    IdsHexAddress,
    IdsBytesPerLine,
    IdsDecimalBlockBytes,
    IdsHexBlockBytes,
    IdsStartOverwrite,
    IdsIgnore8bit,
    IdsUnderlineLine,
    IdsUnderlineCaret,
    IdsOneRasterLow,
    IdsColouringByte1,
    IdsColouringByte2,
    IdsMarkedPosColour,
    IdsAddressLineBackColour,
    // The page-layout dialog.
    IdsPageLayoutTitle,            // "ページレイアウトの設定"
    IdsMarginsGroup,
    IdsMarginTop,
    IdsMarginBottom,
    IdsMarginLeft,
    IdsMarginRight,
    IdsHeaderGroup,
    IdsFooterGroup,
    IdsHeaderTemplate,
    IdsFooterTemplate,
    IdsBandOn,                     // "する"
    IdsBandOff,                    // "しない"
    IdsBandLeft,
    IdsBandCentre,
    IdsBandRight,
    IdsLineSpacing,
    IdsCharSpacing,
    IdsFirstPageNumber,
    IdsFirstLineNumber,
    IdsPrintLineNumbers,
    IdsPrintFontButton,
    // A file loaded only in part, and what keeps it from being saved over.
    IdsTooLargeFile,               // the size message with name, size and limit
    IdsPartialNoSave,              // saving a partly loaded file over itself
    // What the find and replace dialogs read their text as.
    IdsFindAsHex,                  // "16進数"
    IdsFindAsText,                 // "文字列"
    IdsProfileTooLarge,            // the settings file is too large to read
    // Comment colouring of the text pane.
    IdsCommentTableFull,           // more "/*" or "*/" than the tables hold
    // The text pane's line model.
    IdsTooManyRows,                // "行数オーバーです。"
    // Comparison of two binary documents.
    IdsCompareSizeDiffers,         // only the size of the smaller is compared
    // Format by template.
    IdsTemplateBadFormat,          // the template file gave no entry
    IdsBadPathName,                // "パス名（ファイル名）が不正です。"
    // The program data file.
    IdsDataFileInvalid,            // fits no layout: its data is skipped
    IdsDataFileReadError,
    IdsDataFileWriteError,
    // The cabinet file.
    IdsCabinetInvalid,             // its content is in no layout the program reads
    // Printing.
    IdsPrintPageTooSmall,          // the margins leave no room for the page grid
    IdsPrintTooManyLines,          // a text's printed lines would overflow the line table
    IdsPreviewTitle,               // "印刷プレビュー"
    IdsPreviewPrint,
    IdsPreviewPrevious,
    IdsPreviewNext,
    IdsPreviewClose,
    IdsPreviewPage,                // "%1 / %2 ページ"
    IdsPrinterSetupTitle,          // "プリンタの設定"
    // The key-definition file and the keyboard page.
    IdsKeyFileInvalid,
    IdsKeyFileWriteError,
    IdsKeyTableFull,               // no room for another binding
    IdsKeyAlreadyAssigned,         // the key and modifiers are bound already
    // The checksum box.
    IdsChecksumTitle,              // "チェックサム"
    IdsChecksumCopy,               // "コピー(&C)"
    IdsChecksumClose,              // "閉じる"
};

// UTF-8 text of a string; never null.
const char* LoadString(StringId id);
