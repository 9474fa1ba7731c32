#include "app/RuvlenApp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavik"));
    QApplication::setApplicationVersion(QStringLiteral("1.3"));
    QApplication::setDesktopFileName(QStringLiteral("tavik"));
    // Qt's own dialogs (files, printing, message box buttons) speak Japanese.
    QTranslator translator;
    if (translator.load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);

    const QStringList args = QApplication::arguments();
    const QString file = args.size() > 1 ? args.at(1) : QString();
    CRuvlenApp app(CRuvlenApp::DefaultSettingsFilePath());
    if (!app.InitInstance(file)) return 1;
    return application.exec();
}
