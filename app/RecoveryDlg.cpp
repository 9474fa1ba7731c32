#include "app/RecoveryDlg.h"

#include "canvas/RuvlenDoc.h"
#include "canvas/io/DocumentText.h"
#include "view/CellPainter.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString CanvasName(const CRecoveryFile& copy) {
    if (copy.m_path.empty()) return QStringLiteral("無題");
    return QDir::toNativeSeparators(QString::fromStdString(copy.m_path));
}

QString CanvasSize(const CRecoveryFile& copy) {
    return QStringLiteral("%1 桁 × %2 行").arg(copy.m_nColumns).arg(copy.m_nLines);
}

QString CopyTime(const CRecoveryFile& copy) {
    return QDateTime::fromMSecsSinceEpoch(copy.m_nSavedAt)
        .toLocalTime()
        .toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

constexpr int kPreviewLines = 6;

} // namespace

QStringList CRecoveryDlg::FirstLines(const CRecoveryFile& copy, int count) {
    CRuvlenDoc doc;
    copy.RestoreTo(doc);
    const std::string text = DocumentText(doc, {TextEncoding::Utf8, LineEnding::Lf});
    QStringList lines = QString::fromStdString(text).split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.first().trimmed().isEmpty()) lines.removeFirst();
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
    return lines.mid(0, count);
}

CRecoveryDlg::CRecoveryDlg(QWidget* parent, const std::vector<CRecoveryManager::CLeftCopy>& copies,
                           const QStringList& skipped)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Tavik"));
    setObjectName(QStringLiteral("recoveryDialog"));
    auto* text =
        new QLabel(QStringLiteral("前回 Tavik が正しく終了しなかったため、保存されていない変更の"
                                  "復元用のコピーが残っています。\n"
                                  "復元すると、変更されたｷｬﾝﾊﾞｽとして元のﾌｧｲﾙ名のまま開きます。"));
    text->setWordWrap(true);
    m_pList = new QTreeWidget;
    m_pList->setObjectName(QStringLiteral("copies"));
    m_pList->setRootIsDecorated(false);
    m_pList->setHeaderLabels({QStringLiteral("保存先のﾌｧｲﾙ"), QStringLiteral("最初の行"),
                              QStringLiteral("大きさ"), QStringLiteral("コピーの時刻")});
    std::vector<QStringList> previews;
    for (const auto& left : copies) {
        previews.push_back(FirstLines(left.m_copy, kPreviewLines));
        auto* item = new QTreeWidgetItem(m_pList, {CanvasName(left.m_copy),
                                                   previews.back().value(0).trimmed(),
                                                   CanvasSize(left.m_copy), CopyTime(left.m_copy)});
        item->setToolTip(0, CanvasName(left.m_copy));
    }
    m_pList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_pList->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_pList->header()->setStretchLastSection(false);
    m_pPreview = new QPlainTextEdit;
    m_pPreview->setObjectName(QStringLiteral("preview"));
    m_pPreview->setReadOnly(true);
    m_pPreview->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pPreview->setFont(CellFont(16));
    // Room for every preview line (box-drawing characters from a fallback font
    // may stand taller), with the box's margins and frame.
    m_pPreview->setFixedHeight(m_pPreview->fontMetrics().height() * (kPreviewLines + 2) +
                               2 * m_pPreview->frameWidth());
    connect(m_pList, &QTreeWidget::currentItemChanged, this, [this, previews] {
        const int row = m_pList->indexOfTopLevelItem(m_pList->currentItem());
        m_pPreview->setPlainText(row >= 0 ? previews[size_t(row)].join(QLatin1Char('\n'))
                                          : QString());
    });
    if (!copies.empty()) m_pList->setCurrentItem(m_pList->topLevelItem(0));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_pList);
    layout->addWidget(m_pPreview);
    if (!skipped.isEmpty()) {
        auto* note = new QLabel(QStringLiteral("次のﾌｧｲﾙは読めないため飛ばしました:\n") +
                                skipped.join(QLatin1Char('\n')));
        note->setObjectName(QStringLiteral("skippedNote"));
        note->setWordWrap(true);
        note->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(note);
    }
    auto* buttons = new QDialogButtonBox;
    m_pRestore = buttons->addButton(QStringLiteral("復元"), QDialogButtonBox::AcceptRole);
    m_pDiscard = buttons->addButton(QStringLiteral("破棄"), QDialogButtonBox::DestructiveRole);
    m_pLater = buttons->addButton(QStringLiteral("後で"), QDialogButtonBox::RejectRole);
    m_pRestore->setDefault(true);
    connect(m_pRestore, &QPushButton::clicked, this, [this] { done(Restore); });
    connect(m_pDiscard, &QPushButton::clicked, this, [this] { done(Discard); });
    connect(m_pLater, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 420);
}
