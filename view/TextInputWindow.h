#pragma once

#include <QDialog>

class CTextInputDlg;
class QPlainTextEdit;

// The text input dialog ("文字入力") around CTextInputDlg: the capacity text and
// an edit box prefilled with the text under the rectangle. OK validates; a
// refusal shows its message and keeps the dialog open. Application-modal.
class CTextInputWindow : public QDialog {
    Q_OBJECT
public:
    CTextInputWindow(CTextInputDlg& logic, QWidget* parent);

    QPlainTextEdit* m_pEdit = nullptr;

public slots:
    void tryAccept();

private:
    CTextInputDlg& m_logic;
};
