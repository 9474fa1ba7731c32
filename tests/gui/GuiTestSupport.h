#pragma once

// Helpers for the offscreen window tests: answering modal dialogs that a
// command opens, and temporary settings files.

#include "app/CanvasDocument.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "canvas/RuvlenDoc.h"

#include <QAbstractButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

// Waits for the next modal dialog (polling, since the command that opens it
// blocks), hands it to `handle`, and counts it. Keep the returned object alive
// until the command has returned.
class CModalAnswerer {
public:
    explicit CModalAnswerer(std::function<void(QWidget*)> handle, int times = 1)
        : m_handle(std::move(handle)), m_nLeft(times) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }
    int Count() const { return m_nSeen; }
    QStringList Texts() const { return m_texts; }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == m_pLast || m_nLeft == 0) return;
        m_pLast = modal;
        ++m_nSeen;
        --m_nLeft;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) m_texts << box->text();
        m_handle(modal);
        if (m_nLeft == 0) m_timer.stop();
    }

    std::function<void(QWidget*)> m_handle;
    int m_nLeft;
    int m_nSeen = 0;
    QPointer<QWidget> m_pLast;
    QStringList m_texts;
    QTimer m_timer;
};

// Answers message boxes with a button.
inline std::unique_ptr<CModalAnswerer> AnswerMessageBox(QMessageBox::StandardButton button,
                                                        int times = 1) {
    return std::make_unique<CModalAnswerer>(
        [button](QWidget* w) {
            if (auto* box = qobject_cast<QMessageBox*>(w)) {
                if (QAbstractButton* b = box->button(button))
                    b->click();
                else
                    box->close();
            } else if (auto* dialog = qobject_cast<QDialog*>(w)) {
                dialog->reject();
            }
        },
        times);
}

// Marks every canvas of the frame unmodified, so closing it asks nothing.
inline void ForgetChanges(CMainFrame* frame) {
    if (!frame) return;
    for (QMdiSubWindow* w : frame->MdiArea()->subWindowList())
        static_cast<CChildFrame*>(w)->Document()->Doc().SetModifiedFlag(0);
}
