#include "app/ExportDlg.h"

#include "canvas/CanvasDefaults.h"
#include "canvas/CellGeometry.h"
#include "view/ImageExport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardItemModel>

namespace {

const std::vector<COutputFormat>& Formats() {
    return WindowOutputFormats();
}

QString SuffixOf(const COutputFormat& format) {
    return QString::fromLatin1(format.suffix);
}

} // namespace

int CExportDlg::IndexOf(const char* formatName) {
    const COutputFormat* format = FindOutputFormat(formatName);
    return format ? int(format - Formats().data()) : -1;
}

CExportDlg::CExportDlg(QWidget* parent, const QString& suggestedPath, int fontSize,
                       bool hasSelection)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("エクスポート"));
    m_pPathEdit = new QLineEdit(suggestedPath);
    // The object names let the window tests find the fields.
    m_pPathEdit->setObjectName(QStringLiteral("path"));
    m_pPathEdit->setMinimumWidth(320);
    auto* browse = new QPushButton(QStringLiteral("参照(&B)..."));
    m_pFormatCombo = new QComboBox;
    m_pFormatCombo->setObjectName(QStringLiteral("format"));
    for (const COutputFormat& format : Formats())
        m_pFormatCombo->addItem(QString::fromUtf8(format.filter));
    m_pSizeCombo = new QComboBox;
    m_pSizeCombo->setObjectName(QStringLiteral("size"));
    for (int i = 0; i < kFontSizeCount; ++i)
        m_pSizeCombo->addItem(QString::fromUtf8(FontSizeAt(i).label));
    // A size out of range shows the default one rather than no choice at all.
    m_pSizeCombo->setCurrentIndex(fontSize >= 0 && fontSize <= kMaxFontSize
                                      ? fontSize
                                      : CCanvasDefaults().m_nDefaultTextSize);
    m_pAreaCombo = new QComboBox;
    m_pAreaCombo->setObjectName(QStringLiteral("area"));
    m_pAreaCombo->addItems({QStringLiteral("ｷｬﾝﾊﾞｽ全体"), QStringLiteral("選択範囲"),
                            QStringLiteral("使っている範囲 (空白を除く)")});
    if (!hasSelection) {
        // The combo box's own model: its items can be switched off one by one.
        if (auto* model = qobject_cast<QStandardItemModel*>(m_pAreaCombo->model()))
            model->item(int(EExportArea::Selection))->setEnabled(false);
    }
    m_pTransparentCheck = new QCheckBox(QStringLiteral("背景を透明にする(&T)"));
    m_pTransparentCheck->setObjectName(QStringLiteral("transparent"));

    auto* grid = new QGridLayout;
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_pPathEdit, 1);
    pathRow->addWidget(browse);
    // Each label names its field, so its mnemonic moves the focus there.
    const auto label = [](const char* text, QWidget* buddy) {
        auto* l = new QLabel(QString::fromUtf8(text));
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label("ﾌｧｲﾙ名(&N):", m_pPathEdit), 0, 0);
    grid->addLayout(pathRow, 0, 1);
    grid->addWidget(label("形式(&F):", m_pFormatCombo), 1, 0);
    grid->addWidget(m_pFormatCombo, 1, 1);
    grid->addWidget(label("文字の大きさ(&S):", m_pSizeCombo), 2, 0);
    grid->addWidget(m_pSizeCombo, 2, 1);
    grid->addWidget(label("範囲(&A):", m_pAreaCombo), 3, 0);
    grid->addWidget(m_pAreaCombo, 3, 1);
    grid->addWidget(m_pTransparentCheck, 4, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    grid->addWidget(buttons, 5, 0, 1, 2);
    setLayout(grid);

    connect(browse, &QPushButton::clicked, this, &CExportDlg::Browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &CExportDlg::tryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pFormatCombo, &QComboBox::currentIndexChanged, this, &CExportDlg::OnFormatChanged);
    if (const COutputFormat* format = OutputFormatForPath(suggestedPath.toStdString()))
        m_pFormatCombo->setCurrentIndex(IndexOf(format->name));
    OnFormatChanged();
}

const COutputFormat& CExportDlg::SelectedFormat() const {
    const int i = m_pFormatCombo->currentIndex();
    return Formats()[size_t(i >= 0 && size_t(i) < Formats().size() ? i : 0)];
}

int CExportDlg::SelectedSize() const {
    return m_pSizeCombo->currentIndex();
}

bool CExportDlg::Transparent() const {
    return (SelectedFormat().options & kOutputTransparent) && m_pTransparentCheck->isChecked();
}

EExportArea CExportDlg::SelectedArea() const {
    switch (m_pAreaCombo->currentIndex()) {
    case int(EExportArea::Selection):
        return EExportArea::Selection;
    case int(EExportArea::Used):
        return EExportArea::Used;
    default:
        return EExportArea::Canvas;
    }
}

QString CExportDlg::Path() const {
    QString path = m_pPathEdit->text().trimmed();
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + SuffixOf(SelectedFormat());
    return path;
}

void CExportDlg::OnFormatChanged() {
    const COutputFormat& format = SelectedFormat();
    m_pTransparentCheck->setEnabled(format.options & kOutputTransparent);
    m_pSizeCombo->setEnabled(format.options & kOutputSize);
    // A path with another format's extension follows the choice.
    const QString path = m_pPathEdit->text();
    const QString suffix = QFileInfo(path).suffix();
    for (const COutputFormat& other : Formats()) {
        if (suffix.compare(SuffixOf(other), Qt::CaseInsensitive) != 0) continue;
        m_pPathEdit->setText(path.left(path.size() - suffix.size()) + SuffixOf(format));
        break;
    }
}

void CExportDlg::Browse() {
    const QString filter = m_pFormatCombo->currentText();
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("エクスポート"),
                                                      m_pPathEdit->text(), filter);
    if (path.isEmpty()) return;
    m_pPathEdit->setText(path);
    // The file dialog already asked about replacing an existing file.
    m_strConfirmedPath = path;
}

void CExportDlg::tryAccept() {
    const QString path = Path();
    const QString caption = QStringLiteral("Tavik");
    QString problem;
    // Path() adds the extension only to a name without one: a name with another
    // extension is refused rather than given two.
    if (path.isEmpty())
        problem = QStringLiteral("ﾌｧｲﾙ名を指定してください。");
    else if (QFileInfo(path).suffix().compare(SuffixOf(SelectedFormat()), Qt::CaseInsensitive) != 0)
        problem = QStringLiteral("%1 のﾌｧｲﾙ名は .%2 で終わるようにしてください。")
                      .arg(m_pFormatCombo->currentText(), SuffixOf(SelectedFormat()));
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, caption, problem);
        m_pPathEdit->setFocus();
        return;
    }
    if (QFileInfo::exists(path) && path != m_strConfirmedPath &&
        QMessageBox::question(
            this, caption, QStringLiteral("%1 は既にあります。上書きしますか?").arg(path),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    accept();
}
