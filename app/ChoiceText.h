#pragma once
// Captions and tool-tips of the icon chooser for programs and libraries.

#include <string_view>

namespace vantle::ui {

inline constexpr std::string_view kChoiceCaptionSuffix = "のアイコン";
inline constexpr std::string_view kChoiceOk = "確定(&O)";
inline constexpr std::string_view kChoiceOkTip = "選択した実行ﾌｧｲﾙ中のｱｲｺﾝを開きます";
inline constexpr std::string_view kChoiceCancel = "中止(&C)";
inline constexpr std::string_view kChoiceCancelTip = "ｱｲｺﾝの選択を中止します";
inline constexpr std::string_view kChoiceEditMenu = "編集(&E)";
inline constexpr std::string_view kChoiceAll = "すべて選択(&A)";
inline constexpr std::string_view kChoiceInvert = "選択の切り替え(&I)";

} // namespace vantle::ui
