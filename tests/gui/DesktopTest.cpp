// How the editor sits on the desktop: where its windows first appear, the
// palette's grid using the room it is given, label mnemonics in every dialog,
// one modified mark in the title, dropped files, and where file dialogs open.
#include "GuiTestSupport.h"

#include "app/CanvasDocument.h"
#include "app/ChildFrame.h"
#include "app/ExportDlg.h"
#include "app/MainFrame.h"
#include "app/NumberDlg.h"
#include "app/RuvlenApp.h"
#include "app/SymbolGridWnd.h"
#include "app/SymbolPaletteDlg.h"
#include "canvas/CommandIds.h"
#include "canvas/RuvlenDoc.h"
#include "tools/TextInputDlg.h"
#include "view/CanvasSettingsDlg.h"
#include "view/RuvlenView.h"
#include "view/TableImportDlg.h"
#include "view/TextInputWindow.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUrl>
#include <QtTest>

class DesktopTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CRuvlenApp> m_app;

    CMainFrame* Frame() const { return m_app->MainFrame(); }
    void Start(const QByteArray& ini = QByteArray()) {
        if (!ini.isEmpty()) {
            QFile f(m_dir->filePath("Tavik.ini"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(ini);
        }
        m_app = std::make_unique<CRuvlenApp>(m_dir->filePath("Tavik.ini"));
        QVERIFY(m_app->InitInstance(QString()));
        QVERIFY(QTest::qWaitForWindowExposed(Frame()));
    }

    // Every label with a mnemonic hands the focus to a field of its own window.
    static void CheckBuddies(QWidget* dialog) {
        int labels = 0;
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (!label->text().contains(QRegularExpression(QStringLiteral("&[^&]")))) continue;
            ++labels;
            QVERIFY2(label->buddy(), qPrintable(dialog->windowTitle() + ": " + label->text()));
            QCOMPARE(label->buddy()->window(), dialog->window());
        }
        QVERIFY2(labels > 0, qPrintable(dialog->windowTitle()));
    }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() {
        if (m_app) ForgetChanges(Frame());
        m_app.reset();
    }

    void firstStartIsCentredAndShowsTheWholeToolbar() {
        Start();
        const QRect avail = Frame()->screen()->availableGeometry();
        const QRect rect = Frame()->geometry();
        QVERIFY(qAbs(rect.center().x() - avail.center().x()) <= 1);
        QVERIFY(qAbs(rect.center().y() - avail.center().y()) <= 1);
        QVERIFY(rect.width() >= avail.width() * 2 / 3 || rect.width() == avail.width());
        auto* bar = Frame()->findChild<QToolBar*>(QStringLiteral("toolBar"));
        QVERIFY(bar->width() >= bar->sizeHint().width());
    }

    void storedPlacementIsKept() {
        Start("[Window Placement]\nx=30\ny=40\nWidth=500\nHeight=400\n");
        QCOMPARE(Frame()->geometry(), QRect(30, 40, 500, 400));
    }

    void paletteFirstOpensBesideTheWindowOffTheToolbar() {
        Start("[Window Placement]\nx=0\ny=0\nWidth=500\nHeight=400\n");
        Frame()->ShowSymbolPalette();
        CSymbolPaletteDlg* palette = Frame()->SymbolPalette();
        QTRY_VERIFY(palette->isVisible());
        const QRect main = Frame()->frameGeometry();
        const QRect rect = palette->frameGeometry();
        auto* bar = Frame()->findChild<QToolBar*>(QStringLiteral("toolBar"));
        const QRect toolbar(bar->mapToGlobal(QPoint(0, 0)), bar->size());
        QVERIFY(!rect.intersects(toolbar));
        QVERIFY(rect.left() > main.right() || rect.right() <= main.right());
        // The category box and the grid show whole, with cells larger than the classic 16.
        QVERIFY(palette->rect().contains(palette->m_pCategoryCombo->geometry()));
        QVERIFY(palette->rect().contains(palette->m_pGrid->geometry()));
        QVERIFY(palette->m_pGrid->m_nCellPixels > 16);
    }

    void paletteGridGrowsWithTheWindowInWholePixels() {
        CAppSettings settings;
        CSymbolPaletteDlg palette(nullptr, &settings);
        palette.Create();
        QTRY_VERIFY(palette.isVisible());
        QCOMPARE(palette.m_pGrid->m_nCellPixels, 16); // the classic window
        int last = 16;
        for (int grow : {40, 90, 200}) {
            palette.resize(126 + grow, 240 + grow * 2);
            const int cell = palette.m_pGrid->m_nCellPixels;
            QVERIFY(cell >= last);
            QCOMPARE(palette.m_pGrid->size(), QSize(cell * 6 + 1, cell * 10 + 1));
            QVERIFY(palette.rect().contains(palette.m_pGrid->geometry()));
            QCOMPARE(palette.m_pCategoryCombo->width(), palette.m_pGrid->width());
            last = cell;
        }
        QVERIFY(last > 16);
        palette.resize(126, 240);
        QCOMPARE(palette.m_pGrid->m_nCellPixels, 16);
    }

    // A file chosen with 参照 was confirmed by the file dialog's own question
    // about replacing it; OK then exports without asking again.
    void exportAsksOnceAboutReplacingAChosenFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.png"));
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        CExportDlg dialog(nullptr, dir.filePath(QStringLiteral("x.png")), 2);
        QPushButton* browse = nullptr;
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            if (b->text().startsWith(QStringLiteral("参照"))) browse = b;
        QVERIFY(browse);
        int questions = 0;
        CModalAnswerer answer(
            [&](QWidget* w) {
                if (auto* box = qobject_cast<QMessageBox*>(w)) {
                    ++questions;
                    box->button(QMessageBox::Yes)->click();
                } else {
                    ChooseFile(w, path);
                }
            },
            3);
        browse->click();
        QCOMPARE(dialog.m_pPathEdit->text(), path);
        QCOMPARE(questions, 1); // the file dialog's own
        dialog.tryAccept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(questions, 1);
    }

    void everyDialogLabelHasABuddy() {
        CExportDlg exportDlg(nullptr, QStringLiteral("/tmp/x.png"), 2);
        CheckBuddies(&exportDlg);
        CNumberDlg undoDlg(nullptr, UndoLevelsQuestion(), 5);
        CheckBuddies(&undoDlg);
        CNumberDlg recoveryDlg(nullptr, RecoveryIntervalQuestion(), 10);
        CheckBuddies(&recoveryDlg);
        CTableImportDlg tableDlg(QStringLiteral("a,b\n1,2\n"), 40, 30, nullptr);
        CheckBuddies(&tableDlg);
        CCanvasSettingsDlg settingsDlg(nullptr);
        for (QLabel* label : settingsDlg.findChildren<QLabel*>())
            if (label->text().contains(QLatin1Char('&'))) QVERIFY(label->buddy());
        CTextInputDlg logic(10, 2, 0);
        CTextInputWindow textDlg(logic, nullptr);
        for (QLabel* label : textDlg.findChildren<QLabel*>())
            if (label->text().contains(QLatin1Char('&'))) QVERIFY(label->buddy());
    }

    void saveAsDialogHasBuddiesFiltersAndStartsAtHome() {
        Start();
        Frame()->OnCommand(ID_FILE_NEW);
        QStringList filters;
        QString folder;
        CModalAnswerer answer([&](QWidget* w) {
            if (auto* dialog = qobject_cast<QFileDialog*>(w)) {
                CheckBuddies(dialog);
                filters = dialog->nameFilters();
                folder = dialog->directory().absolutePath();
            }
            static_cast<QDialog*>(w)->reject();
        });
        Frame()->OnCommand(ID_FILE_SAVE_AS);
        QCOMPARE(answer.Count(), 1);
        QCOMPARE(filters, (QStringList{QStringLiteral("ﾃｷｽﾄ ﾌｧｲﾙ (*.txt)"),
                                       QStringLiteral("Markdown (*.md)"),
                                       QStringLiteral("すべてのﾌｧｲﾙ (*)")}));
        QVERIFY(folder != QDir::currentPath() || folder == QDir::homePath());
        QVERIFY(folder.startsWith(QDir::homePath()));
    }

    void theModifiedMarkShowsOnce() {
        Start();
        Frame()->OnCommand(ID_FILE_NEW);
        QMdiSubWindow* child = Frame()->MdiArea()->activeSubWindow();
        child->showMaximized();
        auto* frame = static_cast<CChildFrame*>(child);
        frame->Document()->Doc().SetModifiedFlag(1);
        emit Frame()->ActiveView()->stateChanged(); // as after any edit
        QTRY_VERIFY(Frame()->windowTitle().contains(QStringLiteral("Canvas")));
        // What the title bar shows: "[*]" becomes "*" while the window is modified.
        QString raw = Frame()->windowTitle();
        const int placeholders = raw.count(QStringLiteral("[*]"));
        const int literal = raw.remove(QStringLiteral("[*]")).count(QLatin1Char('*'));
        QCOMPARE(literal + (Frame()->isWindowModified() ? placeholders : 0), 1);
    }

    void droppedFilesOpenAsFileOpenWould() {
        Start();
        const QString good = m_dir->filePath("good.txt");
        QFile f(good);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("abc\r\n");
        f.close();
        const QString folder = m_dir->filePath("folder.txt");
        QVERIFY(QDir().mkdir(folder));
        const int before = Frame()->MdiArea()->subWindowList().size();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(good), QUrl::fromLocalFile(folder),
                      QUrl(QStringLiteral("https://example.invalid/x.txt"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(Frame(), &enter);
        QVERIFY(enter.isAccepted());
        auto refusal = AnswerMessageBox(QMessageBox::Ok);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(Frame(), &drop);
        QCOMPARE(refusal->Count(), 1); // the folder is refused as Open refuses it
        QCOMPARE(Frame()->MdiArea()->subWindowList().size(), before + 1);
        auto* frame = static_cast<CChildFrame*>(Frame()->MdiArea()->activeSubWindow());
        QCOMPARE(QFileInfo(frame->Document()->PathName()).fileName(), QStringLiteral("good.txt"));
    }

    // The preview shows whole under the pointer before any press: its frame is
    // closed on all four sides in the window's pixels, and it is gone once
    // the paste is placed.
    void pastePreviewIsPaintedWholeUnderThePointer() {
        Start();
        QGuiApplication::clipboard()->setText(QStringLiteral("abcd\nef"));
        QVERIFY(Frame()->OnCommand(ID_EDIT_PASTE));
        CRuvlenView* view = Frame()->ActiveView();
        const CRuvlenDoc& doc = *view->GetDocument();
        const int d = doc.m_nCellSize;
        const QPoint cell(doc.m_nOriginX + 5 * d + d / 2, doc.m_nOriginY + 6 * d + d / 2);
        QTest::mouseMove(view->viewport(), cell - view->LogicalFromViewport(QPoint()));
        QTRY_VERIFY(view->PastePreview().shown);
        QCOMPARE(view->PastePreview().cells, (CCellRect{5, 6, 6, 7}));
        const QImage image = view->viewport()->grab().toImage();
        const QColor frame(40, 70, 190);
        const int left = doc.m_nOriginX + 5 * d - 1, top = doc.m_nOriginY + 6 * d - 1;
        const int right = doc.m_nOriginX + 7 * d, bottom = doc.m_nOriginY + 8 * d;
        const QPoint scroll = view->LogicalFromViewport(QPoint());
        const auto at = [&](int x, int y) { return image.pixelColor(QPoint(x, y) - scroll); };
        for (int x = left + 1; x < right; ++x) {
            QCOMPARE(at(x, top), frame);
            QCOMPARE(at(x, bottom), frame);
        }
        for (int y = top + 1; y < bottom; ++y) {
            QCOMPARE(at(left, y), frame);
            QCOMPARE(at(right, y), frame);
        }
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell - scroll);
        QTRY_VERIFY(!view->PastePreview().shown);
    }
};

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
