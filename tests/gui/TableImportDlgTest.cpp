// The table dialog: its size line follows the options and the data, the file
// button reads the chosen file, and data that gives no table (or too large a
// table) keeps the dialog open after the message.
#include "view/TableImportDlg.h"

#include "GuiTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// "W 桁 × H 行" of the table the dialog's data and options give.
QString SizeOf(const CTableImportDlg& dlg) {
    const CTableLayout table(dlg.Data().m_rows, dlg.Options());
    return QStringLiteral("%1 桁 × %2 行").arg(table.Width()).arg(table.Height());
}

} // namespace

class TableImportDlgTest : public QObject {
    Q_OBJECT
private slots:
    void sizeFollowsTheOptions() {
        CTableImportDlg dlg(QStringLiteral("a,b\nc,d\ne,f\n"), 40, 30, nullptr);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QVERIFY(dlg.m_pSize->text().contains(QStringLiteral("2 列")));
        QVERIFY(dlg.m_pSize->text().contains(SizeOf(dlg)));
        const QString before = dlg.m_pSize->text();
        // Keyboard: Alt+S reaches the separators, and the header box toggles.
        QTest::keyClick(&dlg, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), dlg.m_pSeparators);
        QTest::keyClick(dlg.m_pSeparators, Qt::Key_Down);
        QCOMPARE(dlg.Options().m_bCompact, 1);
        QVERIFY(dlg.m_pSize->text() != before);
        QVERIFY(dlg.m_pSize->text().contains(SizeOf(dlg)));
        dlg.m_pHeader->click();
        QVERIFY(dlg.m_pSize->text().contains(SizeOf(dlg)));
        QTest::keyClick(&dlg, Qt::Key_O, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), dlg.m_pOuter);
        QTest::keyClick(&dlg, Qt::Key_I, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), dlg.m_pInner);
        // Defaults: thick frame, thin inner lines.
        QCOMPARE(dlg.Options().m_bThickOuter, 1);
        QCOMPARE(dlg.Options().m_bThickInner, 0);
    }

    void fileButtonReadsTheChosenFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("prices.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xEF\xBB\xBFx,y,z\r\n1,2,3\r\n");
        file.close();
        CTableImportDlg dlg(QStringLiteral("only one"), 40, 30, nullptr);
        QString asked;
        dlg.m_chooseFile = [&](QWidget*) { return asked = path; };
        dlg.show();
        dlg.m_pFileButton->click();
        QCOMPARE(asked, path);
        QVERIFY(dlg.m_pSource->text().contains(QStringLiteral("prices.csv")));
        QVERIFY(dlg.m_pSize->text().contains(QStringLiteral("3 列")));
        QCOMPARE(dlg.Data().m_rows[0][0], std::string("x"));
        // A cancelled file dialog keeps the data.
        dlg.m_chooseFile = [](QWidget*) { return QString(); };
        dlg.m_pFileButton->click();
        QCOMPARE(dlg.Data().Columns(), 3);
        // A file that cannot be read says so and keeps the data too.
        auto answer = AnswerMessageBox(QMessageBox::Ok);
        QVERIFY(!dlg.ReadFile(dir.filePath(QStringLiteral("missing.csv"))));
        QCOMPARE(answer->Count(), 1);
        QCOMPARE(dlg.Data().Columns(), 3);
    }

    void badDataKeepsTheDialogOpen() {
        CTableImportDlg open(QStringLiteral("a,\"b\nc"), 40, 30, nullptr);
        open.show();
        QVERIFY(open.m_pSize->text().contains(QStringLiteral("閉じていません")));
        auto answer = AnswerMessageBox(QMessageBox::Ok);
        open.m_pOk->click();
        QCOMPARE(answer->Count(), 1);
        QVERIFY(open.isVisible());
        QCOMPARE(open.result(), int(QDialog::Rejected));

        // Fits 12 x 8 without separators (6 lines), not with them (9 lines).
        CTableImportDlg big(QStringLiteral("a\nb\nc\nd\n"), 12, 8, nullptr);
        big.show();
        auto refusal = AnswerMessageBox(QMessageBox::Ok);
        big.m_pOk->click();
        QCOMPARE(refusal->Count(), 1);
        QVERIFY(refusal->Texts().value(0).contains(QStringLiteral("9 行が必要")));
        QVERIFY(big.isVisible());
        big.m_pSeparators->setCurrentIndex(1);
        big.m_pOk->click();
        QCOMPARE(big.result(), int(QDialog::Accepted));
        QCOMPARE(big.Options().m_bCompact, 1);
    }
};

QTEST_MAIN(TableImportDlgTest)
#include "TableImportDlgTest.moc"
