#include "app/HelpWindow.h"

#include "view/Resources.h"

#include <QAction>
#include <QFile>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace {

QString g_homePage = QStringLiteral(":/help/index.html");
// The open help window, if any; null again once it has closed (it deletes itself).
QPointer<QMainWindow> g_window;

// Resource paths become qrc: URLs so that relative links and pictures resolve.
QUrl PageUrl(const QString& path, const QString& anchor) {
    QUrl url = path.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + path)
                                                 : QUrl::fromLocalFile(path);
    if (!anchor.isEmpty()) url.setFragment(anchor);
    return url;
}

void AddNavigation(QMainWindow* window, QTextBrowser* browser) {
    QToolBar* bar = window->addToolBar(QStringLiteral("ナビゲーション"));
    bar->setMovable(false);
    QStyle* style = window->style();
    QAction* back = bar->addAction(style->standardIcon(QStyle::SP_ArrowBack),
                                   QStringLiteral("戻る"), browser, &QTextBrowser::backward);
    QAction* forward = bar->addAction(style->standardIcon(QStyle::SP_ArrowForward),
                                      QStringLiteral("進む"), browser, &QTextBrowser::forward);
    bar->addAction(style->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("目次"), browser,
                   &QTextBrowser::home);
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    QObject::connect(browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QObject::connect(browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
}

// A top-level window that follows its parent's lifetime and deletes itself on close.
QMainWindow* CreateWindow(QWidget* parent) {
    auto* window = new QMainWindow(parent, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("helpWindow"));
    window->setWindowTitle(QStringLiteral("Tavik ヘルプ"));
    auto* browser = new QTextBrowser(window);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setOpenExternalLinks(true);
    window->setCentralWidget(browser);
    AddNavigation(window, browser);
    window->resize(720, 640);
    return window;
}

} // namespace

void HelpWindow::SetHomePage(const QString& path) {
    g_homePage = path;
}

void HelpWindow::Show(QWidget* parent, const QString& anchor) {
    EnsureResources();
    // QTextBrowser shows an empty page for a missing document; say so instead.
    if (!QFile(g_homePage).open(QIODevice::ReadOnly)) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Tavik"),
                        QStringLiteral("ﾍﾙﾌﾟの起動に失敗しました。"), QMessageBox::Ok, parent);
        box.exec();
        return;
    }
    QTextBrowser* browser = nullptr;
    if (g_window) {
        browser = g_window->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
    } else {
        g_window = CreateWindow(parent);
        browser = g_window->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
        browser->setSource(PageUrl(g_homePage, QString())); // "home" is the top of the page
    }
    // Within the same page this only scrolls, and Back returns to where the reader was.
    if (!anchor.isEmpty()) browser->setSource(PageUrl(g_homePage, anchor));

    if (g_window->isMinimized())
        g_window->showNormal();
    else
        g_window->show();
    g_window->raise();
    g_window->activateWindow();
}
