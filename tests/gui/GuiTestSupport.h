#pragma once

// Helpers for the offscreen window tests: recording what a widget repaints,
// answering modal dialogs that a command opens, and temporary settings files.

#include "app/CanvasDocument.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/OpenPartDlg.h"
#include "app/RuvlenApp.h"
#include "canvas/RuvlenDoc.h"
#include "view/RuvlenView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPointer>
#include <QRadioButton>
#include <QRegion>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

// Records the rectangles a widget is asked to paint.
class CPaintRecorder : public QObject {
public:
    explicit CPaintRecorder(QWidget* w) { w->installEventFilter(this); }
    QRegion region;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

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

// Chooses `path` in an open or save dialog and accepts it. The name goes into
// the name field itself: selectFile leaves a focused field alone and marks the
// file in the list instead, which the dialog fills in the background, so an
// accept right after it may find no file chosen. The accept is queued, so
// that a question it asks (replace the file?) is seen by the answerer too.
inline void ChooseFile(QWidget* w, const QString& path) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    QVERIFY(dialog);
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    dialog->selectFile(path); // its folder
    name->setText(path);
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
}

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

// Answers the question of opening a file that does not fit a canvas: with
// lines first..last, or, when first is 0, the whole file cut; message boxes
// that follow (the warning of a cut file) with OK.
inline std::unique_ptr<CModalAnswerer> AnswerOpenPart(int first, int last, int times = 1) {
    return std::make_unique<CModalAnswerer>(
        [first, last](QWidget* w) {
            if (auto* dialog = qobject_cast<COpenPartDlg*>(w)) {
                if (first == 0) {
                    dialog->m_pWholeChoice->setChecked(true);
                } else {
                    dialog->m_pFirst->setValue(first);
                    dialog->m_pLast->setValue(last);
                }
                dialog->accept();
            } else if (auto* box = qobject_cast<QMessageBox*>(w)) {
                box->accept();
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

// Presses the left button over cell (c1, r1) of the view, moves to (c2, r2)
// and releases there, as a drag with the mouse does.
inline void DragCells(CRuvlenView* v, int c1, int r1, int c2, int r2) {
    const CRuvlenDoc& d = *v->GetDocument();
    auto at = [&](int c, int r) {
        return QPoint(d.m_nOriginX + c * d.m_nCellSize + 2, d.m_nOriginY + r * d.m_nCellSize + 2) -
               v->ScrollPosition();
    };
    QTest::mousePress(v->viewport(), Qt::LeftButton, {}, at(c1, r1));
    QTest::mouseMove(v->viewport(), at(c2, r2));
    QTest::mouseRelease(v->viewport(), Qt::LeftButton, {}, at(c2, r2));
}

// Whole files in and out; a file that cannot be read reads as "<missing>".
inline QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A running editor whose settings file lies in a fresh temporary folder; it
// quits without questions.
class CEditorUnderTest {
public:
    bool Start() {
        m_pDir = std::make_unique<QTemporaryDir>();
        m_pApp = std::make_unique<CRuvlenApp>(m_pDir->filePath(QStringLiteral("Tavik.ini")));
        return m_pApp->InitInstance(QString()) && QTest::qWaitForWindowExposed(Frame());
    }
    void Stop() {
        if (m_pApp) ForgetChanges(Frame());
        m_pApp.reset();
        m_pDir.reset();
    }
    CMainFrame* Frame() const { return m_pApp->MainFrame(); }
    CRuvlenView* View() const { return Frame()->ActiveView(); }
    CRuvlenDoc& Doc() const { return *View()->GetDocument(); }
    QString Path(const QString& name) const { return m_pDir->filePath(name); }

private:
    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<CRuvlenApp> m_pApp;
};
