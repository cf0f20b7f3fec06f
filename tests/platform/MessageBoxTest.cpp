// The message box: title, icon, Japanese buttons and the answer each way of closing it gives.

#include "ModalDriver.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPlatform.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLayout>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vantle {
namespace {

using test::whenModalShown;

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    std::vector<QString> buttons; // from the left
    QString defaultButton;
};

SeenBox describe(QMessageBox& box) {
    SeenBox seen;
    seen.title = box.windowTitle();
    seen.text = box.text();
    seen.icon = box.icon();
    // The order on screen is the order of the button box's layout, left to right.
    if (auto* buttonBox = box.findChild<QDialogButtonBox*>(); buttonBox != nullptr && buttonBox->layout())
        for (int i = 0; i < buttonBox->layout()->count(); ++i)
            if (auto* button = qobject_cast<QAbstractButton*>(buttonBox->layout()->itemAt(i)->widget()))
                seen.buttons.push_back(button->text());
    if (box.defaultButton() != nullptr)
        seen.defaultButton = box.defaultButton()->text();
    return seen;
}

QAbstractButton* buttonWithText(QMessageBox& box, const char* text) {
    for (QAbstractButton* button : box.buttons())
        if (button->text() == QString::fromUtf8(text))
            return button;
    return nullptr;
}

// Shows a message through the platform and closes it with the given action.
MessageAnswer answerWhen(MessageButtons buttons, MessageIcon icon, std::function<void(QMessageBox&)> close,
                         SeenBox* seen = nullptr) {
    QtPlatform platform;
    whenModalShown<QMessageBox>([close, seen](QMessageBox& box) {
        if (seen != nullptr)
            *seen = describe(box);
        close(box);
    });
    return platform.showMessage("現在編集中のファイルを保存しますか？", buttons, icon);
}

std::function<void(QMessageBox&)> clickButton(const char* text) {
    return [text](QMessageBox& box) {
        QAbstractButton* button = buttonWithText(box, text);
        if (button == nullptr) {
            ADD_FAILURE() << "no button " << text;
            box.close();
            return;
        }
        button->click();
    };
}

void pressEscape(QMessageBox& box) {
    QTest::keyClick(&box, Qt::Key_Escape);
}
void closeBox(QMessageBox& box) {
    box.close();
}

