// The compiled-in resources: every picture the window code names is there at
// its size, cursor hot spots point at the drawn shape, and the user manual
// loads with its picture and the section anchors the help command opens.
#include "tools/CommandRegistry.h"
#include "view/CursorHotSpots.h"

#include <QDir>

#include <QImage>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

namespace {

// Every toolbar image a command row names (the tools' rows included).
QSet<QString> RowIcons() {
    QSet<QString> names;
    for (const CCommandRow& row : CommandRegistry())
        if (row.icon) names.insert(QLatin1String(row.icon));
    return names;
}

// Anchor names and link targets of a loaded document.
void CollectAnchors(const QTextDocument& doc, QSet<QString>& names, QSet<QString>& links) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (const QString& name : block.charFormat().anchorNames()) names.insert(name);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QString& name : format.anchorNames()) names.insert(name);
            if (format.anchorHref().startsWith('#')) links.insert(format.anchorHref().mid(1));
        }
    }
}

} // namespace

class ResourcesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(tavik); }

    void toolbarImagesHaveBothResolutions() {
        QVERIFY(RowIcons().contains(QStringLiteral("type")));
        for (const QString& name : RowIcons()) {
            const QString base = QStringLiteral(":/toolbar/%1").arg(name);
            const QImage normal(base + ".png");
            const QImage doubled(base + "@2x.png");
            QCOMPARE(normal.size(), QSize(16, 15));
            QCOMPARE(doubled.size(), QSize(32, 30));
            // Transparent background: the top-left corner shows the toolbar.
            QVERIFY2(normal.hasAlphaChannel(), qPrintable(name));
            QCOMPARE(qAlpha(normal.pixel(0, 0)), 0);
        }
    }

    // Nothing in the resources' toolbar folder is left over from a row that went.
    void everyToolbarImageBelongsToARow() {
        const QSet<QString> icons = RowIcons();
        const QStringList files = QDir(QStringLiteral(":/toolbar")).entryList(QDir::Files);
        QCOMPARE(files.size(), 2 * icons.size());
        for (QString file : files) {
            file.remove(QStringLiteral(".png")).remove(QStringLiteral("@2x"));
            QVERIFY2(icons.contains(file), qPrintable(file));
        }
    }

    void cursorHotSpotsLieOnTheBlackShape() {
        QCOMPARE(FindCursorHotSpot(CURSOR_ARROW), nullptr);
        for (int id : {CURSOR_PENCIL, CURSOR_ERASER, CURSOR_CORNER, CURSOR_MOVE}) {
            const CCursorHotSpot* spot = FindCursorHotSpot(id);
            QVERIFY(spot != nullptr);
            const QImage image(QString::fromLatin1(spot->pszPath));
            QCOMPARE(image.size(), QSize(32, 32));
            QCOMPARE(image.pixel(spot->nHotX, spot->nHotY), qRgba(0, 0, 0, 255));
            // Black with a white outline on a transparent ground.
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            bool white = false;
            for (int y = 0; y < 32 && !white; ++y)
                for (int x = 0; x < 32 && !white; ++x)
                    white = image.pixel(x, y) == qRgba(255, 255, 255, 255);
            QVERIFY2(white, spot->pszPath);
        }
    }

    void applicationIconInEverySize() {
        for (int size : {16, 32, 48, 64, 128, 256}) {
            const QImage image(QStringLiteral(":/icons/tavik-%1.png").arg(size));
            QCOMPARE(image.size(), QSize(size, size));
        }
    }

    void manualLoadsWithPictureAndSections() {
        QTextBrowser browser;
        browser.setSource(QUrl(QStringLiteral("qrc:/help/index.html")));
        QTextDocument* doc = browser.document();
        QVERIFY(doc->toPlainText().contains(QStringLiteral("罫線を引く")));
        const QVariant picture =
            doc->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("table.png")));
        QVERIFY(!picture.value<QImage>().isNull() || !picture.value<QPixmap>().isNull());

        QSet<QString> names, links;
        CollectAnchors(*doc, names, links);
        for (const char* section : {"overview", "lines", "rect", "text", "symbol", "edit", "canvas",
                                    "file", "keys", "cli"})
            QVERIFY2(names.contains(QLatin1String(section)), section);
        for (const QString& link : links) QVERIFY2(names.contains(link), qPrintable(link));
    }
};

QTEST_MAIN(ResourcesTest)
#include "ResourcesTest.moc"
