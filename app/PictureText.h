#pragma once
// Every caption, tool-tip and message of the picture panel and the picture window, in one table.

#include "import/AreaSelection.h"

#include <string_view>

namespace vantle::ui {

// The panel's frames and buttons.
inline constexpr std::string_view kWholePictureFrame = "全体画像";
inline constexpr std::string_view kPreviewFrame = "選択ｲﾒｰｼﾞ";
inline constexpr std::string_view kPreviewLabels[3] = {"32 X 32", "16 X 16", "48 X 48"};
inline constexpr std::string_view kAddCaption = "追加";
inline constexpr std::string_view kAddTip = "画像をｲﾒｰｼﾞに追加します";
inline constexpr std::string_view kAllFramesCaption = "全フレームを追加(&G)";
inline constexpr std::string_view kAllFramesTip =
    "ＧＩＦのすべてのフレームをｲﾒｰｼﾞとアニメーションに追加します";
// After the picture's title, for a picture of more than one frame.
inline constexpr std::string_view kFrameCountSuffix = "  （%1 フレーム）";
inline constexpr std::string_view kOverwriteCaption = "上書き";
// The 32-bit sizes of a picture, with the true-colour setting on.
inline constexpr std::string_view kTrueColourPictureButton = "32ﾋﾞｯﾄｲﾒｰｼﾞ(&T)...";
inline constexpr std::string_view kTrueColourPictureButtonTip =
    "画像からアルファ付きの32ビットイメージを作ります";
inline constexpr std::string_view kTrueColourPictureTitle = "32ビットイメージの作成";
inline constexpr std::string_view kTrueColourPictureSizes = "サイズ";
inline constexpr std::string_view kTrueColourPictureAdd = "フレームとして追加(&A)";
inline constexpr std::string_view kTrueColourPictureAddTip =
    "選んだサイズを一つのフレームとしてｲﾒｰｼﾞに追加します";
inline constexpr std::string_view kTrueColourPictureClose = "閉じる(&C)";
inline constexpr std::string_view kOverwriteTip = "画像をｲﾒｰｼﾞに上書きします";
inline constexpr std::string_view kOpenPictureTip = "画像ファイルを開く";
inline constexpr std::string_view kClipboardTip = "クリップボードを開く";
inline constexpr std::string_view kBigPictureTip = "画像を大きいサイズで開く";

// The size text while dragging: kSelectionSizePrefix + width + " X " + height (import/AreaSelection.h).
using vantle::kSelectionSizePrefix;

// The title of a picture taken from the clipboard, and the message when the clipboard holds none.
inline constexpr std::string_view kClipboardTitle = "(ｸﾘｯﾌﾟﾎﾞｰﾄﾞ)";
inline constexpr std::string_view kNoClipboardPicture = "クリップボードには画像データがありません。";

// The area-mode pop-up menu of both windows.
inline constexpr std::string_view kAreaMenu = "画像範囲選択ﾒﾆｭｰ";
inline constexpr std::string_view kAreaFree = "任意な四角形(&F)";
inline constexpr std::string_view kAreaSquare = "正四角形(&S)";

// The picture window: caption prefix, menus and the selection's pop-up menu.
inline constexpr std::string_view kPictureWindowPrefix = "画像 ";
inline constexpr std::string_view kWindowFileMenu = "ﾌｧｲﾙ(&F)";
inline constexpr std::string_view kSendToPreviews = "画像選択ｲﾒｰｼﾞへ(&I)";
inline constexpr std::string_view kCloseWindow = "閉じる(&C)";
inline constexpr std::string_view kSelectionMenu = "選択範囲";
inline constexpr std::string_view kCancelSelection = "ｷｬﾝｾﾙ(&C)";

} // namespace vantle::ui
