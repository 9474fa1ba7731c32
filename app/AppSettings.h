#pragma once

#include "canvas/CanvasDefaults.h"

class CIniFile;

// The values that outlive a single canvas, kept in the settings file: the defaults
// every new canvas copies, the undo levels, the main window's placement and the
// symbol palette's placement and category. The fields start at the values a
// missing file gives.
struct CAppSettings {
    // Section "Canvas".
    int m_nDefaultTextSize = 2; // 0..5
    int m_nDefaultColumns = 40; // 10..99
    int m_nDefaultLines = 30;   // 10..99
    int m_bDefaultGrid = 1;     // 0 or 1

    // Section "Editing".
    int m_nUndoLevels = 1; // 1..100; 1 keeps one snapshot that a second undo swaps back
    static constexpr int MAX_RECOVERY_SECONDS = 3600;
    int m_nRecoverySeconds = 10; // 0..3600; least seconds between recovery copies, 0 = none

    // Section "Window Placement": the main window's normal (restored) rectangle.
    int m_nWindowX = 0;
    int m_nWindowY = 0;
    int m_nWindowWidth = 550;
    int m_nWindowHeight = 450;
    int m_nWindowState = 1; // 0 minimized (not saved), 1 normal, 2 maximized

    // Section "Symbol Table": the palette window and its category.
    int m_nPaletteX = 400;
    int m_nPaletteY = 50;
    int m_nPaletteWidth = 126;
    int m_nPaletteHeight = 240;
    int m_nPaletteCategory = 0; // 0..9

    // The stored rectangles are still the defaults a missing file gives: nobody has
    // placed the window yet, so it gets a first placement that fits the desktop.
    bool WindowRectIsDefault() const;
    bool PaletteRectIsDefault() const;

    // Each reads one section, giving missing keys their default and clamping values
    // into range.
    void LoadCanvasDefaults(const CIniFile& ini);
    void LoadEditing(const CIniFile& ini);
    void LoadWindowPlacement(const CIniFile& ini);
    void LoadPaletteSettings(const CIniFile& ini);

    // Each writes one section from the fields as they stand.
    void SaveCanvasDefaults(CIniFile& ini) const;
    void SaveEditing(CIniFile& ini) const;
    // Writes "Maximized" only when the state is known (not minimized), so a window
    // minimized at the time keeps the stored value.
    void SaveWindowPlacement(CIniFile& ini) const;
    void SavePaletteSettings(CIniFile& ini) const;

    // What a new canvas copies, the undo levels included.
    CCanvasDefaults Defaults() const;
};
