#include "app/RuvlenApp.h"

#include "app/MainFrame.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

QString CRuvlenApp::SettingsFilePath(const QString& exeDir, bool exeDirWritable,
                                     const QString& configHome) {
    const QString beside = QDir(exeDir).filePath(QStringLiteral("Tavik.ini"));
    if (exeDirWritable || QFileInfo::exists(beside)) return beside;
    return QDir(configHome).filePath(QStringLiteral("tavik/Tavik.ini"));
}

QString CRuvlenApp::DefaultSettingsFilePath() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || QDir::isRelativePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return SettingsFilePath(exeDir, QFileInfo(exeDir).isWritable(), configHome);
}

void CRuvlenApp::LoadSettings() {
    QFile file(m_strSettingsPath);
    QByteArray bytes;
    if (file.exists()) {
        // Unreadable, or binary rather than a settings file: use the defaults
        // and leave the file alone.
        m_bSettingsReadable = file.open(QIODevice::ReadOnly);
        if (m_bSettingsReadable) {
            bytes = file.readAll();
            m_bSettingsReadable = file.error() == QFileDevice::NoError && !bytes.contains('\0');
        }
    }
    if (m_bSettingsReadable) m_ini.LoadFromBytes(bytes.toStdString());
    m_settings.LoadCanvasDefaults(m_ini);
    m_settings.LoadWindowPlacement(m_ini);
    m_settings.LoadPaletteSettings(m_ini);
    m_settings.LoadEditing(m_ini);
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const std::string key = "File" + std::to_string(i);
        const QString path = QString::fromStdString(m_ini.GetString(kRecentSection, key, ""));
        if (!path.isEmpty() && !m_recentFiles.contains(path)) m_recentFiles.append(path);
    }
}

template <class Change> void CRuvlenApp::WriteSettings(Change change) {
    if (!m_bSettingsReadable) return;
    CIniFile current;
    if (!current.Load(m_strSettingsPath.toStdString())) return;
    change(current);
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

bool CRuvlenApp::InitInstance(const QString& fileName) {
    m_pMainFrame = new CMainFrame(this);
    if (fileName.isEmpty())
        m_pMainFrame->NewDocument();
    else if (!m_pMainFrame->OpenDocument(fileName))
        return false;
    m_pMainFrame->RestorePlacement(m_settings);
    return true;
}
