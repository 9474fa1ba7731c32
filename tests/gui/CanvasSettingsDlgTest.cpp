// The canvas settings dialog as a window: what it shows on opening, which
// entries OK takes, the message, focus and selection after a refused entry,
// and that every way out other than OK hands back the fields untouched.

#include "view/CanvasSettingsDlg.h"
#include "canvas/RuvlenDoc.h"
#include "tools/DialogResult.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// How long focus and selection may take to settle after a window change.
const int kSettle = 1000;

struct Fields {
    int fontSize, columns, lines, grid;
};

void SetFields(CCanvasSettingsDlg& dlg, const Fields& f) {
    dlg.m_nFontSize = f.fontSize;
    dlg.m_nColumns = f.columns;
    dlg.m_nLines = f.lines;
    dlg.m_bGrid = f.grid;
}

void ExpectFields(const CCanvasSettingsDlg& dlg, const Fields& f) {
    QCOMPARE(dlg.m_nFontSize, f.fontSize);
    QCOMPARE(dlg.m_nColumns, f.columns);
    QCOMPARE(dlg.m_nLines, f.lines);
    QCOMPARE(dlg.m_bGrid, f.grid);
}

// Runs the dialog modally; `inside` runs once its loop is going. The dialog is
// rejected afterwards if `inside` left it open, so a failing check never hangs.
int RunDialog(CCanvasSettingsDlg& dlg, const std::function<void()>& inside) {
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        inside();
        if (dlg.isVisible()) dlg.reject();
    });
    timer.start(0);
    return dlg.DoModal();
}

struct Message {
    bool shown = false;
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

// Presses OK; records and closes the message box that the refusal opens.
Message PressOk(CCanvasSettingsDlg& dlg) {
    Message message;
    QTimer closer;
    closer.setSingleShot(true);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        message = {true, box->text(), box->windowTitle(), box->icon(),
                   static_cast<int>(box->buttons().size())};
        box->button(QMessageBox::Ok)->click();
    });
    closer.start(0);
    dlg.findChild<QPushButton*>(QStringLiteral("ok"))->click();
    return message;
}

// Presses OK; records the question that opens and answers it with `answer`.
Message PressOkAnswering(CCanvasSettingsDlg& dlg, QMessageBox::StandardButton answer) {
    Message message;
    QTimer closer;
    closer.setSingleShot(true);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        message = {true, box->text(), box->windowTitle(), box->icon(),
                   static_cast<int>(box->buttons().size())};
        box->button(answer)->click();
    });
    closer.start(0);
    dlg.findChild<QPushButton*>(QStringLiteral("ok"))->click();
    return message;
}

} // namespace

class CanvasSettingsDlgTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheFields();
    void tabOrderFollowsTheControls();
    void acceptsAndReadsBack_data();
    void acceptsAndReadsBack();
    void refusesBadEntries_data();
    void refusesBadEntries();
    void bothInvalidNamesColumnsOnly();
    void returnKeyValidatesToo();
    void everyWayOutButOkKeepsTheFields_data();
    void everyWayOutButOkKeepsTheFields();
    void shrinkingOverContentAsksWithTheCount();
};

void CanvasSettingsDlgTest::opensWithTheFields() {
    CCanvasSettingsDlg dlg(nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("ｷｬﾝﾊﾞｽの設定"));
    SetFields(dlg, {5, 99, 10, 1});
    RunDialog(dlg, [&] {
        QCOMPARE(dlg.m_pColumnsEdit->text(), QStringLiteral("99"));
        QCOMPARE(dlg.m_pLinesEdit->text(), QStringLiteral("10"));
        QCOMPARE(dlg.m_pSizeCombo->currentIndex(), 5);
        QCOMPARE(dlg.m_pSizeCombo->currentText(), QStringLiteral("１９ポ"));
        QVERIFY(dlg.m_pGridCheck->isChecked());
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), dlg.m_pColumnsEdit, kSettle);
        QCOMPARE(dlg.m_pColumnsEdit->selectedText(), QStringLiteral("99"));
    });

    QStringList items;
    for (int i = 0; i < dlg.m_pSizeCombo->count(); ++i) items << dlg.m_pSizeCombo->itemText(i);
    QCOMPARE(items, QStringList({QStringLiteral("  ５ポ"), QStringLiteral("  ７ポ"),
                                 QStringLiteral("  ９ポ"), QStringLiteral("１２ポ"),
                                 QStringLiteral("１４ポ"), QStringLiteral("１９ポ")}));
    QVERIFY(!dlg.m_pSizeCombo->isEditable());
}

