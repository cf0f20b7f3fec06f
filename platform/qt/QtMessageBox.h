#pragma once
// The program's message box: titled "Vantle", no icon or the error icon, OK, Yes/No or Yes/No/Cancel with
// Japanese button texts. Cancel, Escape and the close box answer Cancel (OK in an OK box, No in a Yes/No
// box). Enter presses Yes unless another default answer is given.

#include "platform/Platform.h"

#include <QMessageBox>

#include <memory>
#include <optional>
#include <string_view>

namespace vantle {

namespace message_text {
inline constexpr const char* kTitle = "Vantle";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kYes = "はい(&Y)";
inline constexpr const char* kNo = "いいえ(&N)";
inline constexpr const char* kCancel = "キャンセル";
} // namespace message_text

// The box, set up but not shown. defaultAnswer names the default button (one the box has).
std::unique_ptr<QMessageBox> makeMessageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                                            QWidget* parent,
                                            std::optional<MessageAnswer> defaultAnswer = std::nullopt);

// The answer of a box that has been closed (Cancel when no button of ours was clicked).
MessageAnswer answerOf(const QMessageBox& box);

// Shows the box modally and gives the answer.
MessageAnswer runMessageBox(std::string_view text, MessageButtons buttons, MessageIcon icon, QWidget* parent,
                            std::optional<MessageAnswer> defaultAnswer = std::nullopt);

} // namespace vantle
