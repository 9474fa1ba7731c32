#include "app/CommandLineExport.h"
#include "app/MainFrame.h"
#include "app/RecoveryManager.h"
#include "app/RuvlenApp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <cstring>

int main(int argc, char* argv[]) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        QTextStream(stdout) << CommandLineUsage();
        return 0;
    }
    // An export needs no display: draw offscreen unless a platform is chosen.
    const bool exporting = IsExportCommandLine(argc, argv);
    if (exporting && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavik"));
    QApplication::setApplicationVersion(QStringLiteral("1.3"));
    QApplication::setDesktopFileName(QStringLiteral("tavik"));
    QStringList args = QApplication::arguments();
    args.removeFirst();
    if (exporting) return ExportFromCommandLine(args, CRuvlenApp::DefaultSettingsFilePath());

    // Qt's own dialogs (files, printing, message box buttons) speak Japanese.
    QTranslator translator;
    if (translator.load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);

    if (args.size() > 1 || (args.size() == 1 && args[0].startsWith(QLatin1String("--")))) {
        QTextStream(stderr) << CommandLineUsage();
        return 2;
    }
    CRuvlenApp app(CRuvlenApp::DefaultSettingsFilePath());
    if (!app.InitInstance(args.value(0))) return 1;
    // Copies left by a crash are looked for once the window is up, so that the
    // folder never delays it.
    QTimer::singleShot(0, app.MainFrame()->Recovery(), &CRecoveryManager::OfferLeftCopies);
    return application.exec();
}
