// Zooming a canvas window: Ctrl+wheel and the zoom commands step the font
// size, every window of the canvas follows, and the cell under the pointer
// stays where it was.
#include "canvas/RuvlenDoc.h"
#include "view/RuvlenView.h"

#include <QScrollBar>
#include <QtTest>

namespace {

CCanvasDefaults Defaults() {
    CCanvasDefaults d;
    d.m_nDefaultColumns = 99;
    d.m_nDefaultLines = 99;
    d.m_nDefaultTextSize = 2;
    return d;
}

// The cell under a viewport point.
CCellPoint CellAt(CRuvlenView& v, const QPoint& p) {
    const QPoint l = v.LogicalFromViewport(p);
    return v.GetDocument()->CellFromPoint(l.x(), l.y());
}

void Wheel(CRuvlenView& v, const QPoint& at, int delta, Qt::KeyboardModifiers mods) {
    QWheelEvent event(at, v.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      mods, Qt::NoScrollPhase, false);
    QApplication::sendEvent(v.viewport(), &event);
}

} // namespace

class ZoomTest : public QObject {
    Q_OBJECT
private slots:
    void ctrlWheelKeepsTheCellUnderThePointer() {
        CRuvlenDoc doc(Defaults());
        CRuvlenView a(&doc, nullptr), b(&doc, nullptr);
        for (CRuvlenView* v : {&a, &b}) {
            v->resize(400, 300);
            v->show();
            QVERIFY(QTest::qWaitForWindowExposed(v));
        }
        a.horizontalScrollBar()->setValue(300);
        a.verticalScrollBar()->setValue(200);
        const QPoint pointer(150, 120);
        const CCellPoint before = CellAt(a, pointer);

        Wheel(a, pointer, 120, Qt::ControlModifier);
        QCOMPARE(doc.m_nFontSize, 3);
        QCOMPARE(CellAt(a, pointer), before);
        // The other window follows: its scroll range is the new surface's.
        QCOMPARE(b.horizontalScrollBar()->maximum(), doc.m_nTotalWidth - b.viewport()->width());

        Wheel(a, pointer, -120, Qt::ControlModifier);
        Wheel(a, pointer, -120, Qt::ControlModifier);
        QCOMPARE(doc.m_nFontSize, 1);
        QCOMPARE(CellAt(a, pointer), before);
        QVERIFY(!doc.IsModified()); // the size is not part of the file
    }

    void zoomStopsAtBothEndsAndPlainWheelScrolls() {
        CRuvlenDoc doc(Defaults());
        CRuvlenView v(&doc, nullptr);
        v.resize(400, 300);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        while (v.Zoom(1)) {
        }
        QCOMPARE(doc.m_nFontSize, 5);
        QVERIFY(!v.IsCommandEnabled(ID_VIEW_ZOOM_IN));
        QVERIFY(v.IsCommandEnabled(ID_VIEW_ZOOM_OUT));
        while (v.RunCommand(ID_VIEW_ZOOM_OUT)) {
        }
        QCOMPARE(doc.m_nFontSize, 0);
        QVERIFY(!v.IsCommandEnabled(ID_VIEW_ZOOM_OUT));

        QVERIFY(!v.Zoom(-1)); // a step past the end changes nothing
        QCOMPARE(doc.m_nFontSize, 0);
        const int size = doc.m_nFontSize;
        Wheel(v, QPoint(100, 100), -120, Qt::NoModifier);
        QCOMPARE(doc.m_nFontSize, size);
    }
};

QTEST_MAIN(ZoomTest)
#include "ZoomTest.moc"
