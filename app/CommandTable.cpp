#include "app/CommandTable.h"

#include "canvas/RuvlenDoc.h"
#include "tools/CommandIds.h"
#include "view/RuvlenView.h"

#include <algorithm>

const std::vector<CCommandInfo>& CommandTable() {
    static const std::vector<CCommandInfo> table = {
        {ID_FILE_NEW, "新規作成(&N)\tCtrl+N", "新しいｷｬﾝﾊﾞｽを作成\n新規ﾌｧｲﾙ", "new", "Ctrl+N",
         false},
        {ID_FILE_OPEN, "開く(&O)...\tCtrl+O", "既存のﾌｧｲﾙを開く\n開く", "open", "Ctrl+O", false},
        {ID_FILE_CLOSE, "閉じる(&C)", "作業中のｷｬﾝﾊﾞｽを閉じる\n閉じる", nullptr, nullptr, false},
        {ID_FILE_SAVE, "上書き保存(&S)\tCtrl+S", "作業中のｷｬﾝﾊﾞｽを上書きして保存\n保存", "save",
         "Ctrl+S", false},
        {ID_FILE_SAVE_AS, "名前を付けて保存(&A)...",
         "作業中のｷｬﾝﾊﾞｽを新しい名前で保存\n名前を付けて保存", nullptr, nullptr, false},
        {ID_FILE_EXPORT, "エクスポート(&E)...",
         "ｷｬﾝﾊﾞｽを画像 (PNG、SVG) として書き出す\nエクスポート", nullptr, nullptr, false},
        {ID_FILE_PRINT, "印刷(&P)...\tCtrl+P", "作業中のｷｬﾝﾊﾞｽを印刷\n印刷", "print", "Ctrl+P",
         false},
        {ID_FILE_PRINT_PREVIEW, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", "印刷結果を表示\n印刷ﾌﾟﾚﾋﾞｭｰ", nullptr, nullptr,
         false},
        {ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀの設定(&R)...", "ﾌﾟﾘﾝﾀと印刷の設定を変更\nﾌﾟﾘﾝﾀの設定", nullptr,
         nullptr, false},
        {ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ｷｬﾝﾊﾞｽの保存を確認\n終了", nullptr,
         nullptr, false},
        {ID_CANVAS_SETTINGS, "ｷｬﾝﾊﾞｽ(&C)...", "ｷｬﾝﾊﾞｽの設定\nｷｬﾝﾊﾞｽ設定", nullptr, nullptr, false},
        {ID_UPDATE_DEFAULTS, "初期値更新(&U)", "新規作成時の初期値を更新\n初期値更新", nullptr,
         nullptr, false},
        {ID_EDIT_UNDO, "取り消し(&U)\tCtrl+Z", "直前の操作を取り消し\n取り消し", "undo",
         "Ctrl+Z;Alt+Backspace", false},
        {ID_EDIT_REDO, "やり直し(&R)\tCtrl+Y", "取り消した操作をやり直す\nやり直し", "redo",
         "Ctrl+Y;Ctrl+Shift+Z", false},
        {ID_UNDO_LEVELS, "取り消しの回数(&L)...", "取り消しできる操作の数を設定\n取り消しの回数",
         nullptr, nullptr, false},
        {ID_RECOVERY_SECONDS, "復元用の保存間隔(&R)...",
         "復元用のｺﾋﾟｰを保存する間隔を設定\n復元用の保存間隔", nullptr, nullptr, false},
        {ID_EDIT_CUT, "切り取り(&T)\tCtrl+X", "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\n切り取り",
         "cut", "Ctrl+X;Shift+Del", false},
        {ID_EDIT_COPY, "複写(&C)\tCtrl+C", "選択範囲をｸﾘｯﾌﾟﾎﾞｰﾄﾞに複写\n複写", "copy",
         "Ctrl+C;Ctrl+Ins", false},
        {ID_EDIT_PASTE, "貼り付け(&P)\tCtrl+V", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け\n貼り付け", "paste",
         "Ctrl+V;Shift+Ins", true},
        {ID_EDIT_TRANSPARENT_PASTE, "透過的貼付(&Q)\tCtrl+Q",
         "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を透過的に貼り付け\n透過貼付", "tpaste", "Ctrl+Q", true},
        {ID_ROTATE90, " 90°回転", "右９０°回転(正方領域のみ可能)\n90°回転", "rotate90", nullptr,
         false},
        {ID_ROTATE180, "180°回転", "１８０°回転\n180°回転", "rotate180", nullptr, false},
        {ID_FLIP_HORIZONTAL, "左右反転", "左右を反転する\n左右反転", nullptr, nullptr, false},
        {ID_FLIP_VERTICAL, "上下反転", "上下を反転する\n上下反転", nullptr, nullptr, false},
        {ID_SELECT_ALL, "全選択(&S)", "キャンバス全体を選択\n全選択", nullptr, nullptr, false},
        {ID_CLEAR_ALL, "クリア(&L)", "キャンバス全体をクリア（削除）\nクリア", nullptr, nullptr,
         false},
        {ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰ(&T)", "ﾂｰﾙ ﾊﾞｰの表示／非表示\nﾂｰﾙ ﾊﾞｰの表示／非表示", nullptr,
         nullptr, true},
        {ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "ｽﾃｰﾀｽ ﾊﾞｰの表示／非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示／非表示",
         nullptr, nullptr, true},
        {ID_SYMBOL_TABLE, "記号表(&K)", "記号表の表示／非表示\n記号表の表示／非表示", nullptr,
         nullptr, true},
        {ID_VIEW_GRID, "ｸﾞﾘｯﾄﾞ(&G)", "ｸﾞﾘｯﾄﾞの表示／非表示\nｸﾞﾘｯﾄﾞの表示／非表示", nullptr, nullptr,
         true},
        {ID_VIEW_ZOOM_IN, "拡大(&I)\tCtrl++", "文字を一段階大きく表示\n拡大", nullptr,
         "Ctrl++;Ctrl+=", false},
        {ID_VIEW_ZOOM_OUT, "縮小(&O)\tCtrl+-", "文字を一段階小さく表示\n縮小", nullptr, "Ctrl+-",
         false},
        {ID_WINDOW_NEW, "新しいｳｨﾝﾄﾞｳを開く(&N)", "作業中のｷｬﾝﾊﾞｽを別のｳｨﾝﾄﾞｳで開く\n新しいｳｨﾝﾄﾞｳ",
         nullptr, nullptr, false},
        {ID_WINDOW_CASCADE, "重ねて表示(&C)", "ｳｨﾝﾄﾞｳを重ねて表示\n重ねて表示", nullptr, nullptr,
         false},
        {ID_WINDOW_TILE_HORZ, "並べて表示(&T)", "ｳｨﾝﾄﾞｳを並べて表示\n並べて表示", nullptr, nullptr,
         false},
        {ID_WINDOW_ARRANGE, "ｱｲｺﾝの整列(&A)", "ｱｲｺﾝをｳｨﾝﾄﾞｳの下に整列\nｱｲｺﾝの整列", nullptr,
         nullptr, false},
        {ID_HELP_INDEX, "目次(&C)", "ﾍﾙﾌﾟの目次を表示\nﾍﾙﾌﾟの目次", nullptr, nullptr, false},
        {ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(&A)...", "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示\nﾊﾞｰｼﾞｮﾝ情報",
         nullptr, nullptr, false},
        {ID_NEXT_PANE, nullptr, "次のｳｨﾝﾄﾞｳに切り替え\n次のｳｨﾝﾄﾞｳ", nullptr, "F6", false},
        {ID_PREV_PANE, nullptr, "前のｳｨﾝﾄﾞｳに切り替え\n前のｳｨﾝﾄﾞｳ", nullptr, "Shift+F6", false},
        {ID_TOOL_SELECT, nullptr, "領域を選択\n選択", "select", nullptr, true},
        {ID_TOOL_HLINE, nullptr, "罫線文字を使い、横線を描画\n横罫線", "hline", nullptr, true},
        {ID_TOOL_VLINE, nullptr, "罫線文字を使い、縦線を描画\n縦罫線", "vline", nullptr, true},
        {ID_TOOL_RECT, nullptr, "罫線文字を使い、矩形を描画\n矩形", "rect", nullptr, true},
        {ID_TOOL_HTEXT, nullptr, "テキストを横配置\n横テキスト", "htext", nullptr, true},
        {ID_TOOL_VTEXT, nullptr, "テキストを縦配置\n縦テキスト", "vtext", nullptr, true},
        {ID_TOOL_TYPE, nullptr,
         "ｸﾘｯｸした位置から直接文字を入力、Shift+矢印ｷｰで罫線を描画\n直接入力", "type", nullptr,
         true},
        {ID_TOOL_SYMBOL, nullptr, "領域内に記号を配置\n記号", "symbol", nullptr, true},
        {ID_TOOL_ERASE, nullptr, "領域内に空白を上書き\n削除", "erase", nullptr, true},
        {ID_LINE_THIN, nullptr, "細い線で描画\n細線", "thin", nullptr, true},
        {ID_LINE_THICK, nullptr, "太い線で描画\n太線", "thick", nullptr, true},
    };
    return table;
}

