#include "view/QtClipboard.h"

#include "canvas/io/Cp932.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

CQtClipboard& CQtClipboard::Instance() {
    static CQtClipboard* instance = new CQtClipboard; // lives as long as the application
    return *instance;
}

CQtClipboard::CQtClipboard() {
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        Refresh();
        emit changed();
    });
    Refresh();
}

void CQtClipboard::Refresh() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    m_bHasText = data && data->hasText();
}

bool CQtClipboard::GetText(std::string& bytes) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return false;
    bytes = UnicodeToClipboardBytes(data->text().toStdString());
    return true;
}

bool CQtClipboard::GetUnicodeText(std::string& utf8) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return false;
    utf8 = data->text().toStdString();
    return true;
}

bool CQtClipboard::SetText(const std::string& bytes) {
    const QString text = QString::fromStdString(ClipboardBytesToUnicode(bytes));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text);
    // The clipboard gives no error; reading back tells whether the text arrived.
    return clipboard->text() == text;
}
