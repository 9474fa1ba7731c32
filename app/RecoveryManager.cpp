#include "app/RecoveryManager.h"

#include "app/AppSettings.h"
#include "app/CanvasDocument.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/RecoveryDlg.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QMdiArea>
#include <QRegularExpression>
#include <QStatusBar>
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

} // namespace

struct CRecoveryManager::CTracked {
    QTimer* m_pTimer = nullptr;
    QString m_strFile;
    std::size_t m_nFingerprint = 0;
    bool m_bWritten = false; // m_strFile holds a copy
    bool m_bPending = false; // a change waits to be written
    qint64 m_nFirstPending = 0;
    qint64 m_nLastChange = 0;
    qint64 m_nLastWrite = -1;
};

CRecoveryManager::CRecoveryManager(CMainFrame* frame, const CAppSettings* settings,
                                   const QString& folder)
    : QObject(frame), m_pFrame(frame), m_pSettings(settings), m_strFolder(folder) {
    static int s_nInstances = 0; // several managers in one process (tests)
    m_strId = QStringLiteral("p%1n%2t%3")
                  .arg(QCoreApplication::applicationPid())
                  .arg(++s_nInstances)
                  .arg(QDateTime::currentMSecsSinceEpoch(), 0, 36);
    m_clock.start();
}

CRecoveryManager::~CRecoveryManager() {
    for (auto& entry : m_tracked)
        if (entry.second->m_bWritten) QFile::remove(entry.second->m_strFile);
    ReleaseClaims(false);
}

QString CRecoveryManager::DefaultFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/tavik/recovery");
}

int CRecoveryManager::IntervalMs() const {
    return std::clamp(m_pSettings->m_nRecoverySeconds, 0, 3600) * 1000;
}

bool CRecoveryManager::EnsureLock() {
    if (m_pLock && m_pLock->isLocked()) return true;
    if (!QDir().mkpath(m_strFolder)) return false;
    QFile::setPermissions(m_strFolder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_pLock = std::make_unique<QLockFile>(m_strFolder + QLatin1Char('/') + m_strId + kLockSuffix);
    m_pLock->setStaleLockTime(0); // held for the whole run; only a dead owner frees it
    return m_pLock->tryLock(0);
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

QString CRecoveryManager::NewCopyPath() {
    return m_strFolder + QLatin1Char('/') + m_strId + QLatin1Char('-') +
           QString::number(++m_nSerial) + kCopySuffix;
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

void CRecoveryManager::Write(CCanvasDocument* document) {
    CTracked& tracked = Track(document);
    tracked.m_bPending = false;
    if (IntervalMs() == 0 || !document->IsModified()) return;
    if (tracked.m_strFile.isEmpty()) tracked.m_strFile = NewCopyPath();
    const CRecoveryFile copy = document->RecoveryCopy(QDateTime::currentMSecsSinceEpoch());
    std::string error;
    if (!EnsureLock() || !copy.Write(tracked.m_strFile.toStdString(), error)) {
        TellCopiesOff();
        return; // the next change tries again
    }
    tracked.m_bWritten = true;
    tracked.m_nLastWrite = m_clock.elapsed();
}

void CRecoveryManager::Remove(CTracked& tracked) {
    tracked.m_pTimer->stop();
    tracked.m_bPending = false;
    if (tracked.m_bWritten) QFile::remove(tracked.m_strFile);
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
    return it != m_tracked.end() && it->second->m_bWritten ? it->second->m_strFile : QString();
}

int CRecoveryManager::DueInMs(const CCanvasDocument* document) const {
    auto it = m_tracked.find(document);
    if (it == m_tracked.end() || !it->second->m_pTimer->isActive()) return -1;
    return it->second->m_pTimer->remainingTime();
}

void CRecoveryManager::TellCopiesOff() {
    if (m_bToldOff) return;
    m_bToldOff = true;
    m_pFrame->statusBar()->showMessage(
        QStringLiteral("復元用のコピーを %1 に書き込めないため、復元用のコピーは作られていません。")
            .arg(QDir::toNativeSeparators(m_strFolder)));
}

// --- Copies left by programs that are gone ---

void CRecoveryManager::FindLeftCopies() {
    ReleaseClaims(false);
    m_leftCopies.clear();
    m_skipped.clear();
    static const QRegularExpression copyName(QStringLiteral("^(.+)-[0-9]+\\.tvkr$"));
    std::map<QString, QStringList> copiesOf; // program id -> its copies
    std::set<QString> ids;
    const QDir dir(m_strFolder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
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
        auto lock = std::make_unique<QLockFile>(dir.filePath(id + kLockSuffix));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) continue; // a running program's, or the folder is read-only
        for (const QString& name : copiesOf[id]) {
            CLeftCopy left{dir.filePath(name), CRecoveryFile()};
            std::string why;
            if (left.m_copy.Read(left.m_strFile.toStdString(), why))
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
    const QDir dir(m_strFolder);
    for (auto& claim : m_claims) {
        // Hidden leftovers of a copy that was being written when the program died.
        if (removeTemporaries)
            for (const QString& name :
                 dir.entryList({QLatin1Char('.') + claim.first + QStringLiteral("-*")},
                               QDir::Files | QDir::Hidden))
                QFile::remove(dir.filePath(name));
        claim.second->unlock();
    }
    m_claims.clear();
}

// A canvas without changes that shows the file the copy belongs to (the file
// was named on the command line) gives way to the copy, so that the file stays
// with one canvas.
void CRecoveryManager::CloseUnchangedCanvasOf(const QString& path) {
    const QString key = QFileInfo(path).absoluteFilePath();
    for (QMdiSubWindow* window : m_pFrame->MdiArea()->subWindowList()) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        if (frame && !frame->Document()->IsModified() &&
            QFileInfo(frame->Document()->PathName()).absoluteFilePath() == key)
            frame->close();
    }
}

void CRecoveryManager::RestoreLeftCopies() {
    for (CLeftCopy& left : m_leftCopies) {
        if (!left.m_copy.m_path.empty())
            CloseUnchangedCanvasOf(QString::fromStdString(left.m_copy.m_path));
        auto document = std::make_unique<CCanvasDocument>(m_pSettings->Defaults());
        document->Restore(left.m_copy);
        CCanvasDocument* opened = m_pFrame->AddDocument(std::move(document));
        // The copy becomes this program's copy of the canvas; where it cannot,
        // it stays where it is for the next start.
        CTracked& tracked = Track(opened);
        if (tracked.m_strFile.isEmpty()) tracked.m_strFile = NewCopyPath();
        if (EnsureLock() && QFile::rename(left.m_strFile, tracked.m_strFile)) {
            tracked.m_pTimer->stop();
            tracked.m_bPending = false;
            tracked.m_bWritten = true;
            tracked.m_nFingerprint = Fingerprint(opened);
        }
    }
    m_leftCopies.clear();
    ReleaseClaims(true);
}

void CRecoveryManager::DiscardLeftCopies() {
    for (const CLeftCopy& left : m_leftCopies) QFile::remove(left.m_strFile);
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
            m_pFrame->statusBar()->showMessage(
                QStringLiteral("復元用のフォルダーに読めないファイルがあります: ") +
                m_skipped.join(QStringLiteral(" / ")));
        KeepLeftCopies();
        return;
    }
    CRecoveryDlg dialog(m_pFrame, m_leftCopies, m_skipped);
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
