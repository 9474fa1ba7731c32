// The editor from the keyboard: the tools and line weights by the keys their
// tool tips name, the typing caret without a click, and the commands' states
// after each typed key.
#include "GuiTestSupport.h"

#include "canvas/CommandIds.h"
#include "tools/CommandRegistry.h"
#include "tools/ToolRegistry.h"
#include "tools/TypingCaret.h"

#include <QRegularExpression>
#include <QScrollBar>

class KeyboardTest : public QObject {
    Q_OBJECT

    CEditorUnderTest m_editor;

    CMainFrame* Frame() const { return m_editor.Frame(); }
    CRuvlenView* View() const { return m_editor.View(); }
    CRuvlenDoc& Doc() const { return m_editor.Doc(); }
    CTypingCaret* Caret() const { return CTypingCaret::Of(View()->GetDocument()); }
    // The key a tool tip names in its parentheses.
    static QKeySequence KeyInToolTip(const QAction* action) {
        const auto match =
            QRegularExpression(QStringLiteral("\\((.+)\\)$")).match(action->toolTip());
        return match.hasMatch() ? QKeySequence(match.captured(1), QKeySequence::NativeText)
                                : QKeySequence();
    }

private slots:
    void init() {
        QVERIFY(m_editor.Start());
        View()->setFocus();
    }
    void cleanup() { m_editor.Stop(); }

    // Pressing the key a tool or weight button's tool tip names chooses just
    // that button's command, so the tip and the key can never disagree.
    void keysInToolTipsChooseTheirButtons() {
        int checked = 0;
        for (const CCommandRow& row : CommandRegistry()) {
            if (row.group == ActionGroup::None || row.id == ID_TOOL_TYPE) continue;
            QAction* action = Frame()->Action(row.id);
            const QKeySequence key = KeyInToolTip(action);
            QVERIFY2(!key.isEmpty(), qPrintable(action->toolTip()));
            QTest::keySequence(View(), key);
            QVERIFY2(action->isChecked(), qPrintable(action->toolTip()));
            ++checked;
            if (Frame()->IsPaletteShown()) { // the symbol tool opened it: back to the canvas
                Frame()->OnCommand(ID_SYMBOL_TABLE);
                Frame()->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(Frame()));
                View()->setFocus();
            }
        }
        QCOMPARE(checked, int(ToolRows().size()) - 1 + 2);
    }

    // The typing tool by its key: the caret appears at the first cell in view,
    // takes typed keys at once, and comes back where it was after another tool.
    void typingToolByKeyShowsTheCaret() {
        View()->horizontalScrollBar()->setValue(0);
        View()->verticalScrollBar()->setValue(0);
        const QKeySequence typeKey = KeyInToolTip(Frame()->Action(ID_TOOL_TYPE));
        QTest::keySequence(View(), typeKey);
        QVERIFY(Frame()->Action(ID_TOOL_TYPE)->isChecked());
        QVERIFY(Caret());
        QCOMPARE(Caret()->Cell(), (CCellPoint{0, 0}));
        QTest::keyClicks(View(), QStringLiteral("ab"));
        QCOMPARE(Doc().Cell(0, 0).m_szText[0], 'a');
        QTest::keyClick(View(), Qt::Key_Down);
        const CCellPoint where = Caret()->Cell();
        QTest::keySequence(View(), KeyInToolTip(Frame()->Action(ID_TOOL_RECT)));
        QVERIFY(!Caret());
        QTest::keySequence(View(), typeKey);
        QVERIFY(Caret());
        QCOMPARE(Caret()->Cell(), where);
    }

    // Every typed key refreshes the commands: undo is there after the first
    // letter, without a menu being opened, and Ctrl+Z then takes the run back.
    void undoFollowsTypedKeys() {
        Frame()->OnCommand(ID_TOOL_TYPE);
        DragCells(View(), 2, 2, 2, 2);
        QVERIFY(!Frame()->Action(ID_EDIT_UNDO)->isEnabled());
        QTest::keyClicks(View(), QStringLiteral("xyz"));
        QVERIFY(Frame()->Action(ID_EDIT_UNDO)->isEnabled());
        QTest::keyClick(View(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Doc().Cell(2, 2).m_szText[0], ' ');
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
