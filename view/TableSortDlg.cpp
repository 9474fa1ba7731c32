#include "view/TableSortDlg.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

CTableSortDlg::CTableSortDlg(const QString& column, bool header, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("表の並べ替え"));
    auto* what = new QLabel(QStringLiteral("並べ替えの基準: %1").arg(column), this);
    m_pAscending = new QRadioButton(QStringLiteral("昇順(&A)"), this);
    m_pDescending = new QRadioButton(QStringLiteral("降順(&D)"), this);
    m_pAscending->setChecked(true);
    m_pHeader = new QCheckBox(QStringLiteral("先頭行は見出し"), this);
    m_pHeader->setChecked(header);
    auto* note = new QLabel(QStringLiteral("すべて数の列は値の順、それ以外は文字の順です。"
                                           "空の項目は最後になります。"),
                            this);
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTableSortDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTableSortDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(what);
    layout->addWidget(m_pAscending);
    layout->addWidget(m_pDescending);
    layout->addWidget(m_pHeader);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

bool CTableSortDlg::Descending() const {
    return m_pDescending->isChecked();
}

bool CTableSortDlg::Header() const {
    return m_pHeader->isChecked();
}
