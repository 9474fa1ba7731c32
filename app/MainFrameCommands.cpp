// The main frame's command routing, action states, Window menu and palette.
#include "app/AboutDlg.h"
#include "app/CanvasDocument.h"
#include "app/ChildFrame.h"
#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "app/NumberDlg.h"
#include "app/RecoveryManager.h"
#include "app/SettingsStore.h"
#include "app/SymbolPaletteDlg.h"
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
    const CCommandRow* row = FindCommand(id);
    bool ran = false;
    if (!row) {
        ran = false;
    } else if (row->owner == CommandOwner::View) {
        CRuvlenView* view = ActiveView();
        ran = view && view->RunCommand(id);
    } else {
        ran = RunFrameCommand(id);
    }
    UpdateActions();
    UpdateTitles();
    return ran;
}

namespace {
using FrameHandler = bool (*)(CMainFrame& frame);
} // namespace

// The commands the frame carries out itself, keyed by id.
static FrameHandler FindFrameHandler(int id) {
    static const std::pair<int, FrameHandler> handlers[] = {
        {ID_FILE_NEW, [](CMainFrame& f) { return f.NewDocument() != nullptr; }},
        {ID_FILE_OPEN, [](CMainFrame& f) { return f.OnFileOpen(), true; }},
        {ID_FILE_CLOSE, [](CMainFrame& f) { return f.OnFileClose(), true; }},
        {ID_FILE_SAVE,
         [](CMainFrame& f) {
             return f.ActiveDocument() && f.SaveDocument(f.ActiveDocument(), false);
         }},
        {ID_FILE_SAVE_AS,
         [](CMainFrame& f) {
             return f.ActiveDocument() && f.SaveDocument(f.ActiveDocument(), true);
         }},
        {ID_FILE_EXPORT,
         [](CMainFrame& f) { return f.ActiveDocument() && f.ExportDocument(f.ActiveDocument()); }},
        {ID_UNDO_LEVELS, [](CMainFrame& f) { return f.OnUndoLevels(), true; }},
        {ID_RECOVERY_SECONDS, [](CMainFrame& f) { return f.OnRecoverySeconds(), true; }},
        {ID_FILE_PRINT_SETUP, [](CMainFrame& f) { return CanvasPrinter::PageSetup(&f), true; }},
        {ID_APP_EXIT, [](CMainFrame& f) { return f.close(), true; }},
        {ID_VIEW_TOOLBAR, [](CMainFrame& f) { return f.ToggleToolBar(), true; }},
        {ID_VIEW_STATUS_BAR,
         [](CMainFrame& f) {
             return f.statusBar()->setVisible(!f.statusBar()->isVisible()), true;
         }},
        {ID_SYMBOL_TABLE, [](CMainFrame& f) { return f.OnSymbolTable(), true; }},
        {ID_WINDOW_NEW, [](CMainFrame& f) { return f.OnWindowNew(), true; }},
        {ID_WINDOW_CASCADE, [](CMainFrame& f) { return f.MdiArea()->cascadeSubWindows(), true; }},
        {ID_WINDOW_TILE_HORZ, [](CMainFrame& f) { return f.MdiArea()->tileSubWindows(), true; }},
        {ID_WINDOW_ARRANGE, [](CMainFrame& f) { return f.OnWindowArrange(), true; }},
        {ID_NEXT_PANE, [](CMainFrame& f) { return f.MdiArea()->activateNextSubWindow(), true; }},
        {ID_PREV_PANE,
         [](CMainFrame& f) { return f.MdiArea()->activatePreviousSubWindow(), true; }},
        {ID_HELP_INDEX, [](CMainFrame& f) { return HelpWindow::Show(&f), true; }},
        {ID_APP_ABOUT, [](CMainFrame& f) { return CAboutDlg(&f).exec(), true; }},
    };
    for (const auto& h : handlers)
        if (h.first == id) return h.second;
    return nullptr;
}

bool CMainFrame::HasFrameHandler(int id) {
    return FindFrameHandler(id) != nullptr;
}

