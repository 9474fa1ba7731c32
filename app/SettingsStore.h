#pragma once

#include "app/AppSettings.h"

#include <QStringList>

constexpr int kRecentFileCount = 4;

// What the main frame needs of the program's settings: the values, a way to
// write each section of the settings file, and the recent-file list. The
// application implements it; the frame knows nothing else of the application.
class CSettingsStore {
public:
    virtual ~CSettingsStore() = default;

    virtual CAppSettings& Settings() = 0;
    virtual void SaveCanvasDefaults() = 0;
    virtual void SaveWindowPlacement() = 0;
    virtual void SaveEditingSettings() = 0;
    virtual void SaveRecentFiles() = 0;

    // The recent-file list, newest first, at most four entries.
    virtual const QStringList& RecentFiles() const = 0;
    virtual void AddToRecentFiles(const QString& path) = 0;
    virtual void RemoveFromRecentFiles(const QString& path) = 0;

    // Whether the first canvas window has been shown (it opens maximized).
    bool m_bFirstChildShown = false;
};
