// Placeholder: replaced by the real about box.
#include "app/AboutDlg.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {}
