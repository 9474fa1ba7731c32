#include "app/OpenPartDlg.h"

#include "canvas/RuvlenDoc.h"
#include "canvas/io/FilePart.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* LineBox(const char* name, int fileLines) {
    auto* box = new QSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(1, std::max(1, fileLines)); // a valid range even for an empty file
    return box;
}

} // namespace

COpenPartDlg::COpenPartDlg(QWidget* parent, const QString& fileName, int fileLines,
                           const std::vector<CDiagramBlock>& blocks)
    : QDialog(parent), m_blocks(blocks), m_nFileLines(fileLines) {
    setWindowTitle(QStringLiteral("開く"));
    auto* intro = new QLabel(
        QStringLiteral("%1 は %2 行あり、ｷｬﾝﾊﾞｽ（99 行、99 桁まで）に入りきりません。\n"
                       "図の部分や指定した行だけを開くと、そこを編集して元の場所に保存でき、"
                       "ファイルのほかの行はそのまま残ります。")
            .arg(fileName)
            .arg(fileLines));
    intro->setWordWrap(true);

    m_pBlockChoice = new QRadioButton(QStringLiteral("図の部分(&D):"));
    m_pBlockChoice->setObjectName(QStringLiteral("blockChoice"));
    m_pBlockList = new QListWidget;
    m_pBlockList->setObjectName(QStringLiteral("blockList"));
    // The box drawing of each block's first line in the editor's Japanese
    // font, not a Western fallback that draws it half as wide.
    QFont listFont(QStringLiteral("IPAGothic"));
    listFont.setPointSize(font().pointSize());
    m_pBlockList->setFont(listFont);
    for (const CDiagramBlock& block : blocks)
        m_pBlockList->addItem(QStringLiteral("%1–%2 行  %3")
                                  .arg(block.m_nFirst)
                                  .arg(block.m_nLast)
                                  .arg(QString::fromStdString(block.m_strFirstLine)));
    m_pBlockChoice->setEnabled(!blocks.empty());
    m_pBlockList->setEnabled(!blocks.empty());

    m_pRangeChoice = new QRadioButton(QStringLiteral("行を指定(&R):"));
    m_pRangeChoice->setObjectName(QStringLiteral("rangeChoice"));
    m_pFirst = LineBox("firstLine", fileLines);
    m_pLast = LineBox("lastLine", fileLines);
    // At first as many lines from the top as a canvas holds.
    m_pLast->setValue(std::min(fileLines, CRuvlenDoc::MAX_SIZE));
    auto* firstLabel = new QLabel(QStringLiteral("行から(&F)"));
    firstLabel->setBuddy(m_pFirst);
    auto* lastLabel = new QLabel(QStringLiteral("行まで(&T)"));
    lastLabel->setBuddy(m_pLast);

    m_pWholeChoice = new QRadioButton(
        QStringLiteral("先頭から開く(&W)（99 行、99 桁を超える部分は読み込まれません）"));
    m_pWholeChoice->setObjectName(QStringLiteral("wholeChoice"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    QPushButton* open =
        buttons->addButton(QStringLiteral("開く(&O)"), QDialogButtonBox::AcceptRole);
    open->setObjectName(QStringLiteral("ok"));
    open->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    // Enter opens, wherever the focus is.
    buttons->button(QDialogButtonBox::Cancel)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &COpenPartDlg::tryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* range = new QGridLayout;
    range->addWidget(m_pRangeChoice, 0, 0);
    range->addWidget(m_pFirst, 0, 1);
    range->addWidget(firstLabel, 0, 2);
    range->addWidget(m_pLast, 0, 3);
    range->addWidget(lastLabel, 0, 4);
    range->setColumnStretch(5, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_pBlockChoice);
    layout->addWidget(m_pBlockList);
    layout->addLayout(range);
    layout->addWidget(m_pWholeChoice);
    layout->addWidget(buttons);

    // Choosing a block shows its lines in the range, to widen or narrow it.
    connect(m_pBlockList, &QListWidget::currentRowChanged, this, &COpenPartDlg::ShowBlock);
    connect(m_pBlockList, &QListWidget::itemDoubleClicked, this, &COpenPartDlg::tryAccept);
    // Typing a line number chooses the range.
    for (QSpinBox* box : {m_pFirst, m_pLast})
        connect(box, &QSpinBox::valueChanged, this, [this] {
            if (!m_bShowingBlock) m_pRangeChoice->setChecked(true);
        });
    if (blocks.empty()) {
        m_pRangeChoice->setChecked(true);
        m_pFirst->setFocus();
    } else {
        m_pBlockList->setCurrentRow(0);
        m_pBlockChoice->setChecked(true);
        m_pBlockList->setFocus();
    }
    resize(640, sizeHint().height());
}

void COpenPartDlg::ShowBlock(int row) {
    if (row < 0 || row >= int(m_blocks.size())) return;
    m_pBlockChoice->setChecked(true);
    // Filling in the block's lines is not typing a range (see the constructor).
    m_bShowingBlock = true;
    m_pFirst->setValue(m_blocks[size_t(row)].m_nFirst);
    m_pLast->setValue(m_blocks[size_t(row)].m_nLast);
    m_bShowingBlock = false;
}

COpenPartDlg::EChoice COpenPartDlg::Choice() const {
    if (m_pWholeChoice->isChecked()) return Whole;
    return m_pBlockChoice->isChecked() && m_pBlockList->currentRow() >= 0 ? Block : Range;
}

int COpenPartDlg::First() const {
    const int row = m_pBlockList->currentRow();
    return Choice() == Block ? m_blocks[size_t(row)].m_nFirst : m_pFirst->value();
}

int COpenPartDlg::Last() const {
    const int row = m_pBlockList->currentRow();
    return Choice() == Block ? m_blocks[size_t(row)].m_nLast : m_pLast->value();
}

// A range the canvas cannot hold is refused here, with the dialog kept open.
void COpenPartDlg::tryAccept() {
    CPartProblem problem;
    if (Choice() == Range && !CheckPartRange(First(), Last(), m_nFileLines, problem)) {
        QMessageBox::warning(this, QStringLiteral("Tavik"),
                             QString::fromStdString(DescribePartProblem(problem)));
        return;
    }
    accept();
}
