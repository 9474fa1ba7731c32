#include "view/CanvasSettingsDlg.h"

#include "canvas/CellGeometry.h"
#include "canvas/RuvlenDoc.h"
#include "tools/DialogResult.h"
#include "tools/NumberCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLineEdit* NewCountEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    // Room for two digits and a little more, like the small edit boxes it stands for.
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    return edit;
}

} // namespace

CCanvasSettingsDlg::CCanvasSettingsDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ｷｬﾝﾊﾞｽの設定"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    CreateControls();
    LayoutControls();
}

// Controls in creation order, which is also the tab order: columns, lines,
// size, OK, Cancel, grid.
void CCanvasSettingsDlg::CreateControls() {
    m_pColumnsLabel = new QLabel(QStringLiteral("桁数"), this);
    m_pColumnsEdit = NewCountEdit(this, "columns");
    m_pLinesLabel = new QLabel(QStringLiteral("行数"), this);
    m_pLinesEdit = NewCountEdit(this, "lines");
    m_pSizeLabel = new QLabel(QStringLiteral("文字の大きさ"), this);
    m_pSizeCombo = new QComboBox(this);
    m_pSizeCombo->setObjectName(QStringLiteral("size"));
    for (int i = 0; i < kFontSizeCount; ++i)
        m_pSizeCombo->addItem(QString::fromUtf8(FontSizeAt(i).label));
    m_pOkButton = new QPushButton(QStringLiteral("OK"), this);
    m_pOkButton->setObjectName(QStringLiteral("ok"));
    m_pOkButton->setDefault(true);
    m_pCancelButton = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    m_pCancelButton->setObjectName(QStringLiteral("cancel"));
    const QString range =
        QStringLiteral("(%1～%2)").arg(CRuvlenDoc::MIN_SIZE).arg(CRuvlenDoc::MAX_SIZE);
    m_pColumnsRange = new QLabel(range, this);
    m_pLinesRange = new QLabel(range, this);
    m_pGridCheck = new QCheckBox(QStringLiteral("グリッドを表示する"), this);
    m_pGridCheck->setObjectName(QStringLiteral("grid"));

    m_pColumnsLabel->setBuddy(m_pColumnsEdit);
    m_pLinesLabel->setBuddy(m_pLinesEdit);
    m_pSizeLabel->setBuddy(m_pSizeCombo);
    setTabOrder(m_pColumnsEdit, m_pLinesEdit);
    setTabOrder(m_pLinesEdit, m_pSizeCombo);
    setTabOrder(m_pSizeCombo, m_pOkButton);
    setTabOrder(m_pOkButton, m_pCancelButton);
    setTabOrder(m_pCancelButton, m_pGridCheck);

    connect(m_pOkButton, &QPushButton::clicked, this, &CCanvasSettingsDlg::OnOK);
    connect(m_pCancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

// Labels, fields and range hints in a grid on the left; OK and Cancel stacked
// on the right; the grid check box below.
void CCanvasSettingsDlg::LayoutControls() {
    auto* fields = new QGridLayout;
    fields->addWidget(m_pColumnsLabel, 0, 0);
    fields->addWidget(m_pColumnsEdit, 0, 1);
    fields->addWidget(m_pColumnsRange, 0, 2);
    fields->addWidget(m_pLinesLabel, 1, 0);
    fields->addWidget(m_pLinesEdit, 1, 1);
    fields->addWidget(m_pLinesRange, 1, 2);
    fields->addWidget(m_pSizeLabel, 2, 0);
    fields->addWidget(m_pSizeCombo, 2, 1, 1, 2, Qt::AlignLeft);
    fields->addWidget(m_pGridCheck, 3, 0, 1, 3);
    fields->setColumnStretch(2, 1);
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(8);
    fields->setRowMinimumHeight(3, m_pGridCheck->sizeHint().height() + 6);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pOkButton);
    buttons->addWidget(m_pCancelButton);
    buttons->addStretch(1);

    auto* top = new QGridLayout(this);
    top->addLayout(fields, 0, 0);
    top->addLayout(buttons, 0, 1);
    top->setHorizontalSpacing(24);
    top->setContentsMargins(14, 14, 14, 14);
    top->setSizeConstraint(QLayout::SetFixedSize);
}

int CCanvasSettingsDlg::DoModal() {
    OnInitDialog();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CCanvasSettingsDlg::OnInitDialog() {
    m_pColumnsEdit->setText(QString::asprintf("%2d", m_nColumns));
    m_pLinesEdit->setText(QString::asprintf("%2d", m_nLines));
    // An index outside the list would leave the combo empty and hand back -1.
    const bool sizeKnown = m_nFontSize >= 0 && m_nFontSize < kFontSizeCount;
    m_pSizeCombo->setCurrentIndex(sizeKnown ? m_nFontSize : 0);
    m_pGridCheck->setChecked(m_bGrid != 0);
    m_pColumnsEdit->setFocus();
    m_pColumnsEdit->selectAll();
}

void CCanvasSettingsDlg::OnOK() {
    // The check works on bytes: UTF-8 turns every non-ASCII character, full-width
    // digits included, into bytes that are not digits, so they are refused.
    CNumberCheck check;
    check.m_strText = m_pColumnsEdit->text().toStdString();
    check.SetMaxLength(2);
    check.SetMin(CRuvlenDoc::MIN_SIZE);
    check.SetMax(CRuvlenDoc::MAX_SIZE);
    if (!check.IsValid())
        return RefuseEntry(m_pColumnsEdit, QStringLiteral("桁数の指定が不正です。"));
    const int columns = check.GetValue();

    check.m_strText = m_pLinesEdit->text().toStdString();
    if (!check.IsValid())
        return RefuseEntry(m_pLinesEdit, QStringLiteral("行数の指定が不正です。"));
    const int lines = check.GetValue();
    if (!ConfirmCellsOutside(columns, lines)) return;
    // The fields change only when both numbers pass, so a refused OK followed
    // by Cancel hands back exactly what the caller put in.
    m_nColumns = columns;
    m_nLines = lines;
    m_nFontSize = m_pSizeCombo->currentIndex();
    m_bGrid = m_pGridCheck->isChecked() ? 1 : 0;
    accept();
}

bool CCanvasSettingsDlg::ConfirmCellsOutside(int columns, int lines) {
    const int outside = m_pDoc ? m_pDoc->CountCellsOutside(columns, lines) : 0;
    if (outside == 0) return true;
    const QString text =
        QStringLiteral("空白でないマス %1 個がｷｬﾝﾊﾞｽの外に出ます。外に出たマスは消えませんが、"
                       "表示も保存もされません。この大きさにしますか?")
            .arg(outside);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tavik"), text,
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("cellsOutside"));
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() == QMessageBox::Yes) return true;
    // Back to the fields, once the box has let go of the activation.
    QTimer::singleShot(0, m_pColumnsEdit, [this] {
        activateWindow();
        m_pColumnsEdit->setFocus();
        m_pColumnsEdit->selectAll();
    });
    return false;
}

void CCanvasSettingsDlg::RefuseEntry(QLineEdit* edit, const QString& message) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tavik"), message, QMessageBox::Ok, this);
    box.exec();
    // Closing the box leaves a deselect of the edit box queued; select after it,
    // and take the activation back whatever the window manager does.
    QTimer::singleShot(0, edit, [this, edit] {
        activateWindow();
        edit->setFocus();
        edit->selectAll();
    });
}
