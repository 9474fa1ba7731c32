// Opening a part of a file that does not fit a canvas, in the window: the
// question with the file's diagram blocks, the title and status of a part,
// saving it back, and a save refused because the file changed on disk.
#include "GuiTestSupport.h"

#include "app/CanvasDocument.h"
#include "app/MainFrame.h"
#include "app/OpenPartDlg.h"
#include "app/RuvlenApp.h"
#include "canvas/CommandIds.h"
#include "canvas/io/RecoveryFile.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

class PartOfFileTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CRuvlenApp> m_app;
    QByteArray m_long; // 130 lines; a diagram at 61..63 inside a fence, one at 121..123

    QString Path(const QString& name) const { return m_dir->filePath(name); }
    CMainFrame* Frame() const { return m_app->MainFrame(); }
    void Start(const QString& file = QString()) {
        m_app = std::make_unique<CRuvlenApp>(Path("Tavik.ini"));
        QVERIFY(m_app->InitInstance(file));
        QVERIFY(QTest::qWaitForWindowExposed(Frame()));
    }
    void Write(const QString& name, const QByteArray& bytes) { WriteBytes(Path(name), bytes); }
    QByteArray Read(const QString& name) { return ReadBytes(Path(name)); }
    // Opens long.md at its second diagram block, as a user picks it in the list.
    CCanvasDocument* OpenSecondBlock() {
        Write("long.md", m_long);
        QStringList blocks;
        CModalAnswerer pick([&](QWidget* w) {
            auto* dialog = qobject_cast<COpenPartDlg*>(w);
            if (!dialog) return;
            for (int i = 0; i < dialog->m_pBlockList->count(); ++i)
                blocks << dialog->m_pBlockList->item(i)->text();
            dialog->m_pBlockList->setCurrentRow(1);
            dialog->findChild<QPushButton*>("ok")->click();
        });
        Frame()->OpenDocument(Path("long.md"));
        [&] { QCOMPARE(blocks, (QStringList{"61–63 行  ┌──┐", "121–123 行  ┏━━┓"})); }();
        return Frame()->ActiveDocument();
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_long.clear();
        for (int i = 1; i <= 130; ++i) {
            if (i == 60 || i == 64)
                m_long += "```\n";
            else if (i == 61 || i == 121)
                m_long += i == 61 ? "┌──┐\n" : "┏━━┓\n";
            else if (i == 62 || i == 122)
                m_long += i == 62 ? "│  │  \n" : "┃  ┃\n";
            else if (i == 63 || i == 123)
                m_long += i == 63 ? "└──┘\n" : "┗━━┛\n";
            else if (i == 120 || i == 124 || i % 10 == 0)
                m_long += "\n";
            else
                m_long += "text line " + QByteArray::number(i) + "\t \n";
        }
    }
    void cleanup() {
        ForgetChanges(m_app ? Frame() : nullptr);
        m_app.reset();
        m_dir.reset();
    }

    void aBlockOpensAsAPartAndSavesBackInPlace() {
        Start();
        CCanvasDocument* document = OpenSecondBlock();
        QVERIFY(document && document->Part());
        QCOMPARE(document->Title(), QString("long.md (121–123 行)"));
        QVERIFY(Frame()->ActiveFrame()->windowTitle().startsWith("long.md (121–123 行)"));
        QVERIFY(Frame()->PartText().contains("121–123 行"));
        QVERIFY(Frame()->findChild<QLabel*>("partPane")->isVisible());
        // Saved with no edits: the file as it was.
        QVERIFY(Frame()->SaveDocument(document, false));
        QCOMPARE(Read("long.md"), m_long);
        // A box drawn under the diagram, a blank line between: four lines
        // more, the rest moved down.
        DragCells(Frame()->ActiveView(), 0, 4, 3, 6);
        QVERIFY(Frame()->OnCommand(ID_FILE_SAVE));
        const QList<QByteArray> was = m_long.split('\n'), now = Read("long.md").split('\n');
        QCOMPARE(now.size(), was.size() + 4);
        QCOMPARE(now.mid(0, 123), was.mid(0, 123));
        QCOMPARE(now.mid(127), was.mid(123));
        QCOMPARE(document->Title(), QString("long.md (121–127 行)"));
        QVERIFY(!document->IsModified());
    }

    // A file changed on disk is not written; the message offers Save As, whose
    // format choice is fixed to the file's, and the whole file goes there.
    void aFileChangedOnDiskOffersSaveAs() {
        Start();
        CCanvasDocument* document = OpenSecondBlock();
        DragCells(Frame()->ActiveView(), 0, 0, 3, 2);
        Write("long.md", m_long + "appended elsewhere\n");
        {
            QStringList texts;
            CModalAnswerer cancel([&](QWidget* w) {
                if (auto* box = qobject_cast<QMessageBox*>(w)) {
                    texts << box->text();
                    box->button(QMessageBox::Cancel)->click();
                }
            });
            QVERIFY(!Frame()->SaveDocument(document, false));
            QCOMPARE(texts.size(), 1);
            QVERIFY(texts[0].contains("変更されています"));
        }
        QCOMPARE(Read("long.md"), m_long + "appended elsewhere\n");
        bool fixedFormat = false;
        CModalAnswerer saveAs(
            [&](QWidget* w) {
                if (auto* box = qobject_cast<QMessageBox*>(w)) {
                    for (QAbstractButton* b : box->buttons())
                        if (b->text().startsWith("名前を付けて保存")) b->click();
                } else if (auto* dialog = qobject_cast<QFileDialog*>(w)) {
                    fixedFormat = !dialog->findChild<QComboBox*>("encoding")->isEnabled() &&
                                  !dialog->findChild<QComboBox*>("lineEnding")->isEnabled();
                    ChooseFile(dialog, Path("copy.md"));
                }
            },
            2);
        QVERIFY(Frame()->SaveDocument(document, false));
        QVERIFY(fixedFormat);
        QCOMPARE(Read("long.md"), m_long + "appended elsewhere\n");
        QCOMPARE(Read("copy.md").split('\n').mid(0, 120), m_long.split('\n').mid(0, 120));
        QVERIFY(Read("copy.md").endsWith(m_long.mid(m_long.indexOf("\n\n", m_long.indexOf("┗")))));
        QCOMPARE(document->Title(), QString("copy.md (121–123 行)"));
    }

    // A range the canvas cannot hold is refused in the question, which stays.
    void aRangeTooLongIsRefusedAndTheQuestionStays() {
        Write("long.md", m_long);
        QString refusal;
        bool stillOpen = false;
        CModalAnswerer answer([&](QWidget* w) {
            auto* dialog = qobject_cast<COpenPartDlg*>(w);
            if (!dialog) return;
            dialog->m_pFirst->setValue(1);
            dialog->m_pLast->setValue(120);
            QVERIFY(dialog->m_pRangeChoice->isChecked());
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box) refusal = box->text(), box->accept();
                QTimer::singleShot(0, [&] {
                    auto* d = qobject_cast<COpenPartDlg*>(QApplication::activeModalWidget());
                    stillOpen = d != nullptr;
                    if (d) d->reject();
                });
            });
            dialog->findChild<QPushButton*>("ok")->click();
        });
        Start();
        QVERIFY(!Frame()->OpenDocument(Path("long.md")));
        QVERIFY(stillOpen);
        QVERIFY(refusal.contains("100 行目"));
        QCOMPARE(Frame()->DocumentCount(), 1); // cancelled: only the start's new canvas
    }

    // A recovery copy of a part restores a part with its title, saving in place.
    void aRestoredPartStillSavesInPlace() {
        Start();
        CCanvasDocument* document = OpenSecondBlock();
        DragCells(Frame()->ActiveView(), 0, 4, 3, 6);
        const CRecoveryFile copy = document->RecoveryCopy(1);
        CRecoveryFile read;
        std::string why;
        QVERIFY(read.Parse(copy.Bytes(), why));
        auto restored = std::make_unique<CCanvasDocument>(CCanvasDefaults());
        restored->Restore(read);
        QCOMPARE(restored->Title(), QString("long.md (121–123 行)"));
        QString error;
        QVERIFY2(restored->Save(restored->PathName(), restored->Format(), error),
                 qPrintable(error));
        QCOMPARE(Read("long.md").split('\n').size(), m_long.split('\n').size() + 4);
    }
};

QTEST_MAIN(PartOfFileTest)
#include "PartOfFileTest.moc"
