#pragma once

#include "canvas/io/FilePart.h"
#include "canvas/io/LayoutReader.h"
#include "canvas/io/TextFormat.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class CRuvlenDoc;
struct CCanvasDefaults;
struct CRecoveryFile;

// One open canvas as the main frame keeps it: the document, the file it was
// read from or saved to, the part of that file it stands for (when it stands
// for some of the file's lines only), and the title its windows show.
class CCanvasDocument {
public:
    explicit CCanvasDocument(const CCanvasDefaults& defaults);
    ~CCanvasDocument();

    CRuvlenDoc& Doc() { return *m_pDoc; }
    const QString& PathName() const { return m_strPathName; }
    const QString& Title() const { return m_strTitle; }
    void SetTitle(const QString& title) { m_strTitle = title; }
    bool IsModified() const;

    // Reads the file, its box drawing as options say (detected by default); on
    // failure the message names the file and the reason.
    bool Open(const QString& path, QString& error,
              const CLayoutReadOptions& options = CLayoutReadOptions());
    // Reads lines first..last of the file as a canvas that stands for that
    // part of it; on failure the message says why (naming the line).
    bool OpenPart(const QString& path, int first, int last, QString& error);
    // Writes the file safely in the canvas's format (or the given one, which
    // the canvas keeps from then on); on failure the canvas and the old file
    // stay. A part is written back into its file, every other byte as it was,
    // or as the whole file under another name; *changedOnDisk tells a save
    // refused because the file changed since it was read.
    bool Save(const QString& path, QString& error);
    bool Save(const QString& path, const CTextFormat& format, QString& error,
              bool* changedOnDisk = nullptr);
    CTextFormat Format() const;
    // Takes the canvas of a recovery copy: modified, with the copy's file name
    // and format, so that saving goes to the original file.
    void Restore(const CRecoveryFile& copy);
    // "Shift-JIS CR LF", "UTF-8 LF 半角罫線" and so on, for the status bar: the
    // box drawing's layout only when it is not the usual full-width one.
    QString FormatText() const;
    // The part of the file the canvas stands for; null for a whole file.
    const CFilePart* Part() const { return m_part ? &*m_part : nullptr; }
    // For the status bar: which lines the canvas is, and that the rest of the
    // file is kept; empty for a whole file.
    QString PartText() const;
    // The canvas as a recovery copy holds it, with its part.
    CRecoveryFile RecoveryCopy(std::int64_t savedAt) const;

    // The file was wrapped or cut when read, characters had to be replaced, a
    // diagram was re-laid onto the grid, or writing it back would not give the
    // same bytes: saving over it changes it.
    bool LoadWasLossy() const { return m_bLossyLoad; }
    // The file read was wider or longer than a canvas holds (cut as it opened).
    bool DoesNotFit() const;
    // The warning shown when such a file opens (empty when nothing was lost).
    QString LossyLoadText() const;

private:
    void SetPathName(const QString& path);
    bool SavePart(const QString& path, const CTextFormat& format, QString& error,
                  bool* changedOnDisk);

    std::unique_ptr<CRuvlenDoc> m_pDoc;
    QString m_strPathName;
    QString m_strTitle;
    bool m_bLossyLoad = false;
    std::optional<CFilePart> m_part;
};
