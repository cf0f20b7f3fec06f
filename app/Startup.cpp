#include "app/Startup.h"

#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "model/Settings.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtTranslations.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

namespace vantle::ui {

int runProgram(int argc, char** argv, const std::function<void()>& whenShown) {
    QApplication app(argc, argv);
    installJapaneseTranslations(app);
    app.setFont(QFont(QStringLiteral("IPAGothic"), 9));
    QtPlatform platform;
    const std::string startFolder = QDir::currentPath().toStdString();
    AppSettings& settings = appSettings();
    settings = loadSettings(platform.settingsStore(), startFolder);
    IconDocument& document = theDocument();
    document.fileFolder = settings.dirPath;
    const std::vector<std::string> args(argv + 1, argv + argc);
    frmICON window(platform, document, settings, startFolder, commandLineDocument(args));
    platform.setParentWindow(&window);
    window.show();
    if (whenShown)
        QTimer::singleShot(0, &window, whenShown);
    return app.exec();
}

} // namespace vantle::ui
