// Drawing with the mouse in the editor: real mouse events through the main
// frame and a canvas window, checking cells and, during drags, the feedback.
#include "GuiTestSupport.h"

#include "app/MainFrame.h"
#include "app/RuvlenApp.h"
#include "app/SymbolGridWnd.h"
#include "app/SymbolPaletteDlg.h"
#include "canvas/CommandIds.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/Cp932.h"
#include "tools/CommandRegistry.h"
#include "view/RuvlenView.h"
#include "view/TextInputWindow.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

class GestureTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CRuvlenApp> m_app;

    CMainFrame* Frame() const { return m_app->MainFrame(); }
    CRuvlenView* View() const { return Frame()->ActiveView(); }
    CRuvlenDoc& Doc() const { return *View()->GetDocument(); }
    QWidget* Port() const { return View()->viewport(); }

    QPoint At(int c, int r) const {
        const CRuvlenDoc& d = Doc();
        return QPoint(d.m_nOriginX + c * d.m_nCellSize + d.m_nCellSize / 2,
                      d.m_nOriginY + r * d.m_nCellSize + d.m_nCellSize / 2) -
               View()->ScrollPosition();
    }
    QString Glyph(int c, int r) const {
        std::string utf8;
        Cp932ToUtf8(std::string(Doc().Cell(c, r).m_szText, 2), utf8);
        return QString::fromStdString(utf8);
    }
    QString Row(int r, int from, int to) const {
        QString s;
        for (int c = from; c <= to; ++c) s += Glyph(c, r);
        return s;
    }
    void Press(int c, int r) { QTest::mousePress(Port(), Qt::LeftButton, {}, At(c, r)); }
    void Move(int c, int r) { QTest::mouseMove(Port(), At(c, r)); }
    void Release(int c, int r) { QTest::mouseRelease(Port(), Qt::LeftButton, {}, At(c, r)); }
    void Drag(int c1, int r1, int c2, int r2) {
        Press(c1, r1);
        Move((c1 + c2) / 2, (r1 + r2) / 2);
        Move(c2, r2);
        Release(c2, r2);
    }
    QImage Grab() const { return Port()->grab().toImage(); }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QGuiApplication::clipboard()->clear();
        m_app = std::make_unique<CRuvlenApp>(m_dir->filePath("Tavik.ini"));
        QVERIFY(m_app->InitInstance(QString()));
        QVERIFY(QTest::qWaitForWindowExposed(Frame()));
    }
    void cleanup() {
        if (m_app && View()) Doc().SetModifiedFlag(0);
        m_app.reset();
    }

    void thickBoxThenThinLineEndingOnIt() {
        const QImage clean = Grab();
        Press(1, 1);
        Move(8, 5);
        // The dotted frame is on screen during the drag, and only then.
        QCOMPARE(View()->Overlay().Figures().size(), size_t(1));
        const QImage dragging = Grab();
        QVERIFY(dragging != clean);
        Release(8, 5);
        QVERIFY(View()->Overlay().IsEmpty());
        QCOMPARE(Row(1, 1, 8), QString("┏━━━━━━┓"));
        QCOMPARE(Row(5, 1, 8), QString("┗━━━━━━┛"));

        Frame()->OnCommand(ID_LINE_THIN);
        Frame()->OnCommand(ID_TOOL_HLINE);
        Drag(1, 3, 8, 3);
        QCOMPARE(Row(3, 1, 8), QString("┠──────┨"));
    }

    void diagonalDragDrawsADiagonal() {
        Frame()->OnCommand(ID_TOOL_HLINE);
        Drag(2, 2, 5, 5);
        QCOMPARE(Glyph(2, 2) + Glyph(3, 3) + Glyph(5, 5), QString("＼＼＼"));
        Drag(10, 5, 13, 2);
        QCOMPARE(Glyph(10, 5) + Glyph(13, 2), QString("／／"));
    }

    void selectionMovedPastTheEdgeIsClamped() {
        Frame()->OnCommand(ID_TOOL_RECT);
        Drag(0, 0, 2, 1);
        Frame()->OnCommand(ID_TOOL_SELECT);
        Drag(0, 0, 2, 1);
        QVERIFY(Doc().m_bSelection);
        // Grab the selection and drag far beyond the right edge.
        Press(1, 0);
        QTest::mouseMove(Port(), At(1, 0) + QPoint(2000, 0));
        QTest::mouseRelease(Port(), Qt::LeftButton, {}, At(1, 0) + QPoint(2000, 0));
        const int last = Doc().m_nColumns - 1;
        QCOMPARE(Glyph(last - 2, 0) + Glyph(last, 1), QString("┏┛"));
        QVERIFY(Doc().Cell(0, 0).IsBlank());
    }

    void pasteWaitsAndLandsAtTheBottomRightCorner() {
        QGuiApplication::clipboard()->setText(QStringLiteral("ab\ncd"));
        QTRY_VERIFY(Frame()->Action(ID_EDIT_PASTE)->isEnabled());
        Frame()->OnCommand(ID_EDIT_PASTE);
        QCOMPARE(Doc().m_nToolState, 2);
        const int c = Doc().m_nColumns - 1, r = Doc().m_nLines - 1;
        Move(c - 4, r - 4); // nothing follows the mouse before the press
        QVERIFY(View()->Overlay().IsEmpty());
        Press(c - 4, r - 4);
        Move(c, r); // then the paste rectangle follows it, kept inside the canvas
        QVERIFY(!View()->Overlay().IsEmpty());
        Release(c, r);
        QCOMPARE(Glyph(c, r - 1) + Glyph(c, r), QString("abcd"));
        QCOMPARE(Doc().m_nToolMode, ID_TOOL_RECT); // the previous mode returns
    }

    // Turning or mirroring cells while a paste waits must not change what the
    // paste places: the clipboard's text as it was when Paste was chosen.
    void waitingPastePlacesTheClipboardAfterAFlip() {
        Frame()->OnCommand(ID_TOOL_RECT);
        Drag(7, 0, 9, 2);
        QGuiApplication::clipboard()->setText(QStringLiteral("12"));
        QTRY_VERIFY(Frame()->Action(ID_EDIT_PASTE)->isEnabled());
        Frame()->OnCommand(ID_EDIT_PASTE);
        QCOMPARE(Doc().m_nToolState, 2);
        for (int id : {ID_SELECT_ALL, ID_FLIP_HORIZONTAL, ID_ROTATE180})
            QVERIFY(Frame()->OnCommand(id));
        QCOMPARE(Glyph(7, Doc().m_nLines - 1), QString("┗")); // mirrored top to bottom
        QCOMPARE(Doc().m_nToolState, 2);
        Press(0, 8);
        Release(0, 8);
        QCOMPARE(Glyph(0, 8), QString("12"));
    }

    void choosingAToolMidPasteTakesTheFeedbackAway() {
        QGuiApplication::clipboard()->setText(QStringLiteral("xyz"));
        QTRY_VERIFY(Frame()->Action(ID_EDIT_TRANSPARENT_PASTE)->isEnabled());
        Frame()->OnCommand(ID_EDIT_TRANSPARENT_PASTE);
        Press(5, 5);
        Move(6, 6);
        const QImage waiting = Grab();
        Frame()->OnCommand(ID_TOOL_VLINE);
        QVERIFY(View()->Overlay().IsEmpty());
        QVERIFY(Grab() != waiting);
        QCOMPARE(Doc().m_nToolState, 0);
        QCOMPARE(Doc().m_nToolMode, ID_TOOL_VLINE);
        QCOMPARE(Doc().m_nPrevToolMode, ID_TOOL_RECT);
        Release(6, 6);
        QVERIFY(Doc().Cell(6, 6).IsBlank());
    }

    void rightClickTogglesAnArm() {
        Frame()->OnCommand(ID_TOOL_HLINE);
        Drag(2, 8, 6, 8);
        const int before = Doc().Cell(4, 8).m_nLineFlags;
        const QPoint lowerHalf = At(4, 8) + QPoint(0, Doc().m_nCellSize / 4);
        QTest::mouseClick(Port(), Qt::RightButton, {}, lowerHalf); // adds the down arm
        QVERIFY(Doc().Cell(4, 8).m_nLineFlags != before);
        QCOMPARE(Glyph(4, 8), QString("┯"));
        QTest::mouseClick(Port(), Qt::RightButton, {}, lowerHalf); // and removes it
        QCOMPARE(Doc().Cell(4, 8).m_nLineFlags, before);
    }

    void contextMenuItemsFollowTheState() {
        Drag(1, 1, 3, 3);
        QStringList enabled;
        CModalAnswerer closer([](QWidget*) {}, 0); // keeps the event loop turning
        QTimer::singleShot(50, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* a : menu->actions())
                if (a->isEnabled() && !a->isSeparator()) enabled << a->text();
            menu->close();
        });
        QTest::mouseClick(Port(), Qt::RightButton, {}, At(10, 10));
        QCOMPARE(enabled, QStringList({"取消"}));
    }

    void textDragThroughTheDialog() {
        Frame()->OnCommand(ID_TOOL_HTEXT);
        QStringList seen;
        CModalAnswerer typer([&](QWidget* w) {
            auto* dialog = qobject_cast<CTextInputWindow*>(w);
            QVERIFY(dialog);
            seen << dialog->windowTitle() << dialog->m_pCapacity->text();
            dialog->m_pEdit->setPlainText(QStringLiteral("表題"));
            dialog->m_pOk->click();
        });
        Drag(1, 10, 6, 10);
        QCOMPARE(typer.Count(), 1);
        QCOMPARE(seen.value(0), QString("文字入力"));
        QCOMPARE(Glyph(1, 10) + Glyph(2, 10), QString("表題"));
    }

    void refusedTextKeepsTheDialogOpen() {
        Frame()->OnCommand(ID_TOOL_HTEXT);
        QStringList messages;
        bool stillOpen = false;
        CModalAnswerer steps(
            [&](QWidget* w) {
                if (auto* dialog = qobject_cast<CTextInputWindow*>(w)) {
                    if (!dialog->m_pEdit->toPlainText().isEmpty() || messages.isEmpty()) {
                        dialog->m_pEdit->setPlainText(QStringLiteral("長すぎる文字列"));
                        QTimer::singleShot(0, dialog->m_pOk, &QPushButton::click);
                    }
                } else if (auto* box = qobject_cast<QMessageBox*>(w)) {
                    messages << box->text();
                    box->accept();
                    QTimer::singleShot(30, [&] {
                        auto* dialog =
                            qobject_cast<CTextInputWindow*>(QApplication::activeModalWidget());
                        stillOpen = dialog != nullptr;
                        if (dialog) dialog->m_pCancel->click();
                    });
                }
            },
            2);
        Drag(1, 12, 2, 12);
        QCOMPARE(messages.size(), 1);
        QVERIFY(stillOpen);
        QVERIFY(Doc().Cell(1, 12).IsBlank());
        QCOMPARE(Doc().m_nToolState, 0);
    }

    void paletteChoosesTheSymbolToPlace() {
        Frame()->OnCommand(ID_TOOL_SYMBOL);
        QVERIFY(Frame()->IsPaletteShown());
        QVERIFY(Frame()->Action(ID_SYMBOL_TABLE)->isChecked());
        Frame()->OnCommand(ID_TOOL_RECT);
        CSymbolPaletteDlg* palette = Frame()->SymbolPalette();
        palette->m_pCategoryCombo->setCurrentIndex(3); // general symbols: ＃＆＊…
        emit palette->m_pCategoryCombo->activated(3);  // as the user's choice arrives
        QCOMPARE(Doc().m_nToolMode, ID_TOOL_SYMBOL);
        QTest::mouseClick(palette->m_pGrid, Qt::LeftButton, {}, QPoint(1 + 16 + 8, 1 + 8));
        Drag(2, 20, 5, 20);
        QCOMPARE(Row(20, 2, 5), QString("＆＆＆＆"));
    }

    void escCancelsEveryKindOfGesture() {
        auto esc = [this] { QTest::keyClick(Port(), Qt::Key_Escape); };
        const QImage clean = Grab();
        // A rectangle, a line, a selection and a symbol run: nothing changes.
        for (int id : {ID_TOOL_RECT, ID_TOOL_HLINE, ID_TOOL_SELECT, ID_TOOL_SYMBOL}) {
            Frame()->OnCommand(id);
            Press(2, 2);
            Move(7, 6);
            QVERIFY(!View()->Overlay().IsEmpty());
            esc();
            QVERIFY(View()->Overlay().IsEmpty());
            Release(7, 6);
            QVERIFY(Doc().Cell(2, 2).IsBlank());
            QVERIFY(!Doc().m_bSelection);
            QCOMPARE(Doc().m_nToolMode, id);
        }
        QCOMPARE(Grab(), clean);
        // A move of the selection.
        Frame()->OnCommand(ID_TOOL_RECT);
        Drag(1, 1, 3, 3);
        Frame()->OnCommand(ID_TOOL_SELECT);
        Drag(1, 1, 3, 3);
        Press(2, 2);
        Move(8, 8);
        esc();
        Release(8, 8);
        QVERIFY(Doc().Cell(1, 1).m_bLine && Doc().Cell(7, 7).IsBlank());
        // A waiting paste, before and during its press: the previous mode returns.
        QGuiApplication::clipboard()->setText(QStringLiteral("ab"));
        QTRY_VERIFY(Frame()->Action(ID_EDIT_PASTE)->isEnabled());
        Frame()->OnCommand(ID_EDIT_PASTE);
        esc();
        QCOMPARE(Doc().m_nToolMode, ID_TOOL_SELECT);
        QVERIFY(Frame()->Action(ID_EDIT_PASTE)->isEnabled());
        Frame()->OnCommand(ID_EDIT_PASTE);
        Press(10, 10);
        Move(11, 11);
        esc();
        Release(11, 11);
        QCOMPARE(Doc().m_nToolMode, ID_TOOL_SELECT);
        QVERIFY(Doc().Cell(11, 11).IsBlank());
    }

    void dragScrollsALargeCanvas() {
        View()->GetDocument()->m_nColumns = 99;
        View()->GetDocument()->m_nLines = 99;
        View()->Controller().ApplyCanvasSettings(5, 99, 99, 1, View()->LogPixelsX());
        QScrollBar* v = View()->verticalScrollBar();
        QCOMPARE(v->value(), 0);
        Press(2, 2);
        for (int i = 0; i < 5; ++i) QTest::mouseMove(Port(), QPoint(50 + i, Port()->height() + 20));
        QCOMPARE(v->value(), 5 * v->singleStep());
        QTest::mouseRelease(Port(), Qt::LeftButton, {}, QPoint(55, Port()->height() + 20));
        QVERIFY(Doc().Cell(2, 2).m_bLine);
    }
};

QTEST_MAIN(GestureTest)
#include "GestureTest.moc"
