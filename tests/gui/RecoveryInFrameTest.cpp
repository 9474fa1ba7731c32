// Recovery copies in the running editor: saving, closing and quitting remove
// them, restoring gives the canvas back in a window under its file's name in
// place of the empty canvas of the start, and the interval is a setting.
// Another program's copies are simulated with files and lock files that name
// a process that is not running.
#include "GuiTestSupport.h"
#include "RecoveryTestSupport.h"

#include "app/CanvasDocument.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/NumberDlg.h"
#include "app/RecoveryDlg.h"
#include "app/RecoveryManager.h"
#include "app/RuvlenApp.h"
#include "canvas/CommandIds.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/DocumentText.h"
#include "canvas/io/PrivateFolder.h"
#include "view/RuvlenView.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace recovery_test;

class RecoveryInFrameTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CRuvlenApp> m_app;

    QString Path(const QString& name) const { return m_dir->filePath(name); }
    QString Folder() const { return Path("state/tavik/recovery"); }
    CMainFrame* Frame() const { return m_app->MainFrame(); }
    CRecoveryManager* Recovery() const { return Frame()->Recovery(); }
    CCanvasDocument* Active() const { return Frame()->ActiveDocument(); }
    void Start(int seconds, const QString& file = QString()) {
        qputenv("XDG_STATE_HOME", Path("state").toUtf8());
        WriteBytes(Path("Tavik.ini"),
                   QByteArray("[Editing]\nRecoverySeconds=") + QByteArray::number(seconds) + "\n");
        m_app = std::make_unique<CRuvlenApp>(Path("Tavik.ini"));
        QVERIFY(m_app->InitInstance(file));
        QVERIFY(QTest::qWaitForWindowExposed(Frame()));
    }
    void Drag(int c1, int r1, int c2, int r2) { DragCells(Frame()->ActiveView(), c1, r1, c2, r2); }
    QStringList Files(const QString& pattern) const {
        return QDir(Folder()).entryList({pattern}, QDir::Files | QDir::Hidden);
    }
    // A copy of `document` as a program that died would have left it: the
    // copy and a lock naming a process that does not run. No lock at all when
    // lock is false.
    void LeaveDeadCopy(CCanvasDocument* document, const QString& id, bool lock = true) {
        recovery_test::LeaveDeadCopy(Folder(), document, id, document->PathName(), lock);
    }
    void Discard(CCanvasDocument* document) {
        document->Doc().SetModifiedFlag(0);
        Frame()->UpdateActions();
    }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() {
        if (m_app) ForgetChanges(Frame());
        m_app.reset();
    }

    void copiesGoOnSaveCloseAndExit() {
        Start(1);
        CCanvasDocument* saved = Active();
        Drag(0, 0, 5, 5);
        QTRY_VERIFY_WITH_TIMEOUT(!Recovery()->CopyPath(saved).isEmpty(), 5000);
        const QString savedCopy = Recovery()->CopyPath(saved);
        {
            CModalAnswerer answer([this](QWidget* w) {
                auto* dialog = qobject_cast<QFileDialog*>(w);
                ChooseFile(dialog, Path("a.txt"));
            });
            QVERIFY(Frame()->OnCommand(ID_FILE_SAVE));
        }
        QVERIFY(!QFile::exists(savedCopy));
        QCOMPARE(ReadBytes(Path("a.txt")), Text(saved));

        Frame()->OnCommand(ID_FILE_NEW);
        CCanvasDocument* dropped = Active();
        Drag(1, 1, 4, 4);
        QTRY_VERIFY_WITH_TIMEOUT(!Recovery()->CopyPath(dropped).isEmpty(), 5000);
        const QString droppedCopy = Recovery()->CopyPath(dropped);
        {
            auto no = AnswerMessageBox(QMessageBox::No);
            Frame()->OnCommand(ID_FILE_CLOSE);
        }
        QTRY_VERIFY(!QFile::exists(droppedCopy));

        Drag(2, 2, 6, 6); // the saved canvas is modified again
        Frame()->OnCommand(ID_FILE_NEW);
        Drag(0, 0, 3, 3);
        QTRY_VERIFY_WITH_TIMEOUT(Files("*.tvkr").size() == 2, 5000);
        {
            auto no = AnswerMessageBox(QMessageBox::No, 2);
            QVERIFY(Frame()->close());
        }
        m_app.reset();
        QCOMPARE(QDir(Folder()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void restoreGivesTheModifiedCanvasBackUnderItsName() {
        WriteBytes(Path("表.txt"), "┏━┓\n┗━┛\n");
        Start(1, Path("表.txt"));
        CCanvasDocument* original = Active();
        QCOMPARE(original->Format(), (CTextFormat{TextEncoding::Utf8, LineEnding::Lf}));
        Drag(5, 0, 9, 4);
        const QByteArray expected = Text(original);
        LeaveDeadCopy(original, "gone1");
        Frame()->NewDocument();
        LeaveDeadCopy(Active(), "gone2", false); // untitled, and no lock left at all
        Discard(original);                 // as if the file had been opened again after the crash
        Frame()->OnCommand(ID_FILE_CLOSE); // the untitled one
        QTRY_COMPARE(Frame()->DocumentCount(), 1);

        Recovery()->FindLeftCopies();
        QCOMPARE(int(Recovery()->LeftCopies().size()), 2);
        QVERIFY(Recovery()->SkippedFiles().isEmpty());
        Recovery()->RestoreLeftCopies();
        // The unchanged canvas of the same file gave way to the copy.
        QTRY_COMPARE(Frame()->DocumentCount(), 2);
        QTRY_COMPARE(Frame()->MdiArea()->subWindowList().size(), 2);
        QVERIFY(Files("gone*").isEmpty()); // taken over: copies renamed, locks released
        CCanvasDocument* restored = nullptr;
        for (QMdiSubWindow* w : Frame()->MdiArea()->subWindowList()) {
            CCanvasDocument* d = static_cast<CChildFrame*>(w)->Document();
            QVERIFY(d->IsModified());
            QVERIFY(!Recovery()->CopyPath(d).isEmpty()); // never without a copy
            if (!d->PathName().isEmpty()) restored = d;
        }
        QVERIFY(restored);
        QCOMPARE(restored->PathName(), QFileInfo(Path("表.txt")).absoluteFilePath());
        QCOMPARE(restored->Title(), QString("表.txt"));
        QCOMPARE(restored->Format(), (CTextFormat{TextEncoding::Utf8, LineEnding::Lf}));
        QCOMPARE(Text(restored), expected);
        // Saving writes the original file, without asking for a name.
        for (QMdiSubWindow* w : Frame()->MdiArea()->subWindowList())
            if (static_cast<CChildFrame*>(w)->Document() == restored)
                Frame()->MdiArea()->setActiveSubWindow(w);
        const QString copy = Recovery()->CopyPath(restored);
        QVERIFY(Frame()->OnCommand(ID_FILE_SAVE));
        QCOMPARE(ReadBytes(Path("表.txt")), expected);
        QVERIFY(!QFile::exists(copy));
    }

    void restoringClosesTheEmptyCanvasOfTheStart() {
        Start(1);
        QVERIFY(!Active()->IsModified());
        CCanvasDocument drawn(m_app->m_settings.Defaults());
        drawn.Doc().DrawRectangle(nullptr, 0, 0, 6, 3, 1);
        LeaveDeadCopy(&drawn, "gone4");
        {
            CModalAnswerer restore(
                [](QWidget* w) { qobject_cast<CRecoveryDlg*>(w)->m_pRestore->click(); });
            Recovery()->OfferLeftCopies();
            QCOMPARE(restore.Count(), 1);
        }
        QTRY_COMPARE(Frame()->DocumentCount(), 1);
        QVERIFY(Active()->IsModified()); // the restored canvas, not the start one
        QCOMPARE(Text(Active()), Text(&drawn));
        QCOMPARE(Active()->Title(), QString("Canvas1")); // numbered as at a fresh start
        // Answered 後で, the start canvas stays.
        LeaveDeadCopy(&drawn, "gone5");
        Frame()->NewDocument();
        {
            CModalAnswerer later(
                [](QWidget* w) { qobject_cast<CRecoveryDlg*>(w)->m_pLater->click(); });
            Recovery()->OfferLeftCopies();
        }
        QCOMPARE(Frame()->DocumentCount(), 2);
    }

    void theIntervalIsASettingAndZeroMeansNoCopies() {
        Start(1);
        CCanvasDocument* document = Active();
        QMenu* settings = Frame()->menuBar()->actions().at(1)->menu();
        const QList<QAction*> items = settings->actions();
        QCOMPARE(items.last()->text(), QString("復元用の保存間隔(&R)..."));
        QCOMPARE(items.value(items.size() - 2), Frame()->Action(ID_UNDO_LEVELS));
        Drag(0, 0, 5, 5);
        QTRY_VERIFY_WITH_TIMEOUT(!Recovery()->CopyPath(document).isEmpty(), 5000);
        const QString file = Recovery()->CopyPath(document);
        {
            CModalAnswerer set([](QWidget* w) {
                auto* dialog = qobject_cast<CNumberDlg*>(w);
                QCOMPARE(dialog->m_pNumber->value(), 1);
                dialog->m_pNumber->setValue(0);
                dialog->accept();
            });
            QVERIFY(Frame()->OnCommand(ID_RECOVERY_SECONDS));
        }
        QVERIFY(ReadBytes(Path("Tavik.ini")).contains("RecoverySeconds=0\n"));
        QVERIFY(!QFile::exists(file));
        Drag(0, 6, 5, 6);
        QCOMPARE(Recovery()->DueInMs(document), -1);
    }
};

QTEST_MAIN(RecoveryInFrameTest)
#include "RecoveryInFrameTest.moc"
