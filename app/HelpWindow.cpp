// Placeholder: replaced by the real help window.
#include "app/HelpWindow.h"

void HelpWindow::Show(QWidget*, const QString&) {}
