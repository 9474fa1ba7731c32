// Typing on the canvas window: the input method composes at the caret without
// touching the cells and commits like keys, it is told where the caret is, and
// a keystroke repaints only the cells it changed and the caret's two cells.
#include "view/TypingInput.h"
#include "GuiTestSupport.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/TableLayout.h"
#include "tools/TypingCaret.h"
#include "view/RuvlenView.h"

#include <QInputMethodEvent>
#include <QPaintEvent>
#include <QScrollBar>

#include <QtTest>

namespace {

CCanvasDefaults Defaults() {
    CCanvasDefaults d;
    d.m_nDefaultColumns = 40;
    d.m_nDefaultLines = 30;
    d.m_nDefaultTextSize = 3;
    return d;
}

QString CellString(const CRuvlenDoc& doc, int x, int y) {
    return QString::fromLatin1(doc.Cell(x, y).m_szText, 2);
}

} // namespace

class TypingInputTest : public QObject {
    Q_OBJECT

    CRuvlenDoc* m_pDoc = nullptr;
    CRuvlenView* m_pView = nullptr;

    // A shown window in the typing tool with the caret clicked onto (3, 2),
    // scrolled a little so that scroll offsets count.
    void Open() {
        m_pDoc = new CRuvlenDoc(Defaults());
        m_pView = new CRuvlenView(m_pDoc, nullptr);
        m_pView->resize(500, 400);
        m_pView->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pView));
        m_pView->setFocus();
        m_pView->RunCommand(ID_TOOL_TYPE);
        m_pView->horizontalScrollBar()->setValue(7);
        QTest::mouseClick(m_pView->viewport(), Qt::LeftButton, {}, CellCenter(3, 2));
        QVERIFY(CTypingCaret::Of(m_pDoc));
    }

    int d() const { return m_pDoc->m_nCellSize; }
    QPoint CellCenter(int c, int r) const {
        const int d = m_pDoc->m_nCellSize;
        return QPoint(m_pDoc->m_nOriginX + c * d + d / 2, m_pDoc->m_nOriginY + r * d + d / 2) -
               m_pView->ScrollPosition();
    }
    QRect CellPixels(int c, int r) const {
        const int d = m_pDoc->m_nCellSize;
        return QRect(m_pDoc->m_nOriginX + c * d, m_pDoc->m_nOriginY + r * d, d, d)
            .translated(-m_pView->ScrollPosition());
    }
    QRegion TopCells(const CCellRect& rc) const {
        QRegion region;
        for (int x = rc.left; x <= rc.right; ++x) region += CellPixels(x, rc.top);
        return region;
    }

    // A table of two columns with its top-left corner at (2, 1): fields
    // "ab" at (3..4, 2) and "c" at (6..7, 2); the caret clicked into "ab".
    void PutTable() {
        const CTableLayout table({{"ab", "c"}}, CTableOptions());
        table.Render(&m_pDoc->Cell(2, 1), CRuvlenDoc::GRID);
        m_pView->viewport()->update();
        QTest::mouseClick(m_pView->viewport(), Qt::LeftButton, {}, CellCenter(3, 2));
    }

