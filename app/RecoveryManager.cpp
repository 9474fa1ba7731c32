#include "app/RecoveryManager.h"

#include "app/AppSettings.h"
#include "app/CanvasDocument.h"
#include "app/RecoveryDlg.h"
#include "app/RecoveryHost.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTimer>
#include <algorithm>
#include <set>

namespace {

// A copy waits this long after the last change, so that a drag or a burst of
// typing is written once.
constexpr qint64 kQuietMs = 2000;
const char kCopySuffix[] = ".tvkr";
const char kLockSuffix[] = ".lock";

// What a copy would hold, without its time.
std::size_t Fingerprint(CCanvasDocument* document) {
    const CRecoveryFile copy = document->RecoveryCopy(0);
    const std::string bytes = copy.Bytes();
    return qHash(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::string Name(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

// Why the folder cannot hold copies, for the status bar.
QString FolderRefusal(CPrivateFolder::Status status, const QString& folder) {
    const QString shown = QDir::toNativeSeparators(folder);
    switch (status) {
    case CPrivateFolder::NotFolder:
        return QStringLiteral("復元用のフォルダー %1 がフォルダーではない（シンボリックリンクか"
                              "別の種類のファイル）ため、復元用のコピーは作られていません。")
            .arg(shown);
    case CPrivateFolder::OtherOwner:
        return QStringLiteral("復元用のフォルダー %1 "
                              "は他のユーザーのものなので、復元用のコピーは作られていません。")
            .arg(shown);
    case CPrivateFolder::Writable:
        return QStringLiteral("復元用のフォルダー %1 は他のユーザーも書き込めるので、"
                              "復元用のコピーは作られていません。")
            .arg(shown);
    default:
        return QStringLiteral(
                   "復元用のコピーを %1 に書き込めないため、復元用のコピーは作られていません。")
            .arg(shown);
    }
}

} // namespace

struct CRecoveryManager::CTracked {
    QTimer* m_pTimer = nullptr;
    QString m_strFile; // its name in the folder
    std::size_t m_nFingerprint = 0;
    bool m_bWritten = false; // m_strFile holds a copy
    bool m_bPending = false; // a change waits to be written
    qint64 m_nFirstPending = 0;
    qint64 m_nLastChange = 0;
    qint64 m_nLastWrite = -1;
};

CRecoveryManager::CRecoveryManager(CRecoveryHost* host, const CAppSettings* settings,
                                   const QString& folder, QObject* parent)
    : QObject(parent), m_pHost(host), m_pSettings(settings), m_strFolder(folder) {
    static int s_nInstances = 0; // several managers in one process (tests)
    m_strId = QStringLiteral("p%1n%2t%3")
                  .arg(QCoreApplication::applicationPid())
                  .arg(++s_nInstances)
                  .arg(QDateTime::currentMSecsSinceEpoch(), 0, 36);
    m_clock.start();
}

CRecoveryManager::~CRecoveryManager() {
    for (auto& entry : m_tracked)
        if (entry.second->m_bWritten) m_folder.Remove(Name(entry.second->m_strFile));
    ReleaseClaims(false);
}

QString CRecoveryManager::DefaultFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/tavik/recovery");
}

int CRecoveryManager::IntervalMs() const {
    return std::clamp(m_pSettings->m_nRecoverySeconds, 0, CAppSettings::MAX_RECOVERY_SECONDS) *
           1000;
}

// Opens the folder once for the whole run; a folder that is missing is only
// created when a copy is to be written.
bool CRecoveryManager::OpenFolder(bool create) {
    if (m_folder.IsOpen()) return true;
    const CPrivateFolder::Status status = m_folder.Open(Name(m_strFolder), create);
    if (status == CPrivateFolder::Ok) return true;
    if (status != CPrivateFolder::Missing) TellCopiesOff(FolderRefusal(status, m_strFolder));
    return false;
}

// The lock file's text as other programs' lock files have it: process id,
// program and host, one a line.
QByteArray CRecoveryManager::LockInfo() const {
    return QByteArray::number(QCoreApplication::applicationPid()) + "\ntavik\n" +
           QSysInfo::machineHostName().toUtf8() + "\n";
}

bool CRecoveryManager::EnsureLock() {
    if (m_lock.IsHeld()) return true;
    if (!OpenFolder(true)) return false;
    if (m_folder.CreateLock(Name(m_strId + kLockSuffix), LockInfo().toStdString(), m_lock))
        return true;
    TellCopiesOff(FolderRefusal(CPrivateFolder::Failed, m_strFolder));
    return false;
}

CRecoveryManager::CTracked& CRecoveryManager::Track(const CCanvasDocument* document) {
    std::unique_ptr<CTracked>& tracked = m_tracked[document];
    if (!tracked) {
        tracked = std::make_unique<CTracked>();
        tracked->m_pTimer = new QTimer(this);
        tracked->m_pTimer->setSingleShot(true);
        auto* writable = const_cast<CCanvasDocument*>(document);
        connect(tracked->m_pTimer, &QTimer::timeout, this, [this, writable] { Write(writable); });
    }
    return *tracked;
}

QString CRecoveryManager::NewCopyName() {
    return m_strId + QLatin1Char('-') + QString::number(++m_nSerial) + kCopySuffix;
}

void CRecoveryManager::Notice(CCanvasDocument* document) {
    if (IntervalMs() == 0 || !document->IsModified()) {
        // Saved, back to unmodified, or copies turned off.
        auto it = m_tracked.find(document);
        if (it != m_tracked.end()) Remove(*it->second);
        return;
    }
    CTracked& tracked = Track(document);
    const std::size_t fingerprint = Fingerprint(document);
    if ((tracked.m_bWritten || tracked.m_bPending) && fingerprint == tracked.m_nFingerprint) return;
    tracked.m_nFingerprint = fingerprint;
    const qint64 now = m_clock.elapsed();
    if (!tracked.m_bPending) tracked.m_nFirstPending = now;
    tracked.m_bPending = true;
    tracked.m_nLastChange = now;
    Schedule(tracked);
}

// Due a quiet moment after the last change, but no later than one interval
// after the first unwritten change (steady drawing still gets copies), and
// never sooner than one interval after the last copy.
void CRecoveryManager::Schedule(CTracked& tracked) {
    const qint64 interval = IntervalMs();
    const qint64 quiet = std::min(kQuietMs, interval);
    qint64 due = std::min(tracked.m_nLastChange + quiet, tracked.m_nFirstPending + interval);
    if (tracked.m_nLastWrite >= 0) due = std::max(due, tracked.m_nLastWrite + interval);
    tracked.m_pTimer->start(int(std::max<qint64>(0, due - m_clock.elapsed())));
}

bool CRecoveryManager::Write(CCanvasDocument* document) {
    CTracked& tracked = Track(document);
    tracked.m_bPending = false;
    if (IntervalMs() == 0 || !document->IsModified()) return false;
    if (tracked.m_strFile.isEmpty()) tracked.m_strFile = NewCopyName();
    const CRecoveryFile copy = document->RecoveryCopy(QDateTime::currentMSecsSinceEpoch());
    std::string error;
    if (!EnsureLock()) return false; // said why; the next change tries again
    if (!copy.Write(m_folder, Name(tracked.m_strFile), error)) {
        TellCopiesOff(FolderRefusal(CPrivateFolder::Failed, m_strFolder));
        return false;
    }
    tracked.m_bWritten = true;
    tracked.m_nLastWrite = m_clock.elapsed();
    return true;
}

void CRecoveryManager::Remove(CTracked& tracked) {
    tracked.m_pTimer->stop();
    tracked.m_bPending = false;
    if (tracked.m_bWritten) m_folder.Remove(Name(tracked.m_strFile));
    tracked.m_bWritten = false;
}

void CRecoveryManager::Forget(const CCanvasDocument* document) {
    auto it = m_tracked.find(document);
    if (it == m_tracked.end()) return;
    Remove(*it->second);
    delete it->second->m_pTimer;
    m_tracked.erase(it);
}

QString CRecoveryManager::CopyPath(const CCanvasDocument* document) const {
    auto it = m_tracked.find(document);
    if (it == m_tracked.end() || !it->second->m_bWritten) return QString();
    return m_strFolder + QLatin1Char('/') + it->second->m_strFile;
}

int CRecoveryManager::DueInMs(const CCanvasDocument* document) const {
    auto it = m_tracked.find(document);
    if (it == m_tracked.end() || !it->second->m_pTimer->isActive()) return -1;
    return it->second->m_pTimer->remainingTime();
}

void CRecoveryManager::TellCopiesOff(const QString& why) {
    if (m_bToldOff) return;
    m_bToldOff = true;
    m_pHost->ShowRecoveryMessage(why);
}

// --- Copies left by programs that are gone ---

void CRecoveryManager::FindLeftCopies() {
    ReleaseClaims(false);
    m_leftCopies.clear();
    m_skipped.clear();
    if (!OpenFolder(false)) return;
    static const QRegularExpression copyName(QStringLiteral("^(.+)-[0-9]+\\.tvkr$"));
    std::map<QString, QStringList> copiesOf; // program id -> its copies
    std::set<QString> ids;
    std::vector<std::string> names = m_folder.Names();
    std::sort(names.begin(), names.end());
    for (const std::string& entry : names) {
        const QString name = QFile::decodeName(entry.c_str());
        if (name.startsWith(QLatin1Char('.'))) continue; // hidden: a copy being written
        const QRegularExpressionMatch match = copyName.match(name);
        if (match.hasMatch()) {
            copiesOf[match.captured(1)] << name;
            ids.insert(match.captured(1));
        } else if (name.endsWith(QLatin1String(kLockSuffix))) {
            ids.insert(name.chopped(int(qstrlen(kLockSuffix))));
        } else if (!name.endsWith(QLatin1String(".rmlock"))) {
            m_skipped << name + QStringLiteral(": 復元用のファイルではありません。");
        }
    }
    for (const QString& id : ids) {
        if (id == m_strId) continue;
        auto lock = std::make_unique<CPrivateFolder::CLock>();
        if (!m_folder.ClaimLock(Name(id + kLockSuffix), LockInfo().toStdString(), *lock))
            continue; // a running program's, or not a lock this program can trust
        for (const QString& name : copiesOf[id]) {
            CLeftCopy left{name, CRecoveryFile()};
            std::string why;
            if (left.m_copy.Read(m_folder, Name(name), why))
                m_leftCopies.push_back(std::move(left));
            else
                m_skipped << name + QStringLiteral(": ") + QString::fromStdString(why);
        }
        m_claims.emplace_back(id, std::move(lock));
    }
    std::stable_sort(m_leftCopies.begin(), m_leftCopies.end(),
                     [](const CLeftCopy& a, const CLeftCopy& b) {
                         return a.m_copy.m_nSavedAt < b.m_copy.m_nSavedAt;
                     });
}

void CRecoveryManager::ReleaseClaims(bool removeTemporaries) {
    for (auto& claim : m_claims) {
        // Hidden leftovers of a copy that was being written when the program died.
        const QString prefix = QLatin1Char('.') + claim.first + QLatin1Char('-');
        if (removeTemporaries)
            for (const std::string& name : m_folder.Names())
                if (QFile::decodeName(name.c_str()).startsWith(prefix)) m_folder.Remove(name);
        claim.second->Release();
    }
    m_claims.clear();
}

void CRecoveryManager::RestoreLeftCopies() {
    // The empty canvas of the start gives way to the restored ones.
    if (!m_leftCopies.empty()) m_pHost->CloseUnchangedCanvases(QString());
    for (CLeftCopy& left : m_leftCopies) {
        // A canvas without changes that shows the file the copy belongs to (the
        // file was named on the command line) gives way to the copy, so that
        // the file stays with one canvas.
        if (!left.m_copy.m_path.empty())
            m_pHost->CloseUnchangedCanvases(QString::fromStdString(left.m_copy.m_path));
        auto document = std::make_unique<CCanvasDocument>(m_pSettings->Defaults());
        document->Restore(left.m_copy);
        CCanvasDocument* opened = m_pHost->AddRestoredDocument(std::move(document));
        // The canvas gets a copy of this program's at once, and the left one
        // goes; where that cannot be written, the left one stays for the next
        // start. What is at the left one's name now is never written through.
        // With copies turned off, the left one just goes.
        if (IntervalMs() == 0 || Write(opened)) {
            Track(opened).m_nFingerprint = Fingerprint(opened);
            m_folder.Remove(Name(left.m_strFile));
        }
    }
    m_leftCopies.clear();
    ReleaseClaims(true);
}

void CRecoveryManager::DiscardLeftCopies() {
    for (const CLeftCopy& left : m_leftCopies) m_folder.Remove(Name(left.m_strFile));
    m_leftCopies.clear();
    ReleaseClaims(true);
}

void CRecoveryManager::KeepLeftCopies() {
    m_leftCopies.clear();
    ReleaseClaims(false);
}

void CRecoveryManager::OfferLeftCopies() {
    FindLeftCopies();
    if (m_leftCopies.empty()) {
        if (!m_skipped.isEmpty())
            m_pHost->ShowRecoveryMessage(
                QStringLiteral("復元用のフォルダーに読めないファイルがあります: ") +
                m_skipped.join(QStringLiteral(" / ")));
        KeepLeftCopies();
        return;
    }
    CRecoveryDlg dialog(m_pHost->RecoveryDialogParent(), m_leftCopies, m_skipped);
    switch (dialog.exec()) {
    case CRecoveryDlg::Restore:
        RestoreLeftCopies();
        break;
    case CRecoveryDlg::Discard:
        DiscardLeftCopies();
        break;
    default:
        KeepLeftCopies();
        break;
    }
}
