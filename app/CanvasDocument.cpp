#include "app/CanvasDocument.h"

#include "canvas/RuvlenDoc.h"
#include "canvas/io/FilePartFile.h"
#include "canvas/io/RecoveryFile.h"
#include "canvas/io/RoundTrip.h"
#include "canvas/io/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The problem under the file's name (a read or write error names it already).
QString PartProblemText(const QString& path, const CPartProblem& problem) {
    const QString text = QString::fromStdString(DescribePartProblem(problem));
    if (problem.m_kind == EPartProblem::Io) return text;
    return QStringLiteral("%1\n\n%2").arg(QDir::toNativeSeparators(path), text);
}

} // namespace

CCanvasDocument::CCanvasDocument(const CCanvasDefaults& defaults)
    : m_pDoc(std::make_unique<CRuvlenDoc>(defaults)) {}

CCanvasDocument::~CCanvasDocument() = default;

bool CCanvasDocument::IsModified() const {
    return m_pDoc->IsModified();
}

// A part's title names its lines: "url.md (39–55 行)". A part saved from a blank
// canvas holds no lines; its title names the line where they would go.
void CCanvasDocument::SetPathName(const QString& path) {
    m_strPathName = QFileInfo(path).absoluteFilePath();
    m_strTitle = QFileInfo(path).fileName();
    if (m_part && m_part->m_nLines > 0)
        m_strTitle += QStringLiteral(" (%1–%2 行)").arg(m_part->m_nFirst).arg(m_part->Last());
    else if (m_part)
        m_strTitle += QStringLiteral(" (%1 行目)").arg(m_part->m_nFirst);
}

bool CCanvasDocument::OpenPart(const QString& path, int first, int last, QString& error) {
    CFilePart part;
    CPartProblem problem;
    // Absolute: the part keeps the path for saving in place, whatever the
    // working folder is by then.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!OpenFilePart(*m_pDoc, absolute.toStdString(), first, last, part, problem)) {
        error = PartProblemText(absolute, problem);
        return false;
    }
    m_part = std::move(part);
    // Characters replaced on the way in are lost from the lines a save writes anew.
    m_bLossyLoad = m_pDoc->m_loadReplacements.Any();
    SetPathName(absolute);
    return true;
}

QString CCanvasDocument::PartText() const {
    if (!m_part) return QString();
    return QStringLiteral("%1–%2 行を編集中。ファイルのほかの行はそのまま残ります")
        .arg(m_part->m_nFirst)
        .arg(m_part->Last());
}

CRecoveryFile CCanvasDocument::RecoveryCopy(std::int64_t savedAt) const {
    CRecoveryFile copy =
        CRecoveryFile::FromDocument(*m_pDoc, m_strPathName.toStdString(), m_bLossyLoad, savedAt);
    copy.m_part = m_part; // so that a restored canvas still saves in place
    return copy;
}

bool CCanvasDocument::Open(const QString& path, QString& error, const CLayoutReadOptions& options) {
    std::string message;
    if (!LoadDocumentFile(*m_pDoc, path.toStdString(), options, message)) {
        error = QString::fromStdString(message);
        return false;
    }
    m_pDoc->SetModifiedFlag(0);
    m_bLossyLoad = m_pDoc->m_bLoadWrapped || m_pDoc->m_bLoadCut || m_pDoc->m_bLoadRelaid ||
                   m_pDoc->m_loadReplacements.Any() || m_pDoc->m_loadRoundTrip.Any();
    SetPathName(path);
    return true;
}

bool CCanvasDocument::Save(const QString& path, QString& error) {
    return Save(path, m_pDoc->m_textFormat, error);
}

void CCanvasDocument::Restore(const CRecoveryFile& copy) {
    copy.RestoreTo(*m_pDoc);
    m_bLossyLoad = copy.m_bLossyLoad;
    m_part = copy.m_part;
    // A canvas never saved keeps no name: the frame numbers it as a new one.
    if (!copy.m_path.empty()) SetPathName(QString::fromStdString(copy.m_path));
}

CTextFormat CCanvasDocument::Format() const {
    return m_pDoc->m_textFormat;
}

QString CCanvasDocument::FormatText() const {
    const CTextFormat& format = m_pDoc->m_textFormat;
    QString text = QString::fromUtf8(TextEncodingName(format.m_encoding)) + QLatin1Char(' ') +
                   QString::fromUtf8(LineEndingName(format.m_lineEnding));
    if (format.m_layout != BoxLayout::Wide)
        text += QLatin1Char(' ') + QString::fromUtf8(BoxLayoutName(format.m_layout));
    return text;
}

bool CCanvasDocument::Save(const QString& path, const CTextFormat& format, QString& error,
                           bool* changedOnDisk) {
    if (changedOnDisk) *changedOnDisk = false;
    if (m_part) return SavePart(path, format, error, changedOnDisk);
    std::string message;
    if (!SaveDocumentFile(*m_pDoc, path.toStdString(), format, message)) {
        error = QString::fromStdString(message);
        return false;
    }
    m_pDoc->SetModifiedFlag(0);
    m_bLossyLoad = false; // the file now holds what the canvas shows
    SetPathName(path);
    return true;
}

bool CCanvasDocument::SavePart(const QString& path, const CTextFormat& format, QString& error,
                               bool* changedOnDisk) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    CPartProblem problem;
    if (!SaveFilePartTo(*m_pDoc, *m_part, absolute.toStdString(), format, problem)) {
        error = PartProblemText(absolute, problem);
        if (changedOnDisk) *changedOnDisk = problem.m_kind == EPartProblem::ChangedOnDisk;
        return false;
    }
    m_pDoc->SetModifiedFlag(0);
    m_bLossyLoad = false;
    SetPathName(absolute);
    return true;
}

bool CCanvasDocument::DoesNotFit() const {
    return !m_part && (m_pDoc->m_bLoadWrapped || m_pDoc->m_bLoadCut);
}

QString CCanvasDocument::LossyLoadText() const {
    QString text;
    if (m_pDoc->m_bLoadWrapped)
        text += QStringLiteral("99 桁を超える行を折り返して読み込みました。");
    if (m_pDoc->m_bLoadCut) text += QStringLiteral("99 行を超える部分は読み込まれていません。");
    if (m_pDoc->m_bLoadRelaid) {
        if (!text.isEmpty()) text += QLatin1Char('\n');
        text += QString::fromStdString(DescribeRelayout(m_pDoc->m_nLoadAddedColumns));
    }
    const std::string replaced = DescribeReplacements(m_pDoc->m_loadReplacements);
    if (!replaced.empty()) {
        if (!text.isEmpty()) text += QLatin1Char('\n');
        text += QString::fromStdString(replaced);
    }
    const std::string changed = DescribeRoundTripChange(m_pDoc->m_loadRoundTrip);
    if (!changed.empty()) {
        if (!text.isEmpty()) text += QLatin1Char('\n');
        text += QString::fromStdString(changed);
    }
    return text;
}
