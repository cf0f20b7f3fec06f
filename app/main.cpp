#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "model/Settings.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtTranslations.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vantle::installJapaneseTranslations(app);
    app.setFont(QFont(QStringLiteral("IPAGothic"), 9));
    vantle::QtPlatform platform;
    const std::string startFolder = QDir::currentPath().toStdString();
    vantle::AppSettings& settings = vantle::appSettings();
    settings = vantle::loadSettings(platform.settingsStore(), startFolder);
    vantle::IconDocument& document = vantle::theDocument();
    document.fileFolder = settings.dirPath;
    const std::vector<std::string> args(argv + 1, argv + argc);
    vantle::ui::frmICON window(platform, document, settings, startFolder, vantle::commandLineDocument(args));
    platform.setParentWindow(&window);
    window.show();
    return app.exec();
}
