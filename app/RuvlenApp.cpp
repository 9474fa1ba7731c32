#include "app/RuvlenApp.h"

#include "app/MainFrame.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>

namespace {
const char kRecentSection[] = "Recent File List";
} // namespace

CRuvlenApp::CRuvlenApp(const QString& settingsPath) : m_strSettingsPath(settingsPath) {
    LoadSettings();
}

CRuvlenApp::~CRuvlenApp() {
    delete m_pMainFrame;
    SaveRecentFiles();
    SavePaletteSettings();
}

QString CRuvlenApp::SettingsFilePath(const QString& exeDir, const QString& configHome) {
    const QString beside = QDir(exeDir).filePath(QStringLiteral("Tavik.ini"));
    if (QFileInfo::exists(beside)) return beside;
    return QDir(configHome).filePath(QStringLiteral("tavik/Tavik.ini"));
}

QString CRuvlenApp::DefaultSettingsFilePath() {
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || QDir::isRelativePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return SettingsFilePath(QCoreApplication::applicationDirPath(), configHome);
}

bool CRuvlenApp::LoadSettingsFile(const QString& path, CIniFile& ini) {
    return ini.Load(QFile::encodeName(path).toStdString()) && ini.IsWellFormed();
}

void CRuvlenApp::LoadSettings() {
    // A file that cannot be read, or is not a settings file (some other file
    // under this name, or a link to one), gives the defaults and is left alone.
    m_bSettingsReadable = LoadSettingsFile(m_strSettingsPath, m_ini);
    if (!m_bSettingsReadable) m_ini.LoadFromBytes(std::string());
    m_settings.LoadCanvasDefaults(m_ini);
    m_settings.LoadWindowPlacement(m_ini);
    m_settings.LoadPaletteSettings(m_ini);
    m_settings.LoadEditing(m_ini);
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const std::string key = "File" + std::to_string(i);
        const QString path = QString::fromStdString(m_ini.GetString(kRecentSection, key, ""));
        // A file edited by hand may list a file twice; the menu shows it once.
        if (!path.isEmpty() && !m_recentFiles.contains(path)) m_recentFiles.append(path);
    }
}

template <class Change> void CRuvlenApp::WriteSettings(Change change) {
    if (!m_bSettingsReadable) return;
    CIniFile current;
    if (!LoadSettingsFile(m_strSettingsPath, current)) return;
    change(current);
    // The configuration folder may not be there yet on a new account.
    QDir().mkpath(QFileInfo(m_strSettingsPath).absolutePath());
    current.Save(m_strSettingsPath.toStdString()); // write failures are ignored
}

void CRuvlenApp::SaveCanvasDefaults() {
    WriteSettings([this](CIniFile& ini) { m_settings.SaveCanvasDefaults(ini); });
}

void CRuvlenApp::SaveWindowPlacement() {
    WriteSettings([this](CIniFile& ini) { m_settings.SaveWindowPlacement(ini); });
}

void CRuvlenApp::SaveEditingSettings() {
    WriteSettings([this](CIniFile& ini) { m_settings.SaveEditing(ini); });
}

void CRuvlenApp::SavePaletteSettings() {
    WriteSettings([this](CIniFile& ini) { m_settings.SavePaletteSettings(ini); });
}

void CRuvlenApp::SaveRecentFiles() {
    WriteSettings([this](CIniFile& ini) {
        for (int i = 0; i < kRecentFileCount; ++i) {
            const std::string key = "File" + std::to_string(i + 1);
            const QString path = i < m_recentFiles.size() ? m_recentFiles[i] : QString();
            ini.SetString(kRecentSection, key, path.toStdString());
        }
    });
}

void CRuvlenApp::AddToRecentFiles(const QString& path) {
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kRecentFileCount) m_recentFiles.removeLast();
}

void CRuvlenApp::RemoveFromRecentFiles(const QString& path) {
    m_recentFiles.removeAll(path);
}

// The canvas comes before the window is placed and shown: a file that cannot be
// opened ends the program with no window shown.
bool CRuvlenApp::InitInstance(const QString& fileName) {
    m_pMainFrame = new CMainFrame(this);
    if (fileName.isEmpty())
        m_pMainFrame->NewDocument();
    else if (!m_pMainFrame->OpenDocument(fileName))
        return false;
    m_pMainFrame->RestorePlacement(m_settings);
    // What matters first, as a narrow window cuts the message off at the right.
    if (!m_bSettingsReadable)
        m_pMainFrame->statusBar()->showMessage(
            QStringLiteral("設定は保存されません（%1 は設定ファイルとして読めません）")
                .arg(QDir::toNativeSeparators(m_strSettingsPath)));
    return true;
}
