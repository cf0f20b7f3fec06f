#pragma once
// Every text the document and file code shows the user, in one table.

#include <string>
#include <string_view>

namespace vantle::text {

inline constexpr std::string_view kAppTitle = "Vantle";

// An icon resource holds an image larger than 48 x 48.
inline constexpr std::string_view kTooLarge =
    "このアイコンリソースには４８ｘ４８以上のアイコンが含まれている為\r\n"
    "Ｖａｎｔｌｅでは正常に読み込めません。";
// An icon resource holds an image that cannot be decoded; the other images were read.
inline constexpr std::string_view kEntryDamaged =
    "このアイコンリソースには読み込めないイメージが含まれている為\r\n"
    "そのイメージを除いて読み込みました。";
// A file that ends before the images or frames its headers declare; the complete ones were read.
inline constexpr std::string_view kCutShort = "このファイルは途中で切れている為\r\n"
                                              "完全に読み込めたイメージのみ読み込みました。";
// A resource whose structure cannot be followed (an animated cursor without frame list, an unreadable image).
inline constexpr std::string_view kDamaged = "リソース異常の為、処理を中断します";
// A full-colour frame that could not be reduced to 256 colours.
inline constexpr std::string_view kReduceFailed = "ＦＵＬＬカラーイメージの減色に失敗しました。";
// The document cannot take more images or animation steps.
inline constexpr std::string_view kTooManyImages =
    "イメージの数が上限（１６３６８）を超えるため、これ以上読み込めません。";
inline constexpr std::string_view kTooManySteps =
    "アニメーションのステップ数が上限（３２７３６）を超えるため、これ以上読み込めません。";

// Xcursor files: a damaged file, one without an image the document can hold, and the sizes left out
// (followed by the list of their nominal sizes).
inline constexpr std::string_view kXcursorDamaged = "Xcursorファイルが壊れているため、読み込めません。";
inline constexpr std::string_view kXcursorNothingFits =
    "このXcursorファイルには４８ｘ４８以下のイメージがない為\r\n"
    "Ｖａｎｔｌｅでは読み込めません。";
inline constexpr std::string_view kXcursorSizesSkipped =
    "４８ｘ４８を超えるサイズと、アニメーションにしなかったサイズは読み込みませんでした。サイズ: ";

// Files read with the true-colour setting on: nothing could be read, or parts of the file were not.
inline constexpr std::string_view kTrueColourUnreadable = "このファイルは壊れているため、読み込めません。";
inline constexpr std::string_view kTrueColourReadInPart = "このファイルには読み込めない部分がある為\r\n"
                                                          "読み込めた部分のみ読み込みました。";

// Settings store failures at exit.
inline constexpr std::string_view kKeyCreateFailed = "レジストリキーの作成に失敗しました";
inline constexpr std::string_view kKeyOpenFailed = "レジストリキーのオープンに失敗しました";
inline constexpr std::string_view kValueWriteFailed = "レジストリキーデータの書き込みに失敗しました";

// Programs and libraries whose icons cannot be read, or that hold none.
inline constexpr std::string_view kNoProgramIcons = "指定のファイルには、アイコンがありません";
inline constexpr std::string_view kProgramUnreadable = "指定のファイルが読み込めません";
inline constexpr std::string_view kProgramNotPe =
    "指定のファイルは、実行ファイル（ＥＸＥ／ＤＬＬ）の形式ではありません";
inline constexpr std::string_view kProgramBadHeader =
    "実行ファイルのヘッダーが壊れているため、アイコンを読み込めません";
inline constexpr std::string_view kProgramOutOfRange =
    "実行ファイルのリソースがファイルの範囲外を指しているため、アイコンを読み込めません";
inline constexpr std::string_view kProgramLoop =
    "実行ファイルのリソースディレクトリが循環しているため、アイコンを読み込めません";
inline constexpr std::string_view kProgramTooMany =
    "実行ファイルのリソースの数が多すぎるため、アイコンを読み込めません";

} // namespace vantle::text

namespace vantle {

// The message for an unsupported open mode; [mode] stands literally in the text.
inline std::string modeMessage(std::string_view /*mode*/) {
    return "MyOpen関数エラー。モード[mode]はサポートされていません。";
}

} // namespace vantle
