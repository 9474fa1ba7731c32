// What the window tells the user: a refusal by every route a command takes,
// the question before a paste larger than the canvas, and the warnings of
// opening files, one per drop however many files it held.
#include "GuiTestSupport.h"

#include "canvas/CommandIds.h"

#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QStatusTipEvent>
#include <QUrl>

class MessagesTest : public QObject {
    Q_OBJECT

    CEditorUnderTest m_editor;

    CMainFrame* Frame() const { return m_editor.Frame(); }
    CRuvlenView* View() const { return m_editor.View(); }
    CRuvlenDoc& Doc() const { return m_editor.Doc(); }
    QString Write(const QString& name, const QByteArray& bytes) {
        QFile f(m_editor.Path(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }
    QPoint CellPoint(int c, int r) const {
        const int d = Doc().m_nCellSize;
        return QPoint(Doc().m_nOriginX + c * d + d / 2, Doc().m_nOriginY + r * d + d / 2) -
               View()->ScrollPosition();
    }
    // A canvas whose last line holds text, all of it selected: inserting
    // lines or columns would push that text off, so both are refused.
    void FullCanvas() {
        Doc().Cell(0, Doc().m_nLines - 1).SetText("ab");
        Doc().Cell(Doc().m_nColumns - 1, 0).SetText("ab");
        QVERIFY(Frame()->OnCommand(ID_SELECT_ALL));
    }

private slots:
    void init() {
        QVERIFY(m_editor.Start());
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() { m_editor.Stop(); }

    // The action itself (what a menu item, a toolbar button and a key all
    // trigger) and a click in the context menu both show the refusal, in a
    // box and in the status bar.
    void refusedInsertIsShownByEveryRoute() {
        FullCanvas();
        for (int id : {ID_INSERT_LINES, ID_INSERT_COLUMNS}) {
            auto box = AnswerMessageBox(QMessageBox::Ok);
            Frame()->Action(id)->trigger();
            QTRY_COMPARE(box->Count(), 1);
            QVERIFY(box->Texts().value(0).contains(QStringLiteral("キャンバスの外")));
            QVERIFY(Frame()->MessageText().contains(QStringLiteral("キャンバスの外")));
        }
        auto box = AnswerMessageBox(QMessageBox::Ok);
        QTimer::singleShot(50, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* a : menu->actions())
                if (a->text() == QStringLiteral("行の挿入"))
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
        });
        QTest::mouseClick(View()->viewport(), Qt::RightButton, {}, CellPoint(3, 3));
        QTRY_COMPARE(box->Count(), 1);
        QVERIFY(box->Texts().value(0).contains(QStringLiteral("キャンバスの外")));
    }

    // Text wider than the canvas asks first; each answer does what it says and
    // no line is ever wrapped into the next.
    void pasteLargerThanTheCanvasAsks() {
        const int columns = Doc().m_nColumns;
        const QString wide = QString(2 * (columns + 20), QLatin1Char('x'));
        QGuiApplication::clipboard()->setText(wide + QStringLiteral("\n") + wide);
        QTRY_VERIFY(Frame()->Action(ID_EDIT_PASTE)->isEnabled());

        auto cancel = AnswerMessageBox(QMessageBox::Cancel);
        Frame()->OnCommand(ID_EDIT_PASTE);
        QCOMPARE(cancel->Count(), 1);
        QVERIFY(cancel->Texts().value(0).contains(QStringLiteral("(%1×2)").arg(columns + 20)));
        QCOMPARE(Doc().m_nToolState, 0);

        auto no = AnswerMessageBox(QMessageBox::No);
        Frame()->OnCommand(ID_EDIT_PASTE);
        QCOMPARE(Doc().m_nBufferColumns, columns);
        // A toolbar or menu prompt that comes and goes leaves the notice in place.
        QStatusTipEvent prompt(QStringLiteral("prompt")), gone{QString()};
        QApplication::sendEvent(Frame(), &prompt);
        QApplication::sendEvent(Frame(), &gone);
        QVERIFY(Frame()->MessageText().contains(QStringLiteral("2 行")));
        QVERIFY(View()->Controller().CancelGesture());

        auto yes = AnswerMessageBox(QMessageBox::Yes);
        Frame()->OnCommand(ID_EDIT_PASTE);
        QCOMPARE(Doc().m_nColumns, columns + 20);
        QCOMPARE(Doc().m_nBufferColumns, columns + 20);
    }

    // The warning on open names only what happened: nothing is said to be
    // lost unless something was cut.
    void openWarningNamesWhatHappened() {
        const QByteArray wrapped = QByteArray(250, 'w') + "\r\n";
        QByteArray cut;
        for (int i = 0; i < 120; ++i) cut += "x\r\n";
        const struct {
            QByteArray bytes;
            bool lost;
        } files[] = {{wrapped, false}, {cut, true}};
        int n = 0;
        for (const auto& file : files) {
            auto answers = AnswerOpenPart(0, 0, 2); // the whole file, then the warning
            QVERIFY(Frame()->OpenDocument(Write(QStringLiteral("f%1.txt").arg(++n), file.bytes)));
            QCOMPARE(answers->Texts().size(), 1);
            QCOMPARE(answers->Texts().value(0).contains(QStringLiteral("失われます")), file.lost);
        }
    }

    // Dropped files: a picture and a folder are refused, the text opens, and
    // all of it is told in one box, however many files there were.
    void aDropWarnsOnce() {
        QList<QUrl> urls;
        for (int i = 0; i < 12; ++i)
            urls << QUrl::fromLocalFile(Write(QStringLiteral("p%1.png").arg(i),
                                              QByteArray("\x89PNG\r\n\x1A\n\0\0\0\x0D", 12)));
        urls << QUrl::fromLocalFile(Write(QStringLiteral("good.txt"), "abc\r\n"));
        const int before = Frame()->MdiArea()->subWindowList().size();
        QMimeData data;
        data.setUrls(urls);
        QStringList details;
        CModalAnswerer once(
            [&](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                QVERIFY(box);
                details = box->detailedText().split(QStringLiteral("\n\n"));
                box->accept();
            },
            2);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(Frame(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(Frame(), &drop);
        QCOMPARE(once.Count(), 1);
        QVERIFY(once.Texts().value(0).contains(QStringLiteral("テキスト ファイルではありません")));
        QCOMPARE(details.size(), 12);
        QCOMPARE(Frame()->MdiArea()->subWindowList().size(), before + 1);
    }
};

QTEST_MAIN(MessagesTest)
#include "MessagesTest.moc"
