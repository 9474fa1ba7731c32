// Placeholder: replaced by the real dialog.
#include "view/TextInputWindow.h"

#include "tools/TextInputDlg.h"

CTextInputWindow::CTextInputWindow(CTextInputDlg& logic, QWidget* parent)
    : QDialog(parent), m_logic(logic) {}
void CTextInputWindow::tryAccept() { accept(); }
