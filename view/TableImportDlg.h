#pragma once

#include "canvas/TableLayout.h"
#include "canvas/io/TableText.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The dialog that turns data into a table ("表として貼り付け"): over the
// clipboard's text, or a file read with its button; the outer and inner line
// weights, a header row and where separators go. It shows the table's size
// as the options change. OK is refused, with a message and the dialog kept
// open, when the data gives no table or the table does not fit the canvas;
// after OK, Data() and Options() give what to paste (CViewController::PasteTable).
class CTableImportDlg : public QDialog {
    Q_OBJECT
public:
    CTableImportDlg(const QString& clipboardText, int canvasColumns, int canvasLines,
                    QWidget* parent);

    const CTableData& Data() const { return m_data; }
    CTableOptions Options() const;
    // Pasted transparently: blank cells show the canvas and lines merge with its lines.
    bool Transparent() const;
    // What reading replaced, for the user (empty when nothing).
    QString ReplacementText() const;

    // Reads a file instead of the clipboard; false (with a message shown) when
    // it cannot be read, and the data stays as it was.
    bool ReadFile(const QString& path);

    // Asks for the file to read; a file dialog unless replaced (tests).
    std::function<QString(QWidget*)> m_chooseFile;

    QLabel* m_pSource = nullptr;
    QPushButton* m_pFileButton = nullptr;
    QComboBox* m_pOuter = nullptr;
    QComboBox* m_pInner = nullptr;
    QCheckBox* m_pHeader = nullptr;
    QCheckBox* m_pTransparent = nullptr;
    QComboBox* m_pSeparators = nullptr;
    QLabel* m_pSize = nullptr;
    QLabel* m_pWarning = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;

public slots:
    void tryAccept();

private:
    void CreateControls();
    void LayoutControls();
    void ChooseFile();
    void SetData(bool read, const QString& source);
    void UpdateSize();
    void ShowMessage(const QString& text);

    CTableData m_data;
    CTableProblem m_problem; // why the data gives no table, if it does not
    int m_nCanvasColumns;
    int m_nCanvasLines;
};
