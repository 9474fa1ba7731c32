#include "app/MainFrame.h"

#include "app/CanvasDocument.h"
#include "app/ChildFrame.h"
#include "app/CommandTable.h"
#include "app/RecoveryManager.h"
#include "app/RuvlenApp.h"
#include "app/ScreenFit.h"
#include "app/SymbolPaletteDlg.h"
#include "canvas/RuvlenDoc.h"
#include "tools/CommandIds.h"
#include "view/QtClipboard.h"
#include "view/Resources.h"
#include "view/RuvlenView.h"

#include <QActionGroup>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

namespace {

const char kReady[] = "ﾚﾃﾞｨ";

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

QList<QKeySequence> Shortcuts(const char* keys) {
    QList<QKeySequence> list;
    if (!keys) return list;
    for (const QString& key : Utf8(keys).split(QLatin1Char(';')))
        list.append(QKeySequence(key, QKeySequence::PortableText));
    return list;
}

bool IsToolModeId(int id) {
    switch (id) {
    case ID_TOOL_SELECT:
    case ID_TOOL_HLINE:
    case ID_TOOL_VLINE:
    case ID_TOOL_RECT:
    case ID_TOOL_HTEXT:
    case ID_TOOL_VTEXT:
    case ID_TOOL_TYPE:
    case ID_TOOL_SYMBOL:
    case ID_TOOL_ERASE:
        return true;
    default:
        return false;
    }
}

} // namespace

CMainFrame::CMainFrame(CRuvlenApp* app) : m_pApp(app) {
    EnsureResources();
    // No modified mark of its own: a maximized canvas window adds its title, mark
    // included, as " - [Canvas1*]".
    setWindowTitle(QStringLiteral("Tavik"));
    setObjectName(QStringLiteral("mainFrame"));
    setAcceptDrops(true);
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tavik-%1.png").arg(size));
    setWindowIcon(icon);

    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_pMdiArea);
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    m_pRecovery = new CRecoveryManager(this, &m_pApp->m_settings);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    m_pSymbolPalette = new CSymbolPaletteDlg(this, &m_pApp->m_settings);
    connect(m_pSymbolPalette, &CSymbolPaletteDlg::paletteClosed, this,
            &CMainFrame::OnPaletteClosed);
    connect(m_pSymbolPalette, &CSymbolPaletteDlg::symbolToolRequested, this,
            &CMainFrame::SelectSymbolTool);
    connect(&CQtClipboard::Instance(), &CQtClipboard::changed, this, &CMainFrame::UpdateActions);

    UpdateMenuBar();
    UpdateRecentFileActions();
    UpdateActions();
}

CMainFrame::~CMainFrame() {
    // The canvas windows go before their documents.
    QMdiArea* area = m_pMdiArea;
    m_pMdiArea = nullptr;
    delete area;
    m_documents.clear();
}

void CMainFrame::CreateActions() {
    m_pToolGroup = new QActionGroup(this);
    m_pLineGroup = new QActionGroup(this);
    for (const CCommandInfo& info : CommandTable()) {
        const QStringList prompt = Utf8(info.prompt).split(QLatin1Char('\n'));
        QString text = info.menuText ? Utf8(info.menuText) : prompt.value(1);
        auto* action = new QAction(text, this);
        action->setData(info.id);
        action->setObjectName(QStringLiteral("action%1").arg(info.id));
        action->setStatusTip(prompt.value(0));
        action->setToolTip(prompt.value(1));
        action->setShortcuts(Shortcuts(info.keys));
        action->setCheckable(info.checkable);
        if (info.icon) action->setIcon(QIcon(QStringLiteral(":/toolbar/%1.png").arg(info.icon)));
        if (IsToolModeId(info.id)) action->setActionGroup(m_pToolGroup);
        if (info.id == ID_LINE_THIN || info.id == ID_LINE_THICK)
            action->setActionGroup(m_pLineGroup);
        const int id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        addAction(action); // shortcuts work while the action is in no visible menu
        m_actions.insert(id, action);
    }
    m_pRecentPlaceholder = new QAction(QStringLiteral("最新のﾌｧｲﾙ"), this);
    m_pRecentPlaceholder->setEnabled(false);
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        connect(action, &QAction::triggered, this, [this, i] {
            if (i < m_pApp->RecentFiles().size()) OpenDocument(m_pApp->RecentFiles()[i]);
        });
        m_recentActions.push_back(action);
    }
}