private slots:
    void init() { Open(); }
    void cleanup() {
        delete m_pView;
        delete m_pDoc;
    }

    void preeditShowsThenCommitTypes() {
        QVERIFY(m_pView->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(m_pView->inputMethodQuery(Qt::ImEnabled).toBool());
        const QString before = CellString(*m_pDoc, 3, 2);
        QInputMethodEvent preedit(QStringLiteral("かんじ"), {});
        QApplication::sendEvent(m_pView, &preedit);
        QCOMPARE(m_pView->Typing().Preedit(), QStringLiteral("かんじ"));
        QCOMPARE(CellString(*m_pDoc, 3, 2), before); // composing changes no cell
        QCOMPARE(CTypingCaret::Of(m_pDoc)->Cell(), (CCellPoint{3, 2}));

        // The composed text is painted over the cells: the window looks different.
        const QImage plain = [&] {
            QInputMethodEvent none(QString(), {});
            QApplication::sendEvent(m_pView, &none);
            return m_pView->viewport()->grab().toImage();
        }();
        QApplication::sendEvent(m_pView, &preedit);
        const QImage composing = m_pView->viewport()->grab().toImage();
        QVERIFY(plain != composing);

        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("漢字a"));
        QApplication::sendEvent(m_pView, &commit);
        QVERIFY(m_pView->Typing().Preedit().isEmpty());
        QCOMPARE(m_pDoc->Cell(3, 2).m_szText[0], '\x8A'); // 漢 in Shift-JIS
        QCOMPARE(m_pDoc->Cell(4, 2).m_szText[0], '\x8E'); // 字
        QCOMPARE(CellString(*m_pDoc, 5, 2), QStringLiteral("a "));
        QCOMPARE(CTypingCaret::Of(m_pDoc)->Cell(), (CCellPoint{5, 2}));
        QCOMPARE(m_pView->Typing().Preedit(), QString());
    }

    // The candidate window opens beside the caret's cell, in the view's own
    // coordinates (inside its frame, scrolling applied).
    void cursorRectangleFollowsTheCaret() {
        const QRect cell = CellPixels(3, 2).translated(m_pView->viewport()->pos());
        QCOMPARE(m_pView->inputMethodQuery(Qt::ImCursorRectangle).toRect(), cell);
        QTest::keyClick(m_pView, Qt::Key_Down);
        QTest::keyClick(m_pView, Qt::Key_Right);
        QCOMPARE(m_pView->inputMethodQuery(Qt::ImCursorRectangle).toRect(),
                 CellPixels(4, 3).translated(m_pView->viewport()->pos()));
        QCOMPARE(m_pView->inputMethodQuery(Qt::ImFont).value<QFont>().pixelSize(),
                 m_pDoc->m_nCellSize);
        // Another tool takes the caret away and the input method with it.
        m_pView->RunCommand(ID_TOOL_RECT);
        QVERIFY(!m_pView->inputMethodQuery(Qt::ImEnabled).toBool());
    }

    // Tab goes to the next field without leaving the window; the faint frame
    // follows the caret's table cell, and only the two frames and the caret's
    // cells are painted again.
    void tabMovesTheFrameAndRepaintsOnlyIt() {
        PutTable();
        CCellRect cell;
        QVERIFY(CTypingCaret::Of(m_pDoc)->TableCell(cell));
        QCOMPARE(cell, (CCellRect{3, 2, 4, 2}));
        QTest::qWait(30);
        const QImage before = m_pView->viewport()->grab().toImage();
        CPaintRecorder recorder(m_pView->viewport());
        QTest::keyClick(m_pView, Qt::Key_Tab);
        QVERIFY(m_pView->hasFocus());
        QCOMPARE(CTypingCaret::Of(m_pDoc)->Cell(), (CCellPoint{6, 2}));
        QVERIFY(CTypingCaret::Of(m_pDoc)->TableCell(cell));
        QCOMPARE(cell, (CCellRect{6, 2, 7, 2}));
        QTRY_VERIFY(!recorder.region.isEmpty());
        QTest::qWait(30);
        QCOMPARE(recorder.region, TopCells({3, 2, 4, 2}) + TopCells({6, 2, 7, 2}));
        // The old cell's frame is gone, the new one's is drawn.
        const QImage after = m_pView->viewport()->grab().toImage();
        const QPoint oldFrame = CellPixels(4, 2).topLeft() + QPoint(d() / 2, 1);
        const QPoint newFrame = CellPixels(7, 2).topLeft() + QPoint(d() / 2, 1);
        QVERIFY(before.pixel(oldFrame) != after.pixel(oldFrame));
        QVERIFY(before.pixel(newFrame) != after.pixel(newFrame));
        QCOMPARE(after.pixel(newFrame), before.pixel(oldFrame));
        QTest::keyClick(m_pView, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(CTypingCaret::Of(m_pDoc)->Cell(), (CCellPoint{3, 2}));
    }

    // The input method's text goes into a table cell as typed keys do: the
    // composed text changes no cell, the committed text inserts and widens.
    void inputMethodTypesIntoACell() {
        PutTable();
        CRuvlenDoc keys(Defaults());
        CTableLayout({{"ab", "c"}}, CTableOptions()).Render(&keys.Cell(2, 1), CRuvlenDoc::GRID);
        CTypingCaret& typed = CTypingCaret::PlaceAt(&keys, 3, 2);
        typed.TypeText("りんごx", nullptr);

        QInputMethodEvent preedit(QStringLiteral("りんご"), {});
        QApplication::sendEvent(m_pView, &preedit);
        QCOMPARE(CellString(*m_pDoc, 3, 2), QStringLiteral(" a"));
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("りんご"));
        QApplication::sendEvent(m_pView, &commit);
        QTest::keyClicks(m_pView, QStringLiteral("x"));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 20; ++x)
                QCOMPARE(CellString(*m_pDoc, x, y), CellString(keys, x, y));
        QCOMPARE(CTypingCaret::Of(m_pDoc)->Cell(), typed.Cell());
    }

    void keystrokeRepaintsOnlyItsCells() {
        CPaintRecorder recorder(m_pView->viewport());
        struct Step {
            std::function<void()> act;
            QList<QPoint> cells;
        };
        const QList<Step> steps = {
            {[&] { QTest::keyClicks(m_pView, QStringLiteral("a")); }, {{3, 2}}},
            {[&] { QTest::keyClicks(m_pView, QStringLiteral("b")); }, {{3, 2}, {4, 2}}},
            {[&] { QTest::keyClick(m_pView, Qt::Key_Right, Qt::ShiftModifier); }, {{4, 2}, {5, 2}}},
            {[&] { QTest::keyClick(m_pView, Qt::Key_Backspace); }, {{4, 2}, {5, 2}}},
            {[&] { QTest::keyClick(m_pView, Qt::Key_Up); }, {{4, 2}, {4, 1}}},
        };
        for (const Step& step : steps) {
            QTest::qWait(30);
            recorder.region = QRegion();
            step.act();
            QRegion expected;
            for (const QPoint& c : step.cells) expected += CellPixels(c.x(), c.y());
            QTRY_VERIFY(!recorder.region.isEmpty());
            QTest::qWait(30);
            QCOMPARE(recorder.region, expected);
        }
    }
};

QTEST_MAIN(TypingInputTest)
#include "TypingInputTest.moc"
