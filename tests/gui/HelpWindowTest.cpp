// The help window: one window for the manual, reused and scrolled to the
// requested section; a page that cannot be read gives a message, no window.

#include "app/HelpWindow.h"
#include "view/CellPainter.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <algorithm>

namespace {

const int kSettle = 2000;

QList<QMainWindow*> HelpWindows() {
    QList<QMainWindow*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("helpWindow") && !w->isHidden())
            found << qobject_cast<QMainWindow*>(w);
    }
    return found;
}

QTextBrowser* Browser(QMainWindow* window) {
    return window->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
}

void CloseHelpWindows() {
    for (QMainWindow* w : HelpWindows()) w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A page long enough to scroll, with a section at its end.
QString WritePage(const QTemporaryDir& dir) {
    QString html = QStringLiteral("<html><body><h1>目次</h1>");
    for (int i = 0; i < 200; ++i) html += QStringLiteral("<p>段落 %1</p>").arg(i);
    html += QStringLiteral("<h2><a name=\"last\"></a>最後の節</h2><p>終わり</p></body></html>");
    const QString path = dir.filePath(QStringLiteral("index.html"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return QString();
    file.write(html.toUtf8());
    return path;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { CloseHelpWindows(); }
    void opensOneWindowWithTheTitle();
    void secondShowReusesAndScrolls();
    void backReturnsFromASection();
    void closedWindowOpensAgain();
    void missingPageGivesAMessage();
    void shippedManualLoads();
    void boxDrawingIsInTheCanvasFont();

private:
    QTemporaryDir m_dir;
    QString m_page;
};

void HelpWindowTest::init() {
    QVERIFY(m_dir.isValid());
    m_page = WritePage(m_dir);
    QVERIFY(!m_page.isEmpty());
    HelpWindow::SetHomePage(m_page);
}

void HelpWindowTest::opensOneWindowWithTheTitle() {
    HelpWindow::Show(nullptr);
    QCOMPARE(HelpWindows().size(), 1);
    QMainWindow* window = HelpWindows().first();
    QVERIFY(window->isVisible());
    QVERIFY(window->isWindow());
    QCOMPARE(window->windowTitle(), QStringLiteral("Tavik ヘルプ"));
    QVERIFY(Browser(window)->toPlainText().contains(QStringLiteral("段落 199")));
    QCOMPARE(Browser(window)->verticalScrollBar()->value(), 0);
}

void HelpWindowTest::secondShowReusesAndScrolls() {
    HelpWindow::Show(nullptr);
    QPointer<QMainWindow> first = HelpWindows().first();
    HelpWindow::Show(nullptr, QStringLiteral("last"));
    QCOMPARE(HelpWindows().size(), 1);
    QCOMPARE(HelpWindows().first(), first.data());
    QScrollBar* bar = Browser(first)->verticalScrollBar();
    QTRY_VERIFY_WITH_TIMEOUT(bar->value() > bar->maximum() / 2, kSettle);
}

void HelpWindowTest::backReturnsFromASection() {
    HelpWindow::Show(nullptr, QStringLiteral("last"));
    QMainWindow* window = HelpWindows().first();
    QScrollBar* bar = Browser(window)->verticalScrollBar();
    QTRY_VERIFY_WITH_TIMEOUT(bar->value() > 0, kSettle);

    QAction* back = nullptr;
    for (QAction* a : window->findChild<QToolBar*>()->actions()) {
        if (a->text() == QStringLiteral("戻る")) back = a;
    }
    QVERIFY(back);
    QVERIFY(back->isEnabled());
    back->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(bar->value(), 0, kSettle);
    QVERIFY(!back->isEnabled());
}

void HelpWindowTest::closedWindowOpensAgain() {
    HelpWindow::Show(nullptr);
    CloseHelpWindows();
    QCOMPARE(HelpWindows().size(), 0);
    HelpWindow::Show(nullptr);
    QCOMPARE(HelpWindows().size(), 1);
}

void HelpWindowTest::missingPageGivesAMessage() {
    HelpWindow::SetHomePage(m_dir.filePath(QStringLiteral("missing.html")));
    QString text, title;
    QTimer closer;
    closer.setSingleShot(true);
    connect(&closer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        text = box->text();
        title = box->windowTitle();
        box->button(QMessageBox::Ok)->click();
    });
    closer.start(0);
    HelpWindow::Show(nullptr, QStringLiteral("last"));
    QCOMPARE(text, QStringLiteral("ﾍﾙﾌﾟの起動に失敗しました。"));
    QCOMPARE(title, QStringLiteral("Tavik"));
    QCOMPARE(HelpWindows().size(), 0);
}

// The manual compiled into the program opens with its picture's page.
void HelpWindowTest::shippedManualLoads() {
    HelpWindow::SetHomePage(QStringLiteral(":/help/index.html"));
    HelpWindow::Show(nullptr, QStringLiteral("canvas"));
    QCOMPARE(HelpWindows().size(), 1);
    QTextBrowser* browser = Browser(HelpWindows().first());
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Tavik")));
    QCOMPARE(browser->source().scheme(), QStringLiteral("qrc"));
}

// Every box-drawing character of the shipped manual, in running text or in an
// example block, is shown in the canvas's own font: in the proportional body
// font the junctions come out small or misplaced.
void HelpWindowTest::boxDrawingIsInTheCanvasFont() {
    HelpWindow::SetHomePage(QStringLiteral(":/help/index.html"));
    HelpWindow::Show(nullptr);
    QTextDocument* document = Browser(HelpWindows().first())->document();
    int checked = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString text = fragment.text();
            const bool art = std::any_of(text.begin(), text.end(), [](QChar c) {
                return c.unicode() >= 0x2500 && c.unicode() <= 0x257F;
            });
            if (!art) continue;
            const QStringList families = fragment.charFormat().fontFamilies().toStringList();
            QVERIFY2(!families.isEmpty() && families.first() == CellFont(12).family(),
                     qPrintable(text));
            ++checked;
        }
    }
    QVERIFY(checked > 10);
}

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
