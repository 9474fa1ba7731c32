// The window's share of narrow and ASCII box drawing: the Open and Save As
// choices reach the file, the status bar names the layout, the copy commands
// and the paste of another program's diagram go through the system clipboard,
// and the export dialog offers every format of the table.
#include "GuiTestSupport.h"

#include "app/CanvasDocument.h"
#include "app/ExportDlg.h"
#include "app/MainFrame.h"
#include "app/RuvlenApp.h"
#include "canvas/CommandIds.h"
#include "canvas/io/DocumentText.h"
#include "canvas/io/OutputFormat.h"
#include "view/RuvlenView.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A table as a Western terminal program prints it: its right edge and the
// middle line fall on odd columns there.
const char kNarrowTable[] = "┌──────┬──────┐\n"
                            "│ 都市 │ 人口 │\n"
                            "├──────┼──────┤\n"
                            "│ 東京 │ 1396 │\n"
                            "└──────┴──────┘\n";

} // namespace

class BoxLayoutWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CRuvlenApp> m_app;

    QString Path(const QString& name) const { return m_dir->filePath(name); }
    CMainFrame* Frame() const { return m_app->MainFrame(); }
    CRuvlenDoc& Doc() const { return *Frame()->ActiveView()->GetDocument(); }
    void Start(const QString& file = QString()) {
        m_app = std::make_unique<CRuvlenApp>(Path("Tavik.ini"));
        QVERIFY(m_app->InitInstance(file));
        QVERIFY(QTest::qWaitForWindowExposed(Frame()));
    }
    void WriteFile(const QString& name, const QByteArray& bytes) { WriteBytes(Path(name), bytes); }
    QByteArray ReadFile(const QString& name) { return ReadBytes(Path(name)); }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() {
        if (m_app) ForgetChanges(Frame());
        m_app.reset();
    }

    // Opened without a choice, the table is recognised, re-laid with a warning
    // that says so, and kept half-width for the next save.
    void aNarrowFileOpensReLaidAndSavesNarrow() {
        WriteFile("table.md", kNarrowTable);
        QStringList warnings;
        {
            CModalAnswerer ok([&](QWidget* w) {
                if (auto* box = qobject_cast<QMessageBox*>(w)) {
                    warnings << box->text();
                    box->accept();
                }
            });
            Start(Path("table.md"));
        }
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings[0].contains(QStringLiteral("1 桁広げました")), qPrintable(warnings[0]));
        QCOMPARE(Frame()->FormatText(), QStringLiteral("UTF-8 LF 半角罫線"));
        auto yes = AnswerMessageBox(QMessageBox::Yes); // saving over a file read changed
        QVERIFY(Frame()->OnCommand(ID_FILE_SAVE));
        QCOMPARE(QString::fromUtf8(ReadFile("table.md")).section(QLatin1Char('\n'), 1, 1),
                 QStringLiteral("│ 都市  │ 人口  │"));
    }

    // The Open dialog's choices reach the reader: ASCII lines on request.
    void theOpenDialogReadsAsciiLinesOnRequest() {
        WriteFile("ascii.txt", "+---+---+\n| a | b |\n+---+---+\n");
        Start();
        CModalAnswerer choose([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY(dialog);
            QComboBox* layout = dialog->findChild<QComboBox*>("openLayout");
            QVERIFY(layout);
            QCOMPARE(layout->count(), 3);
            dialog->findChild<QCheckBox*>("asciiLines")->setChecked(true);
            ChooseFile(dialog, Path("ascii.txt"));
        });
        QVERIFY(Frame()->OnCommand(ID_FILE_OPEN));
        QTRY_COMPARE(Frame()->ActiveDocument()->PathName(), Path("ascii.txt"));
        QVERIFY(Doc().Cell(0, 0).m_bLine && Doc().Cell(2, 1).m_bLine);
        QVERIFY(!Doc().Cell(1, 1).m_bLine);
        QCOMPARE(Frame()->FormatText(), QStringLiteral("Shift-JIS LF ASCII罫線"));
    }

    // Save As: half-width takes Shift-JIS off the encodings, and the canvas
    // keeps the chosen layout for later saves.
    void saveAsChoosesTheLayout() {
        Start();
        DragCells(Frame()->ActiveView(), 0, 0, 3, 2);
        bool sjisOffered = true;
        CModalAnswerer choose([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY(dialog);
            QComboBox* encoding = dialog->findChild<QComboBox*>("encoding");
            QComboBox* layout = dialog->findChild<QComboBox*>("boxLayout");
            QVERIFY(encoding && layout);
            layout->setCurrentIndex(layout->findData(int(BoxLayout::Narrow)));
            auto* model = qobject_cast<QStandardItemModel*>(encoding->model());
            sjisOffered = model->item(encoding->findData(int(TextEncoding::ShiftJis)))->isEnabled();
            ChooseFile(dialog, Path("narrow.txt"));
        });
        QVERIFY(Frame()->OnCommand(ID_FILE_SAVE_AS));
        QVERIFY(!sjisOffered);
        QCOMPARE(Frame()->FormatText(), QStringLiteral("UTF-8 CR LF 半角罫線"));
        QVERIFY(ReadFile("narrow.txt").startsWith("┏━━━━━┓\r\n┃     ┃\r\n"));
        DragCells(Frame()->ActiveView(), 5, 0, 6, 1);
        QVERIFY(Frame()->OnCommand(ID_FILE_SAVE));
        QVERIFY(ReadFile("narrow.txt").startsWith("┏━━━━━┓   ┏━┓\r\n"));
        // What the window wrote is told apart as half-width, back to its cells.
        CRuvlenDoc reopened;
        LoadDocumentText(reopened, ReadFile("narrow.txt").toStdString());
        QCOMPARE(int(reopened.m_textFormat.m_layout), int(BoxLayout::Narrow));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 8; ++x)
                QCOMPARE(QByteArray(reopened.Cell(x, y).m_szText, 2),
                         QByteArray(Doc().Cell(x, y).m_szText, 2));
    }

    // The copy commands put Western-width text on the system clipboard; another
    // program's narrow diagram pastes as the same file would open.
    void copyAndPasteGoThroughTheSystemClipboard() {
        Start();
        DragCells(Frame()->ActiveView(), 0, 0, 2, 1);
        Doc().Select(nullptr, 0, 0, 2, 1);
        Frame()->UpdateActions();
        QVERIFY(Frame()->OnCommand(ID_EDIT_COPY_NARROW));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("┏━━━┓\n┗━━━┛\n"));
        Doc().Select(nullptr, 0, 0, 2, 1);
        Frame()->UpdateActions();
        QVERIFY(Frame()->OnCommand(ID_EDIT_COPY_ASCII));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("+===+\n+===+\n"));

        QGuiApplication::clipboard()->setText(QString::fromUtf8(kNarrowTable));
        QTRY_VERIFY(Frame()->Action(ID_EDIT_PASTE)->isEnabled());
        QVERIFY(Frame()->OnCommand(ID_EDIT_PASTE));
        CRuvlenDoc opened;
        LoadDocumentText(opened, kNarrowTable);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 9; ++x)
                QVERIFY2(Doc().BufferCell(x, y) == opened.Cell(x, y) ||
                             (Doc().BufferCell(x, y).IsBlank() && opened.Cell(x, y).IsBlank()),
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        QCOMPARE(Doc().m_nBufferColumns, 9);
    }

    // Every row of the format table is offered; a picture's size and
    // background apply only where the format has them.
    void theExportDialogOffersEveryFormat() {
        Start();
        DragCells(Frame()->ActiveView(), 0, 0, 3, 2);
        QStringList offered;
        bool sizeForText = true, sizeForPdf = false;
        auto exportAs = [&](const char* name, const QString& file) {
            CModalAnswerer fill([&](QWidget* w) {
                auto* dialog = qobject_cast<CExportDlg*>(w);
                QVERIFY(dialog);
                offered.clear();
                for (int i = 0; i < dialog->m_pFormatCombo->count(); ++i)
                    offered << dialog->m_pFormatCombo->itemText(i);
                dialog->m_pFormatCombo->setCurrentIndex(CExportDlg::IndexOf("narrow"));
                sizeForText = dialog->m_pSizeCombo->isEnabled();
                dialog->m_pFormatCombo->setCurrentIndex(CExportDlg::IndexOf("pdf"));
                sizeForPdf = dialog->m_pSizeCombo->isEnabled();
                dialog->m_pFormatCombo->setCurrentIndex(CExportDlg::IndexOf(name));
                dialog->m_pAreaCombo->setCurrentIndex(int(EExportArea::Used));
                dialog->m_pPathEdit->setText(Path(file));
                dialog->findChild<QPushButton*>("ok")->click();
            });
            QVERIFY(Frame()->OnCommand(ID_FILE_EXPORT));
        };
        exportAs("md", QStringLiteral("drawing"));
        QCOMPARE(ReadFile("drawing.md"), QByteArray("```text\n┏━━━━━┓\n┃     ┃\n┗━━━━━┛\n```\n"));
        QCOMPARE(offered.size(), int(OutputFormats().size()));
        QVERIFY(!sizeForText && sizeForPdf);
        exportAs("pdf", QStringLiteral("drawing.pdf"));
        QVERIFY(ReadFile("drawing.pdf").startsWith("%PDF"));
        exportAs("ascii", QStringLiteral("drawing.txt"));
        QCOMPARE(ReadFile("drawing.txt"), QByteArray("+=====+\r\n|     |\r\n+=====+\r\n"));
    }
};

QTEST_MAIN(BoxLayoutWindowTest)
#include "BoxLayoutWindowTest.moc"
