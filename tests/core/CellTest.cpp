#include "canvas/Cell.h"
#include "canvas/ByteClass.h"
#include "canvas/LineFlags.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CCell LineCell(int flags) {
    CCell cell;
    cell.SetLineFlags(flags);
    return cell;
}

std::string Text(const CCell& cell) {
    return std::string(cell.m_szText, 2);
}

} // namespace

TEST(CellGlyph, EveryValidCodeComposesAndReadsBack) {
    for (int flags : g_validLineFlags) {
        CCell cell = LineCell(flags);
        ASSERT_EQ(cell.m_bLine, 1) << flags;
        CCell read;
        read.SetText(cell.m_szText);
        EXPECT_EQ(read.m_bLine, 1) << flags;
        EXPECT_EQ(read.m_nLineFlags, flags);
    }
    // The table covers exactly the 32 characters 0x849F..0x84BE.
    for (int code = 0x849F; code <= 0x84BE; ++code) {
        char text[3] = {char(code >> 8), char(code & 0xFF), 0};
        EXPECT_GE(LineFlagsForText(text), 0) << std::hex << code;
    }
    EXPECT_EQ(Text(LineCell(21)), "\x84\xAA"); // ━
    EXPECT_EQ(Text(LineCell(63)), "\x84\xB4"); // ╋
}

TEST(CellGlyph, InvalidCodesShowStarAndAreNoLine) {
    int valid = 0;
    for (int flags = 0; flags < 64; ++flags) {
        CCell cell = LineCell(flags);
        if (CCell::IsValidLineFlags(flags)) {
            ++valid;
            continue;
        }
        EXPECT_EQ(Text(cell), SJIS_STAR) << flags;
        EXPECT_EQ(cell.m_bLine, 0) << flags;
        EXPECT_EQ(cell.m_nLineFlags, flags);
    }
    EXPECT_EQ(valid, 32);
}

TEST(CellText, SetTextMarksUsedAndPadsShortText) {
    CCell cell;
    EXPECT_EQ(cell.m_bUsed, 0);
    EXPECT_TRUE(cell.IsBlank());
    cell.SetText("a");
    EXPECT_EQ(cell.m_bUsed, 1);
    EXPECT_EQ(Text(cell), "a ");
    cell.SetText("");
    EXPECT_EQ(Text(cell), "  ");
    cell.SetText(SJIS_STAR);
    EXPECT_EQ(cell.m_bLine, 0);
}

TEST(CellText, BlankAndEraseAndReset) {
    CCell cell;
    cell.SetText(SJIS_IDEO_SPACE);
    EXPECT_TRUE(cell.IsBlank());
    cell.SetText(" a");
    EXPECT_FALSE(cell.IsBlank());
    cell = LineCell(15);
    cell.Erase();
    EXPECT_EQ(cell.m_bUsed, 1);
    EXPECT_EQ(cell.m_bLine, 0);
    EXPECT_TRUE(cell.IsBlank());
    cell.Reset();
    EXPECT_EQ(cell.m_bUsed, 0);
}

TEST(CellMerge, NonLineCellsStartFullLines) {
    CCell cell;
    cell.SetText("ab");
    cell.AddRight(1);
    EXPECT_EQ(cell.m_nLineFlags, 21);
    CCell blank;
    blank.AddRight(0);
    EXPECT_EQ(blank.m_nLineFlags, 5);
    CCell up;
    up.AddUp(1);
    EXPECT_EQ(up.m_nLineFlags, 42);
    CCell corner;
    corner.AddBottomRightCorner(1);
    EXPECT_EQ(corner.m_nLineFlags, 60);
}

TEST(CellMerge, JunctionsAndWeights) {
    struct Case {
        int from;
        void (CCell::*op)(int);
        int thick;
        int expected;
    } cases[] = {
        {21, &CCell::AddDown, 0, 23},             // ━ + thin down = ┯
        {10, &CCell::AddHorizontal, 1, 31},       // │ + thick horizontal = ┿
        {9, &CCell::AddRight, 1, 57},             // └ + thick right = ┗ (corner: both axes)
        {51, &CCell::AddDown, 0, 3},              // ┏ + thin down = ┌
        {5, &CCell::AddTopLeftCorner, 1, 55},     // ─ + thick corner = ┳
        {54, &CCell::AddBottomLeftCorner, 0, 15}, // ┓ + thin └ = ┼
        {21, &CCell::AddHorizontal, 0, 5},        // later drawing decides the axis weight
        {42, &CCell::AddHorizontal, 0, 47},       // ┃ + thin horizontal = ╂
        {11, &CCell::AddLeft, 1, 31},             // ├ + thick left = ┿
    };
    for (const Case& c : cases) {
        CCell cell = LineCell(c.from);
        (cell.*c.op)(c.thick);
        EXPECT_EQ(cell.m_nLineFlags, c.expected) << c.from;
        EXPECT_EQ(cell.m_bLine, 1);
    }
}

