#include "platform/qt/QtMessageBox.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QString>
#include <QVariant>

namespace vantle {

namespace {

// Each button carries its answer, so the answer does not depend on the roles Qt gives them.
constexpr const char* kAnswerProperty = "vantleAnswer";

// All buttons share the one role that no desktop's button order reverses or regroups, so they stay in the
// order they were added: はい, いいえ, キャンセル from the left. Any of them closes the box.
QPushButton* addAnswerButton(QMessageBox& box, const char* text, MessageAnswer answer) {
    QPushButton* button = box.addButton(QString::fromUtf8(text), QMessageBox::ActionRole);
    button->setProperty(kAnswerProperty, static_cast<int>(answer));
    return button;
}

} // namespace

std::unique_ptr<QMessageBox> makeMessageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                                            QWidget* parent, std::optional<MessageAnswer> defaultAnswer) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(QString::fromUtf8(message_text::kTitle));
    box->setTextFormat(Qt::PlainText);
    box->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    box->setIcon(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::NoIcon);
    if (buttons == MessageButtons::Ok) {
        QPushButton* ok = addAnswerButton(*box, message_text::kOk, MessageAnswer::Ok);
        box->setDefaultButton(ok);
        box->setEscapeButton(ok);
        return box;
    }
    QPushButton* yes = addAnswerButton(*box, message_text::kYes, MessageAnswer::Yes);
    QPushButton* no = addAnswerButton(*box, message_text::kNo, MessageAnswer::No);
    QPushButton* cancel = nullptr;
    if (buttons == MessageButtons::YesNoCancel)
        cancel = addAnswerButton(*box, message_text::kCancel, MessageAnswer::Cancel);
    QPushButton* preferred = yes;
    if (defaultAnswer == MessageAnswer::No)
        preferred = no;
    else if (defaultAnswer == MessageAnswer::Cancel && cancel != nullptr)
        preferred = cancel;
    box->setDefaultButton(preferred);
    // Escape answers Cancel where there is one, otherwise No.
    box->setEscapeButton(cancel != nullptr ? cancel : no);
    return box;
}

MessageAnswer answerOf(const QMessageBox& box) {
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr)
        return MessageAnswer::Cancel;
    const QVariant answer = clicked->property(kAnswerProperty);
    return answer.isValid() ? static_cast<MessageAnswer>(answer.toInt()) : MessageAnswer::Cancel;
}

MessageAnswer runMessageBox(std::string_view text, MessageButtons buttons, MessageIcon icon, QWidget* parent,
                            std::optional<MessageAnswer> defaultAnswer) {
    const auto box = makeMessageBox(text, buttons, icon, parent, defaultAnswer);
    box->exec();
    return answerOf(*box);
}

} // namespace vantle
