#pragma once

#include "app/AppSettings.h"

#include <QDialog>
#include <QRect>

class CSymbolGridWnd;
class QComboBox;

// The modeless symbol palette: a category box and a 6 x 10 grid of symbols. The
// object lives for the whole run; its window exists only while shown. The chosen
// category and slot survive hiding.
class CSymbolPaletteDlg : public QDialog {
    Q_OBJECT
public:
    CSymbolPaletteDlg(QWidget* parent, CAppSettings* settings);

    // Shows the window placed from the settings' palette rectangle and category.
    void Create();
    // Hides the window (the object stays for the next showing).
    void Destroy();
    // The palette window's rectangle (frame included) into the settings.
    void CaptureRect();
    // Copies the chosen symbol (NUL-terminated) into buffer; returns the category.
    int GetChosenSymbol(char buffer[4]) const;

    CSymbolGridWnd* m_pGrid = nullptr;
    QComboBox* m_pCategoryCombo = nullptr;
    int m_nCategory = 0;

signals:
    // The user closed the palette (close box or Esc), posted after the close.
    void paletteClosed();
    // The user picked a category or a symbol: the active canvas takes the symbol tool.
    void symbolToolRequested();

public slots:
    // Enter does not close the palette.
    void accept() override {}
    // Esc and the close box: hide, then tell the frame.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    // The grid's cells take the room a larger window gives (whole pixels).
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnSelChangeCategory(int index);
    void PlaceFromSettings();
    QRect FirstPlacement() const;
    // The inside of a window whose grid has cells of the given size.
    QSize InsideSizeFor(int cellPixels) const;
    // Corrects the size once the window manager's frame is known, so the frame
    // (not the inside) gets the stored size.
    void FitFrame();
    void RememberRect();

    CAppSettings m_ownSettings; // stands in when no settings are given
    CAppSettings* m_pSettings;
    bool m_bCreated = false;    // placed and not destroyed since
    QRect m_rcTarget;           // frame rectangle asked for by the last Create
    bool m_bFitPending = false; // frame size not yet checked against m_rcTarget
    QSize m_szFrameExtra;       // frame size minus inside size, once known
    QRect m_rcLast;             // frame rectangle when last hidden
};
