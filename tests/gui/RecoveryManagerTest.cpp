// Recovery copies in the running program: when a copy is written and when it
// goes, what restoring gives, and that programs never touch each other's
// copies. Another program's copies are simulated with files and lock files
// that name a process that is not running.
#include "GuiTestSupport.h"

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

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class RecoveryManagerTest : public QObject {
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
    // The copy on disk, read back into a canvas.
    static QByteArray CopyText(const QString& file, const CTextFormat& format) {
        CRecoveryFile copy;
        std::string why;
        if (!copy.Read(file.toStdString(), why)) return QByteArray("<unreadable>");
        CRuvlenDoc doc;
        copy.RestoreTo(doc);
        return QByteArray::fromStdString(DocumentText(doc, format));
    }
    static QByteArray Text(CCanvasDocument* document) {
        return QByteArray::fromStdString(DocumentText(document->Doc(), document->Format()));
    }
    // A copy of `document` as a program that died would have left it: the
    // copy and a lock naming a process that does not run. No lock at all when
    // lock is false.
    void LeaveDeadCopy(CCanvasDocument* document, const QString& id, bool lock = true) {
        QDir().mkpath(Folder());
        const CRecoveryFile copy = CRecoveryFile::FromDocument(
            document->Doc(), document->PathName().toStdString(), false, 1765280000000);
        std::string error;
        QVERIFY(copy.Write(QDir(Folder()).filePath(id + "-1.tvkr").toStdString(), error));
        if (lock)
            WriteBytes(QDir(Folder()).filePath(id + ".lock"),
                       "2147483647\ntavik\n" + QSysInfo::machineHostName().toUtf8() + "\n");
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

    void copyFollowsChangesAfterAQuietMoment() {
        Start(60);
        CCanvasDocument* document = Active();
        QVERIFY(Recovery()->CopyPath(document).isEmpty()); // nothing to keep yet
        Drag(0, 0, 5, 5);
        // (Timers may be off by a few percent either way.)
        const int first = Recovery()->DueInMs(document);
        QVERIFY2(first > 1000 && first <= 2200, qPrintable(QString::number(first)));
        QTest::qWait(300);
        Drag(7, 0, 9, 3); // a new change starts the wait again
        QVERIFY(Recovery()->DueInMs(document) > 1800);
        QTRY_VERIFY_WITH_TIMEOUT(!Recovery()->CopyPath(document).isEmpty(), 6000);
        const QString file = Recovery()->CopyPath(document);
        QCOMPARE(CopyText(file, document->Format()), Text(document));
        QCOMPARE(QFile::permissions(file) & 0x7777,
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(QFile::permissions(Folder()) & 0x0077, QFileDevice::Permissions());
        // After a copy, the next one waits a whole interval.
        Drag(0, 8, 5, 8);
        QVERIFY(Recovery()->DueInMs(document) > 55000);
        // Clicking without changing anything does not start a wait.
        Discard(document);
        Frame()->OnCommand(ID_FILE_NEW);
        QVERIFY(Recovery()->CopyPath(document).isEmpty());
        QCOMPARE(Recovery()->DueInMs(Active()), -1);
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
                dialog->selectFile(Path("a.txt"));
                QMetaObject::invokeMethod(dialog, "accept");
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

    void anotherRunningProgramsCopiesAreLeftAlone() {
        Start(1);
        CCanvasDocument* document = Active();
        Drag(0, 0, 5, 5);
        QTRY_VERIFY_WITH_TIMEOUT(!Recovery()->CopyPath(document).isEmpty(), 5000);
        const QString file = Recovery()->CopyPath(document);
        const QStringList before = Files("*");
        {
            // A second program in the same folder: it neither offers, takes
            // nor removes the first one's copy, and ends without touching it.
            CRecoveryManager second(Frame(), &m_app->m_settings, Folder());
            second.FindLeftCopies();
            QVERIFY(second.LeftCopies().empty());
            QVERIFY(second.SkippedFiles().isEmpty());
            second.DiscardLeftCopies();
            QCOMPARE(Files("*"), before);
        }
        QCOMPARE(Files("*"), before);
        QCOMPARE(CopyText(file, document->Format()), Text(document));
    }

    void theQuestionListsCopiesAndNotesBrokenFiles() {
        Start(1);
        Drag(0, 0, 5, 5);
        LeaveDeadCopy(Active(), "gone3");
        WriteBytes(QDir(Folder()).filePath("gone3-2.tvkr"), "TAVIKRCV broken");
        WriteBytes(QDir(Folder()).filePath("memo.txt"), "not a copy");
        QStringList rows, notes;
        {
            CModalAnswerer later([&](QWidget* w) {
                auto* dialog = qobject_cast<CRecoveryDlg*>(w);
                QVERIFY(dialog);
                for (int i = 0; i < dialog->m_pList->topLevelItemCount(); ++i)
                    rows << dialog->m_pList->topLevelItem(i)->text(0);
                if (auto* note = dialog->findChild<QLabel*>("skippedNote")) notes << note->text();
                QVERIFY(dialog->m_pRestore->isDefault());
                dialog->m_pLater->click();
            });
            Recovery()->OfferLeftCopies();
            QCOMPARE(later.Count(), 1);
        }
        QCOMPARE(rows, QStringList({"無題"}));
        QCOMPARE(notes.size(), 1);
        QVERIFY(notes[0].contains("gone3-2.tvkr") && notes[0].contains("memo.txt"));
        // 後で leaves everything; 破棄 removes the readable copy only.
        QCOMPARE(Files("gone3-*").size(), 2);
        {
            CModalAnswerer discard(
                [](QWidget* w) { qobject_cast<CRecoveryDlg*>(w)->m_pDiscard->click(); });
            Recovery()->OfferLeftCopies();
        }
        QCOMPARE(Files("gone3*"), QStringList({"gone3-2.tvkr"}));
        QVERIFY(QFile::exists(QDir(Folder()).filePath("memo.txt")));
        QCOMPARE(Frame()->DocumentCount(), 1);
    }

    void anUnwritableFolderTurnsCopiesOffOnce() {
        WriteBytes(Path("state"), "a file where the folder should be");
        Start(1);
        CCanvasDocument* document = Active();
        Drag(0, 0, 5, 5);
        QTRY_VERIFY_WITH_TIMEOUT(Frame()->MessageText().contains("復元用のコピー"), 5000);
        Frame()->statusBar()->clearMessage();
        Drag(0, 6, 5, 6);
        QVERIFY(Recovery()->DueInMs(document) >= 0);
        QTRY_COMPARE_WITH_TIMEOUT(Recovery()->DueInMs(document), -1, 5000);
        QVERIFY(!Frame()->MessageText().contains("復元用のコピー"));
        QVERIFY(document->Doc().Cell(5, 6).m_bLine); // editing goes on
        QVERIFY(Recovery()->CopyPath(document).isEmpty());
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

QTEST_MAIN(RecoveryManagerTest)
#include "RecoveryManagerTest.moc"
