#pragma once

#include "canvas/io/LayoutReader.h"
#include "canvas/io/TextFormat.h"

#include <QString>
#include <memory>

class CRuvlenDoc;
struct CCanvasDefaults;
struct CRecoveryFile;

// One open canvas as the main frame keeps it: the document, the file it was
// read from or saved to, and the title its windows show.
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
    // Writes the file safely in the canvas's format (or the given one, which
    // the canvas keeps from then on); on failure the canvas and the old file stay.
    bool Save(const QString& path, QString& error);
    bool Save(const QString& path, const CTextFormat& format, QString& error);
    CTextFormat Format() const;
    // Takes the canvas of a recovery copy: modified, with the copy's file name
    // and format, so that saving goes to the original file.
    void Restore(const CRecoveryFile& copy);
    // "Shift-JIS CR LF", "UTF-8 LF 半角罫線" and so on, for the status bar: the
    // box drawing's layout only when it is not the usual full-width one.
    QString FormatText() const;

    // The file was wrapped or cut when read, characters had to be replaced, a
    // diagram was re-laid onto the grid, or writing it back would not give the
    // same bytes: saving over it changes it.
    bool LoadWasLossy() const { return m_bLossyLoad; }
    // The warning shown when such a file opens (empty when nothing was lost).
    QString LossyLoadText() const;

private:
    void SetPathName(const QString& path);

    std::unique_ptr<CRuvlenDoc> m_pDoc;
    QString m_strPathName;
    QString m_strTitle;
    bool m_bLossyLoad = false;
};
