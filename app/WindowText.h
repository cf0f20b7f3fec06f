#pragma once
// Every caption, tool-tip, title and message of the main window, in one table.

#include "platform/Platform.h"

#include <array>
#include <string_view>

namespace vantle::ui {

inline constexpr std::string_view kProduct = "Vantle";
inline constexpr std::string_view kVersion = "2.03";

// Menu bar.
inline constexpr std::string_view kMenuFile = "ﾌｧｲﾙ(&F)";
inline constexpr std::string_view kMenuNew = "新規作成(&N)";
inline constexpr std::string_view kMenuOpen = "開く(&O)";
inline constexpr std::string_view kMenuOpenPicture = "画像ﾌｧｲﾙを開く(&J)";
inline constexpr std::string_view kMenuAppend = "追加(&A)";
inline constexpr std::string_view kMenuSave = "上書き保存(&S)";
inline constexpr std::string_view kMenuSaveAs = "名前を付けて保存(&W)";
inline constexpr std::string_view kMenuExportXcursor = "Xcursor形式で書き出し(&C)";
inline constexpr std::string_view kMenuExit = "Vantleの終了(&X)";
inline constexpr std::string_view kMenuEdit = "編集(&E)";
inline constexpr std::string_view kMenuUndo = "元に戻す(&U)";
inline constexpr std::string_view kMenuRedo = "やり直し(&R)";
inline constexpr std::string_view kMenuInvert = "反転(&P)";
inline constexpr std::string_view kMenuMono = "ﾓﾉｸﾛ(&M)";
inline constexpr std::string_view kMenuReduce = "減色(&G)";
// With the true-colour setting on: a grid image becomes a 32-bit image, to be drawn on with alpha.
inline constexpr std::string_view kMenuToTrueColour = "32ﾋﾞｯﾄｲﾒｰｼﾞにする(&F)";
inline constexpr std::string_view kMenuTurnRight = "右90度回転(&A)";
inline constexpr std::string_view kMenuTurnLeft = "左90度回転(&B)";
inline constexpr std::string_view kMenuUpsideDown = "上下逆さま(&C)";
inline constexpr std::string_view kMenuMirror = "左右逆さま(&D)";
inline constexpr std::string_view kMenuRange = "範囲編集(&E)";
inline constexpr std::string_view kMenuRangeSelect = "範囲選択(&H)";
inline constexpr std::string_view kMenuCut = "切り取り(&T)";
inline constexpr std::string_view kMenuCopy = "コピー(&C)";
inline constexpr std::string_view kMenuPaste = "貼り付け(&P)";
inline constexpr std::string_view kMenuClearSelection = "選択のｸﾘｱ(&L)";
inline constexpr std::string_view kMenuCancelSelection = "ｷｬﾝｾﾙ(&S)";
inline constexpr std::string_view kMenuOptions = "ｵﾌﾟｼｮﾝ(&O)";
inline constexpr std::string_view kMenuToolbar = "ﾂｰﾙﾊﾞｰ(&T)";
// The true-colour setting: 32-bit alpha and sizes up to 256, and why it cannot be turned off now.
inline constexpr std::string_view kMenuTrueColour = "アルファと大きなサイズを扱う(&A)";
inline constexpr std::string_view kTrueColourStaysOn =
    "このドキュメントには３２ビットのイメージ、４８ｘ４８を超えるイメージ、\r\n"
    "または複数のサイズを持つフレームがある為、この設定をオフにできません。\r\n"
    "減色して４８ｘ４８以下にするか、新規作成してからオフにしてください。";
inline constexpr std::string_view kMenuHelp = "ﾍﾙﾌﾟ(&H)";
inline constexpr std::string_view kMenuAbout = "Vantleについて(&H)";
inline constexpr std::string_view kMenuVersion = "バージョン情報(&V)";
inline constexpr std::string_view kMenuRangePopup = "範囲ﾒﾆｭｰ";
inline constexpr std::string_view kMenuPictureRangePopup = "画像範囲選択ﾒﾆｭｰ";

// Toolbar: key and tool-tip of each of the 17 buttons; the four placeholders only separate groups.
struct ToolbarButton {
    std::string_view key;
    std::string_view toolTip;
};
inline constexpr std::array<ToolbarButton, 17> kToolbar = {{
    {"ph1", ""},
    {"New", "新規作成"},
    {"Open", "ファイルを開く"},
    {"Save", "ファイルの保存"},
    {"ph2", ""},
    {"Undo", "元に戻す"},
    {"Redo", "やり直し"},
    {"ph3", ""},
    {"TuOv", "編集イメージを反転色にする"},
    {"Mono", "編集イメージをモノクロ色にする"},
    {"Gen", "編集イメージを減色する（ﾌﾙｶﾗｰ>256色､256色>16色､16色>2色）"},
    {"Right", "右へ９０度回転する"},
    {"Left", "左へ９０度回転する"},
    {"UpDn", "上下逆さまにする"},
    {"RtLt", "左右を逆にする"},
    {"ph4", ""},
    {"Hani", "範囲編集"},
}};

// Tabs.
struct TabText {
    std::string_view key;
    std::string_view caption;
    std::string_view toolTip;
};
inline constexpr std::array<TabText, 3> kTabs = {{
    {"Edit", "編集", "イメージ編集"},
    {"Ani", "ｱﾆﾒｰｼｮﾝ", "アニメーション作成"},
    {"Pic", "画像", "画像ﾃﾞｰﾀよりｱｲｺﾝｲﾒｰｼﾞを作成する"},
}};

// Image frame and image list.
inline constexpr std::string_view kImageFrame = "ｲﾒｰｼﾞ";
inline constexpr std::string_view kImgNew = "新規(&N)";
inline constexpr std::string_view kImgNewTip = "新規ｲﾒｰｼﾞを任意のｻｲｽﾞで挿入します";
inline constexpr std::string_view kImgCopy = "複写(&C)";
inline constexpr std::string_view kImgCopyTip = "選択中のｲﾒｰｼﾞを任意のｻｲｽﾞで複写します";
inline constexpr std::string_view kImgAppend = "追加(&A)";
inline constexpr std::string_view kImgAppendTip = "ﾌｧｲﾙよりｲﾒｰｼﾞを追加します";
inline constexpr std::string_view kImgCombine = "合成(U)";
inline constexpr std::string_view kImgCombineTip = "選択中のｲﾒｰｼﾞに下のｲﾒｰｼﾞを合成します";
inline constexpr std::string_view kImgDelete = "削除(&D)";
inline constexpr std::string_view kImgDeleteTip = "選択中のｲﾒｰｼﾞを削除します";
inline constexpr std::string_view kImgSizeTip = "新規や複写ｲﾒｰｼﾞのｻｲｽﾞ";
inline constexpr std::array<std::string_view, 3> kImgSizes = {"16 x 16", "32 x 32", "48 x 48"};

// Deleted-image bin.
inline constexpr std::string_view kBinFrame = "削除したイメージのごみ箱";
inline constexpr std::string_view kBinList = "削除したイメージ（最新の２０イメージ）";
inline constexpr std::string_view kBinOpenTip = "削除したイメージのごみ箱";
inline constexpr std::string_view kBinAddTip = "削除ｲﾒｰｼﾞをｲﾒｰｼﾞに追加します";
inline constexpr std::string_view kBinOverTip = "削除ｲﾒｰｼﾞをｲﾒｰｼﾞに上書きします";
inline constexpr std::string_view kBinCloseTip = "削除のごみ箱を閉じる";

// Property frame.
inline constexpr std::string_view kNoSelection = "?? / ??";
inline constexpr std::string_view kDepthUnknown = "???";
inline constexpr std::string_view kDepth32Caption = "32ビット";
// The tip of an image-list slot showing a 32-bit image: its frame and size.
inline constexpr std::string_view kTrueColourSlotTip = "フレーム %1  %2x%3";
inline constexpr std::string_view kFrameSizesTip = "フレーム %1  サイズ %2";
inline constexpr std::string_view kHotspotButton = "ﾎｯﾄｽﾎﾟｯﾄ";
inline constexpr std::string_view kHotspotRelease = " 解  除 ";
inline constexpr std::string_view kHotspotButtonTip = "ﾎｯﾄｽﾎﾟｯﾄの位置を設定します";
inline constexpr std::string_view kHotspotXTip = "ｶｰｿﾙ時のﾏｳｽﾎﾟｲﾝﾀX座標";
inline constexpr std::string_view kHotspotYTip = "ｶｰｿﾙ時のﾏｳｽﾎﾟｲﾝﾀＹ座標";
inline constexpr std::array<std::string_view, 2> kHotspotLabels = {"XHotS", "YHotS"};
inline constexpr std::array<std::string_view, 2> kHotspotLabelTips = {"ホットスポットX座標",
                                                                      "ホットスポットY座標"};

// Edit panel.
inline constexpr std::string_view kReadOutX = " X:";
inline constexpr std::string_view kReadOutY = " Y:";
// The zoom control of a 32-bit image's view; the zooms read "×N".
inline constexpr std::string_view kZoomLabel = "倍率";
inline constexpr std::string_view kZoomFitChoice = "全体表示";
inline constexpr std::string_view kZoomPrefix = "×";
inline constexpr std::string_view kZoomTip = "ｲﾒｰｼﾞの表示倍率 (Ctrl++ / Ctrl+-)";
// Drawing on a 32-bit image: the opacity of each button's colour and how the tools paint.
inline constexpr std::string_view kOpacityLabel = "不透明度";
inline constexpr std::array<std::string_view, 2> kOpacityButtonLabels = {"左", "右"};
inline constexpr std::array<std::string_view, 2> kOpacityTips = {
    "左マウスクリック時の色の不透明度（0:透明 ～ 255:不透明）",
    "右マウスクリック時の色の不透明度（0:透明 ～ 255:不透明）"};
inline constexpr std::string_view kExactPaint = "上書きで描く(&Q)";
inline constexpr std::string_view kExactPaintTip =
    "色と不透明度を重ねずにそのまま書き込む（不透明度を下げて消す時など）";
inline constexpr std::string_view kTrueColourColourTip = "（ダブルクリックで色と不透明度を指定）";
inline constexpr std::string_view kPaletteFrame = "色ﾊﾟﾚｯﾄ";
inline constexpr std::array<std::string_view, 3> kPaletteOptions = {"標準ﾊﾟﾚｯﾄ", "選択ｲﾒｰｼﾞﾊﾟﾚｯﾄ",
                                                                    "ﾊﾟﾚｯﾄﾌｧｲﾙ"};
inline constexpr std::array<std::string_view, 3> kPaletteOptionTips = {
    "Vantle標準の色ﾊﾟﾚｯﾄ", "選択中ｱｲｺﾝｲﾒｰｼﾞで使用している色ﾊﾟﾚｯﾄ",
    "色ﾊﾟﾚｯﾄﾌｧｲﾙの読み込み、及び色ﾊﾟﾚｯﾄﾌｧｲﾙの作成"};
inline constexpr std::string_view kLeftColourTip = "左マウスクリック時の色";
inline constexpr std::string_view kRightColourTip = "右マウスクリック時の色";
inline constexpr std::string_view kClearColour = "透";
inline constexpr std::string_view kClearColourTip = "透明色";
inline constexpr std::string_view kInvertColour = "反";
inline constexpr std::string_view kInvertColourTip = "反転色";
inline constexpr std::string_view kSelectColourTip = "色の指定により取得した色";
inline constexpr std::array<std::string_view, 10> kToolTips = {"色鉛筆",
                                                               "直線",
                                                               "四角形",
                                                               "四角形塗りつぶし",
                                                               "楕円",
                                                               "楕円塗りつぶし",
                                                               "四角形格子塗りつぶし",
                                                               "楕円格子塗りつぶし",
                                                               "塗りつぶし",
                                                               "色の指定"};
inline constexpr std::array<std::string_view, 3> kLineSizeTips = {"線の大きさ（１）", "線の大きさ（２）",
                                                                  "線の大きさ（３）"};
inline constexpr std::array<std::string_view, 4> kShiftTips = {
    "編集中アイコンイメージを左に一つずらす", "編集中アイコンイメージを右に一つずらす",
    "編集中アイコンイメージを上に一つずらす", "編集中アイコンイメージを下に一つずらす"};
inline constexpr std::string_view kPasteTip = "コピー又は切り取りしたイメージを貼り付ける";

// Messages.
inline constexpr std::string_view kSaveQuestion = "現在編集中のファイルを保存しますか？";
inline constexpr std::string_view kOverwriteQuestionSuffix = "で上書き保存しますか？";
// Saving over a file that was read only in part (the file name comes first). Yes, No; No is the default.
inline constexpr std::string_view kPartlyReadQuestionSuffix =
    "\r\nこのファイルは完全には読み込めていない為、上書き保存すると\r\n"
    "読み込めなかったイメージやアニメーションは失われます。\r\n上書き保存しますか？";
inline constexpr std::string_view kPictureUnreadable = "画像が読み込めません";
// Pictures refused before they are decoded: larger than 16384 pixels on a side or than 1 GiB of pixels,
// or animations of more than 1000 frames.
inline constexpr std::string_view kPictureTooLarge =
    "画像が大きすぎるため読み込めません。\r\n（縦横16384ﾋﾟｸｾﾙ、合計1GBまでの画像を読み込めます）";
inline constexpr std::string_view kPictureTooManyFrames =
    "画像のフレーム数が多すぎるため読み込めません。\r\n（1000フレームまでの画像を読み込めます）";
inline constexpr std::string_view pictureProblemText(PictureProblem problem) {
    switch (problem) {
    case PictureProblem::TooLarge:
        return kPictureTooLarge;
    case PictureProblem::TooManyFrames:
        return kPictureTooManyFrames;
    case PictureProblem::Unreadable:
    case PictureProblem::DecoderMissing:
        break;
    }
    return kPictureUnreadable;
}
inline constexpr std::string_view kNoIconsInProgram = "指定のファイルには、アイコンがありません";
inline constexpr std::string_view kBadExtension = "拡張子が不正です";
inline constexpr std::string_view kDepthUndeterminedMessage = "イメージ色数が不定（？？？）です。";
// The document cannot take another image.
inline constexpr std::string_view kImageLimitReached =
    "イメージの数が上限（１６３６８）に達しているため、これ以上追加できません。";
// A document file that cannot be opened for reading.
inline constexpr std::string_view kCannotOpen = "ファイルが開けません。";
// A save that could not be completed; the old file is left as it was.
inline constexpr std::string_view kSaveFailed = "ファイルを保存できませんでした。\r\n"
                                                "保存先のフォルダや空き容量を確認してください。";

// Exporting an Xcursor file: inverted pixels cannot be kept.
inline constexpr std::string_view kXcursorInvertedNote =
    "Xcursorには画面を反転するピクセルがないため、反転色のピクセルは白い縁取りの黒で書き出しました。";

// Filters of the open and save dialogs.
inline constexpr std::string_view kOpenFilter =
    "対象ﾌｧｲﾙ|*.ico;*.cur;*.ani;*.bmp;*.jpg;*.jpeg;*.gif;*.exe;*.dll|ｱｲｺﾝ(*.ico)|*.ico|ｶｰｿﾙ(*.cur)|*.cur|"
    "ｱﾆﾒｰｼｮﾝ(*.ani)|*.ani|画像|*.bmp;*.jpg;*.jpeg;*.gif|EXE/DLL(*.exe;*dll)|*.exe;*dll|"
    "Xcursor(拡張子なし)|*";
inline constexpr std::string_view kSaveFilter = "ｱｲｺﾝ(*.ico)|*.ico|ｶｰｿﾙ(*.cur)|*.cur|ｱﾆﾒｰｼｮﾝ(*.ani)|*.ani";
inline constexpr std::string_view kXcursorFilter = "Xcursor|*";

} // namespace vantle::ui
