// The symbol palette window: choosing by mouse, what a click reports, placement
// kept across hiding, closing, and the grid's pixels.
#include "app/AppSettings.h"
#include "app/SymbolGridWnd.h"
#include "app/SymbolPaletteDlg.h"
#include "canvas/io/Cp932.h"
#include "tools/SymbolTable.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include <cstring>
#include <string>

namespace {

// Centre of slot n in the grid widget's coordinates (inside its 1-pixel border).
QPoint SlotCentre(int n) {
    return QPoint(1 + (n % 6) * 16 + 8, 1 + (n / 6) * 16 + 8);
}

// Opens the category box with the mouse and clicks the given item in its list.
void ChooseCategoryByMouse(CSymbolPaletteDlg& dlg, int category) {
    QComboBox* combo = dlg.m_pCategoryCombo;
    QTest::mouseClick(combo, Qt::LeftButton);
    QAbstractItemView* list = combo->view();
    QTRY_VERIFY(list->isVisible());
    // The list ignores a release that comes too soon after it opened.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QRect item = list->visualRect(list->model()->index(category, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!list->isVisible());
}

std::string Chosen(const CSymbolPaletteDlg& dlg, int* category = nullptr) {
    char buffer[4] = {};
    const int c = dlg.GetChosenSymbol(buffer);
    if (category) *category = c;
    return std::string(buffer);
}

// Every pixel of a slot's inside (15 x 15 at scale 1) has this colour.
bool SlotIsFilled(const QImage& image, int n, QColor colour, int scale = 1) {
    const int left = (1 + (n % 6) * 16) * scale, top = (1 + (n / 6) * 16) * scale;
    for (int y = top; y < top + 15 * scale; ++y)
        for (int x = left; x < left + 15 * scale; ++x)
            if (image.pixelColor(x, y) != colour) return false;
    return true;
}

int CountPixels(const QImage& image, int n, QColor colour) {
    const int left = 1 + (n % 6) * 16, top = 1 + (n / 6) * 16;
    int count = 0;
    for (int y = top; y < top + 15; ++y)
        for (int x = left; x < left + 15; ++x) count += image.pixelColor(x, y) == colour;
    return count;
}

} // namespace

class SymbolPaletteTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {}

    void categoryAndSymbolChosenByMouse() {
        CAppSettings settings;
        CSymbolPaletteDlg dlg(nullptr, &settings);
        dlg.Create();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QSignalSpy tool(&dlg, &CSymbolPaletteDlg::symbolToolRequested);

        ChooseCategoryByMouse(dlg, 5); // Greek
        QCOMPARE(tool.count(), 1);
        QCOMPARE(settings.m_nPaletteCategory, 5);
        int category = -1;
        QCOMPARE(Chosen(dlg, &category), std::string("\x83\x9f")); // Α, slot 0
        QCOMPARE(category, 5);

        QTest::mouseClick(dlg.m_pGrid, Qt::LeftButton, {}, SlotCentre(7));
        QCOMPARE(Chosen(dlg), std::string("\x83\xa6")); // Η
        QCOMPARE(tool.count(), 2);
        // The chosen symbol again: no change, but the canvas still takes the tool.
        QTest::mouseClick(dlg.m_pGrid, Qt::LeftButton, {}, SlotCentre(7));
        QCOMPARE(tool.count(), 3);

        // Choosing a category starts at its first symbol even after another choice.
        ChooseCategoryByMouse(dlg, 7);
        QCOMPARE(Chosen(dlg), std::string("\x84\x70")); // а
        // The same category again is no change and no tool switch.
        ChooseCategoryByMouse(dlg, 7);
        QCOMPARE(tool.count(), 4);
    }

    void emptySlotKeepsChoiceButRequestsTool() {
        CAppSettings settings;
        settings.m_nPaletteCategory = 2; // 11 unit symbols: slots 0..10
        CSymbolPaletteDlg dlg(nullptr, &settings);
        dlg.Create();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QSignalSpy tool(&dlg, &CSymbolPaletteDlg::symbolToolRequested);
        QTest::mouseClick(dlg.m_pGrid, Qt::LeftButton, {}, SlotCentre(3));
        QTest::mouseClick(dlg.m_pGrid, Qt::LeftButton, {}, SlotCentre(11));
        QTest::mouseClick(dlg.m_pGrid, Qt::LeftButton, {}, SlotCentre(59));
        QCOMPARE(dlg.m_pGrid->m_nSelected, 3);
        QCOMPARE(Chosen(dlg), std::string("\x81\x8e")); // ℃
        QCOMPARE(tool.count(), 3);
        // The border is not part of the grid; the right button chooses nothing.
        QTest::mouseClick(dlg.m_pGrid, Qt::LeftButton, {}, QPoint(0, 5));
        QTest::mouseClick(dlg.m_pGrid, Qt::LeftButton, {}, QPoint(96, 160));
        QTest::mouseClick(dlg.m_pGrid, Qt::RightButton, {}, SlotCentre(4));
        QCOMPARE(tool.count(), 3);
        QCOMPARE(dlg.m_pGrid->m_nSelected, 3);
    }

    void chosenSymbolWithoutWindow() {
        CAppSettings settings;
        settings.m_nPaletteCategory = 7;
        CSymbolPaletteDlg dlg(nullptr, &settings);
        int category = -1;
        QCOMPARE(Chosen(dlg, &category), std::string("\x84\x70")); // а, never shown
        QCOMPARE(category, 7);
        dlg.Create();
        QCOMPARE(dlg.m_pCategoryCombo->currentText(), QStringLiteral("ﾛｼｱ文字２"));
        QTest::mouseClick(dlg.m_pGrid, Qt::LeftButton, {}, SlotCentre(2));
        dlg.Destroy();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(Chosen(dlg), std::string("\x84\x72")); // в, kept while hidden
    }

    void createAfterDestroyRestoresRectAndCategory() {
        CAppSettings settings;
        CSymbolPaletteDlg dlg(nullptr, &settings);
        dlg.Create();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.frameGeometry(), QRect(400, 50, 126, 240));
        ChooseCategoryByMouse(dlg, 3);
        QTest::mouseClick(dlg.m_pGrid, Qt::LeftButton, {}, SlotCentre(5));
        dlg.move(123, 77);
        dlg.resize(QSize(150, 260) - (dlg.frameGeometry().size() - dlg.size()));
        dlg.Destroy();
        QCOMPARE(QRect(settings.m_nPaletteX, settings.m_nPaletteY, settings.m_nPaletteWidth,
                       settings.m_nPaletteHeight),
                 QRect(123, 77, 150, 260));
        QCOMPARE(settings.m_nPaletteCategory, 3);

        dlg.Create();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.frameGeometry(), QRect(123, 77, 150, 260));
        QCOMPARE(dlg.m_pCategoryCombo->currentIndex(), 3);
        QCOMPARE(dlg.m_pGrid->m_nCategory, 3);
        QCOMPARE(dlg.m_pGrid->m_nSelected, 0); // each showing starts at slot 0
        // The grid keeps its place; its cells take the larger window's room.
        QCOMPARE(dlg.m_pGrid->pos(), QPoint(10, 40));
        QVERIFY(dlg.m_pGrid->m_nCellPixels > 16);
        QVERIFY(dlg.rect().contains(dlg.m_pGrid->geometry()));
    }

    void rectangleOffEveryScreenIsMovedOntoOne() {
        CAppSettings settings;
        settings.m_nPaletteX = 20000;
        settings.m_nPaletteY = 15000;
        CSymbolPaletteDlg dlg(nullptr, &settings);
        dlg.Create();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(avail.contains(dlg.frameGeometry()));
        QCOMPARE(dlg.frameGeometry().size(), QSize(126, 240));
    }

    void escAndCloseBoxPostTheirNotice() {
        CAppSettings settings;
        CSymbolPaletteDlg dlg(nullptr, &settings);
        QSignalSpy closed(&dlg, &CSymbolPaletteDlg::paletteClosed);
        dlg.Create();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.move(210, 120);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(closed.count(), 0); // posted: the frame hears of it after the close
        QTRY_COMPARE(closed.count(), 1);
        // The frame then captures the rectangle of the hidden window.
        dlg.CaptureRect();
        QCOMPARE(settings.m_nPaletteX, 210);
        QCOMPARE(settings.m_nPaletteY, 120);
        dlg.Destroy();

        dlg.Create();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QVERIFY(dlg.close());
        QVERIFY(!dlg.isVisible());
        QTRY_COMPARE(closed.count(), 2);
    }

    void enterDoesNothing() {
        CAppSettings settings;
        CSymbolPaletteDlg dlg(nullptr, &settings);
        QSignalSpy closed(&dlg, &CSymbolPaletteDlg::paletteClosed);
        QSignalSpy tool(&dlg, &CSymbolPaletteDlg::symbolToolRequested);
        dlg.Create();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.m_pCategoryCombo->setFocus();
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);
        QTest::keyClick(&dlg, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::qWait(20);
        QVERIFY(dlg.isVisible());
        QCOMPARE(closed.count(), 0);
        QCOMPARE(tool.count(), 0);
    }

    void chosenSlotGreenEmptySlotsGray() {
        CAppSettings settings;
        settings.m_nPaletteCategory = 2;
        CSymbolPaletteDlg dlg(nullptr, &settings);
        dlg.Create();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::mouseClick(dlg.m_pGrid, Qt::LeftButton, {}, SlotCentre(4));
        const QImage image = dlg.m_pGrid->grab().toImage();
        QCOMPARE(image.size(), QSize(97, 161));
        const QColor green(0, 255, 0), gray(128, 128, 128), white(Qt::white);
        QVERIFY(CountPixels(image, 4, green) > 150); // ￥ on green
        QVERIFY(CountPixels(image, 4, green) < 225); // with its glyph on it
        QCOMPARE(CountPixels(image, 0, green), 0);   // the former choice
        QVERIFY(CountPixels(image, 0, white) > 150); // °, on white
        for (int n = 11; n < 60; ++n)
            QVERIFY2(SlotIsFilled(image, n, gray), qPrintable(QString::number(n)));
        // Grid lines between the cells and the border around them are black.
        QCOMPARE(image.pixelColor(16, 40), QColor(Qt::black));
        QCOMPARE(image.pixelColor(40, 16), QColor(Qt::black));
        QCOMPARE(image.pixelColor(0, 80), QColor(Qt::black));
        QCOMPARE(image.pixelColor(96, 80), QColor(Qt::black));
        QCOMPARE(image.pixelColor(50, 160), QColor(Qt::black));
    }

    void gridScalesWithDevicePixelRatio() {
        CSymbolGridWnd grid(nullptr);
        grid.SetCategory(2, 1);
        QImage image(grid.size() * 2, QImage::Format_RGB32);
        image.setDevicePixelRatio(2.0);
        grid.render(&image);
        // Every logical pixel becomes a 2 x 2 block: lines stay whole, cells stay square.
        const QColor gray(128, 128, 128);
        QVERIFY(SlotIsFilled(image, 30, gray, 2));
        QVERIFY(SlotIsFilled(image, 59, gray, 2));
        for (int y : {170, 171}) {
            QCOMPARE(image.pixelColor(31, y), gray);
            QCOMPARE(image.pixelColor(32, y), QColor(Qt::black));
            QCOMPARE(image.pixelColor(33, y), QColor(Qt::black));
            QCOMPARE(image.pixelColor(34, y), gray);
        }
        QCOMPARE(image.pixelColor(0, 100), QColor(Qt::black));
        QCOMPARE(image.pixelColor(1, 100), QColor(Qt::black));
        QCOMPARE(image.pixelColor(2, 100), gray); // slot 18
    }

    // At every slot size the grid can take, every symbol's ink stays inside
    // its slot with a white pixel to spare on each side: none touches a grid
    // line or is clipped, and each is centred to within a pixel or two.
    void glyphsFitTheirSlotsAtEverySize() {
        for (int size = 16; size <= 48; ++size) {
            for (int category = 0; category < 10; ++category) {
                for (int slot = 0; slot < 60; ++slot) {
                    const char* sjis = SymbolTables()[category][slot];
                    if (sjis[0] == 0) continue;
                    std::string utf8;
                    Cp932ToUtf8(sjis, utf8);
                    QImage image(size, size, QImage::Format_RGB32);
                    image.fill(Qt::white);
                    {
                        QPainter p(&image);
                        p.setPen(Qt::black);
                        CSymbolGridWnd::PaintSymbol(p, image.rect(), QString::fromStdString(utf8));
                    }
                    const QRect ink = InkBounds(image);
                    if (ink.isEmpty()) continue; // a blank symbol
                    const QString where =
                        QStringLiteral("size %1: %2").arg(size).arg(QString::fromStdString(utf8));
                    QVERIFY2(ink.left() >= 1 && ink.top() >= 1, qPrintable(where));
                    QVERIFY2(ink.right() <= size - 3 && ink.bottom() <= size - 3,
                             qPrintable(where));
                }
            }
        }
    }

private:
    static QRect InkBounds(const QImage& image) {
        QRect ink;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 160) ink |= QRect(x, y, 1, 1);
        return ink;
    }
};

QTEST_MAIN(SymbolPaletteTest)
#include "SymbolPaletteTest.moc"
