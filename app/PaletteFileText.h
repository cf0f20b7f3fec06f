#pragma once
// Captions, tool-tips and messages of the palette-file dialog frmPLTOPN, in one table.

#include <string_view>

namespace vantle::ui {

inline constexpr std::string_view kPaletteDialogTitle = "パレットファイルを開く";
inline constexpr std::string_view kPalettePreviewFrame = "パレット";
inline constexpr std::string_view kPaletteOpen = "開く(&O)";
inline constexpr std::string_view kPaletteOpenTip = "選択した色ﾊﾟﾚｯﾄを開きます";
inline constexpr std::string_view kPaletteEdit = "編集(&E)";
inline constexpr std::string_view kPaletteEditTip = "選択した色ﾊﾟﾚｯﾄを16x16ｱｲｺﾝｲﾒｰｼﾞに挿入します";
inline constexpr std::string_view kPaletteSave = "色ﾊﾟﾚｯﾄ保存(&S)";
inline constexpr std::string_view kPaletteSaveTip = "選択中ｱｲｺﾝｲﾒｰｼﾞの色ﾊﾟﾚｯﾄをﾊﾟﾚｯﾄﾌｧｲﾙとして保存します";
inline constexpr std::string_view kPaletteCancel = "中止(&C)";
inline constexpr std::string_view kPaletteCancelTip = "色ﾊﾟﾚｯﾄの選択を中止します";

// The file list's patterns and the save dialog's filter.
inline constexpr std::string_view kPaletteFilePatterns = "*.vtp;*.wqp";
inline constexpr std::string_view kPaletteSaveFilter = "ﾊﾟﾚｯﾄﾌｧｲﾙ|*.VTP";

// A palette file that cannot be opened or read.
inline constexpr std::string_view kPaletteCannotOpen = "パレットファイルが開けません。";
// A file too short for the header, or with a count below 1.
inline constexpr std::string_view kPaletteNotAPalette =
    "パレットファイルではないか、ファイルが壊れているため読み込めません。";
// A palette file that could not be written; an old file of that name is left as it was.
inline constexpr std::string_view kPaletteSaveFailed = "パレットファイルを保存できませんでした。\r\n"
                                                       "保存先のフォルダや空き容量を確認してください。";

} // namespace vantle::ui
