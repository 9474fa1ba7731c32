#include "app/NumberDlg.h"

#include "app/AppSettings.h"
#include "canvas/UndoHistory.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

CNumberQuestion UndoLevelsQuestion() {
    CNumberQuestion q;
    q.title = QStringLiteral("取り消しの回数");
    q.min = CUndoHistory::MIN_LEVELS;
    q.max = CUndoHistory::MAX_LEVELS;
    q.label = QStringLiteral("取り消しできる操作の数(&N) (%1～%2):").arg(q.min).arg(q.max);
    q.hint = QStringLiteral("1 のときは、もう一度取り消すと元に戻ります。\n"
                            "2 以上のときは、取り消した操作をやり直せます。");
    return q;
}

CNumberQuestion RecoveryIntervalQuestion() {
    CNumberQuestion q;
    q.title = QStringLiteral("復元用の保存間隔");
    q.min = 0;
    q.max = CAppSettings::MAX_RECOVERY_SECONDS;
    q.label = QStringLiteral("復元用のコピーを保存する間隔(&S) (%1～%2 秒):").arg(q.min).arg(q.max);
    q.suffix = QStringLiteral(" 秒");
    q.hint = QStringLiteral(
        "保存していない変更を、最後の変更の数秒後に復元用のコピーとして保存します。\n"
        "コピーどうしの間はこの秒数より短くなりません。0 のときはコピーを作りません。");
    return q;
}

CNumberDlg::CNumberDlg(QWidget* parent, const CNumberQuestion& question, int value)
    : QDialog(parent) {
    setWindowTitle(question.title);
    m_pNumber = new QSpinBox;
    m_pNumber->setObjectName(QStringLiteral("number"));
    m_pNumber->setRange(question.min, question.max);
    m_pNumber->setSuffix(question.suffix);
    m_pNumber->setValue(value);
    auto* label = new QLabel(question.label);
    label->setBuddy(m_pNumber);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pNumber);
    layout->addWidget(new QLabel(question.hint));
    layout->addWidget(buttons);
    m_pNumber->selectAll();
}

int CNumberDlg::Value() const {
    return m_pNumber->value();
}
