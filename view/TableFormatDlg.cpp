#include "view/TableFormatDlg.h"

#include "view/TableOptionsControls.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {

QComboBox* Combo(QWidget* parent, const QStringList& items, int current) {
    auto* combo = new QComboBox(parent);
    combo->addItems(items);
    combo->setCurrentIndex(current);
    return combo;
}

} // namespace

CTableFormatDlg::CTableFormatDlg(const CTableOptions& current, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("表の整形"));
    const QStringList weights = {QStringLiteral("細線"), QStringLiteral("太線")};
    m_pOuter = Combo(this, weights, current.m_bThickOuter);
    m_pInner = Combo(this, weights, current.m_bThickInner);
    m_pHeader = new QCheckBox(QStringLiteral("1 行目を見出しにする(&H)"), this);
    m_pHeader->setChecked(current.m_bHeader);
    m_pSeparators = Combo(this, {QStringLiteral("各行の後"), QStringLiteral("見出しの後だけ")},
                          current.m_bCompact);
    auto* form = new QFormLayout;
    const auto row = [this, form](const QString& text, QWidget* field) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row(QStringLiteral("外枠(&O):"), m_pOuter);
    row(QStringLiteral("内側の線(&I):"), m_pInner);
    form->addRow(QString(), m_pHeader);
    row(QStringLiteral("区切り線(&S):"), m_pSeparators);
    auto* note = new QLabel(
        QStringLiteral(
            "列の幅と文字の位置は項目に合わせて引き直します。結合したセルはそのままです。"),
        this);
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTableFormatDlg::tryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTableFormatDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

CTableOptions CTableFormatDlg::Options() const {
    return TableOptionsFrom(m_pOuter, m_pInner, m_pHeader, m_pSeparators);
}

void CTableFormatDlg::tryAccept() {
    const std::string message = m_check ? m_check(Options()) : std::string();
    if (message.empty()) {
        accept();
        return;
    }
    QMessageBox::warning(this, QStringLiteral("Tavik"), QString::fromStdString(message));
}
