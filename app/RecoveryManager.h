#pragma once

#include "canvas/io/RecoveryFile.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

class CCanvasDocument;
class CMainFrame;
class QLockFile;
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
class CRecoveryManager : public QObject {
    Q_OBJECT
public:
    CRecoveryManager(CMainFrame* frame, const CAppSettings* settings,
                     const QString& folder = DefaultFolder());
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
        QString m_strFile;
        CRecoveryFile m_copy;
    };
    void FindLeftCopies();
    const std::vector<CLeftCopy>& LeftCopies() const { return m_leftCopies; }
    // Files in the folder that are not readable copies: "name: reason".
    const QStringList& SkippedFiles() const { return m_skipped; }
    // Opens each left copy as a modified canvas that keeps its file and format.
    void RestoreLeftCopies();
    void DiscardLeftCopies();
    // Leaves them for the next start.
    void KeepLeftCopies();
    // Finds left copies and asks what to do with them.
    void OfferLeftCopies();

private:
    struct CTracked;
    int IntervalMs() const;
    bool EnsureLock();
    void Schedule(CTracked& tracked);
    void Write(CCanvasDocument* document);
    void Remove(CTracked& tracked);
    void TellCopiesOff();
    void ReleaseClaims(bool removeTemporaries);
    void CloseUnchangedCanvasOf(const QString& path);
    CTracked& Track(const CCanvasDocument* document);
    QString NewCopyPath();

    CMainFrame* m_pFrame;
    const CAppSettings* m_pSettings;
    QString m_strFolder;
    QString m_strId; // this program's name for its lock and copies
    std::unique_ptr<QLockFile> m_pLock;
    std::map<const CCanvasDocument*, std::unique_ptr<CTracked>> m_tracked;
    int m_nSerial = 0;
    bool m_bToldOff = false;
    QElapsedTimer m_clock;

    std::vector<CLeftCopy> m_leftCopies;
    QStringList m_skipped;
    std::vector<std::pair<QString, std::unique_ptr<QLockFile>>> m_claims; // id, its lock
};
