// The text input dialog: what it shows first, where Enter goes, and that OK
// passes the typed text to the logic or shows a refusal and stays open.
#include "view/TextInputWindow.h"
#include "tools/DialogResult.h"
#include "tools/TextInputDlg.h"

#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <string>

namespace {

const std::string kKan = "\x8a\xbf"; // 漢
const std::string kJi = "\x8e\x9a";  // 字
// Keys sent to no widget go to the focus widget, as the user's keys would.
QWidget* const kFocus = nullptr;

// Answers the next message box: records its caption and text, then closes it.
// Polls from a timer of its own, so nothing fires once it is gone.
struct CMessageBoxAnswer {
    QString caption, text;
    int seen = 0;
    QTimer timer;

    CMessageBoxAnswer() {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] { Poll(); });
        timer.start();
    }
    void Poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        timer.stop();
        caption = box->windowTitle();
        text = box->text();
        ++seen;
        box->done(QMessageBox::Ok);
    }
};

// A 3 x 2 horizontal rectangle: lines of 6 bytes, room for 12.
CTextInputDlg ThreeByTwo(const std::string& initial = {}) {
    CTextInputDlg logic(3, 2, 0);
    logic.SetInitialText(initial);
    logic.m_nCapacity = 6;
    return logic;
}

} // namespace

class TextInputWindowTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheRectangleTextSelected() {
        CTextInputDlg logic = ThreeByTwo("ab\r\n" + kKan + kJi);
        CTextInputWindow dlg(logic, nullptr);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("文字入力"));
        QCOMPARE(dlg.windowModality(), Qt::ApplicationModal);
        auto* capacity = dlg.findChild<QLabel*>(QStringLiteral("capacity"));
        QVERIFY(capacity);
        QCOMPARE(capacity->text(), QStringLiteral("全角で 6 個の文字が入力できます。"));
        auto* edit = dlg.findChild<QPlainTextEdit*>(QStringLiteral("text"));
        QCOMPARE(edit, dlg.m_pEdit);
        QCOMPARE(edit->toPlainText(), QStringLiteral("ab\n漢字"));
        QCOMPARE(edit->textCursor().selectedText(), QStringLiteral("ab\u2029漢字"));
        QCOMPARE(QApplication::focusWidget(), edit);

        // OK without changes gives the rectangle its own text back.
        QTest::mouseClick(dlg.m_pOk, Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(logic.GetText(), "ab    " + kKan + kJi);
    }

    void enterBreaksTheLineAndDoesNotClose() {
        CTextInputDlg logic = ThreeByTwo();
        CTextInputWindow dlg(logic, nullptr);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QTest::keyClicks(kFocus, "a");
        QTest::keyClick(kFocus, Qt::Key_Return);
        QTest::keyClicks(kFocus, "b");
        QTest::keyClick(kFocus, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.m_pEdit->toPlainText(), QStringLiteral("a\nb\n"));
        QTest::keyClick(kFocus, Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(logic.GetText(), std::string("a     b     "));
    }

    // The hint beside OK names a key that really accepts the dialog.
    void theHintBesideOkNamesTheKeyThatAccepts() {
        CTextInputDlg logic = ThreeByTwo();
        CTextInputWindow dlg(logic, nullptr);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        auto* hint = dlg.findChild<QLabel*>(QStringLiteral("okHint"));
        QVERIFY(hint && hint->isVisible());
        const QRect ok = dlg.m_pOk->geometry(), at = hint->geometry();
        QVERIFY(at.right() < ok.left() && at.bottom() >= ok.top() && at.top() <= ok.bottom());
        const QString key = hint->text().section(QLatin1Char(' '), 0, 0);
        QTest::keyClicks(kFocus, "a");
        QTest::keySequence(kFocus, QKeySequence(key));
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(!dlg.isVisible());
    }

    void shiftEnterIsALineBreakToo() {
        CTextInputDlg logic = ThreeByTwo();
        CTextInputWindow dlg(logic, nullptr);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QTest::keyClicks(kFocus, "a");
        QTest::keyClick(kFocus, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(kFocus, "b");
        QTest::mouseClick(dlg.m_pOk, Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(logic.GetText(), std::string("a     b"));
    }

    void refusalsShowTheirMessageAndKeepTheText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString invalid = QString::fromUtf8(kInvalidCodeMessage);
        QTest::newRow("seven full-width")
            << QStringLiteral("漢字漢字漢字漢") << QString::fromUtf8(kTooLongMessage);
        QTest::newRow("line break after two full lines")
            << QStringLiteral("漢字漢\n漢字漢\n\n") << QString::fromUtf8(kTooLongMessage);
        QTest::newRow("tab") << QStringLiteral("a\tb") << invalid;
        QTest::newRow("emoji") << QStringLiteral("a😀") << invalid;
        QTest::newRow("no Shift-JIS form") << QStringLiteral("€") << invalid;
        QTest::newRow("NUL") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << invalid;
    }

    void refusalsShowTheirMessageAndKeepTheText() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        CTextInputDlg logic = ThreeByTwo();
        CTextInputWindow dlg(logic, nullptr);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.m_pEdit->setPlainText(typed);
        const QString before = dlg.m_pEdit->toPlainText();
        CMessageBoxAnswer answer;
        QTest::mouseClick(dlg.m_pOk, Qt::LeftButton);
        QCOMPARE(answer.seen, 1);
        QCOMPARE(answer.caption, QStringLiteral("Tavik"));
        QCOMPARE(answer.text, message);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.m_pEdit->toPlainText(), before);

        // Corrected, the same dialog accepts.
        dlg.m_pEdit->setPlainText(QStringLiteral("漢字"));
        QTest::mouseClick(dlg.m_pOk, Qt::LeftButton);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(logic.GetText(), kKan + kJi);
    }

    void escapeAndCancelReject() {
        CTextInputDlg logic = ThreeByTwo("ab");
        CTextInputWindow esc(logic, nullptr);
        esc.show();
        QVERIFY(QTest::qWaitForWindowActive(&esc));
        QTest::keyClick(kFocus, Qt::Key_Escape);
        QCOMPARE(esc.result(), int(QDialog::Rejected));

        CTextInputWindow cancel(logic, nullptr);
        QTimer::singleShot(0, [&] { QTest::mouseClick(cancel.m_pCancel, Qt::LeftButton); });
        QCOMPARE(cancel.DoModal(), int(IDCANCEL));
        QCOMPARE(cancel.m_pCancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    }

    void lookAlikesFromInputMethodsAreAccepted() {
        // Input methods give U+301C for the wave dash and U+2212 for the minus.
        CTextInputDlg logic = ThreeByTwo();
        CTextInputWindow dlg(logic, nullptr);
        dlg.m_pEdit->setPlainText(QStringLiteral("\u301C\u2212"));
        QTimer::singleShot(0, &dlg, &CTextInputWindow::tryAccept);
        QCOMPARE(dlg.DoModal(), int(IDOK));
        QCOMPARE(logic.GetText(), std::string("\x81\x60\x81\x7c"));
    }
};

QTEST_MAIN(TextInputWindowTest)
#include "TextInputWindowTest.moc"
