#pragma once

#include "app/RecoveryManager.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

// The question at start when copies of unsaved canvases were left by a
// program that did not end normally: each canvas with the file it saves to (or
// 無題), its first line of text, its size and the time of its copy; the first
// lines of the chosen copy as the canvas shows them; a note on files that
// could not be read; and the answers 復元, 破棄 and 後で (also Esc).
class CRecoveryDlg : public QDialog {
    Q_OBJECT
public:
    enum Answer { Later = QDialog::Rejected, Restore = 10, Discard = 11 };

    CRecoveryDlg(QWidget* parent, const std::vector<CRecoveryManager::CLeftCopy>& copies,
                 const QStringList& skipped);

    // The first lines of a copy's canvas that hold anything, as text.
    static QStringList FirstLines(const CRecoveryFile& copy, int count);

    QTreeWidget* m_pList = nullptr;
    QPlainTextEdit* m_pPreview = nullptr;
    QPushButton* m_pRestore = nullptr;
    QPushButton* m_pDiscard = nullptr;
    QPushButton* m_pLater = nullptr;
};
