#pragma once
// Every caption, tool-tip and message of the animation panel, in one table.

#include <array>
#include <string_view>

namespace vantle::ui {

// The strip frame fAniAni: (selected step + 1) + " / " + step count + kStripCaptionSuffix.
inline constexpr std::string_view kStripCaptionSuffix = " ｱﾆﾒｰｼｮﾝ";
inline constexpr std::string_view kStripNoSelection = "??";
inline constexpr std::string_view kStripNewCaption = "?? / ?? ｱﾆﾒｰｼｮﾝ";
inline constexpr std::string_view kRateHeader = "Rate";
// The test frame with the true-colour setting on: the size that plays and what shows behind it.
inline constexpr std::string_view kPreviewSize = "表示サイズ";
inline constexpr std::string_view kPreviewSizeTip = "テストするイメージのサイズ";
inline constexpr std::string_view kPreviewBack = "背景";
inline constexpr std::string_view kPreviewBackTip = "テストするアニメーションの背景";
inline constexpr std::array<std::string_view, 4> kPreviewBacks = {"市松模様", "白", "黒", "透明色"};
inline constexpr std::string_view kInsertStep = "挿入(&I)";
inline constexpr std::string_view kInsertStepTip = "イメージからアニメーションへの挿入";
inline constexpr std::string_view kDeleteStep = "削除(&R)";
inline constexpr std::string_view kDeleteStepTip = "アニメーションからの削除";

// The information frame fAniInfo.
inline constexpr std::string_view kInfoFrame = "アニメーション情報";
inline constexpr std::string_view kInfoTitle = "タイトル";
inline constexpr std::string_view kInfoAuthor = "作成者・著作権";
inline constexpr std::string_view kInfoRate = "共通表示Ｒａｔｅ";

// The test frame fAniRun.
inline constexpr std::string_view kTestFrame = "アニメーションテスト";
inline constexpr std::string_view kRunPreview = "アニメーションの開始";
inline constexpr std::string_view kStopPreview = "アニメーションの停止";

// The document cannot take another step.
inline constexpr std::string_view kStepLimitReached =
    "アニメーションの数が上限（３２７３６）に達しているため、これ以上挿入できません。";

} // namespace vantle::ui
