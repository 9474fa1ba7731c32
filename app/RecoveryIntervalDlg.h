#pragma once

#include <QDialog>

class QSpinBox;

// The least time between two recovery copies of a canvas, 0 to 3600 seconds;
// 0 makes no copies.
class CRecoveryIntervalDlg : public QDialog {
    Q_OBJECT
public:
    CRecoveryIntervalDlg(QWidget* parent, int seconds);
    int Seconds() const;

    QSpinBox* m_pSeconds = nullptr;
};
