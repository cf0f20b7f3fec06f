#pragma once
// Drives a modal dialog from inside its own event loop: the action runs on the next modal widget of type
// T once it is shown. If none comes, the test fails and whatever modal widget is up is closed, so that a
// test never hangs.

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <utility>

namespace vantle::test {

// Gives up after this long; a busy machine may take seconds to bring a dialog up.
inline constexpr qint64 kModalWaitMs = 60'000;

template <typename T, typename Action>
void whenModalShown(
    Action action, QDeadlineTimer deadline = QDeadlineTimer(kModalWaitMs),
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info()) {
    QTimer::singleShot(10, [action = std::move(action), deadline, test]() mutable {
        // A watch left over from a test that has ended must not touch the next test's dialogs.
        if (::testing::UnitTest::GetInstance()->current_test_info() != test)
            return;
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* typed = qobject_cast<T*>(modal); typed != nullptr && typed->isVisible()) {
            action(*typed);
            return;
        }
        if (deadline.hasExpired()) {
            ADD_FAILURE() << "no modal " << T::staticMetaObject.className() << " was shown";
            if (modal != nullptr)
                modal->close();
            return;
        }
        whenModalShown<T>(std::move(action), deadline, test);
    });
}

} // namespace vantle::test