bool CMainFrame::RunFrameCommand(int id) {
    FrameHandler handler = FindFrameHandler(id);
    return handler && handler(*this);
}

void CMainFrame::ToggleToolBar() {
    m_pToolBar->setVisible(!m_pToolBar->isVisible());
}

void CMainFrame::OnWindowArrange() {
    // Minimized windows line up along the bottom of the area.
    for (QMdiSubWindow* w : m_pMdiArea->subWindowList())
        if (w->isMinimized()) w->showMinimized();
}

void CMainFrame::UpdateActions() {
    CRuvlenView* view = ActiveView();
    for (const CCommandRow& row : CommandRegistry()) {
        QAction* action = m_actions.value(row.id);
        bool enabled = false, checked = false;
        if (row.owner == CommandOwner::View) {
            enabled = view && view->IsCommandEnabled(row.id);
            checked = view && view->IsCommandChecked(row.id);
        } else {
            enabled = CommandEnabledInFrame(row.enable, view != nullptr);
            checked = (row.check == CheckRule::ToolBar && m_pToolBar->isVisible()) ||
                      (row.check == CheckRule::StatusBar && statusBar()->isVisible()) ||
                      (row.check == CheckRule::Palette && m_bPaletteShown);
        }
        action->setEnabled(enabled);
        if (action->isCheckable()) action->setChecked(checked);
    }
    m_pSizePane->setText(view ? QString::fromUtf8(FontSizeName(view->GetDocument()->m_nFontSize))
                              : QString());
    CCanvasDocument* document = ActiveDocument();
    m_pFormatPane->setText(document ? document->FormatText() : QString());
    m_pPartPane->setText(document ? document->PartText() : QString());
    m_pPartPane->setVisible(!m_pPartPane->text().isEmpty());
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
    CAppSettings& s = m_pStore->Settings();
    s.m_nDefaultTextSize = doc.m_nFontSize;
    s.m_nDefaultColumns = doc.m_nColumns;
    s.m_nDefaultLines = doc.m_nLines;
    s.m_bDefaultGrid = doc.m_bGrid;
    m_pStore->SaveCanvasDefaults();
    CaptureWindowPlacement(s);
    m_pStore->SaveWindowPlacement();
}

void CMainFrame::OnUndoLevels() {
    CNumberDlg dialog(this, UndoLevelsQuestion(), m_pStore->Settings().m_nUndoLevels);
    if (dialog.exec() != QDialog::Accepted) return;
    m_pStore->Settings().m_nUndoLevels = dialog.Value();
    m_pStore->SaveEditingSettings();
    for (const auto& document : m_documents) document->Doc().SetUndoLevels(dialog.Value());
}

void CMainFrame::OnRecoverySeconds() {
    CNumberDlg dialog(this, RecoveryIntervalQuestion(), m_pStore->Settings().m_nRecoverySeconds);
    if (dialog.exec() != QDialog::Accepted) return;
    m_pStore->Settings().m_nRecoverySeconds = dialog.Value();
    m_pStore->SaveEditingSettings();
}

// --- Symbol palette ---

CSymbolPaletteDlg* CMainFrame::SymbolPalette() {
    if (!m_pSymbolPalette) {
        m_pSymbolPalette = new CSymbolPaletteDlg(this, &m_pStore->Settings());
        connect(m_pSymbolPalette, &CSymbolPaletteDlg::paletteClosed, this,
                &CMainFrame::OnPaletteClosed);
        connect(m_pSymbolPalette, &CSymbolPaletteDlg::symbolToolRequested, this,
                &CMainFrame::SelectSymbolTool);
    }
    return m_pSymbolPalette;
}

void CMainFrame::ShowSymbolPalette() {
    if (m_bPaletteShown) return;
    SymbolPalette()->Create();
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
        SymbolPalette()->Create();
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
    SymbolPalette()->GetChosenSymbol(buffer);
}

void CMainFrame::SelectSymbolTool() {
    if (CRuvlenView* view = ActiveView()) {
        view->Controller().SetToolMode(ID_TOOL_SYMBOL);
        UpdateActions();
    }
}
