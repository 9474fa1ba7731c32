#pragma once

#include "app/AppSettings.h"
#include "app/IniFile.h"
#include "app/SettingsStore.h"

#include <QString>
#include <QStringList>

class CMainFrame;

// The application object: the settings file and the values that outlive a
// canvas (defaults for new canvases, window and palette placement, recent
// files), start-up, and writing the palette settings at the end of the run.
class CRuvlenApp : public CSettingsStore {
public:
    // settingsPath: the settings file to use (see SettingsFilePath).
    explicit CRuvlenApp(const QString& settingsPath);
    ~CRuvlenApp() override;
    CRuvlenApp(const CRuvlenApp&) = delete;
    CRuvlenApp& operator=(const CRuvlenApp&) = delete;

    // "Tavik.ini" beside the executable when one is already there (a portable
    // copy); otherwise "tavik/Tavik.ini" in the user's configuration folder
    // ($XDG_CONFIG_HOME, by default ~/.config).
    static QString SettingsFilePath(const QString& exeDir, const QString& configHome);
    static QString DefaultSettingsFilePath();
    // Reads a settings file; false when it cannot be read or is not a settings
    // file (ini then holds what was read, if anything). A missing file is empty.
    static bool LoadSettingsFile(const QString& path, CIniFile& ini);

    // Creates the main frame, opens a new canvas or the named file and shows the
    // window. False when the file cannot be opened: the program then ends.
    bool InitInstance(const QString& fileName);

    CMainFrame* MainFrame() const { return m_pMainFrame; }
    // False when the settings file could not be read or is not a settings file:
    // it is then never written over, and the status bar says so at start.
    bool CanWriteSettings() const { return m_bSettingsReadable; }

    // Writers of the settings file's sections, from m_settings (the frame
    // stores the window placement there before asking for it to be written).
    CAppSettings& Settings() override { return m_settings; }
    void SaveCanvasDefaults() override;
    void SaveWindowPlacement() override;
    void SavePaletteSettings();
    void SaveRecentFiles() override;
    void SaveEditingSettings() override;

    const QStringList& RecentFiles() const override { return m_recentFiles; }
    void AddToRecentFiles(const QString& path) override;
    void RemoveFromRecentFiles(const QString& path) override;

    CAppSettings m_settings;

private:
    void LoadSettings();
    // Re-reads the file (another program may have changed it), applies the
    // change and writes it; does nothing when the file must not be written.
    template <class Change> void WriteSettings(Change change);

    QString m_strSettingsPath;
    bool m_bSettingsReadable = true;
    CIniFile m_ini;
    QStringList m_recentFiles;
    CMainFrame* m_pMainFrame = nullptr;
};
