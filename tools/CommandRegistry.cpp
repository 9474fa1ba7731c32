#include "tools/CommandRegistry.h"

#include "tools/ToolRegistry.h"
#include "tools/ViewController.h"

#include <algorithm>
#include <cstring>

namespace {

using E = EnableRule;
using M = MenuId;
using C = CViewController;

CCommandRow Frame(int id, const char* menuText, const char* prompt) {
    CCommandRow row;
    row.id = id;
    row.owner = CommandOwner::Frame;
    row.menuText = menuText;
    row.prompt = prompt;
    return row;
}

CCommandRow View(int id, const char* menuText, const char* prompt) {
    CCommandRow row = Frame(id, menuText, prompt);
    row.owner = CommandOwner::View;
    return row;
}

// File menu, printing, settings.
void AddFileRows(std::vector<CCommandRow>& t) {
    t.push_back(Frame(ID_FILE_NEW, "新規作成(&N)\tCtrl+N", "新しいｷｬﾝﾊﾞｽを作成\n新規ﾌｧｲﾙ")
                    .Icon("new")
                    .Keys("Ctrl+N")
                    .Enable(E::Always)
                    .BothMenus(M::File, 100, 100)
                    .Toolbar(100));
    t.push_back(Frame(ID_FILE_OPEN, "開く(&O)...\tCtrl+O", "既存のﾌｧｲﾙを開く\n開く")
                    .Icon("open")
                    .Keys("Ctrl+O")
                    .Enable(E::Always)
                    .BothMenus(M::File, 110, 110)
                    .Toolbar(110));
    t.push_back(Frame(ID_FILE_CLOSE, "閉じる(&C)", "作業中のｷｬﾝﾊﾞｽを閉じる\n閉じる")
                    .Enable(E::HasCanvas)
                    .CanvasMenu(M::File, 120));
    t.push_back(
        Frame(ID_FILE_SAVE, "上書き保存(&S)\tCtrl+S", "作業中のｷｬﾝﾊﾞｽを上書きして保存\n保存")
            .Icon("save")
            .Keys("Ctrl+S")
            .Enable(E::HasCanvas)
            .CanvasMenu(M::File, 130)
            .Toolbar(120));
    t.push_back(Frame(ID_FILE_SAVE_AS, "名前を付けて保存(&A)...",
                      "作業中のｷｬﾝﾊﾞｽを新しい名前で保存\n名前を付けて保存")
                    .Keys("Ctrl+Shift+S")
                    .Enable(E::HasCanvas)
                    .CanvasMenu(M::File, 140));
    t.push_back(Frame(ID_FILE_EXPORT, "エクスポート(&E)...",
                      "ｷｬﾝﾊﾞｽを画像 (PNG、SVG、PDF)、Markdown やﾃｷｽﾄとして書き出す\nエクスポート")
                    .Enable(E::HasCanvas)
                    .CanvasMenu(M::File, 150));
    t.push_back(View(ID_FILE_PRINT, "印刷(&P)...\tCtrl+P", "作業中のｷｬﾝﾊﾞｽを印刷\n印刷")
                    .Icon("print")
                    .Keys("Ctrl+P")
                    .Enable(E::Always)
                    .CanvasMenu(M::File, 200)
                    .Toolbar(300));
    t.push_back(View(ID_FILE_PRINT_PREVIEW, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", "印刷結果を表示\n印刷ﾌﾟﾚﾋﾞｭｰ")
                    .Enable(E::Always)
                    .CanvasMenu(M::File, 210));
    t.push_back(
        Frame(ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀの設定(&R)...", "ﾌﾟﾘﾝﾀと印刷の設定を変更\nﾌﾟﾘﾝﾀの設定")
            .Enable(E::Always)
            .BothMenus(M::File, 200, 220));
    // Stands for the recent files, which the frame lists in its place.
    t.push_back(Frame(ID_FILE_MRU_FILE1, "最新のﾌｧｲﾙ", nullptr)
                    .Enable(E::Never)
                    .BothMenus(M::File, 300, 300));
    t.push_back(
        Frame(ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ｷｬﾝﾊﾞｽの保存を確認\n終了")
            .Enable(E::Always)
            .BothMenus(M::File, 400, 400));
    t.push_back(View(ID_CANVAS_SETTINGS, "ｷｬﾝﾊﾞｽ(&C)...", "ｷｬﾝﾊﾞｽの設定\nｷｬﾝﾊﾞｽ設定")
                    .Enable(E::Always)
                    .CanvasMenu(M::Settings, 100));
    t.push_back(View(ID_UPDATE_DEFAULTS, "初期値更新(&U)", "新規作成時の初期値を更新\n初期値更新")
                    .Enable(E::Always)
                    .CanvasMenu(M::Settings, 200));
    // The frame's: both settings hold for every canvas and live in the settings file.
    t.push_back(Frame(ID_UNDO_LEVELS, "取り消しの回数(&L)...",
                      "取り消しできる操作の数を設定\n取り消しの回数")
                    .Enable(E::Always)
                    .CanvasMenu(M::Settings, 300));
    t.push_back(Frame(ID_RECOVERY_SECONDS, "復元用の保存間隔(&R)...",
                      "復元用のｺﾋﾟｰを保存する間隔を設定\n復元用の保存間隔")
                    .Enable(E::Always)
                    .CanvasMenu(M::Settings, 310));
}

// Whole lines and columns inserted or deleted with the ruled lines kept joined.
void AddTableEditRows(std::vector<CCommandRow>& t) {
    struct Edit {
        int id;
        const char *menu, *prompt, *context, *cli;
    };
    static const Edit edits[] = {
        {ID_INSERT_LINES, "行の挿入(&I)",
         "選択範囲の上に同じ高さの空白の行を挿入し、縦の罫線をつなぐ\n行の挿入", "行の挿入",
         "insertlines"},
        {ID_DELETE_LINES, "行の削除(&D)", "選択範囲の行を削除し、縦の罫線をつなぎ直す\n行の削除",
         "行の削除", "deletelines"},
        {ID_INSERT_COLUMNS, "列の挿入(&J)",
         "選択範囲の左に同じ幅の空白の列を挿入し、横の罫線をつなぐ\n列の挿入", "列の挿入",
         "insertcols"},
        {ID_DELETE_COLUMNS, "列の削除(&K)", "選択範囲の列を削除し、横の罫線をつなぎ直す\n列の削除",
         "列の削除", "deletecols"},
    };
    int pos = 300;
    for (const Edit& e : edits) {
        t.push_back(View(e.id, e.menu, e.prompt)
                        .Enable(E::SelectionNoPaste)
                        .CanvasMenu(M::Edit, pos)
                        .Context(pos, e.context)
                        .Cli(e.cli)
                        .Run(&C::OnTableEdit));
        pos += 10;
    }
}

// A table on the canvas used as data: copied or saved as fields, re-laid,
// sorted, cells merged. The dialogs are the window's; saving, re-laying and
// sorting have no tavik-cli word here, since tavik-cli's tabledata, tableformat
// and sorttable take the dialogs' answers as arguments.
void AddTableDataRows(std::vector<CCommandRow>& t) {
    t.push_back(View(ID_COPY_TABLE_DATA, "表をデータとしてコピー(&X)",
                     "選択範囲の表の項目をタブ区切りでｸﾘｯﾌﾟﾎﾞｰﾄﾞに複写\n表をデータとしてコピー")
                    .Enable(E::Selection)
                    .CanvasMenu(M::Edit, 500)
                    .Context(400, "表をデータとしてコピー")
                    .Cli("copytable")
                    .Run(&C::OnCopyTable));
    t.push_back(View(ID_SAVE_TABLE_DATA, "表をデータとして保存(&V)...",
                     "選択範囲の表を CSV、TSV、Markdown、HTML のﾌｧｲﾙに保存\n表をデータとして保存")
                    .Enable(E::Selection)
                    .CanvasMenu(M::Edit, 510)
                    .Context(410, "表をデータとして保存..."));
    t.push_back(
        View(ID_FORMAT_TABLE, "表の整形(&F)...", "選択範囲の表を項目に合わせて引き直す\n表の整形")
            .Enable(E::SelectionNoPaste)
            .CanvasMenu(M::Edit, 520)
            .Context(420, "表の整形..."));
    t.push_back(View(ID_SORT_TABLE, "表の並べ替え(&O)...",
                     "選択範囲の左の列で表の行を並べ替える\n表の並べ替え")
                    .Enable(E::SelectionNoPaste)
                    .CanvasMenu(M::Edit, 530)
                    .Context(430, "表の並べ替え..."));
    t.push_back(
        View(ID_MERGE_CELLS, "セルの結合(&M)", "選択範囲にかかる表のｾﾙを１つにまとめる\nセルの結合")
            .Enable(E::SelectionNoPaste)
            .CanvasMenu(M::Edit, 540)
            .Context(440, "セルの結合")
            .Cli("mergecells")
            .Run(&C::OnMergeCells));
}

// Edit menu, toolbar and context menu.
void AddEditRows(std::vector<CCommandRow>& t) {
    t.push_back(View(ID_EDIT_UNDO, "取り消し(&U)\tCtrl+Z", "直前の操作を取り消し\n取り消し")
                    .Icon("undo")
                    .Keys("Ctrl+Z;Alt+Backspace")
                    .Enable(E::Undo)
                    .CanvasMenu(M::Edit, 100)
                    .Toolbar(200)
                    .Context(100, "取消")
                    .Cli("undo")
                    .Run(&C::OnUndo));
    t.push_back(View(ID_EDIT_REDO, "やり直し(&R)\tCtrl+Y", "取り消した操作をやり直す\nやり直し")
                    .Icon("redo")
                    .Keys("Ctrl+Y;Ctrl+Shift+Z")
                    .Enable(E::Redo)
                    .CanvasMenu(M::Edit, 110)
                    .Toolbar(210)
                    .Cli("redo")
                    .Run(&C::OnRedo));
    t.push_back(
        View(ID_EDIT_CUT, "切り取り(&T)\tCtrl+X", "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\n切り取り")
            .Icon("cut")
            .Keys("Ctrl+X;Shift+Del")
            .Enable(E::Selection)
            .CanvasMenu(M::Edit, 200)
            .Toolbar(220)
            .Context(200, "切り取り")
            .Cli("cut")
            .Run(&C::OnCut));
    t.push_back(View(ID_EDIT_COPY, "複写(&C)\tCtrl+C", "選択範囲をｸﾘｯﾌﾟﾎﾞｰﾄﾞに複写\n複写")
                    .Icon("copy")
                    .Keys("Ctrl+C;Ctrl+Ins")
                    .Enable(E::Selection)
                    .CanvasMenu(M::Edit, 210)
                    .Toolbar(230)
                    .Context(210, "複写")
                    .Cli("copy")
                    .Run(&C::OnCopy));
    t.push_back(View(ID_EDIT_COPY_NARROW, "半角罫線でコピー(&W)",
                     "選択範囲を欧文フォント向けの半角の罫線でｸﾘｯﾌﾟﾎﾞｰﾄﾞに複写\n半角罫線でコピー")
                    .Enable(E::Selection)
                    .CanvasMenu(M::Edit, 212)
                    .Cli("copy narrow")
                    .Run(&C::OnCopyInLayout));
    t.push_back(View(ID_EDIT_COPY_ASCII, "ASCII罫線でコピー",
                     "選択範囲を + - | の罫線でｸﾘｯﾌﾟﾎﾞｰﾄﾞに複写\nASCII罫線でコピー")
                    .Enable(E::Selection)
                    .CanvasMenu(M::Edit, 214)
                    .Cli("copy ascii")
                    .Run(&C::OnCopyInLayout));
    // The paste buttons show pressed while their paste waits: the paste command
    // is the tool mode then.
    t.push_back(View(ID_EDIT_PASTE, "貼り付け(&P)\tCtrl+V", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け\n貼り付け")
                    .Icon("paste")
                    .Keys("Ctrl+V;Shift+Ins")
                    .Enable(E::Paste)
                    .Check(CheckRule::ToolMode)
                    .CanvasMenu(M::Edit, 220)
                    .Toolbar(240)
                    .Context(220, "貼り付け")
                    .Cli("paste")
                    .Run(&C::OnPaste));
    t.push_back(View(ID_EDIT_TRANSPARENT_PASTE, "透過的貼付(&Q)\tCtrl+Q",
                     "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を透過的に貼り付け\n透過貼付")
                    .Icon("tpaste")
                    .Keys("Ctrl+Q")
                    .Enable(E::Paste)
                    .Check(CheckRule::ToolMode)
                    .CanvasMenu(M::Edit, 230)
                    .Toolbar(250)
                    .Context(230, "透過貼付")
                    .Cli("tpaste")
                    .Run(&C::OnPaste));
    // tavik-cli's table reads the data itself, from a file or the clipboard.
    t.push_back(View(ID_PASTE_TABLE, "表として貼り付け(&B)...",
                     "ｸﾘｯﾌﾟﾎﾞｰﾄﾞやﾌｧｲﾙの表計算ﾃﾞｰﾀを罫線の表にして貼り付け\n表として貼り付け")
                    .Enable(E::NoToolAtWork)
                    .CanvasMenu(M::Edit, 235));
    t.push_back(View(ID_ROTATE90, " 90°回転", "右９０°回転(正方領域のみ可能)\n90°回転")
                    .Icon("rotate90")
                    .Enable(E::SquareSelection)
                    .CanvasMenu(M::Edit, 240)
                    .Toolbar(260)
                    .Context(240, " 90°回転")
                    .Cli("rotate90")
                    .Run(&C::OnRotate90));
    t.push_back(View(ID_ROTATE180, "180°回転", "１８０°回転\n180°回転")
                    .Icon("rotate180")
                    .Enable(E::Selection)
                    .CanvasMenu(M::Edit, 250)
                    .Toolbar(270)
                    .Context(250, "180°回転")
                    .Cli("rotate180")
                    .Run(&C::OnRotate180));
    t.push_back(View(ID_FLIP_HORIZONTAL, "左右反転", "左右を反転する\n左右反転")
                    .Enable(E::Selection)
                    .CanvasMenu(M::Edit, 260)
                    .Context(260, "左右反転")
                    .Cli("fliph")
                    .Run(&C::OnFlipHorizontal));
    t.push_back(View(ID_FLIP_VERTICAL, "上下反転", "上下を反転する\n上下反転")
                    .Enable(E::Selection)
                    .CanvasMenu(M::Edit, 270)
                    .Context(270, "上下反転")
                    .Cli("flipv")
                    .Run(&C::OnFlipVertical));
    AddTableEditRows(t);
    AddTableDataRows(t);
    // No menu item: the Delete key and tavik-cli's delete reach it.
    t.push_back(View(ID_EDIT_CLEAR, nullptr, "選択範囲を空白にする\n消去")
                    .Keys("Del")
                    .Enable(E::SelectionNoPaste)
                    .Cli("delete")
                    .Run(&C::OnEraseSelection));
    t.push_back(View(ID_SELECT_ALL, "全選択(&S)", "キャンバス全体を選択\n全選択")
                    .Keys("Ctrl+A")
                    .Enable(E::Always)
                    .CanvasMenu(M::Edit, 400)
                    .Cli("selectall")
                    .Run(&C::OnSelectAll));
    t.push_back(View(ID_CLEAR_ALL, "クリア(&L)", "キャンバス全体をクリア（削除）\nクリア")
                    .Enable(E::Always)
                    .CanvasMenu(M::Edit, 410)
                    .Cli("clear")
                    .Run(&C::OnClearAll));
}

// View, Window and Help menus, and the window keys.
void AddViewRows(std::vector<CCommandRow>& t) {
    t.push_back(
        Frame(ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰ(&T)", "ﾂｰﾙ ﾊﾞｰの表示／非表示\nﾂｰﾙ ﾊﾞｰの表示／非表示")
            .Enable(E::Always)
            .Check(CheckRule::ToolBar)
            .BothMenus(M::View, 100, 100));
    t.push_back(Frame(ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)",
                      "ｽﾃｰﾀｽ ﾊﾞｰの表示／非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示／非表示")
                    .Enable(E::Always)
                    .Check(CheckRule::StatusBar)
                    .BothMenus(M::View, 110, 110));
    t.push_back(Frame(ID_SYMBOL_TABLE, "記号表(&K)", "記号表の表示／非表示\n記号表の表示／非表示")
                    .Enable(E::Always)
                    .Check(CheckRule::Palette)
                    .BothMenus(M::View, 120, 120));
    t.push_back(View(ID_VIEW_GRID, "ｸﾞﾘｯﾄﾞ(&G)", "ｸﾞﾘｯﾄﾞの表示／非表示\nｸﾞﾘｯﾄﾞの表示／非表示")
                    .Enable(E::Always)
                    .Check(CheckRule::Grid)
                    .CanvasMenu(M::View, 130)
                    .Run(&C::OnGrid));
    t.push_back(View(ID_VIEW_ZOOM_IN, "拡大(&I)\tCtrl++", "文字を一段階大きく表示\n拡大")
                    .Keys("Ctrl++;Ctrl+=")
                    .Enable(E::ZoomIn)
                    .CanvasMenu(M::View, 200));
    t.push_back(View(ID_VIEW_ZOOM_OUT, "縮小(&O)\tCtrl+-", "文字を一段階小さく表示\n縮小")
                    .Keys("Ctrl+-")
                    .Enable(E::ZoomOut)
                    .CanvasMenu(M::View, 210));
    t.push_back(Frame(ID_WINDOW_NEW, "新しいｳｨﾝﾄﾞｳを開く(&N)",
                      "作業中のｷｬﾝﾊﾞｽを別のｳｨﾝﾄﾞｳで開く\n新しいｳｨﾝﾄﾞｳ")
                    .Enable(E::HasCanvas)
                    .CanvasMenu(M::Window, 100));
    t.push_back(Frame(ID_WINDOW_CASCADE, "重ねて表示(&C)", "ｳｨﾝﾄﾞｳを重ねて表示\n重ねて表示")
                    .Enable(E::HasCanvas)
                    .CanvasMenu(M::Window, 110));
    t.push_back(Frame(ID_WINDOW_TILE_HORZ, "並べて表示(&T)", "ｳｨﾝﾄﾞｳを並べて表示\n並べて表示")
                    .Enable(E::HasCanvas)
                    .CanvasMenu(M::Window, 120));
    t.push_back(Frame(ID_WINDOW_ARRANGE, "ｱｲｺﾝの整列(&A)", "ｱｲｺﾝをｳｨﾝﾄﾞｳの下に整列\nｱｲｺﾝの整列")
                    .Enable(E::HasCanvas)
                    .CanvasMenu(M::Window, 130));
    t.push_back(Frame(ID_HELP_INDEX, "目次(&C)", "ﾍﾙﾌﾟの目次を表示\nﾍﾙﾌﾟの目次")
                    .Enable(E::Always)
                    .BothMenus(M::Help, 100, 100));
    // The two menu bars spell the about item differently.
    t.push_back(Frame(ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(&A)...",
                      "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示\nﾊﾞｰｼﾞｮﾝ情報")
                    .Enable(E::Always)
                    .NoCanvasMenu(M::Help, 200)
                    .CanvasMenu(M::Help, 200, "ﾊﾞｰｼﾞｮﾝ情報 (&A)..."));
    t.push_back(Frame(ID_NEXT_PANE, nullptr, "次のｳｨﾝﾄﾞｳに切り替え\n次のｳｨﾝﾄﾞｳ")
                    .Keys("F6")
                    .Enable(E::Always));
    t.push_back(Frame(ID_PREV_PANE, nullptr, "前のｳｨﾝﾄﾞｳに切り替え\n前のｳｨﾝﾄﾞｳ")
                    .Keys("Shift+F6")
                    .Enable(E::Always));
}

// The tools (from their rows) and the two line weights, on the toolbar. They
// have no menu text: the frame names their actions by the tool tip.
void AddToolRows(std::vector<CCommandRow>& t) {
    int pos = 400;
    for (const CToolRow& tool : ToolRows()) {
        t.push_back(View(tool.id, nullptr, tool.prompt)
                        .Icon(tool.pictogram)
                        .Keys(tool.keys)
                        .Enable(E::Always)
                        .Check(CheckRule::ToolMode)
                        .Group(ActionGroup::Tool)
                        .Toolbar(pos)
                        .Run(&C::OnToolMode));
        pos += 10;
    }
    t.push_back(View(ID_LINE_THIN, nullptr, "細い線で描画\n細線")
                    .Icon("thin")
                    .Keys("Ctrl+,")
                    .Enable(E::Always)
                    .Check(CheckRule::LineMode)
                    .Group(ActionGroup::Line)
                    .Toolbar(500)
                    .Run(&C::OnLineMode));
    t.push_back(View(ID_LINE_THICK, nullptr, "太い線で描画\n太線")
                    .Icon("thick")
                    .Keys("Ctrl+.")
                    .Enable(E::Always)
                    .Check(CheckRule::LineMode)
                    .Group(ActionGroup::Line)
                    .Toolbar(510)
                    .Run(&C::OnLineMode));
}

// Ids in order of their position, with 0 where the group (the hundreds) changes.
template <class PosOf> std::vector<int> Layout(PosOf posOf) {
    std::vector<const CCommandRow*> rows;
    for (const CCommandRow& row : CommandRegistry())
        if (posOf(row) > 0) rows.push_back(&row);
    // Stable: rows at the same position keep the registry's order.
    std::stable_sort(rows.begin(), rows.end(), [&](const CCommandRow* a, const CCommandRow* b) {
        return posOf(*a) < posOf(*b);
    });
    std::vector<int> ids;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0 && posOf(*rows[i]) / 100 != posOf(*rows[i - 1]) / 100) ids.push_back(0);
        ids.push_back(rows[i]->id);
    }
    return ids;
}

} // namespace

const std::vector<CCommandRow>& CommandRegistry() {
    static const std::vector<CCommandRow> table = [] {
        std::vector<CCommandRow> t;
        AddFileRows(t);
        AddEditRows(t);
        AddViewRows(t);
        AddToolRows(t);
        return t;
    }();
    return table;
}

const CCommandRow* FindCommand(int id) {
    for (const CCommandRow& row : CommandRegistry())
        if (row.id == id) return &row;
    return nullptr;
}

const CCommandRow* FindCommandByCliWord(const char* word) {
    for (const CCommandRow& row : CommandRegistry())
        if (row.cliWord && std::strcmp(row.cliWord, word) == 0) return &row;
    return nullptr;
}

const std::vector<MenuId>& MenuBar(bool canvas) {
    static const std::vector<MenuId> noCanvas = {M::File, M::View, M::Help};
    static const std::vector<MenuId> withCanvas = {M::File, M::Settings, M::Edit,
                                                   M::View, M::Window,   M::Help};
    return canvas ? withCanvas : noCanvas;
}

const char* MenuTitle(MenuId menu) {
    switch (menu) {
    case M::File:
        return "ﾌｧｲﾙ(&F)";
    case M::Settings:
        return "設定(&S)";
    case M::Edit:
        return "編集(&E)";
    case M::View:
        return "表示(&V)";
    case M::Window:
        return "ｳｨﾝﾄﾞｳ(&W)";
    case M::Help:
        return "ﾍﾙﾌﾟ(&H)";
    case M::None:
        break;
    }
    return "";
}

std::vector<int> MenuLayout(bool canvas, MenuId menu) {
    return Layout([canvas, menu](const CCommandRow& row) {
        const CMenuPlace& place = canvas ? row.canvasMenu : row.noCanvasMenu;
        return place.menu == menu ? place.pos : 0;
    });
}

std::vector<int> ToolbarLayout() {
    return Layout([](const CCommandRow& row) { return row.toolbar; });
}

std::vector<int> ContextMenuLayout() {
    return Layout([](const CCommandRow& row) { return row.contextMenu; });
}

// The other rules are the canvas window's (CViewController::IsCommandEnabled).
bool CommandEnabledInFrame(EnableRule rule, bool hasCanvas) {
    switch (rule) {
    case E::Always:
        return true;
    case E::HasCanvas:
        return hasCanvas;
    default:
        return false;
    }
}
