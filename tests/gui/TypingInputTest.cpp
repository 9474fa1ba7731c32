// Typing on the canvas window: the input method composes at the caret without
// touching the cells and commits like keys, it is told where the caret is, and
// a keystroke repaints only the cells it changed and the caret's two cells.
#include "view/TypingInput.h"
#include "GuiTestSupport.h"
#include "canvas/RuvlenDoc.h"
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
