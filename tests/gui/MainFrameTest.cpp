// The main frame: menus, action states, accelerators, status bar, start-up
// settings, and the file commands' questions and failures.
#include "GuiTestSupport.h"

#include "app/CanvasDocument.h"
#include "app/ChildFrame.h"
#include "app/ExportDlg.h"
#include "app/MainFrame.h"
#include "app/NumberDlg.h"
#include "app/RuvlenApp.h"
#include "app/ScreenFit.h"
#include "canvas/CommandIds.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/ExportSize.h"
#include "tools/CommandRegistry.h"
#include "view/RuvlenView.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

class MainFrameTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CRuvlenApp> m_app;

    QString Path(const QString& name) const { return m_dir->filePath(name); }
    CMainFrame* Frame() const { return m_app->MainFrame(); }
    CRuvlenView* View() const { return Frame()->ActiveView(); }
    void Start(const QString& file = QString()) {
        m_app = std::make_unique<CRuvlenApp>(Path("Tavik.ini"));
        QVERIFY(m_app->InitInstance(file));
        QVERIFY(QTest::qWaitForWindowExposed(Frame()));
    }
    void WriteFile(const QString& name, const QByteArray& bytes) { WriteBytes(Path(name), bytes); }
    QByteArray ReadFile(const QString& name) { return ReadBytes(Path(name)); }
    QStringList MenuTitles() const {
        QStringList titles;
        for (QAction* a : Frame()->menuBar()->actions()) titles << a->text();
        return titles;
    }
    static QStringList ItemTexts(QMenu* menu) {
        QStringList texts;
        for (QAction* a : menu->actions())
            if (a->isVisible()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return texts;
    }
    QMenu* MenuAt(int index) const { return Frame()->menuBar()->actions().at(index)->menu(); }
    // Presses and releases the left button over a cell of the active view.
    void Drag(int c1, int r1, int c2, int r2) { DragCells(View(), c1, r1, c2, r2); }

private slots:
    // Every row reaches exactly one handler, and what the frame built (menus,
    // toolbar, shortcuts) is what the registry says.
    void everyRegistryRowHasOneHandlerAndItsPlaces() {
        Start();
        for (const CCommandRow& row : CommandRegistry()) {
            const int handlers = int(CMainFrame::HasFrameHandler(row.id)) +
                                 int(CRuvlenView::HasWindowHandler(row.id)) +
                                 int(row.run != nullptr);
            const bool ownerMatches = row.owner == CommandOwner::Frame
                                          ? !row.run && !CRuvlenView::HasWindowHandler(row.id)
                                          : !CMainFrame::HasFrameHandler(row.id);
            QVERIFY2(ownerMatches, QByteArray::number(row.id));
            QCOMPARE(handlers, row.enable == EnableRule::Never ? 0 : 1);
            QVERIFY(Frame()->Action(row.id));
        }
        QList<int> toolbar;
        for (QAction* a : Frame()->findChild<QToolBar*>(QStringLiteral("toolBar"))->actions())
            toolbar << (a->isSeparator() ? 0 : a->data().toInt());
        const std::vector<int> expected = ToolbarLayout();
        QCOMPARE(toolbar, QList<int>(expected.begin(), expected.end()));
        // The menu bar of a canvas window holds the registry's menus in order.
        const std::vector<MenuId>& bar = MenuBar(true);
        QCOMPARE(MenuTitles().size(), int(bar.size()));
        for (int i = 0; i < int(bar.size()); ++i) {
            QList<int> ids;
            for (QAction* a : MenuAt(i)->actions()) {
                if (a->isSeparator())
                    ids << 0;
                else if (a->objectName().startsWith(QLatin1String("action")))
                    ids << a->data().toInt();
            }
            const std::vector<int> layout = MenuLayout(true, bar[size_t(i)]);
            QCOMPARE(ids.mid(0, int(layout.size())), QList<int>(layout.begin(), layout.end()));
        }
        // Qt reads every shortcut, and none is bound twice.
        QSet<QString> keys;
        for (const CCommandRow& row : CommandRegistry())
            for (const QKeySequence& key : Frame()->Action(row.id)->shortcuts()) {
                QVERIFY2(!key.isEmpty(), QByteArray::number(row.id));
                QVERIFY2(!keys.contains(key.toString()), qPrintable(key.toString()));
                keys.insert(key.toString());
            }
    }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() {
        if (m_app) ForgetChanges(Frame()); // quit without questions
        m_app.reset();
    }

    void noCanvasAndCanvasMenuBars() {
        Start();
        QCOMPARE(MenuTitles(), QStringList({"ﾌｧｲﾙ(&F)", "設定(&S)", "編集(&E)", "表示(&V)",
                                            "ｳｨﾝﾄﾞｳ(&W)", "ﾍﾙﾌﾟ(&H)"}));
        QCOMPARE(ItemTexts(MenuAt(2)), QStringList({"取り消し(&U)\tCtrl+Z",
                                                    "やり直し(&R)\tCtrl+Y",
                                                    "-",
                                                    "切り取り(&T)\tCtrl+X",
                                                    "複写(&C)\tCtrl+C",
                                                    "半角罫線でコピー(&W)",
                                                    "ASCII罫線でコピー",
                                                    "貼り付け(&P)\tCtrl+V",
                                                    "透過的貼付(&Q)\tCtrl+Q",
                                                    "表として貼り付け(&B)...",
                                                    " 90°回転",
                                                    "180°回転",
                                                    "左右反転",
                                                    "上下反転",
                                                    "-",
                                                    "行の挿入(&I)",
                                                    "行の削除(&D)",
                                                    "列の挿入(&J)",
                                                    "列の削除(&K)",
                                                    "-",
                                                    "全選択(&S)",
                                                    "クリア(&L)",
                                                    "-",
                                                    "表をデータとしてコピー(&X)",
                                                    "表をデータとして保存(&V)...",
                                                    "表の整形(&F)...",
                                                    "表の並べ替え(&O)...",
                                                    "セルの結合(&M)"}));
        QCOMPARE(
            ItemTexts(MenuAt(0)),
            QStringList({"新規作成(&N)\tCtrl+N", "開く(&O)...\tCtrl+O", "閉じる(&C)",
                         "上書き保存(&S)\tCtrl+S", "名前を付けて保存(&A)...", "エクスポート(&E)...",
                         "-", "印刷(&P)...\tCtrl+P", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", "ﾌﾟﾘﾝﾀの設定(&R)...", "-",
                         "最新のﾌｧｲﾙ", "-", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}));
        QCOMPARE(ItemTexts(MenuAt(5)).last(), QString("ﾊﾞｰｼﾞｮﾝ情報 (&A)..."));

        Frame()->OnCommand(ID_FILE_CLOSE);
        QTRY_VERIFY(Frame()->MdiArea()->subWindowList().isEmpty());
        QCOMPARE(MenuTitles(), QStringList({"ﾌｧｲﾙ(&F)", "表示(&V)", "ﾍﾙﾌﾟ(&H)"}));
        QCOMPARE(ItemTexts(MenuAt(0)), QStringList({"新規作成(&N)\tCtrl+N", "開く(&O)...\tCtrl+O",
                                                    "-", "ﾌﾟﾘﾝﾀの設定(&R)...", "-", "最新のﾌｧｲﾙ",
                                                    "-", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}));
        QCOMPARE(ItemTexts(MenuAt(2)).last(), QString("ﾊﾞｰｼﾞｮﾝ情報(&A)..."));
        // Canvas commands are off without a canvas, the frame's stay on.
        QVERIFY(!Frame()->Action(ID_TOOL_RECT)->isEnabled());
        QVERIFY(!Frame()->Action(ID_FILE_SAVE)->isEnabled());
        QVERIFY(Frame()->Action(ID_FILE_NEW)->isEnabled());
        QVERIFY(!Frame()->OnCommand(ID_SELECT_ALL));
    }

    void toolbarOrderAndTips() {
        Start();
        auto* bar = Frame()->findChild<QToolBar*>("toolBar");
        QVERIFY(bar);
        QStringList tips;
        // Each tip, less the key that a button with a shortcut names after it.
        for (QAction* a : bar->actions())
            tips << (a->isSeparator() ? "-" : a->toolTip().section(QStringLiteral(" ("), 0, 0));
        QCOMPARE(tips, QStringList({"新規ﾌｧｲﾙ",   "開く",     "保存",   "-",        "取り消し",
                                    "やり直し",   "切り取り", "複写",   "貼り付け", "透過貼付",
                                    "90°回転",    "180°回転", "-",      "印刷",     "-",
                                    "選択",       "横罫線",   "縦罫線", "矩形",     "横テキスト",
                                    "縦テキスト", "直接入力", "記号",   "削除",     "-",
                                    "細線",       "太線"}));
        QCOMPARE(Frame()->Action(ID_TOOL_SELECT)->statusTip(), QString("領域を選択"));
    }

    void actionStatesFollowTheCanvas() {
        Start();
        auto enabled = [this](int id) { return Frame()->Action(id)->isEnabled(); };
        auto checked = [this](int id) { return Frame()->Action(id)->isChecked(); };
        QVERIFY(checked(ID_TOOL_RECT) && checked(ID_LINE_THICK) && checked(ID_VIEW_GRID));
        QVERIFY(!enabled(ID_EDIT_COPY) && !enabled(ID_EDIT_UNDO) && !enabled(ID_EDIT_PASTE));

        Frame()->OnCommand(ID_SELECT_ALL);
        QVERIFY(enabled(ID_EDIT_COPY) && enabled(ID_EDIT_CUT) && enabled(ID_ROTATE180));
        QVERIFY(!enabled(ID_ROTATE90)); // 40 x 30 is not square
        Frame()->OnCommand(ID_EDIT_COPY);
        QVERIFY(!enabled(ID_EDIT_COPY));     // a copy drops the selection
        QTRY_VERIFY(enabled(ID_EDIT_PASTE)); // the clipboard holds text now

        Frame()->OnCommand(ID_TOOL_HLINE);
        QVERIFY(checked(ID_TOOL_HLINE) && !checked(ID_TOOL_RECT));
        Frame()->OnCommand(ID_LINE_THIN);
        QVERIFY(checked(ID_LINE_THIN) && !checked(ID_LINE_THICK));
        Drag(0, 0, 5, 0);
        QVERIFY(enabled(ID_EDIT_UNDO));
        QVERIFY(Frame()->MdiArea()->activeSubWindow()->isWindowModified());

        // A waiting paste disables both pastes and checks its own button.
        Frame()->OnCommand(ID_EDIT_PASTE);
        QVERIFY(checked(ID_EDIT_PASTE) && !enabled(ID_EDIT_PASTE));
        QVERIFY(!enabled(ID_EDIT_TRANSPARENT_PASTE));
        Frame()->OnCommand(ID_TOOL_SELECT);
        QVERIFY(enabled(ID_EDIT_PASTE) && !checked(ID_EDIT_PASTE));
    }

    void acceleratorsRunOnlyEnabledCommands() {
        Start();
        QApplication::setActiveWindow(Frame());
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        CRuvlenDoc& doc = *View()->GetDocument();
        QCOMPARE(Frame()->Action(ID_EDIT_UNDO)->shortcuts(),
                 QList<QKeySequence>({QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}));
        QCOMPARE(Frame()->Action(ID_EDIT_CUT)->shortcuts().size(), 2);
        QCOMPARE(Frame()->Action(ID_EDIT_COPY)->shortcuts().size(), 2);
        QCOMPARE(Frame()->Action(ID_EDIT_PASTE)->shortcuts().size(), 2);

        QTest::keyClick(View()->viewport(), Qt::Key_Z, Qt::ControlModifier); // nothing to undo
        QCOMPARE(doc.m_bUndo, 0);
        Drag(1, 1, 4, 3);
        QVERIFY(doc.Cell(1, 1).m_bLine);
        QTest::keyClick(View()->viewport(), Qt::Key_Backspace, Qt::AltModifier);
        QVERIFY(!doc.Cell(1, 1).m_bLine);
        QTest::keyClick(View()->viewport(), Qt::Key_Z, Qt::ControlModifier); // undo twice redoes
        QVERIFY(doc.Cell(1, 1).m_bLine);
    }

    void statusBarShowsTheCellWhileDragging() {
        Start();
        QCOMPARE(Frame()->MessageText(), QString("ﾚﾃﾞｨ"));
        CRuvlenView* v = View();
        const CRuvlenDoc& d = *v->GetDocument();
        const QPoint topLeft(d.m_nOriginX + 1, d.m_nOriginY + 1);
        QTest::mousePress(v->viewport(), Qt::LeftButton, {}, topLeft);
        QCOMPARE(Frame()->MessageText(), QString("(1, 1)"));
        QTest::mouseMove(v->viewport(), topLeft + QPoint(3 * d.m_nCellSize, d.m_nCellSize));
        QCOMPARE(Frame()->MessageText(), QString("(4, 2)"));
        QTest::mouseRelease(v->viewport(), Qt::LeftButton, {}, topLeft);
    }

    void startupFromOddSettings() {
        WriteFile("Tavik.ini", "[Canvas]\nLines=5\nColumns=120\nTextSize=-3\nViewGrid=true\n"
                               "[Window Placement]\nx=-40\ny=10\nWidth=20\nHeight=300\n"
                               "Maximized=True\n[Symbol Table]\nIndex=12\n[Other]\nkeep=1\n");
        Start();
        const CRuvlenDoc& doc = *View()->GetDocument();
        QCOMPARE(doc.m_nLines, 10);
        QCOMPARE(doc.m_nColumns, 99);
        QCOMPARE(doc.m_nFontSize, 0);
        QCOMPARE(doc.m_bGrid, 0);
        QCOMPARE(m_app->m_settings.m_nWindowX, 0);
        QCOMPARE(m_app->m_settings.m_nWindowWidth, 50);
        QCOMPARE(m_app->m_settings.m_nPaletteCategory, 9);
        QVERIFY(Frame()->isMaximized());
        QVERIFY(Frame()->MdiArea()->activeSubWindow()->isMaximized());
        m_app.reset();
        // Only the palette section is written at the end; the rest stays.
        const QByteArray after = ReadFile("Tavik.ini");
        QVERIFY(after.contains("Lines=5\n"));
        QVERIFY(after.contains("[Other]\nkeep=1\n"));
        QVERIFY(after.contains("Index=9"));
    }

    void corruptOrUnreadableSettingsAreNeverWritten() {
        const QByteArray garbage("\x7f"
                                 "ELF\0\0[Canvas]\nLines=50\n",
                                 22);
        WriteFile("Tavik.ini", garbage);
        Start();
        QVERIFY(!m_app->CanWriteSettings());
        QCOMPARE(View()->GetDocument()->m_nLines, 30);
        View()->RunCommand(ID_UPDATE_DEFAULTS);
        m_app.reset();
        QCOMPARE(ReadFile("Tavik.ini"), garbage);

        // A folder in place of the file cannot be read, even by root.
        QFile::remove(Path("Tavik.ini"));
        QVERIFY(QDir(m_dir->path()).mkdir("Tavik.ini"));
        Start();
        QVERIFY(!m_app->CanWriteSettings());
        m_app.reset();
        QVERIFY(QFileInfo(Path("Tavik.ini")).isDir());
    }

    void settingsFileLocation() {
        const QString exe = Path("bin"), config = Path("config");
        // The program's folder, writable or not, is used only for a portable copy
        // that already has its settings file there.
        QVERIFY(QDir().mkpath(exe));
        QCOMPARE(CRuvlenApp::SettingsFilePath(exe, config), config + "/tavik/Tavik.ini");
        QFile f(exe + "/Tavik.ini");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(CRuvlenApp::SettingsFilePath(exe, config), exe + "/Tavik.ini");
        // The config folder is created when the settings are first written.
        m_app = std::make_unique<CRuvlenApp>(config + "/tavik/Tavik.ini");
        m_app.reset();
        QVERIFY(QFile::exists(config + "/tavik/Tavik.ini"));
    }

    // Some other file under the settings file's name, or a link to one, is read
    // for nothing and never written; the status bar says so once, at start.
    void foreignFileUnderTheSettingsNameIsNeverWritten() {
        const QByteArray passwd("root:x:0:0:root:/root:/bin/bash\n"
                                "daemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n");
        WriteFile("passwd", passwd);
        QVERIFY(QFile::link(Path("passwd"), Path("Tavik.ini")));
        Start();
        QVERIFY(!m_app->CanWriteSettings());
        QVERIFY(Frame()->MessageText().contains(QStringLiteral("設定は保存されません")));
        QVERIFY(Frame()->MessageText().contains(Path("Tavik.ini")));
        View()->RunCommand(ID_UPDATE_DEFAULTS);
        m_app.reset();
        QCOMPARE(ReadFile("passwd"), passwd);
        QVERIFY(QFileInfo(Path("Tavik.ini")).isSymLink());

        // A settings file with a stray line is not written either.
        QFile::remove(Path("Tavik.ini"));
        const QByteArray stray("[Canvas]\nLines=45\nnot a setting\n");
        WriteFile("Tavik.ini", stray);
        Start();
        QVERIFY(!m_app->CanWriteSettings());
        QCOMPARE(View()->GetDocument()->m_nLines, 30); // the defaults
        m_app.reset();
        QCOMPARE(ReadFile("Tavik.ini"), stray);
    }

    // A settings file kept elsewhere (a dotfiles folder) and linked to works as
    // if it were there: read, and written through the link.
    void linkToARealSettingsFileKeepsWorking() {
        QVERIFY(QDir(m_dir->path()).mkdir("dotfiles"));
        WriteFile("dotfiles/Tavik.ini", "; mine\r[Canvas]\rLines=45\r"); // CR-only lines
        QVERIFY(QFile::link(Path("dotfiles/Tavik.ini"), Path("Tavik.ini")));
        Start();
        QVERIFY(m_app->CanWriteSettings());
        QCOMPARE(View()->GetDocument()->m_nLines, 45);
        QVERIFY(!Frame()->MessageText().contains(QStringLiteral("保存されません")));
        m_app.reset();
        QVERIFY(QFileInfo(Path("Tavik.ini")).isSymLink());
        const QByteArray written = ReadFile("dotfiles/Tavik.ini");
        QVERIFY(written.startsWith("; mine\n[Canvas]\nLines=45\n"));
        QVERIFY(written.contains("[Symbol Table]"));
    }

    // A FIFO or a device under the settings name: the window still comes up at
    // once with the defaults. A guard thread opens the FIFO's other end after a
    // while, so a start-up that waits on it fails instead of hanging.
    void pipeOrDeviceSettingsDoNotHang() {
        const QByteArray fifo = QFile::encodeName(Path("Tavik.ini"));
        if (mkfifo(fifo.constData(), 0600) != 0) QSKIP("cannot make a FIFO here");
        std::atomic<bool> started{false}, hadToUnblock{false};
        std::thread guard([&] {
            for (int i = 0; i < 100 && !started; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (started) return;
            const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
            hadToUnblock = fd >= 0;
            if (fd >= 0) ::close(fd);
        });
        m_app = std::make_unique<CRuvlenApp>(Path("Tavik.ini"));
        started = true;
        guard.join();
        QVERIFY(!hadToUnblock);
        QVERIFY(!m_app->CanWriteSettings());
        m_app.reset();
        QVERIFY(QFileInfo(Path("Tavik.ini")).exists());

        QFile::remove(Path("Tavik.ini"));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), Path("Tavik.ini")));
        Start();
        QVERIFY(!m_app->CanWriteSettings());
        QCOMPARE(View()->GetDocument()->m_nColumns, 40);
    }

    void storedWindowLargerThanTheScreenFitsOnIt() {
        WriteFile("Tavik.ini", "[Window Placement]\nx=3000\ny=2147483647\nWidth=100000\n"
                               "Height=2147483647\n");
        Start();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const auto text = [](const QRect& r) {
            return QStringLiteral("%1,%2 %3x%4")
                .arg(r.x())
                .arg(r.y())
                .arg(r.width())
                .arg(r.height());
        };
        // The window system may add its frame around the rectangle asked for.
        const QRect window = Frame()->geometry();
        QVERIFY2(window.width() <= screen.width() && window.height() <= screen.height() &&
                     screen.contains(window.topLeft()),
                 qPrintable(text(window) + " on " + text(screen)));
    }

    // Where a stored rectangle goes: on the screen it meets most, no larger than
    // that screen, moved as little as needed; a rectangle on a screen stays.
    void placementIsFittedOntoAScreen() {
        const QList<QRect> screens = {QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1000)};
        const struct {
            QRect stored, expected;
        } cases[] = {
            {{100, 100, 550, 450}, {100, 100, 550, 450}},   // already on the first
            {{2000, 50, 500, 400}, {2000, 50, 500, 400}},   // already on the second
            {{2900, 800, 600, 500}, {2600, 500, 600, 500}}, // mostly on the second
            {{0, 0, 100000, 100000}, {0, 0, 1920, 1040}},   // too large
            {{-5000, -5000, 300, 200}, {0, 0, 300, 200}},   // on no screen: the first
            {{1800, 900, 200, 300}, {1720, 740, 200, 300}}, // more on the first
        };
        for (const auto& c : cases)
            QCOMPARE(FitOnScreen(c.stored.x(), c.stored.y(), c.stored.width(), c.stored.height(),
                                 screens),
                     c.expected);
        for (int big : {INT_MAX, INT_MIN, 0})
            for (const QRect& s : screens) {
                const QRect fitted = FitOnScreen(big, big, INT_MAX, big, {s});
                QVERIFY(s.contains(fitted));
            }
        QCOMPARE(FitOnScreen(10, 20, 30, 40, {}), QRect(10, 20, 30, 40));
    }

    void updateDefaultsWritesCanvasAndPlacement() {
        Start();
        View()->GetDocument()->m_nColumns = 77;
        View()->RunCommand(ID_UPDATE_DEFAULTS);
        const QByteArray ini = ReadFile("Tavik.ini");
        QVERIFY(ini.contains("[Canvas]"));
        QVERIFY(ini.contains("Columns=77"));
        QVERIFY(ini.contains("ViewGrid=True"));
        QVERIFY(ini.contains("[Window Placement]"));
        QVERIFY(ini.contains("Maximized="));
        Frame()->OnCommand(ID_FILE_NEW);
        QCOMPARE(View()->GetDocument()->m_nColumns, 77);
    }

    void openFailureReportsAndGoesOn() {
        Start();
        auto answer = AnswerMessageBox(QMessageBox::Ok);
        QVERIFY(!Frame()->OpenDocument(Path("missing.txt")));
        QCOMPARE(answer->Count(), 1);
        QVERIFY(answer->Texts().value(0).contains("missing.txt"));
        QCOMPARE(Frame()->DocumentCount(), 1);
    }

    void commandLineFileThatCannotBeOpenedEndsStartUp() {
        m_app = std::make_unique<CRuvlenApp>(Path("Tavik.ini"));
        auto answer = AnswerMessageBox(QMessageBox::Ok);
        QVERIFY(!m_app->InitInstance(Path("missing.txt")));
        QCOMPARE(answer->Count(), 1);
    }

    void saveFailureKeepsCanvasAndReports() {
        QVERIFY(QDir(m_dir->path()).mkdir("sub"));
        WriteFile("sub/old.txt", "old\r\n");
        Start(Path("sub/old.txt"));
        CCanvasDocument* document = Frame()->ActiveDocument();
        Drag(0, 0, 3, 0);
        QVERIFY(QDir(Path("sub")).removeRecursively());
        auto answer = AnswerMessageBox(QMessageBox::Ok);
        QVERIFY(!Frame()->OnCommand(ID_FILE_SAVE));
        QCOMPARE(answer->Count(), 1);
        QVERIFY(answer->Texts().value(0).contains("old.txt"));
        QVERIFY(document->IsModified());
        QVERIFY(Frame()->MdiArea()->activeSubWindow()->isWindowModified());
    }

    void saveWritesTheFileAndRecentList() {
        Start();
        Drag(0, 0, 3, 2);
        CCanvasDocument* document = Frame()->ActiveDocument();
        QString error;
        QVERIFY(document->Save(Path("box.txt"), error));
        QVERIFY(!document->IsModified());
        QVERIFY(ReadFile("box.txt").startsWith("\x84\xAC\x84\xAA")); // thick corner, line
        Drag(5, 5, 6, 6);
        QVERIFY(Frame()->OnCommand(ID_FILE_SAVE)); // has a name now: no dialog
        QVERIFY(!document->IsModified());
        m_app.reset();
        QVERIFY(ReadFile("Tavik.ini").contains("File1=" + Path("box.txt").toUtf8()));
    }

    // Undo changes the cells at one level as at many: the canvas no longer
    // matches its file, and closing it asks.
    void undoAfterSavingMarksTheCanvasModified() {
        WriteFile("old.txt", "old\r\n");
        Start(Path("old.txt"));
        CCanvasDocument* document = Frame()->ActiveDocument();
        QCOMPARE(document->Doc().GetUndoLevels(), 1);
        Drag(0, 1, 3, 2);
        QVERIFY(Frame()->OnCommand(ID_FILE_SAVE));
        QVERIFY(!document->IsModified());
        QVERIFY(Frame()->OnCommand(ID_EDIT_UNDO));
        QVERIFY(document->IsModified());
        QVERIFY(Frame()->MdiArea()->activeSubWindow()->isWindowModified());
        auto cancel = AnswerMessageBox(QMessageBox::Cancel);
        Frame()->OnCommand(ID_FILE_CLOSE);
        QCOMPARE(cancel->Count(), 1);
        QCOMPARE(Frame()->DocumentCount(), 1);
    }

    void closingAModifiedCanvasAsks() {
        Start();
        Drag(0, 0, 3, 2);
        {
            auto cancel = AnswerMessageBox(QMessageBox::Cancel);
            Frame()->OnCommand(ID_FILE_CLOSE);
            QCOMPARE(cancel->Count(), 1);
            QVERIFY(cancel->Texts().value(0).contains("Canvas1"));
        }
        QCOMPARE(Frame()->DocumentCount(), 1);
        {
            // A second window on the canvas closes without asking.
            Frame()->OnCommand(ID_WINDOW_NEW);
            QCOMPARE(Frame()->MdiArea()->subWindowList().size(), 2);
            auto none = AnswerMessageBox(QMessageBox::Cancel);
            Frame()->MdiArea()->activeSubWindow()->close();
            QTest::qWait(50);
            QCOMPARE(none->Count(), 0);
            QCOMPARE(Frame()->MdiArea()->subWindowList().size(), 1);
        }
        auto no = AnswerMessageBox(QMessageBox::No);
        QVERIFY(Frame()->close());
        QCOMPARE(no->Count(), 1);
        QTRY_COMPARE(Frame()->DocumentCount(), 0);
    }

    void lossyFileWarnsOnOpenAndBeforeSavingOverIt() {
        QByteArray wide(250, 'a'); // 125 cells: wraps
        WriteFile("wide.txt", wide + "\r\n");
        CCanvasDocument* document = nullptr;
        {
            auto whole = AnswerOpenPart(0, 0, 2); // opened from its start, then the warning
            Start(Path("wide.txt"));
            QCOMPARE(whole->Count(), 2);
            document = Frame()->ActiveDocument();
        }
        {
            auto no = AnswerMessageBox(QMessageBox::No);
            QVERIFY(!Frame()->SaveDocument(document, false));
            QCOMPARE(no->Count(), 1);
            QCOMPARE(ReadFile("wide.txt"), wide + "\r\n");
        }
        auto yes = AnswerMessageBox(QMessageBox::Yes);
        QVERIFY(Frame()->SaveDocument(document, false));
        QVERIFY(ReadFile("wide.txt") != wide + "\r\n");
        QVERIFY(!document->LoadWasLossy()); // asked once only
    }

    void exportWritesAPictureAndLeavesTheCanvas() {
        Start();
        Drag(0, 0, 3, 2);
        CCanvasDocument* document = Frame()->ActiveDocument();
        QStringList messages;
        auto answer = [&](const QString& path) {
            return [&messages, path](QWidget* w) {
                if (auto* box = qobject_cast<QMessageBox*>(w)) {
                    messages << box->text();
                    box->accept();
                } else if (auto* dialog = qobject_cast<CExportDlg*>(w)) {
                    dialog->m_pFormatCombo->setCurrentIndex(CExportDlg::IndexOf("svg"));
                    dialog->m_pPathEdit->setText(path);
                    dialog->findChild<QPushButton*>("ok")->click();
                }
            };
        };
        {
            CModalAnswerer fill(answer(Path("picture")));
            QVERIFY(Frame()->OnCommand(ID_FILE_EXPORT));
        }
        QVERIFY(ReadFile("picture.svg").contains("<svg"));
        {
            // A name with another extension is refused in the dialog.
            bool stillOpen = false;
            CModalAnswerer fill(
                [&](QWidget* w) {
                    if (auto* box = qobject_cast<QMessageBox*>(w)) {
                        messages << box->text();
                        box->accept();
                        QTimer::singleShot(30, [&] {
                            auto* d = qobject_cast<CExportDlg*>(QApplication::activeModalWidget());
                            stillOpen = d != nullptr;
                            if (d) d->reject();
                        });
                    } else if (auto* dialog = qobject_cast<CExportDlg*>(w)) {
                        dialog->m_pPathEdit->setText(Path("canvas.txt"));
                        QTimer::singleShot(0, dialog->findChild<QPushButton*>("ok"),
                                           &QPushButton::click);
                    }
                },
                2);
            QVERIFY(!Frame()->OnCommand(ID_FILE_EXPORT));
            QVERIFY(stillOpen);
            QVERIFY(messages.takeLast().contains(".png"));
            QVERIFY(!QFile::exists(Path("canvas.txt")));
        }
        QVERIFY(document->IsModified()); // still to be saved: an export is no save
        QVERIFY(messages.isEmpty());
        {
            CModalAnswerer fill(answer(Path("gone/picture.svg")), 2);
            QVERIFY(!Frame()->OnCommand(ID_FILE_EXPORT));
        }
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains("picture.svg"));
        QVERIFY(!QFile::exists(Path("gone")));
    }

    // The selection can be chosen only when there is one, and the chosen area
    // is what the file shows: its cells' size, no margin.
    void exportAreaChoiceReachesTheFile() {
        Start();
        Drag(2, 1, 5, 4);
        CRuvlenDoc& doc = *View()->GetDocument();
        doc.Deselect(nullptr);
        const int d = CExportExtent::For(doc, doc.m_nFontSize).d;
        auto exportArea = [&](EExportArea area, const QString& name, bool selectable) {
            bool offered = false;
            CModalAnswerer fill([&](QWidget* w) {
                auto* dialog = qobject_cast<CExportDlg*>(w);
                QVERIFY(dialog);
                const QModelIndex selection =
                    dialog->m_pAreaCombo->model()->index(int(EExportArea::Selection), 0);
                offered = dialog->m_pAreaCombo->model()->flags(selection) & Qt::ItemIsEnabled;
                dialog->m_pFormatCombo->setCurrentIndex(CExportDlg::IndexOf("svg"));
                dialog->m_pAreaCombo->setCurrentIndex(int(area));
                dialog->m_pPathEdit->setText(Path(name));
                dialog->findChild<QPushButton*>("ok")->click();
            });
            QVERIFY(Frame()->OnCommand(ID_FILE_EXPORT));
            QCOMPARE(offered, selectable);
        };
        exportArea(EExportArea::Used, "used.svg", false);
        QVERIFY(
            ReadFile("used.svg")
                .contains(
                    QStringLiteral("width=\"%1\" height=\"%2\"").arg(4 * d).arg(4 * d).toUtf8()));
        doc.Select(nullptr, 3, 2, 7, 2);
        exportArea(EExportArea::Selection, "selection.svg", true);
        QVERIFY(
            ReadFile("selection.svg")
                .contains(QStringLiteral("width=\"%1\" height=\"%2\"").arg(5 * d).arg(d).toUtf8()));
        exportArea(EExportArea::Canvas, "canvas.svg", true);
        QVERIFY(ReadFile("canvas.svg")
                    .contains(QStringLiteral("width=\"%1\"").arg(doc.m_nColumns * d).toUtf8()));
    }

    void undoLevelsAndRedo() {
        Start();
        QApplication::setActiveWindow(Frame());
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        CRuvlenDoc& doc = *View()->GetDocument();
        auto undo = [&] { QTest::keyClick(View()->viewport(), Qt::Key_Z, Qt::ControlModifier); };
        auto redo = [&] { QTest::keyClick(View()->viewport(), Qt::Key_Y, Qt::ControlModifier); };
        // One level: redo stays off and a second undo swaps back.
        Drag(0, 0, 2, 2);
        QVERIFY(!Frame()->Action(ID_EDIT_REDO)->isEnabled());
        undo();
        undo();
        QVERIFY(doc.Cell(0, 0).m_bLine);
        {
            CModalAnswerer set([](QWidget* w) {
                auto* dialog = qobject_cast<CNumberDlg*>(w);
                dialog->m_pNumber->setValue(3);
                dialog->accept();
            });
            QVERIFY(Frame()->OnCommand(ID_UNDO_LEVELS));
        }
        QCOMPARE(doc.GetUndoLevels(), 3);
        QApplication::setActiveWindow(Frame()); // the dialog took the focus
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        QVERIFY(ReadFile("Tavik.ini").contains("[Editing]\nUndoLevels=3"));
        Drag(4, 0, 6, 2);
        Drag(8, 0, 10, 2);
        Drag(12, 0, 14, 2);
        undo();
        undo();
        undo();
        QVERIFY(doc.Cell(4, 0).IsBlank() && doc.Cell(12, 0).IsBlank());
        QVERIFY(Frame()->Action(ID_EDIT_REDO)->isEnabled());
        redo();
        QTest::keyClick(View()->viewport(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(doc.Cell(4, 0).m_bLine && doc.Cell(8, 0).m_bLine && doc.Cell(12, 0).IsBlank());
        Drag(16, 0, 18, 2); // a new operation clears what could be redone
        QVERIFY(!Frame()->Action(ID_EDIT_REDO)->isEnabled());
        // A new canvas starts with the levels set.
        Frame()->OnCommand(ID_FILE_NEW);
        QCOMPARE(View()->GetDocument()->GetUndoLevels(), 3);
    }

    void utf8FileKeepsItsFormatAndWarnsOfReplacements() {
        WriteFile("box.md", "╔══╗\n║あい║\n╚══╝\n");
        QStringList warnings;
        auto answer = [&warnings](QMessageBox::StandardButton button) {
            return [&warnings, button](QWidget* w) {
                if (auto* box = qobject_cast<QMessageBox*>(w)) {
                    warnings << box->text();
                    box->button(button)->click();
                }
            };
        };
        {
            CModalAnswerer ok(answer(QMessageBox::Ok));
            Start(Path("box.md"));
        }
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings[0].contains("10 文字"), qPrintable(warnings[0])); // the double lines
        CRuvlenDoc& doc = *View()->GetDocument();
        QCOMPARE(QByteArray(doc.Cell(0, 0).m_szText, 2), QByteArray("\x84\xAC")); // thick ┏
        QCOMPARE(Frame()->FormatText(), QString("UTF-8 LF"));
        Drag(4, 0, 6, 2);
        {
            CModalAnswerer yes(answer(QMessageBox::Yes));
            QVERIFY(Frame()->OnCommand(ID_FILE_SAVE));
        }
        const QByteArray saved = ReadFile("box.md");
        QVERIFY2(saved.startsWith("┏━━┓"), saved.constData());
        QVERIFY(saved.contains("┃あい┃") && saved.contains("┓\n") && !saved.contains("\r"));
        // Save As offers the format: Shift-JIS with CR LF this time.
        CModalAnswerer choose([this](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY(dialog);
            dialog->findChild<QComboBox*>("encoding")->setCurrentIndex(0);
            dialog->findChild<QComboBox*>("lineEnding")->setCurrentIndex(0);
            ChooseFile(dialog, Path("box.txt"));
        });
        QVERIFY(Frame()->OnCommand(ID_FILE_SAVE_AS));
        QVERIFY(ReadFile("box.txt").startsWith("\x84\xAC\x84\xAA\x84\xAA\x84\xAD"));
        QVERIFY(ReadFile("box.txt").contains("\r\n"));
        QCOMPARE(Frame()->FormatText(), QString("Shift-JIS CR LF"));
    }

    void aFileBelongsToOneCanvas() {
        WriteFile("a.txt", "abc\r\n");
        Start(Path("a.txt"));
        QVERIFY(QFile::link(Path("a.txt"), Path("link.txt")));
        QCOMPARE(Frame()->OpenDocument(Path("link.txt")), Frame()->ActiveDocument());
        QCOMPARE(Frame()->DocumentCount(), 1);
        Frame()->OnCommand(ID_FILE_NEW);
        CCanvasDocument* second = Frame()->ActiveDocument();
        Drag(0, 0, 2, 2);
        // The file as Save As would hand it on, and through the link too.
        for (const char* name : {"a.txt", "link.txt"}) {
            auto refusal = AnswerMessageBox(QMessageBox::Ok);
            QVERIFY(!Frame()->SaveDocumentTo(second, Path(name), second->Format()));
            QCOMPARE(refusal->Count(), 1);
            QVERIFY(refusal->Texts().value(0).contains("ほかのｷｬﾝﾊﾞｽで開いています"));
        }
        QCOMPARE(ReadFile("a.txt"), QByteArray("abc\r\n"));
        QVERIFY(second->PathName().isEmpty());
    }

    void closingTheWindowOfAWaitingPasteRefreshesTheActions() {
        Start();
        QGuiApplication::clipboard()->setText("xy");
        QTRY_VERIFY(Frame()->Action(ID_EDIT_PASTE)->isEnabled());
        Frame()->OnCommand(ID_WINDOW_NEW);
        Frame()->OnCommand(ID_EDIT_PASTE);
        QVERIFY(!Frame()->Action(ID_EDIT_PASTE)->isEnabled());
        Frame()->MdiArea()->activeSubWindow()->close();
        QTRY_COMPARE(Frame()->MdiArea()->subWindowList().size(), 1);
        QTRY_VERIFY(Frame()->Action(ID_EDIT_PASTE)->isEnabled());
        QVERIFY(Frame()->Action(ID_TOOL_RECT)->isChecked());
    }

    void windowMenuListsCanvasWindows() {
        Start();
        Frame()->OnCommand(ID_WINDOW_NEW);
        Frame()->OnCommand(ID_FILE_NEW);
        QMenu* window = MenuAt(4);
        emit window->aboutToShow();
        const QStringList items = ItemTexts(window);
        QVERIFY(items.contains("&1 Canvas1:1"));
        QVERIFY(items.contains("&2 Canvas1:2"));
        QVERIFY(items.contains("&3 Canvas2"));
        // The maximized child's title joins the frame's, as MDI frames do.
        QVERIFY(Frame()->windowTitle().startsWith("Tavik"));
        QVERIFY(Frame()->windowTitle().contains("Canvas2"));
    }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
