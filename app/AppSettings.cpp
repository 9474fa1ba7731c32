#include "app/AppSettings.h"

#include "app/IniFile.h"
#include "canvas/CellGeometry.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/UndoHistory.h"
#include "tools/SymbolTable.h"

#include <algorithm>

namespace {

const char kCanvas[] = "Canvas";
const char kEditing[] = "Editing";
const char kWindow[] = "Window Placement";
const char kPalette[] = "Symbol Table";

// A flag is on only for the exact text "True"; "true" or "1" count as off.
bool GetFlag(const CIniFile& ini, const char* section, const char* key, bool def) {
    return ini.GetString(section, key, def ? "True" : "False") == "True";
}

void SetFlag(CIniFile& ini, const char* section, const char* key, bool on) {
    ini.SetString(section, key, on ? "True" : "False");
}

int AtLeast(int value, int low) {
    return std::max(value, low);
}

constexpr int kMinSize = CRuvlenDoc::MIN_SIZE;
constexpr int kMaxSize = CRuvlenDoc::MAX_SIZE;

int InRange(int value, int low, int high) {
    return std::min(std::max(value, low), high);
}

} // namespace

void CAppSettings::LoadCanvasDefaults(const CIniFile& ini) {
    m_nDefaultLines = InRange(ini.GetInt(kCanvas, "Lines", 30), kMinSize, kMaxSize);
    m_nDefaultColumns = InRange(ini.GetInt(kCanvas, "Columns", 40), kMinSize, kMaxSize);
    m_nDefaultTextSize = InRange(ini.GetInt(kCanvas, "TextSize", 2), 0, kMaxFontSize);
    m_bDefaultGrid = GetFlag(ini, kCanvas, "ViewGrid", true) ? 1 : 0;
}

void CAppSettings::LoadEditing(const CIniFile& ini) {
    m_nUndoLevels = InRange(ini.GetInt(kEditing, "UndoLevels", 1), CUndoHistory::MIN_LEVELS,
                            CUndoHistory::MAX_LEVELS);
    m_nRecoverySeconds =
        InRange(ini.GetInt(kEditing, "RecoverySeconds", 10), 0, CAppSettings::MAX_RECOVERY_SECONDS);
}

void CAppSettings::LoadWindowPlacement(const CIniFile& ini) {
    m_nWindowX = AtLeast(ini.GetInt(kWindow, "x", 0), 0);
    m_nWindowY = AtLeast(ini.GetInt(kWindow, "y", 0), 0);
    m_nWindowWidth = AtLeast(ini.GetInt(kWindow, "Width", 550), 50);
    m_nWindowHeight = AtLeast(ini.GetInt(kWindow, "Height", 450), 50);
    m_nWindowState = GetFlag(ini, kWindow, "Maximized", false) ? 2 : 1;
}

void CAppSettings::LoadPaletteSettings(const CIniFile& ini) {
    m_nPaletteX = AtLeast(ini.GetInt(kPalette, "x", 400), 0);
    m_nPaletteY = AtLeast(ini.GetInt(kPalette, "y", 50), 0);
    m_nPaletteWidth = AtLeast(ini.GetInt(kPalette, "Width", 126), 50);
    m_nPaletteHeight = AtLeast(ini.GetInt(kPalette, "Height", 240), 50);
    m_nPaletteCategory = InRange(ini.GetInt(kPalette, "Index", 0), 0, kSymbolCategoryCount - 1);
}

bool CAppSettings::WindowRectIsDefault() const {
    const CAppSettings defaults;
    return m_nWindowX == defaults.m_nWindowX && m_nWindowY == defaults.m_nWindowY &&
           m_nWindowWidth == defaults.m_nWindowWidth && m_nWindowHeight == defaults.m_nWindowHeight;
}

bool CAppSettings::PaletteRectIsDefault() const {
    const CAppSettings defaults;
    return m_nPaletteX == defaults.m_nPaletteX && m_nPaletteY == defaults.m_nPaletteY &&
           m_nPaletteWidth == defaults.m_nPaletteWidth &&
           m_nPaletteHeight == defaults.m_nPaletteHeight;
}

void CAppSettings::SaveCanvasDefaults(CIniFile& ini) const {
    ini.SetInt(kCanvas, "Lines", m_nDefaultLines);
    ini.SetInt(kCanvas, "Columns", m_nDefaultColumns);
    ini.SetInt(kCanvas, "TextSize", m_nDefaultTextSize);
    SetFlag(ini, kCanvas, "ViewGrid", m_bDefaultGrid != 0);
}

void CAppSettings::SaveEditing(CIniFile& ini) const {
    ini.SetInt(kEditing, "UndoLevels", m_nUndoLevels);
    ini.SetInt(kEditing, "RecoverySeconds", m_nRecoverySeconds);
}

void CAppSettings::SaveWindowPlacement(CIniFile& ini) const {
    ini.SetInt(kWindow, "x", m_nWindowX);
    ini.SetInt(kWindow, "y", m_nWindowY);
    ini.SetInt(kWindow, "Width", m_nWindowWidth);
    ini.SetInt(kWindow, "Height", m_nWindowHeight);
    if (m_nWindowState != 0) SetFlag(ini, kWindow, "Maximized", m_nWindowState == 2);
}

void CAppSettings::SavePaletteSettings(CIniFile& ini) const {
    ini.SetInt(kPalette, "x", m_nPaletteX);
    ini.SetInt(kPalette, "y", m_nPaletteY);
    ini.SetInt(kPalette, "Width", m_nPaletteWidth);
    ini.SetInt(kPalette, "Height", m_nPaletteHeight);
    ini.SetInt(kPalette, "Index", m_nPaletteCategory);
}

CCanvasDefaults CAppSettings::Defaults() const {
    CCanvasDefaults d;
    d.m_nDefaultTextSize = m_nDefaultTextSize;
    d.m_nDefaultColumns = m_nDefaultColumns;
    d.m_nDefaultLines = m_nDefaultLines;
    d.m_bDefaultGrid = m_bDefaultGrid;
    d.m_nUndoLevels = m_nUndoLevels;
    return d;
}
