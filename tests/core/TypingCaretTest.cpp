// Typing at the caret and drawing with Shift+arrows, each compared with the
// mouse tool that gives the same result, and the undo runs they make.
#include "FakeViewPort.h"

#include "canvas/ByteClass.h"
#include "canvas/io/Cp932.h"
#include "tools/TypeTool.h"
#include "tools/TypingCaret.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace tool_test;

namespace {

using K = CTypingCaret;

struct TypingCanvas : Canvas {
    TypingCanvas() { ctl.OnCommand(ID_TOOL_TYPE); }
    CTypingCaret& Caret() { return *CTypingCaret::Of(doc.get()); }
    void Keys(std::initializer_list<int> keys, int mods = 0) {
        for (int k : keys) Caret().PressKey(k, mods);
    }
    std::string Type(const std::string& utf8) {
        std::string status;
        Caret().TypeText(utf8, &status);
        return status;
    }
};

void Letters(CRuvlenDoc& doc) {
    Fill(doc);
}

void LinesAndLetters(CRuvlenDoc& doc) {
    Fill(doc);
    doc.DrawHorizontalLine(nullptr, 0, 6, 20, 6, 0);
    doc.DrawVerticalLine(nullptr, 7, 0, 7, 20, 1);
    doc.DrawRectangle(nullptr, 3, 3, 9, 9, 0);
}

const char* const kSamples[] = {"abc",
                                "a漢b字",
                                "ｱｲｳｴｵ漢",
                                "全角だけ",
                                "x",
                                "漢",
                                "ab cd",
                                "1\xE2\x80\x95"
                                "2"}; // U+2015 has a Shift-JIS form

} // namespace

// Typing a string equals what the horizontal text tool writes for it into the
// cells the typing reached, on blank and on filled canvases, from either half.
TEST(TypingCaret, TypingEqualsHorizontalText) {
    for (auto fill : {+[](CRuvlenDoc&) {}, &Letters, &LinesAndLetters}) {
        for (const char* sample : kSamples) {
            for (int startHalf : {0, 1}) {
                TypingCanvas typed;
                fill(*typed.doc);
                typed.Click(5, 6);
                if (startHalf) typed.Type("q");
                typed.Type(sample);
                const int endCol = typed.Caret().Cell().x - (typed.Caret().Half() == 0 ? 1 : 0);

                Canvas dialog;
                fill(*dialog.doc);
                dialog.Command(ID_TOOL_HTEXT);
                dialog.view.answerOk = true;
                dialog.view.typed = Utf8ToCp932(std::string(startHalf ? "q" : "") + sample, '?');
                dialog.Drag(5, 6, endCol, 6);
                EXPECT_EQ(Render(*typed.doc), Render(*dialog.doc))
                    << sample << " from half " << startHalf;
            }
        }
    }
}

TEST(TypingCaret, CaretAdvancesAndStaysAtTheRightEdge) {
    TypingCanvas t;
    const int last = t.doc->m_nColumns - 1;
    t.Click(last - 1, 2);
    t.Type("abcdef");
    EXPECT_EQ(t.Text(last - 1, 2), "ab");
    EXPECT_EQ(t.Text(last, 2), "cf"); // the caret stayed: e and f overwrote the right half
    EXPECT_EQ(t.Caret().Cell(), (CCellPoint{last, 2}));
    // A full-width character at the right half of the last cell has no room.
    t.Click(last, 3);
    t.Type("a");
    EXPECT_EQ(t.Type("漢"), kNoRoomAtEdgeMessage);
    EXPECT_EQ(t.Text(last, 3), "a ");
    // One with no Shift-JIS form is not written; the status says which.
    t.Click(0, 4);
    const std::string status = t.Type("a\xF0\x9F\x98\x80"
                                      "b");
    EXPECT_EQ(status, std::string(kNoShiftJisMessage) + "\xF0\x9F\x98\x80");
    EXPECT_EQ(t.Text(0, 4), "ab");
}

