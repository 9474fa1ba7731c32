#pragma once

#include <QDialog>

#include <string>

class CTextInputDlg;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The text input dialog ("文字入力") around CTextInputDlg: the capacity text and
// an edit box prefilled with the text under the rectangle. OK validates; a
// refusal shows its message and keeps the dialog open. Application-modal.
// Construct it once the logic holds its capacity and initial text.
class CTextInputWindow : public QDialog {
    Q_OBJECT
public:
    CTextInputWindow(CTextInputDlg& logic, QWidget* parent);

    // Runs the dialog; IDOK (the logic then holds the laid-out text) or IDCANCEL.
    int DoModal();

    QLabel* m_pCapacity = nullptr;
    QPlainTextEdit* m_pEdit = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;

    // Shift-JIS bytes with CR LF line breaks to the edit box's text (LF breaks).
    static QString BytesToEditText(const std::string& bytes);
    // The edit box's text to Shift-JIS bytes with CR LF line breaks. A character
    // with no Shift-JIS form becomes a byte the logic refuses as an invalid code.
    static std::string EditTextToBytes(const QString& text);

public slots:
    void tryAccept();

private:
    void OnInitDialog();
    void ShowMessage(const std::string& text);

    CTextInputDlg& m_logic;
};
