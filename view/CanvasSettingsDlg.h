#pragma once

#include <QDialog>

class QLineEdit;
class QComboBox;
class QCheckBox;

// The canvas settings dialog: columns, lines, character size and grid. The
// caller sets the four fields, runs DoModal and reads them back after IDOK.
class CCanvasSettingsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCanvasSettingsDlg(QWidget* parent);

    // Fills the controls from the fields, runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    int m_nFontSize = 0;
    int m_nColumns = 10;
    int m_nLines = 10;
    int m_bGrid = 0;

    QLineEdit* m_pColumnsEdit = nullptr; // control 1000
    QLineEdit* m_pLinesEdit = nullptr;   // control 1001
    QComboBox* m_pSizeCombo = nullptr;   // control 1002
    QCheckBox* m_pGridCheck = nullptr;   // control 1005

protected:
    void OnInitDialog();
    void OnOK();
};
