#include "app/RecoveryDlg.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString CanvasName(const CRecoveryFile& copy) {
    if (copy.m_path.empty()) return QStringLiteral("無題");
    return QDir::toNativeSeparators(QString::fromStdString(copy.m_path));
}

QString CopyTime(const CRecoveryFile& copy) {
    return QDateTime::fromMSecsSinceEpoch(copy.m_nSavedAt)
        .toLocalTime()
        .toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

} // namespace

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
    m_pList->setHeaderLabels({QStringLiteral("ﾌｧｲﾙ"), QStringLiteral("コピーの時刻")});
    for (const auto& left : copies)
        new QTreeWidgetItem(m_pList, {CanvasName(left.m_copy), CopyTime(left.m_copy)});
    m_pList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_pList->header()->setStretchLastSection(false);
    m_pList->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_pList);
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
    resize(520, 300);
}