TEST(MessageBox, QuestionHasTitleNoIconAndJapaneseYesNoCancelWithYesAsDefault) {
    SeenBox seen;
    answerWhen(MessageButtons::YesNoCancel, MessageIcon::None, clickButton("はい(&Y)"), &seen);
    EXPECT_EQ(seen.title, QStringLiteral("Vantle"));
    EXPECT_EQ(seen.text, QString::fromUtf8("現在編集中のファイルを保存しますか？"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    ASSERT_EQ(seen.buttons.size(), 3u);
    EXPECT_EQ(seen.buttons[0], QString::fromUtf8("はい(&Y)"));
    EXPECT_EQ(seen.buttons[1], QString::fromUtf8("いいえ(&N)"));
    EXPECT_EQ(seen.buttons[2], QString::fromUtf8("キャンセル"));
    EXPECT_EQ(seen.defaultButton, QString::fromUtf8("はい(&Y)"));
}

TEST(MessageBox, ErrorMessageHasCriticalIconAndOneOkButton) {
    SeenBox seen;
    const MessageAnswer answer = answerWhen(MessageButtons::Ok, MessageIcon::Error, clickButton("OK"), &seen);
    EXPECT_EQ(answer, MessageAnswer::Ok);
    EXPECT_EQ(seen.title, QStringLiteral("Vantle"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    ASSERT_EQ(seen.buttons.size(), 1u);
    EXPECT_EQ(seen.buttons[0], QStringLiteral("OK"));
}

TEST(MessageBox, EachQuestionButtonGivesItsAnswer) {
    EXPECT_EQ(answerWhen(MessageButtons::YesNoCancel, MessageIcon::None, clickButton("はい(&Y)")),
              MessageAnswer::Yes);
    EXPECT_EQ(answerWhen(MessageButtons::YesNoCancel, MessageIcon::None, clickButton("いいえ(&N)")),
              MessageAnswer::No);
    EXPECT_EQ(answerWhen(MessageButtons::YesNoCancel, MessageIcon::None, clickButton("キャンセル")),
              MessageAnswer::Cancel);
}

TEST(MessageBox, EscapeAndTheCloseBoxCancelAQuestion) {
    EXPECT_EQ(answerWhen(MessageButtons::YesNoCancel, MessageIcon::None, pressEscape), MessageAnswer::Cancel);
    EXPECT_EQ(answerWhen(MessageButtons::YesNoCancel, MessageIcon::None, closeBox), MessageAnswer::Cancel);
}

TEST(MessageBox, EscapeAndTheCloseBoxAnswerOkInAnOkBox) {
    EXPECT_EQ(answerWhen(MessageButtons::Ok, MessageIcon::None, pressEscape), MessageAnswer::Ok);
    EXPECT_EQ(answerWhen(MessageButtons::Ok, MessageIcon::Error, closeBox), MessageAnswer::Ok);
}

// A question that says saving loses what was not read: Yes and No only, No pressed by Enter and Escape.
TEST(MessageBox, AQuestionWithNoAsDefaultAnswersNoOnEnterEscapeAndClose) {
    QtPlatform platform;
    SeenBox seen;
    whenModalShown<QMessageBox>([&seen](QMessageBox& box) {
        seen = describe(box);
        QTest::keyClick(&box, Qt::Key_Return);
    });
    EXPECT_EQ(platform.askQuestion("上書き保存しますか？", MessageButtons::YesNo, MessageAnswer::No),
              MessageAnswer::No);
    EXPECT_EQ(seen.title, QStringLiteral("Vantle"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    ASSERT_EQ(seen.buttons.size(), 2u);
    EXPECT_EQ(seen.buttons[0], QString::fromUtf8("はい(&Y)"));
    EXPECT_EQ(seen.buttons[1], QString::fromUtf8("いいえ(&N)"));
    EXPECT_EQ(seen.defaultButton, QString::fromUtf8("いいえ(&N)"));
    for (auto close :
         {std::function<void(QMessageBox&)>(pressEscape), std::function<void(QMessageBox&)>(closeBox)}) {
        whenModalShown<QMessageBox>(close);
        EXPECT_EQ(platform.askQuestion("?", MessageButtons::YesNo, MessageAnswer::No), MessageAnswer::No);
    }
    whenModalShown<QMessageBox>(clickButton("はい(&Y)"));
    EXPECT_EQ(platform.askQuestion("?", MessageButtons::YesNo, MessageAnswer::No), MessageAnswer::Yes);
}

TEST(MessageBox, ShownOverTheParentWindow) {
    QWidget window;
    window.show();
    QtPlatform platform(&window);
    QWidget* parentSeen = nullptr;
    whenModalShown<QMessageBox>([&parentSeen](QMessageBox& box) {
        parentSeen = box.parentWidget();
        box.done(0);
    });
    platform.showMessage("画像が読み込めません", MessageButtons::Ok, MessageIcon::Error);
    EXPECT_EQ(parentSeen, &window);
}

TEST(MessageBox, TextIsShownAsPlainText) {
    const auto box = makeMessageBox("<b>a&b</b>", MessageButtons::Ok, MessageIcon::None, nullptr);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->text(), QStringLiteral("<b>a&b</b>"));
}

} // namespace
} // namespace vantle

namespace vantle {
namespace {

// A desktop whose dialogs put the affirmative button last (GNOME's habit).
class GnomeButtonOrder : public QProxyStyle {
  public:
    GnomeButtonOrder() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == QStyle::SH_DialogButtonLayout)
            return QDialogButtonBox::GnomeLayout;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

TEST(MessageBox, ButtonsStayYesNoCancelFromTheLeftWhateverTheDesktopsHabit) {
    GnomeButtonOrder style;
    const auto box = makeMessageBox("?", MessageButtons::YesNoCancel, MessageIcon::None, nullptr);
    box->setStyle(&style);
    for (QWidget* child : box->findChildren<QWidget*>())
        child->setStyle(&style);
    box->show();
    const SeenBox seen = describe(*box);
    box->hide();
    ASSERT_EQ(seen.buttons.size(), 3u);
    EXPECT_EQ(seen.buttons[0], QString::fromUtf8("はい(&Y)"));
    EXPECT_EQ(seen.buttons[1], QString::fromUtf8("いいえ(&N)"));
    EXPECT_EQ(seen.buttons[2], QString::fromUtf8("キャンセル"));
}

} // namespace
} // namespace vantle
