#include "app/CanvasDocument.h"

#include "canvas/RuvlenDoc.h"
#include "canvas/io/RecoveryFile.h"
#include "canvas/io/TextFile.h"

#include <QFileInfo>

CCanvasDocument::CCanvasDocument(const CCanvasDefaults& defaults)
    : m_pDoc(std::make_unique<CRuvlenDoc>(defaults)) {}

CCanvasDocument::~CCanvasDocument() = default;

bool CCanvasDocument::IsModified() const {
    return m_pDoc->IsModified();
}

void CCanvasDocument::SetPathName(const QString& path) {
    m_strPathName = QFileInfo(path).absoluteFilePath();
    m_strTitle = QFileInfo(path).fileName();
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

bool CCanvasDocument::Save(const QString& path, const CTextFormat& format, QString& error) {
    std::string message;
    if (!SaveDocumentFile(*m_pDoc, path.toStdString(), format, message)) {
        error = QString::fromStdString(message);
        return false;
    }
    m_pDoc->SetModifiedFlag(0);
    m_bLossyLoad = false;
    SetPathName(path);
    return true;
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
