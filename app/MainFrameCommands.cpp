// The main frame's command routing, action states, Window menu and palette.
#include "app/AboutDlg.h"
#include "app/CanvasDocument.h"
#include "app/ChildFrame.h"
#include "app/CommandTable.h"
#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "app/RecoveryIntervalDlg.h"
#include "app/RecoveryManager.h"
#include "app/RuvlenApp.h"
#include "app/SymbolPaletteDlg.h"
#include "app/UndoLevelsDlg.h"
#include "canvas/RuvlenDoc.h"
#include "view/CanvasPrinter.h"
#include "view/RuvlenView.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

CChildFrame* CMainFrame::ActiveFrame() const {
    if (auto* frame = qobject_cast<CChildFrame*>(m_pMdiArea->activeSubWindow())) return frame;
    // While another window (a dialog, the palette) is active, the MDI area
    // reports no active child: take the one on top.
    const auto list = m_pMdiArea->subWindowList(QMdiArea::StackingOrder);
    return list.isEmpty() ? nullptr : qobject_cast<CChildFrame*>(list.last());
}

CRuvlenView* CMainFrame::ActiveView() const {
    CChildFrame* frame = ActiveFrame();
    return frame ? frame->View() : nullptr;
}

CCanvasDocument* CMainFrame::ActiveDocument() const {
    CChildFrame* frame = ActiveFrame();
    return frame ? frame->Document() : nullptr;
}

bool CMainFrame::OnCommand(int id) {
    // Ask the update rules first: a disabled command never runs, however it came.
    UpdateActions();
    QAction* action = m_actions.value(id);
    if (action && !action->isEnabled()) return false;
    bool ran = false;
    if (IsViewCommand(id)) {
        CRuvlenView* view = ActiveView();
        ran = view && view->RunCommand(id);
    } else {
        ran = RunFrameCommand(id);
    }
    UpdateActions();
    UpdateTitles();
    return ran;
}

bool CMainFrame::RunFrameCommand(int id) {
    switch (id) {
    case ID_FILE_NEW:
        NewDocument();
        return true;
    case ID_FILE_OPEN:
        OnFileOpen();
        return true;
    case ID_FILE_CLOSE:
        OnFileClose();
        return true;
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
        return ActiveDocument() && SaveDocument(ActiveDocument(), id == ID_FILE_SAVE_AS);
    case ID_FILE_EXPORT:
        return ActiveDocument() && ExportDocument(ActiveDocument());
    case ID_UNDO_LEVELS:
        OnUndoLevels();
        return true;
    case ID_RECOVERY_SECONDS:
        OnRecoverySeconds();
        return true;
    case ID_FILE_PRINT_SETUP:
        CanvasPrinter::PageSetup(this);
        return true;
    case ID_APP_EXIT:
        close();
        return true;
    case ID_VIEW_TOOLBAR:
        m_pToolBar->setVisible(!m_pToolBar->isVisible());
        return true;
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(!statusBar()->isVisible());
        return true;
    case ID_SYMBOL_TABLE:
        OnSymbolTable();
        return true;
    case ID_WINDOW_NEW:
        OnWindowNew();
        return true;
    case ID_WINDOW_CASCADE:
        m_pMdiArea->cascadeSubWindows();
        return true;
    case ID_WINDOW_TILE_HORZ:
        m_pMdiArea->tileSubWindows();
        return true;
    case ID_WINDOW_ARRANGE:
        // Minimized windows line up along the bottom of the area.
        for (QMdiSubWindow* w : m_pMdiArea->subWindowList())
            if (w->isMinimized()) w->showMinimized();
        return true;
    case ID_NEXT_PANE:
        m_pMdiArea->activateNextSubWindow();
        return true;
    case ID_PREV_PANE:
        m_pMdiArea->activatePreviousSubWindow();
        return true;
    case ID_HELP_INDEX:
        HelpWindow::Show(this);
        return true;
    case ID_APP_ABOUT: {
        CAboutDlg about(this);
        about.exec();
        return true;
    }
    default:
        return false;
    }
}

void CMainFrame::UpdateActions() {
    CRuvlenView* view = ActiveView();
    for (auto it = m_actions.begin(); it != m_actions.end(); ++it) {
        const int id = it.key();
        QAction* action = it.value();
        bool enabled = true, checked = false;
        if (IsViewCommand(id)) {
            enabled = view && view->IsCommandEnabled(id);
            checked = view && view->IsCommandChecked(id);
        } else {
            switch (id) {
            case ID_FILE_CLOSE:
            case ID_FILE_SAVE:
            case ID_FILE_SAVE_AS:
            case ID_FILE_EXPORT:
            case ID_WINDOW_NEW:
            case ID_WINDOW_CASCADE:
            case ID_WINDOW_TILE_HORZ:
            case ID_WINDOW_ARRANGE:
                enabled = view != nullptr;
                break;
            case ID_VIEW_TOOLBAR:
                checked = m_pToolBar->isVisible();
                break;
            case ID_VIEW_STATUS_BAR:
                checked = statusBar()->isVisible();
                break;
            case ID_SYMBOL_TABLE:
                checked = m_bPaletteShown;
                break;
            default:
                break;
            }
        }
        action->setEnabled(enabled);
        if (action->isCheckable()) action->setChecked(checked);
    }
    static const char* const kSizes[6] = {"５ポ", "７ポ", "９ポ", "１２ポ", "１４ポ", "１９ポ"};
    const int size = view ? view->GetDocument()->m_nFontSize : -1;
    m_pSizePane->setText(size >= 0 && size < 6 ? QString::fromUtf8(kSizes[size]) : QString());
    CCanvasDocument* document = ActiveDocument();
    m_pFormatPane->setText(document ? document->FormatText() : QString());
}

