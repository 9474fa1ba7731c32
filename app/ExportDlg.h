#pragma once

#include "canvas/io/ExportArea.h"
#include "canvas/io/OutputFormat.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

// Asks where and how to export a canvas: the file, the format (the rows of the
// output format table, view/ImageExport.h), the character size for pictures,
// which cells (the whole canvas, the selection or the used area), and a
// transparent background where the format has one.
class CExportDlg : public QDialog {
    Q_OBJECT
public:
    // The selection can be chosen only when the canvas has one.
    CExportDlg(QWidget* parent, const QString& suggestedPath, int fontSize,
               bool hasSelection = false);

    // The row of the format combo box that shows a format (png, svg ...).
    static int IndexOf(const char* formatName);
    const COutputFormat& SelectedFormat() const;
    int SelectedSize() const;
    bool Transparent() const;
    EExportArea SelectedArea() const;
    // The chosen path, with the format's extension added when it has none.
    QString Path() const;

    QLineEdit* m_pPathEdit = nullptr;
    QComboBox* m_pFormatCombo = nullptr;
    QComboBox* m_pSizeCombo = nullptr;
    QComboBox* m_pAreaCombo = nullptr; // items in EExportArea's order
    QCheckBox* m_pTransparentCheck = nullptr;

public slots:
    void tryAccept();

private:
    void Browse();
    QString m_strConfirmedPath; // chosen in the file dialog, which asked about replacing
    void OnFormatChanged();
};
