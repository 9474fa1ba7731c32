#pragma once

#include <QDialog>

// The about box: icon, "Tavik Version 1.3" and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent);
};
