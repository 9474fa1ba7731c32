// The canvas window: which pixels a change repaints, scrolling and the mapping
// of mouse points, two windows on one canvas, and rubber-band feedback that
// never leaves pixels behind.
#include "view/RuvlenView.h"
#include "GuiTestSupport.h"
#include "canvas/CommandIds.h"
#include "canvas/RuvlenDoc.h"

#include <QPaintEvent>
#include <QScrollBar>

#include <QtTest>

namespace {

CCanvasDefaults Defaults(int columns, int lines, int size) {
    CCanvasDefaults d;
    d.m_nDefaultColumns = columns;
    d.m_nDefaultLines = lines;
    d.m_nDefaultTextSize = size;
    return d;
}

QPoint CellPoint(const CRuvlenView& v, int c, int r) {
    const CRuvlenDoc& d = *v.GetDocument();
    return QPoint(d.m_nOriginX + c * d.m_nCellSize + d.m_nCellSize / 2,
                  d.m_nOriginY + r * d.m_nCellSize + d.m_nCellSize / 2) -
           v.ScrollPosition();
}

} // namespace

class RuvlenViewTest : public QObject {
    Q_OBJECT

    static void Show(CRuvlenView& v, int w, int h) {
        v.resize(w, h);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
    }

private slots:
    void invalidateCellsRepaintsOnlyThoseCells() {
        CRuvlenDoc doc(Defaults(40, 30, 2));
        CRuvlenView view(&doc, nullptr);
        Show(view, 600, 500);
        CPaintRecorder recorder(view.viewport());
        QTest::qWait(20);
        recorder.region = QRegion();
        view.InvalidateCells({2, 3, 4, 5});
        QTRY_VERIFY(!recorder.region.isEmpty());
        const int d = doc.m_nCellSize;
        QCOMPARE(recorder.region.boundingRect(),
                 QRect(doc.m_nOriginX + 2 * d, doc.m_nOriginY + 3 * d, 3 * d, 3 * d));
    }

    void scrollSizesAndPointMapping() {
        CRuvlenDoc doc(Defaults(99, 99, 5));
        CRuvlenView view(&doc, nullptr);
        Show(view, 300, 200);
        QScrollBar* h = view.horizontalScrollBar();
        QCOMPARE(h->maximum(), doc.m_nTotalWidth - view.viewport()->width());
        QCOMPARE(h->pageStep(), doc.m_nTotalWidth / 10);
        QCOMPARE(h->singleStep(), doc.m_nTotalWidth / 100);

        h->setValue(500);
        view.verticalScrollBar()->setValue(400);
        int column = -1, row = -1;
        connect(&view, &CRuvlenView::positionChanged, [&](int c, int r) { column = c, row = r; });
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, CellPoint(view, 20, 15));
        QCOMPARE(column, 20);
        QCOMPARE(row, 15);
        // Dragging below the window scrolls one line step per move.
        const int before = view.verticalScrollBar()->value();
        QTest::mouseMove(view.viewport(), QPoint(100, view.viewport()->height() + 10));
        QCOMPARE(view.verticalScrollBar()->value(),
                 before + view.verticalScrollBar()->singleStep());
        // Within five pixels of the left edge scrolls left.
        const int left = h->value();
        QTest::mouseMove(view.viewport(), QPoint(3, 50));
        QCOMPARE(h->value(), left - h->singleStep());
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(3, 50));
        QVERIFY(doc.Cell(20, 15).m_bLine);
    }

    void twoWindowsOnOneCanvasStayInStep() {
        CRuvlenDoc doc(Defaults(20, 20, 2));
        CRuvlenView a(&doc, nullptr), b(&doc, nullptr);
        Show(a, 400, 400);
        Show(b, 400, 400);
        const QPoint p = CellPoint(b, 4, 3);
        const QImage before = b.viewport()->grab().toImage();
        QTest::mousePress(a.viewport(), Qt::LeftButton, {}, CellPoint(a, 3, 3));
        QTest::mouseMove(a.viewport(), CellPoint(a, 6, 5));
        QTest::mouseRelease(a.viewport(), Qt::LeftButton, {}, CellPoint(a, 6, 5));
        QVERIFY(doc.Cell(4, 3).m_bLine);
        QTRY_VERIFY(b.viewport()->grab().toImage() != before);
        // The top edge of the box runs through the cell centre in the other window.
        QCOMPARE(b.viewport()->grab().toImage().pixelColor(p), QColor(Qt::black));
    }

    void feedbackLeavesNoPixels() {
        CRuvlenDoc doc(Defaults(20, 20, 2));
        CRuvlenView view(&doc, nullptr);
        Show(view, 400, 400);
        QTest::qWait(20);
        const QImage clean = view.viewport()->grab().toImage();
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, CellPoint(view, 2, 2));
        QTest::mouseMove(view.viewport(), CellPoint(view, 8, 6));
        const QImage dragging = view.viewport()->grab().toImage();
        QVERIFY(dragging != clean);
        // A repaint for another reason shows the figure exactly once.
        view.viewport()->repaint();
        QCOMPARE(view.viewport()->grab().toImage(), dragging);
        QTest::mouseMove(view.viewport(), CellPoint(view, 5, 9));
        QTest::mouseMove(view.viewport(), CellPoint(view, 8, 6));
        QCOMPARE(view.viewport()->grab().toImage(), dragging);
        // Choosing a tool mid-drag ends the gesture and takes the figure away.
        view.RunCommand(ID_TOOL_SELECT);
        QVERIFY(view.Overlay().IsEmpty());
        QCOMPARE(view.viewport()->grab().toImage(), clean);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, CellPoint(view, 8, 6));
        QVERIFY(!doc.Cell(2, 2).m_bLine);
    }

    void closingTheWindowOfAWaitingToolEndsIt() {
        CRuvlenDoc doc(Defaults(20, 20, 2));
        auto view = std::make_unique<CRuvlenView>(&doc, nullptr);
        Show(*view, 300, 300);
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, CellPoint(*view, 2, 2));
        QVERIFY(doc.m_pTool);
        view.reset();
        QVERIFY(!doc.m_pTool);
        QCOMPARE(doc.m_nToolState, 0);
    }
};

QTEST_MAIN(RuvlenViewTest)
#include "RuvlenViewTest.moc"