void CanvasSettingsDlgTest::tabOrderFollowsTheControls() {
    CCanvasSettingsDlg dlg(nullptr);
    const QList<QWidget*> expected = {dlg.m_pColumnsEdit,
                                      dlg.m_pLinesEdit,
                                      dlg.m_pSizeCombo,
                                      dlg.findChild<QPushButton*>(QStringLiteral("ok")),
                                      dlg.findChild<QPushButton*>(QStringLiteral("cancel")),
                                      dlg.m_pGridCheck};
    QList<QWidget*> chain;
    QWidget* w = dlg.m_pColumnsEdit;
    while (chain.size() < expected.size()) {
        if (w->focusPolicy() & Qt::TabFocus) chain << w;
        w = w->nextInFocusChain();
    }
    QCOMPARE(chain, expected);
    QVERIFY(expected[3]->property("default").toBool());
}

void CanvasSettingsDlgTest::acceptsAndReadsBack_data() {
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("grid");
    QTest::newRow("smallest") << "10"
                              << "10" << 0 << false;
    QTest::newRow("largest") << "99"
                             << "99" << 5 << true;
    QTest::newRow("mixed") << "99"
                           << "10" << 2 << true;
}

void CanvasSettingsDlgTest::acceptsAndReadsBack() {
    QFETCH(QString, columns);
    QFETCH(QString, lines);
    QFETCH(int, size);
    QFETCH(bool, grid);
    CCanvasSettingsDlg dlg(nullptr);
    SetFields(dlg, {3, 40, 40, grid ? 0 : 1});
    Message message;
    const int result = RunDialog(dlg, [&] {
        dlg.m_pColumnsEdit->setText(columns);
        dlg.m_pLinesEdit->setText(lines);
        dlg.m_pSizeCombo->setCurrentIndex(size);
        dlg.m_pGridCheck->setChecked(grid);
        message = PressOk(dlg);
    });
    QVERIFY(!message.shown);
    QCOMPARE(result, int(IDOK));
    ExpectFields(dlg, {size, columns.toInt(), lines.toInt(), grid ? 1 : 0});
}

void CanvasSettingsDlgTest::refusesBadEntries_data() {
    QTest::addColumn<QString>("entry");
    QTest::newRow("empty") << "";
    QTest::newRow("one digit") << "9";
    QTest::newRow("leading zero") << "09";
    QTest::newRow("three digits") << "100";
    QTest::newRow("leading blank") << " 12";
    QTest::newRow("inner blank") << "1 2";
    QTest::newRow("plus sign") << "+12";
    QTest::newRow("full-width digits") << QStringLiteral("１２");
    QTest::newRow("one full-width digit") << QStringLiteral("１");
}

// Each bad entry once in the columns edit and once in the lines edit.
void CanvasSettingsDlgTest::refusesBadEntries() {
    QFETCH(QString, entry);
    for (const bool inColumns : {true, false}) {
        CCanvasSettingsDlg dlg(nullptr);
        SetFields(dlg, {1, 30, 40, 1});
        QLineEdit* bad = inColumns ? dlg.m_pColumnsEdit : dlg.m_pLinesEdit;
        QLineEdit* good = inColumns ? dlg.m_pLinesEdit : dlg.m_pColumnsEdit;
        Message message;
        bool stillOpen = false;
        const int result = RunDialog(dlg, [&] {
            good->setText(QStringLiteral("50"));
            bad->setText(entry);
            message = PressOk(dlg);
            stillOpen = dlg.isVisible();
            QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), bad, kSettle);
            QTRY_COMPARE_WITH_TIMEOUT(bad->selectedText(), entry, kSettle);
            QCoreApplication::processEvents(); // and nothing queued takes it away again
            QCOMPARE(bad->selectedText(), entry);
        });
        QVERIFY(message.shown);
        QCOMPARE(message.text, inColumns ? QStringLiteral("桁数の指定が不正です。")
                                         : QStringLiteral("行数の指定が不正です。"));
        QCOMPARE(message.title, QStringLiteral("Tavik"));
        QCOMPARE(message.icon, QMessageBox::NoIcon);
        QCOMPARE(message.buttons, 1);
        QVERIFY(stillOpen);
        QCOMPARE(result, int(IDCANCEL));
        ExpectFields(dlg, {1, 30, 40, 1});
    }
}

void CanvasSettingsDlgTest::bothInvalidNamesColumnsOnly() {
    CCanvasSettingsDlg dlg(nullptr);
    SetFields(dlg, {0, 20, 20, 0});
    Message first, second;
    RunDialog(dlg, [&] {
        dlg.m_pColumnsEdit->setText(QStringLiteral("5"));
        dlg.m_pLinesEdit->setText(QStringLiteral("500"));
        first = PressOk(dlg);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), dlg.m_pColumnsEdit, kSettle);
        // Once the columns are fixed, the lines are the next complaint.
        dlg.m_pColumnsEdit->setText(QStringLiteral("15"));
        second = PressOk(dlg);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), dlg.m_pLinesEdit, kSettle);
        QTRY_COMPARE_WITH_TIMEOUT(dlg.m_pLinesEdit->selectedText(), QStringLiteral("500"), kSettle);
    });
    QCOMPARE(first.text, QStringLiteral("桁数の指定が不正です。"));
    QCOMPARE(second.text, QStringLiteral("行数の指定が不正です。"));
    ExpectFields(dlg, {0, 20, 20, 0});
}

