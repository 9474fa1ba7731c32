#pragma once

#include "canvas/io/ExportArea.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

// Asks where and how to export a canvas as a picture: the file, PNG or SVG,
// the character size, which cells (the whole canvas, the selection or the used
// area), and for PNG a transparent background.
class CExportDlg : public QDialog {
    Q_OBJECT
public:
    // The selection can be chosen only when the canvas has one.
    CExportDlg(QWidget* parent, const QString& suggestedPath, int fontSize,
               bool hasSelection = false);

    enum Format { Png = 0, Svg = 1 };
    Format SelectedFormat() const;
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
