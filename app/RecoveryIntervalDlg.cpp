#include "app/RecoveryIntervalDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

CRecoveryIntervalDlg::CRecoveryIntervalDlg(QWidget* parent, int seconds) : QDialog(parent) {
    setWindowTitle(QStringLiteral("復元用の保存間隔"));
    m_pSeconds = new QSpinBox;
    m_pSeconds->setObjectName(QStringLiteral("seconds"));
    m_pSeconds->setRange(0, 3600);
    m_pSeconds->setSuffix(QStringLiteral(" 秒"));
    m_pSeconds->setValue(seconds);
    auto* label = new QLabel(QStringLiteral("復元用のコピーを保存する間隔(&S) (0～3600 秒):"));
    label->setBuddy(m_pSeconds);
    auto* hint = new QLabel(QStringLiteral(
        "保存していない変更を、最後の変更の数秒後に復元用のコピーとして保存します。\n"
        "コピーどうしの間はこの秒数より短くなりません。0 のときはコピーを作りません。"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pSeconds);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    m_pSeconds->selectAll();
}

int CRecoveryIntervalDlg::Seconds() const {
    return m_pSeconds->value();
}
