#include "app/MainFrame.h"

#include "app/CanvasDocument.h"
#include "app/ChildFrame.h"
#include "app/RecoveryManager.h"
#include "app/ScreenFit.h"
#include "app/SettingsStore.h"
#include "app/SymbolPaletteDlg.h"
#include "canvas/CommandIds.h"
#include "canvas/RuvlenDoc.h"
#include "tools/CommandRegistry.h"
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
constexpr int kNoticeMillis = 10000;
constexpr int kNoticeGraceMillis = 100; // less is not worth showing again

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

// The tool tip with the first shortcut after it, as the keyboard shows it.
QString ToolTipWithKey(const QString& tip, const QList<QKeySequence>& keys) {
    if (keys.isEmpty()) return tip;
    return QStringLiteral("%1 (%2)").arg(tip, keys.first().toString(QKeySequence::NativeText));
}

} // namespace

CMainFrame::CMainFrame(CSettingsStore* store) : m_pStore(store) {
    EnsureResources();
    // No modified mark of its own: a maximized canvas window adds its title, mark
    // included, as " - [Canvas1*]".
    setWindowTitle(QStringLiteral("Tavik"));
    setObjectName(QStringLiteral("mainFrame"));
    setAcceptDrops(true);
    QIcon icon; // each size is read when it is first drawn, not now
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tavik-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);

    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_pMdiArea);
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    m_pRecovery =
        new CRecoveryManager(this, &m_pStore->Settings(), CRecoveryManager::DefaultFolder(), this);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    // Paste follows the clipboard as it changes, without asking it on every update.
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

// The typing tool's shortcut arrives here before it triggers the action: only
// the key, not a click on the button, brings up the caret at once. Taken here,
// the shortcut does not trigger the action a second time.
bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Shortcut || watched != m_actions.value(ID_TOOL_TYPE))
        return QMainWindow::eventFilter(watched, event);
    OnCommand(ID_TOOL_TYPE);
    if (CRuvlenView* view = ActiveView()) view->ResumeTyping();
    return true;
}

void CMainFrame::CreateActions() {
    m_pToolGroup = new QActionGroup(this);
    m_pLineGroup = new QActionGroup(this);
    for (const CCommandRow& row : CommandRegistry()) {
        // Status prompt, then tool tip. A row with no menu text (a toolbar button,
        // a key) is named by its tool tip.
        const QStringList prompt = Utf8(row.prompt ? row.prompt : "").split(QLatin1Char('\n'));
        QString text = row.menuText ? Utf8(row.menuText) : prompt.value(1);
        auto* action = new QAction(text, this);
        action->setData(row.id);
        action->setObjectName(QStringLiteral("action%1").arg(row.id)); // for the tests
        action->setStatusTip(prompt.value(0));
        action->setShortcuts(Shortcuts(row.keys));
        if (row.prompt) action->setToolTip(ToolTipWithKey(prompt.value(1), action->shortcuts()));
        action->setCheckable(row.Checkable());
        if (row.icon) action->setIcon(QIcon(QStringLiteral(":/toolbar/%1.png").arg(row.icon)));
        if (row.group == ActionGroup::Tool) action->setActionGroup(m_pToolGroup);
        if (row.group == ActionGroup::Line) action->setActionGroup(m_pLineGroup);
        const int id = row.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        addAction(action); // shortcuts work while the action is in no visible menu
        // Choosing the typing tool by its key brings up its caret at once.
        if (row.id == ID_TOOL_TYPE) action->installEventFilter(this);
        m_actions.insert(id, action);
    }
    m_pRecentPlaceholder = m_actions.value(ID_FILE_MRU_FILE1);
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        connect(action, &QAction::triggered, this, [this, i] {
            if (i < m_pStore->RecentFiles().size()) OpenDocument(m_pStore->RecentFiles()[i]);
        });
        m_recentActions.push_back(action);
    }
}

