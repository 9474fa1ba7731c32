// The baseline for start-up time: an empty QMainWindow with a menu bar and a
// status bar, shown as the editor shows its window.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("EmptyMainWindow"));
    window.menuBar()->addMenu(QStringLiteral("File"));
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    window.resize(550, 450);
    window.show();
    return app.exec();
}
