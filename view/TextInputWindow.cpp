#include "view/TextInputWindow.h"

#include "canvas/io/Cp932.h"
#include "tools/DialogResult.h"
#include "tools/TextInputDlg.h"

#include <QBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

namespace {

// Stands for a character with no Shift-JIS form; the logic refuses it as an
// invalid code.
constexpr char kUnmappable = '\x7F';

} // namespace

CTextInputWindow::CTextInputWindow(CTextInputDlg& logic, QWidget* parent)
    : QDialog(parent), m_logic(logic) {
    setWindowTitle(QStringLiteral("文字入力"));
    setWindowModality(Qt::ApplicationModal);
    QFont font(QStringLiteral("IPAGothic"));
    font.setPointSize(10);
    setFont(font);

    m_pCapacity = new QLabel(this);
    m_pCapacity->setObjectName(QStringLiteral("capacity"));
    m_pEdit = new QPlainTextEdit(this);
    m_pEdit->setObjectName(QStringLiteral("text"));
    m_pEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pEdit->setTabChangesFocus(true); // a TAB character would be refused anyway
    m_pEdit->setMinimumSize(390, 130);
    QFont editFont = font;
    editFont.setPointSize(12); // fixed pitch: a full-width character is two half-width ones
    m_pEdit->setFont(editFont);

    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pOk->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    connect(m_pOk, &QPushButton::clicked, this, &CTextInputWindow::tryAccept);
    connect(m_pCancel, &QPushButton::clicked, this, &CTextInputWindow::reject);
    // Enter belongs to the edit box (a line break); Ctrl+Enter is OK from the keyboard.
    for (QKeySequence keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
                &CTextInputWindow::tryAccept);

    // Says so beside OK, since Enter alone does not accept.
    auto* okHint = new QLabel(QStringLiteral("Ctrl+Enter で OK"), this);
    okHint->setObjectName(QStringLiteral("okHint"));
    m_pOk->setToolTip(QStringLiteral("OK (Ctrl+Enter)"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okHint);
    buttons->addSpacing(6);
    buttons->addWidget(m_pOk);
    buttons->addSpacing(12);
    buttons->addWidget(m_pCancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pCapacity);
    layout->addWidget(m_pEdit, 1);
    layout->addLayout(buttons);
    OnInitDialog();
}

void CTextInputWindow::OnInitDialog() {
    m_pCapacity->setText(QString::fromStdString(m_logic.GetCapacityText()));
    m_pEdit->setPlainText(BytesToEditText(m_logic.m_strText));
    m_pEdit->selectAll();
    m_pEdit->ensureCursorVisible();
    m_pEdit->setFocus();
}

int CTextInputWindow::DoModal() {
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CTextInputWindow::tryAccept() {
    std::string message;
    if (m_logic.ValidateText(EditTextToBytes(m_pEdit->toPlainText()), &message)) {
        accept();
        return;
    }
    ShowMessage(message); // the edit box keeps the user's text
    m_pEdit->setFocus();
}

void CTextInputWindow::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tavik"), QString::fromStdString(text),
                    QMessageBox::Ok, this);
    box.exec();
}

QString CTextInputWindow::BytesToEditText(const std::string& bytes) {
    std::string utf8;
    Cp932ToUtf8(bytes, utf8);
    QString text = QString::fromStdString(utf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string CTextInputWindow::EditTextToBytes(const QString& text) {
    QString lf = text;
    lf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // Shift+Enter puts a line separator into the edit box: a line break too.
    lf.replace(QChar::LineSeparator, u'\n').replace(QChar::ParagraphSeparator, u'\n');
    std::string bytes;
    for (char c : Utf8ToCp932(lf.toStdString(), kUnmappable)) {
        if (c == '\n') bytes += '\r';
        // A NUL would end the text early and silently drop the rest.
        bytes += c == '\0' ? kUnmappable : c;
    }
    return bytes;
}
