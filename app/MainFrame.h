#pragma once

#include "app/RecoveryHost.h"
#include "canvas/io/LayoutReader.h"
#include "canvas/io/TextFormat.h"
#include "tools/CommandRegistry.h"
#include "tools/ViewPort.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <memory>
#include <vector>

class CCanvasDocument;
class CChildFrame;
class CRecoveryManager;
class CSettingsStore;
class CRuvlenView;
class CSymbolPaletteDlg;
struct CAppSettings;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

// The main window: menus, toolbar, status bar, the canvas windows in an MDI
// area, the symbol palette, and the file commands. Every command is one QAction
// keyed by its id; its enabled and checked states come from the active canvas
// window and are refreshed whenever they can change.
class CMainFrame : public QMainWindow, public CSymbolSource, public CRecoveryHost {
    Q_OBJECT
public:
    explicit CMainFrame(CSettingsStore* store);
    ~CMainFrame() override;

    // --- Canvases ---
    CCanvasDocument* NewDocument();
    // Opens the file in a new canvas window (or activates the window that shows
    // it already), its box drawing read as options say. On failure a message
    // names the file and the reason; with `problems`, that message and any
    // warning about the file's content are added there instead of shown.
    CCanvasDocument* OpenDocument(const QString& path, QStringList* problems = nullptr,
                                  const CLayoutReadOptions& options = CLayoutReadOptions());
    // Opens dropped files, with one warning for all of them.
    void OpenDroppedFiles(const QStringList& files);
    bool SaveDocument(CCanvasDocument* document, bool askName);
    // Saves to a file already chosen (what Save As does after its dialog):
    // refused when another canvas has the file open, asks before writing over
    // a file that reading changed; on failure a message says why.
    bool SaveDocumentTo(CCanvasDocument* document, const QString& path, const CTextFormat& format);
    // Asks for a file, format and size, and writes the canvas as a picture.
    bool ExportDocument(CCanvasDocument* document);
    // Asks whether to save a modified canvas; false when the user cancels.
    bool MaybeSave(CCanvasDocument* document);
    CChildFrame* CreateChildFrame(CCanvasDocument* document);
    // Shows a canvas made elsewhere (a recovered one) in a new window.
    CCanvasDocument* AddDocument(std::unique_ptr<CCanvasDocument> document);
    CRecoveryManager* Recovery() const { return m_pRecovery; }
    CChildFrame* ActiveFrame() const;
    CRuvlenView* ActiveView() const;
    CCanvasDocument* ActiveDocument() const;
    QMdiArea* MdiArea() const { return m_pMdiArea; }
    int DocumentCount() const { return static_cast<int>(m_documents.size()); }

    // --- Commands ---
    QAction* Action(int id) const { return m_actions.value(id); }
    bool OnCommand(int id);
    void UpdateActions();

    // --- Status bar, placement, palette ---
    void SetPositionText(int column, int row);
    // Shows a notice in the status bar for a while; a menu or toolbar prompt
    // covers it only while it is shown.
    void ShowNotice(const QString& text);
    QString MessageText() const;
    QString SizeText() const;
    QString FormatText() const;
    // The active canvas's part of its file ("39–55 行を編集中…"); empty for a whole file.
    QString PartText() const;
    void RestorePlacement(const CAppSettings& settings);
    QRect FirstPlacement() const;
    QString DialogFolder() const;
    void CaptureWindowPlacement(CAppSettings& settings) const;
    void ShowSymbolPalette();
    void CapturePaletteRect();
    bool IsPaletteShown() const { return m_bPaletteShown; }
    // Made when first needed: building its grids would delay the first window.
    CSymbolPaletteDlg* SymbolPalette();
    void GetChosenSymbol(char buffer[4]) override;
    void ShowPalette() override { ShowSymbolPalette(); }

    // --- CRecoveryHost ---
    void ShowRecoveryMessage(const QString& text) override;
    CCanvasDocument* AddRestoredDocument(std::unique_ptr<CCanvasDocument> document) override;
    void CloseUnchangedCanvases(const QString& path) override;
    QWidget* RecoveryDialogParent() override { return this; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QMenu* AddMenu(bool canvas, MenuId id);
    void UpdateMenuBar();
    void UpdateRecentFileActions();
    void UpdateWindowMenu();
    void UpdateTitles();
    void OnSubWindowActivated(QMdiSubWindow* window);
    void OnChildCloseRequested(CChildFrame* frame, bool* allow);
    void OnViewDestroyed(CCanvasDocument* document);
    void OnUpdateDefaults(CRuvlenView* view);
    void OnPaletteClosed();
    void SelectSymbolTool();
    bool RunFrameCommand(int id);

public:
    // Whether the frame carries a command out itself.
    static bool HasFrameHandler(int id);
    // The frame's command handlers.
    void OnSymbolTable();
    void OnUndoLevels();
    void OnRecoverySeconds();
    void OnFileOpen();
    void OnFileClose();
    void OnWindowNew();
    void OnWindowArrange();
    void ToggleToolBar();

private:
    CCanvasDocument* FindDocument(const QString& path) const;
    std::vector<CChildFrame*> FramesOf(const CCanvasDocument* document) const;
    static QString LossyLoadWarning(CCanvasDocument* document);
    void WarnLossyLoad(CCanvasDocument* document);
    // A file that does not fit a canvas (app/MainFrameParts.cpp): offers its
    // diagram blocks, a range of lines or the cut open of the whole file.
    // False when the user cancels; otherwise part holds the opened part, or
    // null for the whole file.
    bool ChoosePartOfFile(const QString& path, std::unique_ptr<CCanvasDocument>& part);
    // A save refused because the file changed on disk: says why and offers Save As.
    bool OfferSaveAs(CCanvasDocument* document, const QString& why);
    bool ConfirmLossySave(CCanvasDocument* document);
    QString AskSaveFileName(CCanvasDocument* document, CTextFormat& format);

    CSettingsStore* m_pStore;
    QMdiArea* m_pMdiArea = nullptr;
    QHash<int, QAction*> m_actions;
    QActionGroup* m_pToolGroup = nullptr;
    QActionGroup* m_pLineGroup = nullptr;
    std::vector<QMenu*> m_noCanvasMenus; // shown while no canvas is open
    std::vector<QMenu*> m_canvasMenus;   // shown while a canvas window exists
    QMenu* m_pWindowMenu = nullptr;
    std::vector<QAction*> m_windowListActions;
    QAction* m_pRecentPlaceholder = nullptr;
    std::vector<QAction*> m_recentActions;
    QString m_dialogFolder; // where the last file dialog was left
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pMessagePane = nullptr;
    QString m_strNotice;             // the notice being shown, or empty
    QDeadlineTimer m_noticeEnd;      // when it goes
    QLabel* m_pSizePane = nullptr;   // the active canvas's character size
    QLabel* m_pFormatPane = nullptr; // the active canvas's encoding and line ends
    QLabel* m_pPartPane = nullptr;   // the lines of its file a part stands for
    CSymbolPaletteDlg* m_pSymbolPalette = nullptr;
    int m_bPaletteShown = 0;
    CRecoveryManager* m_pRecovery = nullptr;
    std::vector<std::unique_ptr<CCanvasDocument>> m_documents;
    CCanvasDocument* m_pClosingDocument = nullptr; // closing without asking again
    int m_nUntitledCount = 0;
    bool m_bCanvasMenusShown = false;
};
