#pragma once

#include "tools/ViewPort.h"

#include <QObject>

// The system clipboard for the canvas windows: Unicode text on the desktop side,
// Shift-JIS with CR LF on ours. Whether it holds text is cached from the
// clipboard's change signal instead of asking the display server on every update.
class CQtClipboard : public QObject, public CClipboardPort {
    Q_OBJECT
public:
    static CQtClipboard& Instance();

    bool HasText() override { return m_bHasText; }
    bool GetText(std::string& bytes) override;
    bool GetUnicodeText(std::string& utf8) override;
    bool SetText(const std::string& bytes) override;

signals:
    void changed();

private:
    CQtClipboard();
    void Refresh();
    bool m_bHasText = false;
};
