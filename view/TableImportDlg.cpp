#include "view/TableImportDlg.h"

#include "view/TableOptionsControls.h"

#include "canvas/io/TextFile.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {

QComboBox* WeightCombo(QWidget* parent, int thick) {
    auto* combo = new QComboBox(parent);
    combo->addItems({QStringLiteral("細線"), QStringLiteral("太線")});
    combo->setCurrentIndex(thick);
    return combo;
}

} // namespace

CTableImportDlg::CTableImportDlg(const QString& clipboardText, int canvasColumns, int canvasLines,
                                 QWidget* parent)
    : QDialog(parent), m_nCanvasColumns(canvasColumns), m_nCanvasLines(canvasLines) {
    setWindowTitle(QStringLiteral("表として貼り付け"));
    m_chooseFile = [](QWidget* owner) {
        return QFileDialog::getOpenFileName(
            owner, QStringLiteral("表にするファイル"), QString(),
            QStringLiteral("表のデータ (*.csv *.tsv *.txt);;すべてのファイル (*)"));
    };
    CreateControls();
    LayoutControls();
    SetData(ReadTableUtf8(clipboardText.toStdString(), m_data, m_problem),
            QStringLiteral("クリップボード"));
}

void CTableImportDlg::CreateControls() {
    m_pSource = new QLabel(this);
    m_pSource->setObjectName(QStringLiteral("source"));
    m_pFileButton = new QPushButton(QStringLiteral("ファイルから読む(&F)..."), this);
    connect(m_pFileButton, &QPushButton::clicked, this, &CTableImportDlg::ChooseFile);
    m_pOuter = WeightCombo(this, 1);
    m_pInner = WeightCombo(this, 0);
    m_pHeader = new QCheckBox(QStringLiteral("1 行目を見出しにする(&H)"), this);
    m_pTransparent = new QCheckBox(QStringLiteral("透過的に貼り付けて線をつなぐ(&T)"), this);
    m_pSeparators = new QComboBox(this);
    m_pSeparators->addItems({QStringLiteral("各行の後"), QStringLiteral("見出しの後だけ")});
    m_pSize = new QLabel(this);
    m_pSize->setObjectName(QStringLiteral("size"));
    m_pWarning = new QLabel(this);
    m_pWarning->setWordWrap(true);
    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pOk->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    connect(m_pOk, &QPushButton::clicked, this, &CTableImportDlg::tryAccept);
    connect(m_pCancel, &QPushButton::clicked, this, &CTableImportDlg::reject);
    for (QComboBox* combo : {m_pOuter, m_pInner, m_pSeparators})
        connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                [this] { UpdateSize(); });
    connect(m_pHeader, &QCheckBox::toggled, this, [this] { UpdateSize(); });
}

void CTableImportDlg::LayoutControls() {
    auto* source = new QHBoxLayout;
    source->addWidget(m_pSource, 1);
    source->addWidget(m_pFileButton);
    auto* form = new QFormLayout;
    const auto row = [this, form](const QString& text, QWidget* field) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field); // the mnemonic moves the focus to the field
        form->addRow(label, field);
    };
    row(QStringLiteral("外枠(&O):"), m_pOuter);
    row(QStringLiteral("内側の線(&I):"), m_pInner);
    form->addRow(QString(), m_pHeader);
    row(QStringLiteral("区切り線(&S):"), m_pSeparators);
    form->addRow(QString(), m_pTransparent);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(source);
    layout->addLayout(form);
    layout->addWidget(m_pSize);
    layout->addWidget(m_pWarning);
    layout->addLayout(buttons);
}

bool CTableImportDlg::Transparent() const {
    return m_pTransparent->isChecked();
}

CTableOptions CTableImportDlg::Options() const {
    return TableOptionsFrom(m_pOuter, m_pInner, m_pHeader, m_pSeparators);
}

QString CTableImportDlg::ReplacementText() const {
    return QString::fromStdString(DescribeTableReplacements(m_data.m_replacements));
}

void CTableImportDlg::ChooseFile() {
    const QString path = m_chooseFile(this);
    if (!path.isEmpty()) ReadFile(path);
}

bool CTableImportDlg::ReadFile(const QString& path) {
    std::string bytes, error;
    bool more = false;
    if (!ReadFileBytes(path.toStdString(), bytes, kMaxTableBytes, &more, error)) {
        ShowMessage(QString::fromStdString(error));
        return false;
    }
    if (more) {
        ShowMessage(QStringLiteral("「%1」は表にするには大きすぎます。").arg(path));
        return false;
    }
    SetData(ReadTableBytes(bytes, m_data, m_problem), QFileInfo(path).fileName());
    return true;
}

void CTableImportDlg::SetData(bool read, const QString& source) {
    if (read) m_problem = CTableProblem();
    m_pSource->setText(QStringLiteral("データ: %1").arg(source));
    m_pWarning->setText(ReplacementText());
    UpdateSize();
}

void CTableImportDlg::UpdateSize() {
    if (m_problem.m_kind != TableProblem::None) {
        m_pSize->setText(QString::fromStdString(TableProblemMessage(m_problem)));
        return;
    }
    const CTableLayout table(m_data.m_rows, Options());
    m_pSize->setText(QStringLiteral("%1 列の表: %2 桁 × %3 行（キャンバスは %4 桁 × %5 行）")
                         .arg(m_data.Columns())
                         .arg(table.Width())
                         .arg(table.Height())
                         .arg(m_nCanvasColumns)
                         .arg(m_nCanvasLines));
}

void CTableImportDlg::tryAccept() {
    CTableProblem problem = m_problem;
    if (problem.m_kind == TableProblem::None) {
        const CTableLayout table(m_data.m_rows, Options());
        if (table.Width() > m_nCanvasColumns || table.Height() > m_nCanvasLines)
            problem = {TableProblem::TooLarge, 0, table.Width(), table.Height(), m_nCanvasColumns,
                       m_nCanvasLines};
    }
    if (problem.m_kind == TableProblem::None) {
        accept();
        return;
    }
    ShowMessage(QString::fromStdString(TableProblemMessage(problem)));
}

void CTableImportDlg::ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tavik"), text, QMessageBox::Ok, this);
    box.exec();
}