void CMainFrame::UpdateWindowMenu() {
    for (QAction* a : m_windowListActions) delete a;
    m_windowListActions.clear();
    const auto windows = m_pMdiArea->subWindowList();
    if (windows.isEmpty()) return;
    m_windowListActions.push_back(m_pWindowMenu->addSeparator());
    int n = 0;
    for (QMdiSubWindow* window : windows) {
        QString title = window->windowTitle().replace(QStringLiteral("[*]"), QString());
        QAction* a = m_pWindowMenu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(title));
        a->setCheckable(true);
        a->setChecked(window == m_pMdiArea->activeSubWindow());
        connect(a, &QAction::triggered, this,
                [this, window] { m_pMdiArea->setActiveSubWindow(window); });
        m_windowListActions.push_back(a);
    }
}

void CMainFrame::UpdateTitles() {
    for (const auto& document : m_documents) {
        const auto frames = FramesOf(document.get());
        int n = 0;
        for (CChildFrame* frame : frames) {
            QString title = document->Title();
            if (frames.size() > 1) title += QStringLiteral(":%1").arg(++n);
            // The mark is part of the text rather than a "[*]" placeholder: a
            // maximized window's placeholder would also mark the frame's own title.
            if (document->IsModified()) title += QLatin1Char('*');
            frame->setWindowTitle(title);
            frame->setWindowModified(document->IsModified());
        }
        m_pRecovery->Notice(document.get());
    }
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow*) {
    UpdateMenuBar();
    UpdateActions();
    UpdateTitles();
}

void CMainFrame::OnUpdateDefaults(CRuvlenView* view) {
    const CRuvlenDoc& doc = *view->GetDocument();
    CAppSettings& s = m_pApp->m_settings;
    s.m_nDefaultTextSize = doc.m_nFontSize;
    s.m_nDefaultColumns = doc.m_nColumns;
    s.m_nDefaultLines = doc.m_nLines;
    s.m_bDefaultGrid = doc.m_bGrid;
    m_pApp->SaveCanvasDefaults();
    m_pApp->SaveWindowPlacement();
}

void CMainFrame::OnUndoLevels() {
    CUndoLevelsDlg dialog(this, m_pApp->m_settings.m_nUndoLevels);
    if (dialog.exec() != QDialog::Accepted) return;
    m_pApp->m_settings.m_nUndoLevels = dialog.Levels();
    m_pApp->SaveEditingSettings();
    for (const auto& document : m_documents) document->Doc().SetUndoLevels(dialog.Levels());
}

void CMainFrame::OnRecoverySeconds() {
    CRecoveryIntervalDlg dialog(this, m_pApp->m_settings.m_nRecoverySeconds);
    if (dialog.exec() != QDialog::Accepted) return;
    m_pApp->m_settings.m_nRecoverySeconds = dialog.Seconds();
    m_pApp->SaveEditingSettings();
}

// --- Symbol palette ---

void CMainFrame::ShowSymbolPalette() {
    if (m_bPaletteShown) return;
    m_pSymbolPalette->Create();
    m_bPaletteShown = 1;
    UpdateActions();
}

void CMainFrame::CapturePaletteRect() {
    if (m_bPaletteShown) m_pSymbolPalette->CaptureRect();
}

void CMainFrame::OnSymbolTable() {
    if (m_bPaletteShown) {
        CapturePaletteRect();
        m_pSymbolPalette->Destroy();
    } else {
        m_pSymbolPalette->Create();
    }
    m_bPaletteShown = !m_bPaletteShown;
}

void CMainFrame::OnPaletteClosed() {
    if (m_bPaletteShown) {
        CapturePaletteRect();
        m_pSymbolPalette->Destroy();
    }
    m_bPaletteShown = 0;
    UpdateActions();
}

void CMainFrame::GetChosenSymbol(char buffer[4]) {
    m_pSymbolPalette->GetChosenSymbol(buffer);
}

void CMainFrame::SelectSymbolTool() {
    if (CRuvlenView* view = ActiveView()) {
        view->Controller().SetToolMode(ID_TOOL_SYMBOL);
        UpdateActions();
    }
}