TEST(CellMerge, EveryMergeOfAValidCodeStaysValid) {
    void (CCell::*ops[])(int) = {&CCell::AddHorizontal,
                                 &CCell::AddVertical,
                                 &CCell::AddRight,
                                 &CCell::AddLeft,
                                 &CCell::AddDown,
                                 &CCell::AddUp,
                                 &CCell::AddTopLeftCorner,
                                 &CCell::AddTopRightCorner,
                                 &CCell::AddBottomLeftCorner,
                                 &CCell::AddBottomRightCorner};
    for (int flags : g_validLineFlags)
        for (auto op : ops)
            for (int thick = 0; thick < 2; ++thick) {
                CCell cell = LineCell(flags);
                (cell.*op)(thick);
                EXPECT_TRUE(CCell::IsValidLineFlags(cell.m_nLineFlags)) << flags;
            }
}

TEST(CellToggleArm, AddsAndRemovesArms) {
    struct Case {
        int from, direction, expected, changed;
    } cases[] = {
        {15, ARM_RIGHT, 14, 1}, // ┼ minus right = ┤
        {55, ARM_DOWN, 21, 1},  // ┳ minus down = ━ (thickness flipped)
        {23, ARM_LEFT, 3, 1},   // ┯ minus left = ┌
        {39, ARM_LEFT, 51, 1},  // ┰ minus left = ┏
        {3, ARM_RIGHT, 3, 0},   // a corner never loses an arm
        {3, ARM_DOWN, 3, 0},    {5, ARM_LEFT, 5, 0}, {5, ARM_DOWN, 7, 1}, // adding an arm
        {21, ARM_UP, 29, 1},
    };
    for (const Case& c : cases) {
        CCell cell = LineCell(c.from);
        EXPECT_EQ(cell.ToggleArm(c.direction), c.changed) << c.from;
        EXPECT_EQ(cell.m_nLineFlags, c.expected) << c.from;
    }
    CCell text;
    text.SetText("ab");
    EXPECT_EQ(text.ToggleArm(ARM_RIGHT), 0);
    EXPECT_EQ(Text(text), "ab");
}

TEST(CellTransform, RotationsAndMirrors) {
    EXPECT_EQ(RotateLineFlagsRight(3), 6);
    EXPECT_EQ(RotateLineFlagsRight(5), 10);
    EXPECT_EQ(RotateLineFlagsRight(21), 42);
    EXPECT_EQ(RotateLineFlagsRight(27), 39);
    EXPECT_EQ(RotateLineFlagsRight(51), 54);
    EXPECT_EQ(RotateLineFlagsRight(15), 15);
    EXPECT_EQ(RotateLineFlagsRight(63), 63);
    const int hpairs[][2] = {{3, 6},   {9, 12},  {11, 14}, {27, 30},
                             {43, 46}, {51, 54}, {57, 60}, {59, 62}};
    const int vpairs[][2] = {{3, 9},   {6, 12},  {7, 13},  {23, 29},
                             {39, 45}, {51, 57}, {54, 60}, {55, 61}};
    for (auto& p : hpairs) EXPECT_EQ(FlipLineFlagsHorizontal(p[0]), p[1]);
    for (auto& p : vpairs) EXPECT_EQ(FlipLineFlagsVertical(p[1]), p[0]);
    for (int flags : g_validLineFlags) {
        CCell cell = LineCell(flags);
        for (int i = 0; i < 4; ++i) cell.RotateRight();
        EXPECT_EQ(cell.m_nLineFlags, flags);
        EXPECT_TRUE(CCell::IsValidLineFlags(RotateLineFlagsRight(flags)));
        cell.FlipHorizontal();
        EXPECT_TRUE(cell.m_bLine);
        cell.FlipHorizontal();
        cell.FlipVertical();
        cell.FlipVertical();
        EXPECT_EQ(cell.m_nLineFlags, flags);
    }
    CCell text;
    text.SetText("ab");
    text.FlipVertical();
    EXPECT_EQ(Text(text), "ab");
}

TEST(CellDiagonal, SlashBackslashAndCross) {
    CCell fresh;
    fresh.AddSlash();
    EXPECT_EQ(Text(fresh), SJIS_SLASH);
    fresh.AddBackslash();
    EXPECT_EQ(Text(fresh), SJIS_CROSS);
    fresh.AddSlash();
    EXPECT_EQ(Text(fresh), SJIS_CROSS);
    CCell line = LineCell(15);
    line.AddSlash();
    EXPECT_EQ(Text(line), SJIS_SLASH);
    EXPECT_EQ(line.m_bLine, 0);
    // A never-written cell holding a backslash-looking text is not merged.
    CCell unused;
    std::copy(SJIS_BACKSLASH, SJIS_BACKSLASH + 2, unused.m_szText);
    unused.AddSlash();
    EXPECT_EQ(Text(unused), SJIS_SLASH);
}

TEST(ByteClass, Boundaries) {
    EXPECT_FALSE(IsTrailByte(0x7F));
    EXPECT_TRUE(IsLeadByte(0x80));
    EXPECT_FALSE(IsSingleByteChar(0xA0));
    EXPECT_FALSE(IsLeadByte(0xA0));
    EXPECT_TRUE(IsSingleByteChar(0xA1));
    EXPECT_TRUE(IsSingleByteChar(0xDF));
    EXPECT_TRUE(IsLeadByte(0xFC));
    EXPECT_FALSE(IsLeadByte(0xFD));
    EXPECT_FALSE(IsSingleByteChar(0x1F));
    EXPECT_TRUE(IsTrailByte(0x40));
    EXPECT_FALSE(IsTrailByte(0xFD));
}
