#pragma once

#include <QDialog>

class QLineEdit;
class QComboBox;
class QCheckBox;
class QLabel;
class QPushButton;
class CRuvlenDoc;

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
    // The canvas, when set: a size that would put non-blank cells outside asks
    // first, with their count, and No goes back to the fields.
    const CRuvlenDoc* m_pDoc = nullptr;

    QLineEdit* m_pColumnsEdit = nullptr;
    QLineEdit* m_pLinesEdit = nullptr;
    QComboBox* m_pSizeCombo = nullptr;
    QCheckBox* m_pGridCheck = nullptr;

protected:
    void OnInitDialog();
    void OnOK();

private:
    void CreateControls();
    void LayoutControls();
    // Shows the message, then puts the focus on the edit with all its text selected.
    void RefuseEntry(QLineEdit* edit, const QString& message);
    bool ConfirmCellsOutside(int columns, int lines);

    QLabel* m_pColumnsLabel = nullptr;
    QLabel* m_pColumnsRange = nullptr;
    QLabel* m_pLinesLabel = nullptr;
    QLabel* m_pLinesRange = nullptr;
    QLabel* m_pSizeLabel = nullptr;
    QPushButton* m_pOkButton = nullptr;
    QPushButton* m_pCancelButton = nullptr;
};