const CCommandInfo* FindCommand(int id) {
    const auto& table = CommandTable();
    auto it = std::find_if(table.begin(), table.end(),
                           [id](const CCommandInfo& c) { return c.id == id; });
    return it == table.end() ? nullptr : &*it;
}

const std::vector<int>& ToolbarLayout() {
    static const std::vector<int> layout = {
        ID_FILE_NEW,
        ID_FILE_OPEN,
        ID_FILE_SAVE,
        0,
        ID_EDIT_UNDO,
        ID_EDIT_REDO,
        ID_EDIT_CUT,
        ID_EDIT_COPY,
        ID_EDIT_PASTE,
        ID_EDIT_TRANSPARENT_PASTE,
        ID_ROTATE90,
        ID_ROTATE180,
        0,
        ID_FILE_PRINT,
        0,
        ID_TOOL_SELECT,
        ID_TOOL_HLINE,
        ID_TOOL_VLINE,
        ID_TOOL_RECT,
        ID_TOOL_HTEXT,
        ID_TOOL_VTEXT,
        ID_TOOL_TYPE,
        ID_TOOL_SYMBOL,
        ID_TOOL_ERASE,
        0,
        ID_LINE_THIN,
        ID_LINE_THICK,
    };
    return layout;
}

bool IsViewCommand(int id) {
    switch (id) {
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_FILE_CLOSE:
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_FILE_EXPORT:
    case ID_UNDO_LEVELS:
    case ID_RECOVERY_SECONDS:
    case ID_FILE_PRINT_SETUP:
    case ID_APP_EXIT:
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUS_BAR:
    case ID_SYMBOL_TABLE:
    case ID_WINDOW_NEW:
    case ID_WINDOW_CASCADE:
    case ID_WINDOW_TILE_HORZ:
    case ID_WINDOW_ARRANGE:
    case ID_HELP_INDEX:
    case ID_APP_ABOUT:
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        return false;
    default:
        return true;
    }
}