QMenu* CMainFrame::AddMenu(const char* title, const std::vector<int>& ids, bool withRecent) {
    auto* menu = new QMenu(Utf8(title), this);
    for (int id : ids) {
        if (id == 0) {
            menu->addSeparator();
        } else if (id == ID_FILE_MRU_FILE1 && withRecent) {
            menu->addAction(m_pRecentPlaceholder);
            for (QAction* a : m_recentActions) menu->addAction(a);
        } else {
            menu->addAction(m_actions.value(id));
        }
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
    return menu;
}

void CMainFrame::CreateMenus() {
    const std::vector<int> view = {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_SYMBOL_TABLE};
    const std::vector<int> help = {ID_HELP_INDEX, 0, ID_APP_ABOUT};
    m_noCanvasMenus = {
        AddMenu("ﾌｧｲﾙ(&F)",
                {ID_FILE_NEW, ID_FILE_OPEN, 0, ID_FILE_PRINT_SETUP, 0, ID_FILE_MRU_FILE1, 0,
                 ID_APP_EXIT},
                true),
        AddMenu("表示(&V)", view, false),
        AddMenu("ﾍﾙﾌﾟ(&H)", help, false),
    };
    m_pWindowMenu =
        AddMenu("ｳｨﾝﾄﾞｳ(&W)",
                {ID_WINDOW_NEW, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE}, false);
    connect(m_pWindowMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateWindowMenu);
    m_canvasMenus = {
        AddMenu("ﾌｧｲﾙ(&F)",
                {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS,
                 ID_FILE_EXPORT, 0, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, 0,
                 ID_FILE_MRU_FILE1, 0, ID_APP_EXIT},
                true),
        AddMenu("設定(&S)",
                {ID_CANVAS_SETTINGS, 0, ID_UPDATE_DEFAULTS, 0, ID_UNDO_LEVELS, ID_RECOVERY_SECONDS},
                false),
        AddMenu("編集(&E)",
                {ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
                 ID_EDIT_TRANSPARENT_PASTE, ID_ROTATE90, ID_ROTATE180, ID_FLIP_HORIZONTAL,
                 ID_FLIP_VERTICAL, 0, ID_SELECT_ALL, ID_CLEAR_ALL},
                false),
        AddMenu("表示(&V)",
                {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_SYMBOL_TABLE, ID_VIEW_GRID, 0,
                 ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT},
                false),
        m_pWindowMenu,
        AddMenu("ﾍﾙﾌﾟ(&H)", help, false),
    };
}

void CMainFrame::UpdateMenuBar() {
    const bool canvas = !m_pMdiArea->subWindowList().isEmpty();
    if (canvas == m_bCanvasMenusShown && !menuBar()->actions().isEmpty()) return;
    m_bCanvasMenusShown = canvas;
    menuBar()->clear();
    for (QMenu* menu : canvas ? m_canvasMenus : m_noCanvasMenus) menuBar()->addMenu(menu);
    // The two menu bars spell the about item differently.
    m_actions.value(ID_APP_ABOUT)
        ->setText(canvas ? QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報 (&A)...")
                         : QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)..."));
}

void CMainFrame::CreateToolBar() {
    QToolBar* bar = m_pToolBar = addToolBar(QStringLiteral("ﾂｰﾙ ﾊﾞｰ"));
    bar->setObjectName(QStringLiteral("toolBar"));
    bar->setIconSize(QSize(16, 15));
    for (int id : ToolbarLayout()) {
        if (id == 0)
            bar->addSeparator();
        else
            bar->addAction(m_actions.value(id));
    }
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    m_pMessagePane = new QLabel(Utf8(kReady));
    m_pMessagePane->setObjectName(QStringLiteral("messagePane"));
    bar->addWidget(m_pMessagePane, 1);
    m_pSizePane = new QLabel;
    m_pSizePane->setObjectName(QStringLiteral("sizePane"));
    m_pSizePane->setToolTip(QStringLiteral("文字の大きさ"));
    bar->addPermanentWidget(m_pSizePane);
    m_pFormatPane = new QLabel;
    m_pFormatPane->setObjectName(QStringLiteral("formatPane"));
    m_pFormatPane->setToolTip(QStringLiteral("文字コードと改行"));
    bar->addPermanentWidget(m_pFormatPane);
    // Lock-key indicators. The window system gives no portable way to read the
    // lock states, so the panes show their names dimmed, as for a lock that is off.
    for (const char* text : {"ｶﾅ", "CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(Utf8(text));
        pane->setEnabled(false);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        bar->addPermanentWidget(pane);
    }
    // When a menu or toolbar prompt goes away, the idle text comes back.
    connect(bar, &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty()) m_pMessagePane->setText(Utf8(kReady));
    });
}

void CMainFrame::SetPositionText(int column, int row) {
    m_pMessagePane->setText(QStringLiteral("(%1, %2)").arg(column + 1).arg(row + 1));
}

QString CMainFrame::FormatText() const {
    return m_pFormatPane->text();
}

QString CMainFrame::SizeText() const {
    return m_pSizePane->text();
}

QString CMainFrame::MessageText() const {
    const QString temporary = statusBar()->currentMessage();
    return temporary.isEmpty() ? m_pMessagePane->text() : temporary;
}

// Nothing stored yet: about two thirds of the screen, centred, and at least as
// wide as the whole toolbar.
QRect CMainFrame::FirstPlacement() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int toolbar = m_pToolBar->sizeHint().width();
    QRect rect(0, 0, std::min(avail.width(), std::max(avail.width() * 2 / 3, toolbar)),
               avail.height() * 2 / 3);
    rect.moveCenter(avail.center());
    return rect;
}

void CMainFrame::RestorePlacement(const CAppSettings& s) {
    if (s.WindowRectIsDefault()) {
        setGeometry(FirstPlacement());
    } else {
        // Kept on a screen that is there now, and no larger than it.
        QList<QRect> screens;
        for (QScreen* screen : QGuiApplication::screens())
            screens.append(screen->availableGeometry());
        setGeometry(FitOnScreen(s.m_nWindowX, s.m_nWindowY, s.m_nWindowWidth, s.m_nWindowHeight,
                                screens));
    }
    if (s.m_nWindowState == 2)
        showMaximized();
    else
        show();
}

void CMainFrame::CaptureWindowPlacement(CAppSettings& s) const {
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    s.m_nWindowX = normal.x();
    s.m_nWindowY = normal.y();
    s.m_nWindowWidth = normal.width();
    s.m_nWindowHeight = normal.height();
    s.m_nWindowState = isMinimized() ? 0 : isMaximized() ? 2 : 1;
}
