#include "app/UndoLevelsDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

CUndoLevelsDlg::CUndoLevelsDlg(QWidget* parent, int levels) : QDialog(parent) {
    setWindowTitle(QStringLiteral("取り消しの回数"));
    m_pLevels = new QSpinBox;
    m_pLevels->setObjectName(QStringLiteral("levels"));
    m_pLevels->setRange(1, 100);
    m_pLevels->setValue(levels);
    auto* label = new QLabel(QStringLiteral("取り消しできる操作の数(&N) (1～100):"));
    label->setBuddy(m_pLevels);
    auto* hint = new QLabel(QStringLiteral("1 のときは、もう一度取り消すと元に戻ります。\n"
                                           "2 以上のときは、取り消した操作をやり直せます。"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pLevels);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    m_pLevels->selectAll();
}

int CUndoLevelsDlg::Levels() const {
    return m_pLevels->value();
}
