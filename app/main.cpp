#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << "Tavik: the editor window is not built yet; it comes in a later "
                           "version. Use tavik-cli to draw and convert canvases meanwhile.\n";
    return 0;
}
