// Placeholder: replaced by the real palette.
#include "app/SymbolPaletteDlg.h"

#include "tools/SymbolTable.h"

#include <cstring>

CSymbolPaletteDlg::CSymbolPaletteDlg(QWidget* parent, CAppSettings*) : QDialog(parent) {}
void CSymbolPaletteDlg::Create() { show(); }
void CSymbolPaletteDlg::Destroy() { hide(); }
void CSymbolPaletteDlg::CaptureRect() {}
int CSymbolPaletteDlg::GetChosenSymbol(char buffer[4]) const {
    std::memcpy(buffer, g_symbolTable[0][0], 4);
    return 0;
}
