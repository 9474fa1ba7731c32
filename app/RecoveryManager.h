#pragma once

#include "canvas/io/PrivateFolder.h"
#include "canvas/io/RecoveryFile.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

class CCanvasDocument;
class CRecoveryHost;
class QTimer;
struct CAppSettings;

// Recovery copies of canvases with unsaved changes, so that a crash, a killed
// session or a power cut loses at most the last few seconds of drawing.
//
// Each running program holds a lock file in the folder and names its copies
// after it; copies whose lock belongs to a live process are never read, taken
// or removed by another program. A copy is written a few seconds after the
// last change, and at most every RecoverySeconds seconds (0: no copies). It
// goes when its canvas is saved or closed and when the program ends normally.
//
// The folder must be the user's own (CPrivateFolder): a link, a folder of
// another user's or one that others may write turns copies off, with one
// message in the status bar that says why, and nothing in it is read.
class CRecoveryManager : public QObject {
    Q_OBJECT
public:
    CRecoveryManager(CRecoveryHost* host, const CAppSettings* settings,
                     const QString& folder = DefaultFolder(), QObject* parent = nullptr);
    // Removes this program's copies (the program ends normally; a crash never
    // gets here) and releases its lock.
    ~CRecoveryManager() override;

    // $XDG_STATE_HOME/tavik/recovery, by default ~/.local/state/tavik/recovery.
    static QString DefaultFolder();
    const QString& Folder() const { return m_strFolder; }

    // The canvas may have changed, been saved or had its settings changed.
    void Notice(CCanvasDocument* document);
    // The canvas is closed: its copy goes.
    void Forget(const CCanvasDocument* document);
    // The canvas's copy file, or empty while it has none on disk.
    QString CopyPath(const CCanvasDocument* document) const;
    // Milliseconds until the waiting copy is written; -1 when none waits.
    int DueInMs(const CCanvasDocument* document) const;

    // Copies left by programs that are no longer running. Finding them claims
    // them for this program until one of the three answers is carried out.
    struct CLeftCopy {
        QString m_strFile; // its name in the folder
        CRecoveryFile m_copy;
    };
    void FindLeftCopies();
    const std::vector<CLeftCopy>& LeftCopies() const { return m_leftCopies; }
    // Files in the folder that are not readable copies: "name: reason".
    const QStringList& SkippedFiles() const { return m_skipped; }
    // Opens each left copy as a modified canvas that keeps its file and format,
    // and closes the empty canvas of the start.
    void RestoreLeftCopies();
    void DiscardLeftCopies();
    // Leaves them for the next start.
    void KeepLeftCopies();
    // Finds left copies and asks what to do with them.
    void OfferLeftCopies();

private:
    struct CTracked;
    int IntervalMs() const;
    bool OpenFolder(bool create);
    bool EnsureLock();
    QByteArray LockInfo() const;
    void Schedule(CTracked& tracked);
    bool Write(CCanvasDocument* document);
    void Remove(CTracked& tracked);
    void TellCopiesOff(const QString& why);
    void ReleaseClaims(bool removeTemporaries);
    CTracked& Track(const CCanvasDocument* document);
    QString NewCopyName();

    CRecoveryHost* m_pHost;
    const CAppSettings* m_pSettings;
    QString m_strFolder;
    QString m_strId; // this program's name for its lock and copies
    CPrivateFolder m_folder;
    CPrivateFolder::CLock m_lock; // after the folder: released before it closes
    std::map<const CCanvasDocument*, std::unique_ptr<CTracked>> m_tracked;
    int m_nSerial = 0;
    bool m_bToldOff = false;
    QElapsedTimer m_clock;

    std::vector<CLeftCopy> m_leftCopies;
    QStringList m_skipped;
    // The programs whose copies this one has claimed, each with its lock.
    std::vector<std::pair<QString, std::unique_ptr<CPrivateFolder::CLock>>> m_claims;
};
