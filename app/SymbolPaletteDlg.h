#pragma once

#include <QDialog>

struct CAppSettings;
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

signals:
    // The user closed the palette (close box or Esc), posted after the close.
    void paletteClosed();
    // The user picked a category or a symbol: the active canvas takes the symbol tool.
    void symbolToolRequested();
};
