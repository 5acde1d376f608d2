#include "platform/StringTable.h"

const char* LoadString(StringId id)
{
    switch (id) {
    case StringId::IdsOpenTitle: return "開く";
    case StringId::IdsSaveAsTitle: return "名前を付けて保存";
    case StringId::IdsOpenFailed: return "ﾄﾞｷｭﾒﾝﾄを開くことに失敗しました。";
    case StringId::IdsInvalidFileName: return "無効なﾌｧｲﾙ名です。";
    case StringId::IdsSaveFailed: return "ﾄﾞｷｭﾒﾝﾄの保存に失敗しました。";
    case StringId::IdsSaveChanges: return "%1への変更を保存しますか？";
    case StringId::IdsIntRange: return "%1 から %2 までの整数を入力してください。";
    case StringId::IdsTooLarge: return "文字数オーバーのため処理できません。";
    case StringId::IdsAttrSameExtension:
        return "テキストファイルの拡張子が属性ファイルの拡張子と同じであるため、属性ファイルを作成できません。";
    case StringId::IdsAttrForeignOverwrite:
        return "属性ファイルとは形式が相違する同じ名前のファイルが存在します。上書きしますが、よろしいですか？";
    case StringId::IdsAttrWriteError:
        return "属性ファイルの作成でエラーが発生したため、属性情報は保存できません。";
    case StringId::IdsAttrReadError:
        return "属性ファイルの読み込みでエラーが発生したため、属性情報は読み込めません。";
    case StringId::IdsAttrMismatch:
        return "属性ファイルの情報がテキストファイルの情報と一致しないため、属性情報を読み込めません。";
    case StringId::IdsOutOfMemory:
        return "メモリ不足です。他のアプリケーションを終了させて、\nメモリを増やしてから再度実行してください。";
    case StringId::IdsFindTitle: return "検索";
    case StringId::IdsReplaceTitle: return "置換";
    case StringId::IdsReplacedCount: return "%1 回置換しました。";
    case StringId::IdsStopReplaceAll: return "中止しますか？";
    case StringId::IdsFindUp: return "上へ向って(&U)";
    case StringId::IdsFindDown: return "下へ向って(&D)";
    case StringId::IdsFindMatchCase: return "文字列検索では大文字と小文字を区別(&C)";
    case StringId::IdsReplaceMatchCase: return "文字列置換では大文字と小文字を区別(&C)";
    case StringId::IdsFindEscapes: return "文字列検索ではエスケープシーケンスを使用(&E)";
    case StringId::IdsReplaceEscapes: return "文字列置換ではエスケープシーケンスを使用(&E)";
    case StringId::IdsCompareTitle: return "比較";
    case StringId::IdsCompareTargetLabel: return "比較先文書(&T):";
    case StringId::IdsCompareEmpty: return "現在文書、または比較先文書のサイズが０です。";
    case StringId::IdsCompareAgree: return "%1 と\n%2 の\n内容は一致しています。";
    case StringId::IdsCompareResultTitle: return "相違 %1 : %2";
    case StringId::IdsFormatTitle: return "整形";
    case StringId::IdsFormatTemplateLabel: return "テンプレートファイル名(&F):";
    case StringId::IdsBrowseButton: return "参照(&B)";
    case StringId::IdsJumpTitle: return "ジャンプ";
    case StringId::IdsJumpOffsetLabel: return "オフセット値(&O):";
    case StringId::IdsJumpHexHint: return "16進数は先頭に \"0x\" を付けて入力します。";
    case StringId::IdsUndoOverflow:
        return "アンドゥバッファの容量を越えるためアンドゥできませんが、よろしいですか？";
    case StringId::IdsFindWhatLabel: return "検索する文字列(&N):";
    case StringId::IdsReplaceWithLabel: return "置換後の文字列(&P):";
    case StringId::IdsFindNextButton: return "次を検索(&F)";
    case StringId::IdsReplaceButton: return "置換して次に(&R)";
    case StringId::IdsReplaceAllButton: return "すべて置換(&A)";
    case StringId::IdsCancelButton: return "キャンセル";
    case StringId::IdsDirectionGroup: return "方向";
    case StringId::IdsCommonSettingsTitle: return "共通設定";
    case StringId::IdsNoPreviousFiles: return "以前のファイルを開かずに起動(&N)";
    case StringId::IdsNoNewFile: return "新規ファイルを開かずに起動(&S)";
    case StringId::IdsMultiInstance: return "複数起動許可(&U)";
    case StringId::IdsFullPathTitle: return "タイトルファイル名はフルパスで表示(&F)";
    case StringId::IdsShowWindowBar: return "ウィンドウバーを表示(&W)";
    case StringId::IdsDecimalAddress: return "10進(&D)";
    case StringId::IdsHexAddress: return "16進(&X)";
    case StringId::IdsBytesPerLine: return "１行(&C):";
    case StringId::IdsDecimalBlockBytes: return "１ブロック(10進用)(&I):";
    case StringId::IdsHexBlockBytes: return "１ブロック(16進用)(&E):";
    case StringId::IdsStartOverwrite: return "上書きモードで起動(&O)";
    case StringId::IdsIgnore8bit: return "0x80以上のコードはドットで表示(&I)";
    case StringId::IdsUnderlineLine: return "カーソル行に下線を表示(&U)";
    case StringId::IdsUnderlineCaret: return "カーソル位置に下線を表示(&K)";
    case StringId::IdsOneRasterLow: return "1ラスタ分下へ表示(&Z)";
    case StringId::IdsColouringByte1: return "着色データ1(&A):";
    case StringId::IdsColouringByte2: return "着色データ2(&B):";
    case StringId::IdsMarkedPosColour: return "マーク位置色(&M):";
    case StringId::IdsAddressLineBackColour: return "アドレス行背景色(&L):";
    case StringId::IdsPageLayoutTitle: return "ページレイアウトの設定";
    case StringId::IdsMarginsGroup: return "余白 (mm)";
    case StringId::IdsMarginTop: return "上(&T):";
    case StringId::IdsMarginBottom: return "下(&B):";
    case StringId::IdsMarginLeft: return "左(&L):";
    case StringId::IdsMarginRight: return "右(&R):";
    case StringId::IdsHeaderGroup: return "ヘッダー";
    case StringId::IdsFooterGroup: return "フッター";
    case StringId::IdsHeaderTemplate: return "書式(&H):";
    case StringId::IdsFooterTemplate: return "書式(&O):";
    case StringId::IdsBandOn: return "する";
    case StringId::IdsBandOff: return "しない";
    case StringId::IdsBandLeft: return "左";
    case StringId::IdsBandCentre: return "中央";
    case StringId::IdsBandRight: return "右";
    case StringId::IdsLineSpacing: return "行間(&S):";
    case StringId::IdsCharSpacing: return "文字間(&C):";
    case StringId::IdsFirstPageNumber: return "開始ページ番号(&P):";
    case StringId::IdsFirstLineNumber: return "開始行番号(&N):";
    case StringId::IdsPrintLineNumbers: return "行番号を印刷する(&U)";
    case StringId::IdsPrintFontButton: return "印刷フォント(&F)...";
    case StringId::IdsTooLargeFile:
        return "文字数オーバーのため処理できません。\n"
               "%1 は %2 バイトです。上限の %3 バイトまでを書込禁止で開きます。";
    case StringId::IdsPartialNoSave:
        return "%1 はファイルの先頭だけを読み込んでいるため、元のファイルには保存できません。"
               "別の名前で保存してください。";
    case StringId::IdsFindAsHex: return "16進数";
    case StringId::IdsFindAsText: return "文字列";
    case StringId::IdsProfileTooLarge:
        return "設定ファイル %1 は %2 バイトを超えているため読み込みません。既定の設定を使います。";
    case StringId::IdsCommentTableFull:
        return "コメント \"/*\"、\"*/\" の個数が許容最大数を越えました。"
               "これらのコメント部が正しい色で表示されない可能性があります。";
    case StringId::IdsTooManyRows: return "行数オーバーです。";
    case StringId::IdsCompareSizeDiffers:
        return "%1 と\n%2 は\nサイズが相違します。小さい方のサイズ分のみ比較します。";
    case StringId::IdsTemplateBadFormat:
        return "テンプレートファイルの形式が不正です。実行できません。"
               "テンプレートファイルの形式についてはヘルプを参照してください。";
    case StringId::IdsBadPathName: return "パス名（ファイル名）が不正です。";
    case StringId::IdsDataFileInvalid: return "データファイルの内容が不正です。データは読み飛ばされます。";
    case StringId::IdsDataFileReadError:
        return "データファイルの読み込みでエラーが発生しました。対応するデータはデフォルト値となります。";
    case StringId::IdsDataFileWriteError:
        return "データファイルの書き込みでエラーが発生しました。対応するデータは保存できません。";
    case StringId::IdsCabinetInvalid: return "キャビネットファイルの内容が不正のため読み込めません。";
    case StringId::IdsPrintPageTooSmall:
        return "用紙サイズが小さいか、または余白が大きすぎるため印刷できません。";
    case StringId::IdsPrintTooManyLines:
        return "一度に印刷する行数が大きすぎて印刷できません。範囲指定で分割して印刷してください。";
    case StringId::IdsPreviewTitle: return "印刷プレビュー";
    case StringId::IdsPreviewPrint: return "印刷(&P)...";
    case StringId::IdsPreviewPrevious: return "前ページ(&V)";
    case StringId::IdsPreviewNext: return "次ページ(&N)";
    case StringId::IdsPreviewClose: return "閉じる(&C)";
    case StringId::IdsPreviewPage: return "%1 / %2 ページ";
    case StringId::IdsPrinterSetupTitle: return "プリンタの設定";
    case StringId::IdsKeyFileInvalid: return "キー定義ファイルの内容が不正です。読み込めません。";
    case StringId::IdsKeyFileWriteError:
        return "キー定義ファイルへの書き込みでエラーが発生しました。保存できません。";
    case StringId::IdsKeyTableFull: return "定義できる許容最大個数を越えるため追加できません。";
    case StringId::IdsKeyAlreadyAssigned: return "既に割り付けられているため、追加できません。";
    case StringId::IdsChecksumTitle: return "チェックサム";
    case StringId::IdsChecksumCopy: return "コピー(&C)";
    case StringId::IdsChecksumClose: return "閉じる";
    }
    return "";
}