// Return in an edit box goes to the default button, so it validates as OK does.
void CanvasSettingsDlgTest::returnKeyValidatesToo() {
    CCanvasSettingsDlg dlg(nullptr);
    SetFields(dlg, {0, 20, 20, 0});
    Message message;
    const int result = RunDialog(dlg, [&] {
        dlg.m_pLinesEdit->setText(QStringLiteral("7"));
        QTimer closer;
        closer.setSingleShot(true);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            message.shown = true;
            message.text = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        closer.start(0);
        QTest::keyClick(dlg.m_pColumnsEdit, Qt::Key_Return);
        QVERIFY(dlg.isVisible());
        dlg.m_pLinesEdit->setText(QStringLiteral("77"));
        QTest::keyClick(dlg.m_pLinesEdit, Qt::Key_Return);
    });
    QCOMPARE(message.text, QStringLiteral("行数の指定が不正です。"));
    QCOMPARE(result, int(IDOK));
    ExpectFields(dlg, {0, 20, 77, 0});
}

void CanvasSettingsDlgTest::everyWayOutButOkKeepsTheFields_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("cancel button") << 0;
    QTest::newRow("escape") << 1;
    QTest::newRow("close box") << 2;
}

// After a refused OK whose columns were valid, leaving by any other way hands
// back the fields exactly as they went in.
void CanvasSettingsDlgTest::everyWayOutButOkKeepsTheFields() {
    QFETCH(int, way);
    CCanvasSettingsDlg dlg(nullptr);
    SetFields(dlg, {4, 33, 44, 1});
    const int result = RunDialog(dlg, [&] {
        dlg.m_pColumnsEdit->setText(QStringLiteral("77"));
        dlg.m_pLinesEdit->setText(QStringLiteral("1"));
        dlg.m_pSizeCombo->setCurrentIndex(0);
        dlg.m_pGridCheck->setChecked(false);
        QVERIFY(PressOk(dlg).shown);
        if (way == 0) dlg.findChild<QPushButton*>(QStringLiteral("cancel"))->click();
        if (way == 1) QTest::keyClick(&dlg, Qt::Key_Escape);
        if (way == 2) dlg.close();
        QVERIFY(!dlg.isVisible());
    });
    QCOMPARE(result, int(IDCANCEL));
    ExpectFields(dlg, {4, 33, 44, 1});
}

// A size that hides non-blank cells asks first, with their count; No goes back
// to the fields, Yes takes the size. A size that hides nothing asks nothing.
void CanvasSettingsDlgTest::shrinkingOverContentAsksWithTheCount() {
    CCanvasDefaults defaults;
    defaults.m_nDefaultColumns = 40;
    defaults.m_nDefaultLines = 30;
    CRuvlenDoc doc(defaults);
    doc.Cell(20, 5).SetText("ab");
    doc.Cell(3, 25).SetText("\x82\xA0");
    doc.Cell(39, 29).SetText("\x81\x40"); // a full-width space shows nothing
    CCanvasSettingsDlg dlg(nullptr);
    dlg.m_pDoc = &doc;
    SetFields(dlg, {2, 40, 30, 1});
    const int result = RunDialog(dlg, [&] {
        dlg.m_pColumnsEdit->setText(QStringLiteral("10"));
        dlg.m_pLinesEdit->setText(QStringLiteral("10"));
        const Message no = PressOkAnswering(dlg, QMessageBox::No);
        QVERIFY(no.shown);
        QVERIFY2(no.text.contains(QStringLiteral("2 個")), qPrintable(no.text));
        QVERIFY(dlg.isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), dlg.m_pColumnsEdit, kSettle);
        dlg.m_pColumnsEdit->setText(QStringLiteral("21"));
        QVERIFY(PressOkAnswering(dlg, QMessageBox::Yes).text.contains(QStringLiteral("1 個")));
        QVERIFY(!dlg.isVisible());
    });
    QCOMPARE(result, int(IDOK));
    ExpectFields(dlg, {2, 21, 10, 1});
    SetFields(dlg, {2, 40, 30, 1});
    const int grown = RunDialog(dlg, [&] {
        dlg.m_pColumnsEdit->setText(QStringLiteral("99"));
        QVERIFY(!PressOkAnswering(dlg, QMessageBox::Yes).shown);
    });
    QCOMPARE(grown, int(IDOK));
}

QTEST_MAIN(CanvasSettingsDlgTest)
#include "CanvasSettingsDlgTest.moc"