TEST(TypingCaret, EnterBackspaceDeleteAndMoves) {
    TypingCanvas t;
    t.Click(3, 1);
    t.Type("ab漢c\nxy");
    EXPECT_EQ(t.Text(3, 2), "xy"); // Enter: next line, the run's first column
    t.Keys({K::KEY_UP, K::KEY_END});
    EXPECT_EQ(t.Caret().Cell(), (CCellPoint{t.doc->m_nColumns - 1, 1}));
    t.Click(6, 1); // after "c " at column 5
    t.Keys({K::KEY_BACKSPACE});
    EXPECT_EQ(t.Text(5, 1), "  ");
    t.Keys({K::KEY_BACKSPACE}); // the whole full-width cell
    EXPECT_EQ(t.Text(4, 1), "  ");
    t.Keys({K::KEY_BACKSPACE}); // one half: b, then a
    EXPECT_EQ(t.Text(3, 1), "a ");
    EXPECT_EQ(t.Caret().Half(), 1);
    t.Keys({K::KEY_BACKSPACE});
    EXPECT_EQ(t.Text(3, 1), "  ");
    t.Keys({K::KEY_DOWN, K::KEY_DELETE});
    EXPECT_EQ(t.Text(3, 2), "  ");
    EXPECT_EQ(t.Caret().Cell(), (CCellPoint{3, 2}));
    t.Keys({K::KEY_END}, K::MOD_CTRL);
    EXPECT_EQ(t.Caret().Cell(), (CCellPoint{t.doc->m_nColumns - 1, t.doc->m_nLines - 1}));
    t.Keys({K::KEY_HOME}, K::MOD_CTRL);
    EXPECT_EQ(t.Caret().Cell(), (CCellPoint{0, 0}));
    t.Keys({K::KEY_LEFT, K::KEY_UP}); // at the corner the caret stays
    EXPECT_EQ(t.Caret().Cell(), (CCellPoint{0, 0}));
}

// A box drawn with Shift+arrows is the rectangle tool's box, on any canvas and
// in either weight, whichever corner it starts from and whichever way round.
TEST(TypingCaret, KeyboardBoxEqualsRectangleTool) {
    for (auto fill : {+[](CRuvlenDoc&) {}, &Letters, &LinesAndLetters}) {
        for (int weight : {ID_LINE_THIN, ID_LINE_THICK}) {
            for (bool clockwise : {true, false}) {
                TypingCanvas keys;
                fill(*keys.doc);
                keys.Command(weight);
                keys.Click(2, 4);
                const int h = clockwise ? K::KEY_RIGHT : K::KEY_DOWN;
                const int v = clockwise ? K::KEY_DOWN : K::KEY_RIGHT;
                const int hb = clockwise ? K::KEY_LEFT : K::KEY_UP;
                const int vb = clockwise ? K::KEY_UP : K::KEY_LEFT;
                const int n = clockwise ? 5 : 3, m = clockwise ? 3 : 5;
                for (int key : {h, v, hb, vb})
                    for (int i = 0; i < ((key == h || key == hb) ? n : m); ++i)
                        keys.Caret().PressKey(key, K::MOD_SHIFT);

                Canvas mouse;
                fill(*mouse.doc);
                mouse.Command(weight);
                mouse.Command(ID_TOOL_RECT);
                mouse.Drag(2, 4, 7, 7);
                EXPECT_EQ(Render(*keys.doc), Render(*mouse.doc)) << weight << clockwise;
            }
        }
    }
}

// Paths through cells that already hold lines merge as the line tools do; a
// path that turns shows a corner, not a T, in a cell that was blank.
TEST(TypingCaret, PathMergesAsTheLineTools) {
    TypingCanvas keys;
    Canvas mouse;
    for (CRuvlenDoc* doc : {keys.doc.get(), mouse.doc.get()}) {
        LinesAndLetters(*doc);
        doc->m_nLineMode = ID_LINE_THIN;
    }
    keys.Command(ID_LINE_THIN);
    mouse.Command(ID_LINE_THIN);
    keys.Click(1, 2);
    for (int i = 0; i < 10; ++i) keys.Caret().PressKey(K::KEY_RIGHT, K::MOD_SHIFT);
    keys.Click(5, 0);
    for (int i = 0; i < 12; ++i) keys.Caret().PressKey(K::KEY_DOWN, K::MOD_SHIFT);
    mouse.Command(ID_TOOL_HLINE);
    mouse.Drag(1, 2, 11, 2);
    mouse.Drag(5, 0, 5, 12);
    EXPECT_EQ(Render(*keys.doc), Render(*mouse.doc));

    TypingCanvas turn;
    turn.Command(ID_LINE_THIN);
    turn.Click(0, 0);
    turn.Keys({K::KEY_RIGHT, K::KEY_RIGHT, K::KEY_DOWN}, K::MOD_SHIFT);
    std::string utf8;
    Cp932ToUtf8(turn.doc->GetTextHorizontal(0, 0, 2, 1), utf8);
    EXPECT_EQ(utf8, "──┐\r\n    │");
    // Another weight starts a new run: the corner's cell then already held a line.
    turn.Command(ID_LINE_THICK);
    turn.Keys({K::KEY_RIGHT}, K::MOD_SHIFT);
    Cp932ToUtf8(turn.doc->GetTextHorizontal(2, 1, 3, 1), utf8);
    EXPECT_EQ(utf8, "┝━");
}