QMenu* CMainFrame::AddMenu(bool canvas, MenuId id) {
    auto* menu = new QMenu(Utf8(MenuTitle(id)), this);
    for (int command : MenuLayout(canvas, id)) {
        if (command == 0) {
            menu->addSeparator();
        } else {
            menu->addAction(m_actions.value(command));
            // The recent files follow their placeholder.
            if (command == ID_FILE_MRU_FILE1)
                for (QAction* a : m_recentActions) menu->addAction(a);
        }
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
    if (id == MenuId::Window) {
        m_pWindowMenu = menu;
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateWindowMenu);
    }
    return menu;
}

void CMainFrame::CreateMenus() {
    for (MenuId id : MenuBar(false)) m_noCanvasMenus.push_back(AddMenu(false, id));
    for (MenuId id : MenuBar(true)) m_canvasMenus.push_back(AddMenu(true, id));
}

void CMainFrame::UpdateMenuBar() {
    const bool canvas = !m_pMdiArea->subWindowList().isEmpty();
    // The first call finds an empty bar, whatever the flag says.
    if (canvas == m_bCanvasMenusShown && !menuBar()->actions().isEmpty()) return;
    m_bCanvasMenusShown = canvas;
    menuBar()->clear();
    for (QMenu* menu : canvas ? m_canvasMenus : m_noCanvasMenus) menuBar()->addMenu(menu);
    // An item may read differently in the two menu bars.
    for (const CCommandRow& row : CommandRegistry()) {
        const CMenuPlace& place = canvas ? row.canvasMenu : row.noCanvasMenu;
        if (place.menu != MenuId::None && row.menuText)
            m_actions.value(row.id)->setText(Utf8(place.text ? place.text : row.menuText));
    }
}

void CMainFrame::CreateToolBar() {
    QToolBar* bar = m_pToolBar = addToolBar(QStringLiteral("ﾂｰﾙ ﾊﾞｰ"));
    bar->setObjectName(QStringLiteral("toolBar"));
    bar->setIconSize(QSize(16, 15)); // the buttons' images (with @2x ones for high DPI)
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
    m_pFormatPane->setToolTip(QStringLiteral("文字コード、改行と罫線の幅"));
    bar->addPermanentWidget(m_pFormatPane);
    m_pPartPane = new QLabel;
    m_pPartPane->setObjectName(QStringLiteral("partPane"));
    m_pPartPane->setToolTip(QStringLiteral("ファイルの一部を開いたｷｬﾝﾊﾞｽ"));
    m_pPartPane->hide();
    bar->addPermanentWidget(m_pPartPane);
    // Lock-key indicators. The window system gives no portable way to read the
    // lock states, so the panes show their names dimmed, as for a lock that is off.
    for (const char* text : {"ｶﾅ", "CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(Utf8(text));
        pane->setEnabled(false);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        bar->addPermanentWidget(pane);
    }
    // When a menu or toolbar prompt goes away, a notice still due comes back,
    // or else the idle text.
    connect(bar, &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (!message.isEmpty()) return;
        const qint64 left = m_noticeEnd.remainingTime();
        if (!m_strNotice.isEmpty() && left > kNoticeGraceMillis) {
            statusBar()->showMessage(m_strNotice, int(left));
            return;
        }
        m_strNotice.clear();
        m_pMessagePane->setText(Utf8(kReady));
    });
}

void CMainFrame::ShowNotice(const QString& text) {
    m_strNotice = text;
    m_noticeEnd.setRemainingTime(kNoticeMillis);
    statusBar()->showMessage(text, kNoticeMillis);
}

// The status bar counts cells from 1.
void CMainFrame::SetPositionText(int column, int row) {
    m_pMessagePane->setText(QStringLiteral("(%1, %2)").arg(column + 1).arg(row + 1));
}

QString CMainFrame::FormatText() const {
    return m_pFormatPane->text();
}

QString CMainFrame::PartText() const {
    return m_pPartPane->text();
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
        setGeometry(
            FitOnScreen(s.m_nWindowX, s.m_nWindowY, s.m_nWindowWidth, s.m_nWindowHeight, screens));
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
