// Recovery copies without a main frame, through a stand-in for the window they
// serve: when a copy is written, that programs never touch each other's
// copies, what the question shows, and the attacks a folder others can reach
// allows (links planted under the names of copies about to be written or
// restored, a folder that is a link or open to others). Another program's
// copies are simulated with files and lock files that name a process that is
// not running.
#include "GuiTestSupport.h"
#include "RecoveryTestSupport.h"

#include "app/AppSettings.h"
#include "app/CanvasDocument.h"
#include "app/RecoveryDlg.h"
#include "app/RecoveryHost.h"
#include "app/RecoveryManager.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/DocumentText.h"
#include "canvas/io/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class CFakeHost : public CRecoveryHost {
public:
    void ShowRecoveryMessage(const QString& text) override { m_messages << text; }
    CCanvasDocument* AddRestoredDocument(std::unique_ptr<CCanvasDocument> document) override {
        m_restored.push_back(std::move(document));
        return m_restored.back().get();
    }
    void CloseUnchangedCanvases(const QString& path) override { m_closed << path; }
    QWidget* RecoveryDialogParent() override { return &m_window; }

    QStringList m_messages, m_closed;
    std::vector<std::unique_ptr<CCanvasDocument>> m_restored;
    QWidget m_window;
};

mode_t ModeOf(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

} // namespace

using namespace recovery_test;

class RecoveryManagerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    CAppSettings m_settings;
    CFakeHost m_host;
    std::unique_ptr<CRecoveryManager> m_manager;
    std::vector<std::unique_ptr<CCanvasDocument>> m_documents;

    QString Path(const QString& name) const { return m_dir->filePath(name); }
    QString Folder() const { return Path("state/tavik/recovery"); }
    CRecoveryManager* Start(int seconds, const QString& folder = QString()) {
        m_settings.m_nRecoverySeconds = seconds;
        m_manager = std::make_unique<CRecoveryManager>(&m_host, &m_settings,
                                                       folder.isEmpty() ? Folder() : folder);
        return m_manager.get();
    }
    CCanvasDocument* NewCanvas() {
        m_documents.push_back(std::make_unique<CCanvasDocument>(m_settings.Defaults()));
        return m_documents.back().get();
    }
    // An edit as a window makes it: cells change, then the manager hears of it.
    void Draw(CCanvasDocument* document, int left, int top, int right, int bottom) {
        document->Doc().DrawRectangle(nullptr, left, top, right, bottom, 1);
        m_manager->Notice(document);
    }
    QStringList Files(const QString& pattern) const {
        return QDir(Folder()).entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System);
    }
    void LeaveDeadCopy(CCanvasDocument* document, const QString& id, const QString& path = "") {
        recovery_test::LeaveDeadCopy(Folder(), document, id, path);
    }
    // Someone else's file, which nothing the manager does may touch.
    QString Victim() {
        const QString victim = Path("victim.txt");
        WriteBytes(victim, "the victim's own text\n");
        ::chmod(QFile::encodeName(victim).constData(), 0644);
        return victim;
    }
    void VerifyUntouched(const QString& victim) {
        QCOMPARE(ReadBytes(victim), QByteArray("the victim's own text\n"));
        QCOMPARE(ModeOf(victim) & 07777, mode_t(0644));
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_host.m_messages.clear();
        m_host.m_closed.clear();
    }
    void cleanup() {
        m_manager.reset();
        m_host.m_restored.clear();
        m_documents.clear();
    }

    void copyFollowsChangesAfterAQuietMoment() {
        Start(60);
        CCanvasDocument* document = NewCanvas();
        m_manager->Notice(document);
        QVERIFY(m_manager->CopyPath(document).isEmpty()); // nothing to keep yet
        QCOMPARE(m_manager->DueInMs(document), -1);
        Draw(document, 0, 0, 5, 5);
        // (Timers may be off by a few percent either way.)
        const int first = m_manager->DueInMs(document);
        QVERIFY2(first > 1000 && first <= 2200, qPrintable(QString::number(first)));
        QTest::qWait(300);
        Draw(document, 7, 0, 9, 3); // a new change starts the wait again
        QVERIFY(m_manager->DueInMs(document) > 1800);
        m_manager->Notice(document); // nothing changed: the wait goes on as it was
        QTRY_VERIFY_WITH_TIMEOUT(!m_manager->CopyPath(document).isEmpty(), 6000);
        const QString file = m_manager->CopyPath(document);
        QCOMPARE(CopyText(file, document->Format()), Text(document));
        QCOMPARE(ModeOf(file) & 07777, mode_t(0600));
        QCOMPARE(ModeOf(Folder()) & 07777, mode_t(0700));
        // After a copy, the next one waits a whole interval.
        Draw(document, 0, 8, 5, 9);
        QVERIFY(m_manager->DueInMs(document) > 55000);
        // Back to unmodified: the copy goes.
        document->Doc().SetModifiedFlag(0);
        m_manager->Notice(document);
        QVERIFY(!QFile::exists(file));
        QCOMPARE(m_manager->DueInMs(document), -1);
    }

    void anotherRunningProgramsCopiesAreLeftAlone() {
        Start(1);
        CCanvasDocument* document = NewCanvas();
        Draw(document, 0, 0, 5, 5);
        QTRY_VERIFY_WITH_TIMEOUT(!m_manager->CopyPath(document).isEmpty(), 5000);
        const QString file = m_manager->CopyPath(document);
        const QStringList before = Files("*");
        {
            // A second program in the same folder: it neither offers, takes
            // nor removes the first one's copy, and ends without touching it.
            CRecoveryManager second(&m_host, &m_settings, Folder());
            second.FindLeftCopies();
            QVERIFY(second.LeftCopies().empty());
            QVERIFY(second.SkippedFiles().isEmpty());
            second.DiscardLeftCopies();
            QCOMPARE(Files("*"), before);
        }
        QCOMPARE(Files("*"), before);
        QCOMPARE(CopyText(file, document->Format()), Text(document));
        // Once the first program is gone, its copy is offered.
        m_manager.reset();
        LeaveDeadCopy(document, "gone0");
        Start(1);
        m_manager->FindLeftCopies();
        QCOMPARE(int(m_manager->LeftCopies().size()), 1);
        m_manager->KeepLeftCopies();
    }

    void theQuestionShowsEachCopysFileFirstLinesAndSize() {
        Start(1);
        CCanvasDocument* table = NewCanvas();
        table->Doc().m_nColumns = 57;
        table->Doc().PutTextHorizontal(nullptr, 2, 3, 20, 3, "\x95\x5C\x91\xE8 one");
        table->Doc().PutTextHorizontal(nullptr, 2, 4, 20, 4, "two");
        LeaveDeadCopy(table, "gone1", "/home/u/図面/表.txt");
        CCanvasDocument* sketch = NewCanvas();
        sketch->Doc().PutTextHorizontal(nullptr, 0, 0, 9, 0, "sketch");
        LeaveDeadCopy(sketch, "gone2");
        WriteBytes(QDir(Folder()).filePath("gone2-2.tvkr"), "TAVIKRCV broken");
        WriteBytes(QDir(Folder()).filePath("memo.txt"), "not a copy");
        QList<QStringList> rows;
        QStringList notes, previews;
        {
            CModalAnswerer later([&](QWidget* w) {
                auto* dialog = qobject_cast<CRecoveryDlg*>(w);
                QVERIFY(dialog);
                for (int i = 0; i < dialog->m_pList->topLevelItemCount(); ++i) {
                    QStringList row;
                    for (int c = 0; c < 3; ++c) row << dialog->m_pList->topLevelItem(i)->text(c);
                    rows << row;
                    dialog->m_pList->setCurrentItem(dialog->m_pList->topLevelItem(i));
                    previews << dialog->m_pPreview->toPlainText();
                }
                if (auto* note = dialog->findChild<QLabel*>("skippedNote")) notes << note->text();
                QVERIFY(dialog->m_pRestore->isDefault());
                dialog->m_pLater->click();
            });
            m_manager->OfferLeftCopies();
            QCOMPARE(later.Count(), 1);
        }
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0], QStringList({QDir::toNativeSeparators("/home/u/図面/表.txt"),
                                       QString("表題 one"), QString("57 桁 × 30 行")}));
        QCOMPARE(rows[1],
                 QStringList({QString("無題"), QString("sketch"), QString("40 桁 × 30 行")}));
        QCOMPARE(previews[0], QString("    表題 one\n    two"));
        QCOMPARE(notes.size(), 1);
        QVERIFY(notes[0].contains("gone2-2.tvkr") && notes[0].contains("memo.txt"));
        // 後で leaves everything; 破棄 removes the readable copies only.
        QCOMPARE(Files("gone*-*").size(), 3);
        {
            CModalAnswerer discard(
                [](QWidget* w) { qobject_cast<CRecoveryDlg*>(w)->m_pDiscard->click(); });
            m_manager->OfferLeftCopies();
        }
        QCOMPARE(Files("gone*"), QStringList({"gone2-2.tvkr"}));
        QVERIFY(QFile::exists(QDir(Folder()).filePath("memo.txt")));
        QVERIFY(m_host.m_restored.empty());
    }

    void restoringTakesTheCopyOverAndClosesTheStartCanvas() {
        Start(1);
        CCanvasDocument* original = NewCanvas();
        Draw(original, 2, 2, 8, 6);
        LeaveDeadCopy(original, "gone3", Path("表.txt"));
        m_manager->FindLeftCopies();
        QCOMPARE(int(m_manager->LeftCopies().size()), 1);
        m_manager->RestoreLeftCopies();
        QCOMPARE(int(m_host.m_restored.size()), 1);
        CCanvasDocument* restored = m_host.m_restored[0].get();
        QVERIFY(restored->IsModified());
        QCOMPARE(restored->PathName(), Path("表.txt"));
        QCOMPARE(Text(restored), Text(original));
        // The empty canvas of the start, then the unchanged canvas of that file.
        QCOMPARE(m_host.m_closed, QStringList({QString(), Path("表.txt")}));
        QVERIFY(Files("gone3*").isEmpty());
        const QString copy = m_manager->CopyPath(restored);
        QVERIFY(!copy.isEmpty()); // never without a copy
        QCOMPARE(CopyText(copy, restored->Format()), Text(original));
    }

    void anUnwritableFolderTurnsCopiesOffOnce() {
        WriteBytes(Path("state"), "a file where the folder should be");
        Start(1);
        CCanvasDocument* document = NewCanvas();
        Draw(document, 0, 0, 5, 5);
        QTRY_COMPARE_WITH_TIMEOUT(m_host.m_messages.size(), 1, 5000);
        QVERIFY(m_host.m_messages[0].contains("復元用のコピー"));
        Draw(document, 0, 6, 5, 6);
        QVERIFY(m_manager->DueInMs(document) >= 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_manager->DueInMs(document), -1, 5000);
        QCOMPARE(m_host.m_messages.size(), 1);
        QVERIFY(m_manager->CopyPath(document).isEmpty());
    }

    // A folder that is a link, or that others may write, is never used: not
    // written, not read, not chmodded; one message says why.
    void aFolderOthersCouldReachTurnsCopiesOff() {
        const QString target = Path("target");
        QVERIFY(QDir().mkpath(target));
        ::chmod(QFile::encodeName(target).constData(), 0755);
        QVERIFY(QDir().mkpath(Path("state/tavik")));
        QVERIFY(QFile::link(target, Folder()));
        CCanvasDocument* dead = NewCanvas();
        dead->Doc().DrawRectangle(nullptr, 0, 0, 3, 3, 0);
        Start(1);
        CCanvasDocument* document = NewCanvas();
        Draw(document, 0, 0, 5, 5);
        QTRY_COMPARE_WITH_TIMEOUT(m_host.m_messages.size(), 1, 5000);
        QVERIFY(m_host.m_messages[0].contains("シンボリックリンク"));
        QCOMPARE(ModeOf(target) & 07777, mode_t(0755));
        QVERIFY(QDir(target).isEmpty());

        QFile::remove(Folder());
        LeaveDeadCopy(dead, "gone4"); // copies another user could have planted
        ::chmod(QFile::encodeName(Folder()).constData(), 0777);
        m_host.m_messages.clear();
        Start(1);
        m_manager->FindLeftCopies();
        QVERIFY(m_manager->LeftCopies().empty());
        QCOMPARE(m_host.m_messages.size(), 1);
        QVERIFY(m_host.m_messages[0].contains("他のユーザーも書き込める"));
        Draw(document, 0, 6, 5, 6);
        QTest::qWait(1200);
        QCOMPARE(Files("*").size(), 2); // only what was there
        QCOMPARE(m_host.m_messages.size(), 1);
    }

    void anotherUsersFolderTurnsCopiesOff() {
        if (::geteuid() != 0) QSKIP("giving a folder to another user needs root");
        QVERIFY(QDir().mkpath(Folder()));
        ::chmod(QFile::encodeName(Folder()).constData(), 0777);
        QCOMPARE(::chown(QFile::encodeName(Folder()).constData(), 65534, 65534), 0);
        Start(1);
        CCanvasDocument* document = NewCanvas();
        Draw(document, 0, 0, 5, 5);
        QTRY_COMPARE_WITH_TIMEOUT(m_host.m_messages.size(), 1, 5000);
        QVERIFY(m_host.m_messages[0].contains("他のユーザーのもの"));
        QVERIFY(Files("*").isEmpty());
    }

    // Links under the names of the next copies are replaced, never written
    // through; a copy replaced by a link after it was found is never written
    // through on restore; a copy that is a link is not read.
    void plantedLinksAreNeverWrittenThrough() {
        const QString victim = Victim();
        Start(1);
        CCanvasDocument* first = NewCanvas();
        Draw(first, 0, 0, 5, 5);
        QTRY_VERIFY_WITH_TIMEOUT(!m_manager->CopyPath(first).isEmpty(), 5000);
        const QString name = QFileInfo(m_manager->CopyPath(first)).fileName();
        const QString stem = name.left(name.lastIndexOf('-'));
        for (int serial = 2; serial <= 4; ++serial)
            QVERIFY(QFile::link(
                victim, QDir(Folder()).filePath(QString("%1-%2.tvkr").arg(stem).arg(serial))));
        CCanvasDocument* second = NewCanvas();
        Draw(second, 1, 1, 4, 4);
        QTRY_VERIFY_WITH_TIMEOUT(!m_manager->CopyPath(second).isEmpty(), 5000);
        VerifyUntouched(victim);
        QCOMPARE(CopyText(m_manager->CopyPath(second), second->Format()), Text(second));
        m_manager.reset();
        for (const QString& link : Files(stem + "-*")) QFile::remove(QDir(Folder()).filePath(link));

        CCanvasDocument* dead = NewCanvas();
        dead->Doc().DrawRectangle(nullptr, 0, 0, 3, 3, 0);
        LeaveDeadCopy(dead, "gone5");
        LeaveDeadCopy(dead, "gone6");
        // gone6's copy is a link to a whole copy elsewhere: skipped, not read.
        const QString elsewhere = Path("elsewhere.tvkr");
        QVERIFY(QFile::rename(QDir(Folder()).filePath("gone6-1.tvkr"), elsewhere));
        QVERIFY(QFile::link(elsewhere, QDir(Folder()).filePath("gone6-1.tvkr")));
        Start(1);
        m_manager->FindLeftCopies();
        QCOMPARE(int(m_manager->LeftCopies().size()), 1);
        QCOMPARE(m_manager->SkippedFiles().size(), 1);
        QVERIFY(m_manager->SkippedFiles()[0].startsWith("gone6-1.tvkr: "));
        // Between the question and the answer, gone5's copy becomes a link.
        const QString left = QDir(Folder()).filePath("gone5-1.tvkr");
        QVERIFY(QFile::remove(left));
        QVERIFY(QFile::link(victim, left));
        m_manager->RestoreLeftCopies();
        QCOMPARE(int(m_host.m_restored.size()), 1);
        CCanvasDocument* restored = m_host.m_restored[0].get();
        Draw(restored, 5, 5, 9, 9);
        QTRY_COMPARE_WITH_TIMEOUT(CopyText(m_manager->CopyPath(restored), restored->Format()),
                                  Text(restored), 5000);
        VerifyUntouched(victim);
        QVERIFY(!QFileInfo(left).isSymLink()); // the link itself went
    }
};

QTEST_MAIN(RecoveryManagerTest)
#include "RecoveryManagerTest.moc"
