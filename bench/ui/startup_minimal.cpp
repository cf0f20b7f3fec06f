// The smallest Qt Widgets program with a window, started and quit the same way as the Vantle probe.

#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Vantle"));
    window.resize(804, 560);
    window.show();
    QTimer::singleShot(0, &window, [] { QCoreApplication::quit(); });
    return app.exec();
}