// A run of typing is one undo step, and so is a run of drawing; clicks, plain
// arrows and other commands end a run. At one level a second undo brings the
// run back; at many levels each run is one step of the history.
TEST(TypingCaret, UndoRunsAtEveryLevel) {
    for (int levels : {1, 2, 100}) {
        TypingCanvas t;
        Fill(*t.doc);
        t.doc->SetUndoLevels(levels);
        const std::string before = Render(*t.doc);
        t.Click(2, 2);
        t.Type("hello\n漢字");
        t.Keys({K::KEY_BACKSPACE, K::KEY_DELETE});
        const std::string typed = Render(*t.doc);
        t.Keys({K::KEY_RIGHT, K::KEY_RIGHT, K::KEY_DOWN, K::KEY_LEFT}, K::MOD_SHIFT);
        const std::string drawn = Render(*t.doc);
        t.Keys({K::KEY_RIGHT}); // a plain arrow ends the run
        t.Type("z");
        EXPECT_TRUE(t.Command(ID_EDIT_UNDO));
        EXPECT_EQ(Render(*t.doc), drawn) << levels;
        if (levels == 1) {
            EXPECT_TRUE(t.Command(ID_EDIT_UNDO)); // the run comes back
            EXPECT_NE(Render(*t.doc), drawn);
            continue;
        }
        EXPECT_TRUE(t.Command(ID_EDIT_UNDO));
        EXPECT_EQ(Render(*t.doc), typed) << levels;
        if (levels == 2) continue;
        EXPECT_TRUE(t.Command(ID_EDIT_UNDO));
        EXPECT_EQ(Render(*t.doc), before);
        EXPECT_TRUE(t.Command(ID_EDIT_REDO));
        EXPECT_EQ(Render(*t.doc), typed);
    }
}

// Undo and redo never leave the caret inside a full-width character, and no
// keystroke ever splits one: after any mix of typing, Backspace, Delete,
// moves, undo and redo over full-width text, every cell holds whole
// characters, as the file reader would read them. The first case is the one
// that once kept the trail byte of 品 as a half-width "i".
TEST(TypingCaret, UndoAndRedoNeverSplitAFullWidthCharacter) {
    TypingCanvas t;
    t.doc->PutTextHorizontal(nullptr, 0, 0, 3, 0, "\x95\x69\x95\x69"); // 品品
    t.Click(0, 0);
    t.Type("a");
    EXPECT_TRUE(t.Command(ID_EDIT_UNDO));
    EXPECT_EQ(t.Caret().Half(), 0);
    t.Keys({K::KEY_BACKSPACE});
    EXPECT_EQ(std::string(t.doc->Cell(0, 0).m_szText), "\x95\x69");

    auto whole = [](const CCell& c) {
        const auto a = static_cast<unsigned char>(c.FirstByte());
        const auto b = static_cast<unsigned char>(c.SecondByte());
        return (IsLeadByte(a) && IsTrailByte(b)) || (IsSingleByteChar(a) && IsSingleByteChar(b));
    };
    std::mt19937 rng(25);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const char* const typed[] = {"a", "品", "xy", "漢字", "ｱ", "b品c"};
    for (int levels : {1, 100}) {
        TypingCanvas r;
        r.doc->SetUndoLevels(levels);
        r.Click(0, 0);
        for (int step = 0; step < 3000; ++step) {
            switch (pick(0, 7)) {
            case 0:
            case 1:
                r.Type(typed[pick(0, 5)]);
                break;
            case 2:
                r.Keys({K::KEY_BACKSPACE});
                break;
            case 3:
                r.Keys({pick(0, 1) ? K::KEY_DELETE : K::KEY_LEFT});
                break;
            case 4:
                r.Command(ID_EDIT_UNDO);
                break;
            case 5:
                r.Command(ID_EDIT_REDO);
                break;
            case 6:
                r.Click(pick(0, 6), pick(0, 2));
                break;
            default:
                r.Keys({K::KEY_ENTER});
                break;
            }
            const CCellPoint at = r.Caret().Cell();
            ASSERT_FALSE(r.Caret().Half() == 1 && IsLeadByte(static_cast<unsigned char>(
                                                      r.doc->Cell(at.x, at.y).FirstByte())))
                << levels << ": step " << step;
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < r.doc->m_nColumns; ++x)
                    ASSERT_TRUE(whole(r.doc->Cell(x, y)))
                        << levels << ": step " << step << " at " << x << "," << y;
        }
    }
}

