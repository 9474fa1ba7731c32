// The canvas window's table dialogs: they start from the table on the canvas,
// the re-lay dialog stays open when the table would not fit, and the save
// command writes the chosen format; without a table each command only says why.
#include "GuiTestSupport.h"

#include "canvas/CommandIds.h"
#include "canvas/TableLayout.h"
#include "canvas/TableRecognition.h"
#include "view/TableFormatDlg.h"
#include "view/TableSortDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

using Rows = std::vector<std::vector<std::string>>;

// A compact table with a header and a thin frame at (0, 0), selected at (1, 1).
void PutTable(CRuvlenDoc& doc, const Rows& rows, const CTableOptions& options) {
    const CTableLayout layout(rows, options);
    CTableProblem problem;
    QVERIFY(PutTableInBuffer(doc, layout, problem));
    doc.Paste(nullptr, 0, 0, layout.Width() - 1, layout.Height() - 1);
    doc.Select(nullptr, 1, 1, 1, 1);
    doc.SetModifiedFlag(0);
}

Rows DataAt(const CRuvlenDoc& doc) {
    CDrawnTable table;
    return RecognizeTable(doc, {1, 1}, table) ? table.Data() : Rows();
}

const Rows kRows = {{"name", "n"}, {"b", "2"}, {"a", "10"}, {"c", "1"}};

} // namespace

class TableDataWindowTest : public QObject {
    Q_OBJECT
private slots:
    void formatDialogStartsFromTheTableAndStaysOpenWhenItDoesNotFit() {
        CRuvlenDoc doc;
        PutTable(doc, kRows, CTableOptions{0, 0, 1, 1});
        doc.Cell(2, 8).SetText("zz"); // below the table: lines between rows would need it
        CRuvlenView view(&doc, nullptr);
        bool presets = false, stayed = false;
        CModalAnswerer answer([&](QWidget* w) {
            auto* dlg = qobject_cast<CTableFormatDlg*>(w);
            if (!dlg) return;
            presets = dlg->m_pOuter->currentIndex() == 0 && dlg->m_pHeader->isChecked() &&
                      dlg->m_pSeparators->currentIndex() == 1;
            dlg->m_pSeparators->setCurrentIndex(0);
            auto box = AnswerMessageBox(QMessageBox::Ok);
            dlg->tryAccept();
            stayed = dlg->isVisible() && box->Count() == 1;
            dlg->reject();
        });
        QVERIFY(!view.RunCommand(ID_FORMAT_TABLE));
        QVERIFY(presets);
        QVERIFY(stayed);
        QCOMPARE(DataAt(doc), kRows);
        QVERIFY(!doc.IsModified());
    }

    void sortDialogPresetsTheHeaderAndSorts() {
        CRuvlenDoc doc;
        PutTable(doc, kRows, CTableOptions{1, 0, 1, 0});
        doc.Select(nullptr, 5, 3, 5, 3); // the column of the numbers
        CRuvlenView view(&doc, nullptr);
        bool header = false;
        CModalAnswerer answer([&](QWidget* w) {
            auto* dlg = qobject_cast<CTableSortDlg*>(w);
            if (!dlg) return;
            header = dlg->m_pHeader->isChecked();
            dlg->m_pDescending->setChecked(true);
            dlg->accept();
        });
        QVERIFY(view.RunCommand(ID_SORT_TABLE));
        QVERIFY(header);
        QCOMPARE(DataAt(doc), (Rows{kRows[0], kRows[2], kRows[1], kRows[3]}));
    }

    void saveWritesTheChosenFormatAndNoTableOnlySaysWhy() {
        QTemporaryDir dir;
        CRuvlenDoc doc;
        PutTable(doc, kRows, CTableOptions());
        CRuvlenView view(&doc, nullptr);
        int asked = 0;
        const QString path = dir.filePath(QStringLiteral("data.MD"));
        view.m_chooseTableDataFile = [&](QWidget*) {
            ++asked;
            return path;
        };
        QVERIFY(view.RunCommand(ID_SAVE_TABLE_DATA));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readLine(), QByteArray("| name | n |\n"));
        // Blank cells: a message, no file dialog.
        doc.Select(nullptr, 30, 20, 30, 20);
        auto box = AnswerMessageBox(QMessageBox::Ok);
        QVERIFY(!view.RunCommand(ID_SAVE_TABLE_DATA));
        QTRY_COMPARE(box->Count(), 1); // the box opens once the command is done
        QCOMPARE(asked, 1);
    }
};

QTEST_MAIN(TableDataWindowTest)
#include "TableDataWindowTest.moc"
