#pragma once

#include "app/RecoveryManager.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

// The question at start when copies of unsaved canvases were left by a
// program that did not end normally: each canvas with its file (or 無題) and
// the time of its copy, a note on files that could not be read, and the
// answers 復元, 破棄 and 後で (also Esc).
class CRecoveryDlg : public QDialog {
    Q_OBJECT
public:
    enum Answer { Later = QDialog::Rejected, Restore = 10, Discard = 11 };

    CRecoveryDlg(QWidget* parent, const std::vector<CRecoveryManager::CLeftCopy>& copies,
                 const QStringList& skipped);

    QTreeWidget* m_pList = nullptr;
    QPushButton* m_pRestore = nullptr;
    QPushButton* m_pDiscard = nullptr;
    QPushButton* m_pLater = nullptr;
};