// Between two keystrokes of one run, another command or another window's
// edit makes the next keystroke start a new step.
TEST(TypingCaret, OtherCommandsEndTheRun) {
    TypingCanvas t;
    t.doc->SetUndoLevels(10);
    t.Click(0, 0);
    t.Type("ab");
    t.Command(ID_VIEW_GRID);
    t.Type("cd");
    t.doc->DrawHorizontalLine(&t.other, 0, 5, 3, 5, 0); // from another window
    t.Type("ef");
    t.Command(ID_EDIT_UNDO); // ef
    EXPECT_EQ(t.Text(2, 0), "  ");
    t.Command(ID_EDIT_UNDO); // the line
    t.Command(ID_EDIT_UNDO); // cd
    EXPECT_EQ(t.Text(1, 0), "  ");
    EXPECT_EQ(t.Text(0, 0), "ab");
}

// A keystroke repaints exactly the cells it changed and the caret's old and
// new cells, in every window of the canvas.
TEST(TypingCaret, KeystrokeRepaintsOnlyItsCells) {
    TypingCanvas t;
    t.Click(4, 4);
    auto sent = [&](auto act) {
        t.view.invalidated.clear();
        t.other.invalidated.clear();
        act();
        std::set<std::tuple<int, int, int, int>> rects;
        for (const CCellRect& r : t.view.invalidated)
            rects.insert({r.left, r.top, r.right, r.bottom});
        std::set<std::tuple<int, int, int, int>> others;
        for (const CCellRect& r : t.other.invalidated)
            others.insert({r.left, r.top, r.right, r.bottom});
        EXPECT_EQ(rects, others);
        return rects;
    };
    using R = std::set<std::tuple<int, int, int, int>>;
    EXPECT_EQ(sent([&] { t.Type("a"); }), (R{{4, 4, 4, 4}}));
    EXPECT_EQ(sent([&] { t.Type("b"); }), (R{{4, 4, 4, 4}, {5, 4, 5, 4}}));
    EXPECT_EQ(sent([&] { t.Type("漢"); }), (R{{5, 4, 5, 4}, {6, 4, 6, 4}}));
    EXPECT_EQ(sent([&] { t.Keys({K::KEY_DOWN}); }), (R{{6, 4, 6, 4}, {6, 5, 6, 5}}));
    EXPECT_EQ(sent([&] { t.Keys({K::KEY_RIGHT}, K::MOD_SHIFT); }), (R{{6, 5, 6, 5}, {7, 5, 7, 5}}));
    EXPECT_EQ(sent([&] { t.Keys({K::KEY_DELETE}); }), (R{{7, 5, 7, 5}}));
    EXPECT_EQ(sent([&] { t.Keys({K::KEY_ESCAPE}); }), R{});
}

// Choosing another tool takes the caret away; a smaller canvas keeps it on.
TEST(TypingCaret, LeavingTheToolAndResizing) {
    TypingCanvas t;
    t.Click(30, 20);
    t.ctl.ApplyCanvasSettings(t.doc->m_nFontSize, 12, 11, 1, 96);
    EXPECT_EQ(t.Caret().Cell(), (CCellPoint{11, 10}));
    t.view.invalidated.clear();
    t.Command(ID_TOOL_RECT);
    EXPECT_EQ(CTypingCaret::Of(t.doc.get()), nullptr);
    ASSERT_FALSE(t.view.invalidated.empty());
    EXPECT_EQ(t.view.invalidated.front(), (CCellRect{11, 10, 11, 10}));
    // The factory makes the typing tool, which draws no feedback.
    t.Command(ID_TOOL_TYPE);
    t.Press(3, 3);
    EXPECT_EQ(TypeOf(t.ctl.ActiveTool()), typeid(CTypeTool));
    EXPECT_TRUE(t.view.onScreen.empty());
    t.Release(3, 3);
    EXPECT_EQ(t.Caret().Cell(), (CCellPoint{3, 3}));
}

// Without a click: the caret comes back where it last stood, after another
// tool and after typing moved it, and a canvas never typed on starts at the
// cell given (the window's first cell in view).
TEST(TypingCaret, ResumesWhereItLastStood) {
    TypingCanvas c;
    EXPECT_EQ(CTypingCaret::Resume(c.doc.get(), {3, 4}).Cell(), (CCellPoint{3, 4}));
    c.Type("ab");
    const CCellPoint typed = c.Caret().Cell();
    c.ctl.OnCommand(ID_TOOL_RECT);
    EXPECT_EQ(CTypingCaret::Of(c.doc.get()), nullptr);
    c.ctl.OnCommand(ID_TOOL_TYPE);
    EXPECT_EQ(CTypingCaret::Resume(c.doc.get(), {0, 0}).Cell(), typed);
    // A caret that is there stays where it is.
    c.Click(7, 2);
    EXPECT_EQ(CTypingCaret::Resume(c.doc.get(), {0, 0}).Cell(), (CCellPoint{7, 2}));
}
