// Placeholder: replaced by the real dialog.
#include "view/CanvasSettingsDlg.h"

#include "tools/CommandIds.h"

CCanvasSettingsDlg::CCanvasSettingsDlg(QWidget* parent) : QDialog(parent) {}
int CCanvasSettingsDlg::DoModal() { return exec() == QDialog::Accepted ? IDOK : IDCANCEL; }
void CCanvasSettingsDlg::OnInitDialog() {}
void CCanvasSettingsDlg::OnOK() {}
