// Clipboard text larger than the canvas: measured unwrapped, and read cut at
// the canvas's edges instead of wrapping.
#include "DocTestSupport.h"
#include "FakeViewPort.h"
#include "canvas/CommandIds.h"
#include "tools/ViewController.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace doc_test;
using namespace tool_test;

namespace {

// One cell each: two half-width characters, a full-width one, a line character.
const char* const kCells[] = {"ab", "\x82\xA0", "\x84\x9F", "xy"};

// Random text of whole cells, as lines of cell indices.
std::vector<std::vector<int>> RandomLines(std::mt19937& rng, int maxColumns, int maxLines) {
    std::vector<std::vector<int>> lines(rng() % (maxLines + 1));
    for (auto& line : lines) {
        line.resize(rng() % (maxColumns + 1));
        for (int& cell : line) cell = int(rng() % 4);
    }
    return lines;
}

// The lines as clipboard text; each line keeps at most `columns` cells and only
// the first `keep` lines are written (the cutting done by hand).
std::string Text(const std::vector<std::vector<int>>& lines, size_t columns = 1000,
                 size_t keep = 1000) {
    std::string text;
    for (size_t i = 0; i < lines.size() && i < keep; ++i) {
        for (size_t c = 0; c < lines[i].size() && c < columns; ++c) text += kCells[lines[i][c]];
        text += "\r\n";
    }
    return text;
}

std::string BufferOf(CRuvlenDoc& doc) {
    return RenderBuffer(doc, doc.m_nBufferColumns, doc.m_nBufferLines) + "/" +
           std::to_string(doc.m_nBufferColumns) + "x" + std::to_string(doc.m_nBufferLines);
}

} // namespace

// Cutting equals wrapping the same text after its lines were cut by hand, the
// count names the lines that lost cells, and the measure is the text's own size.
TEST(PasteCut, CutEqualsWrappingTextCutByHand) {
    std::mt19937 rng(30);
    CRuvlenDoc doc{CCanvasDefaults{2, 12, 10, 1}};
    for (int round = 0; round < 400; ++round) {
        const auto lines = RandomLines(rng, 20, 16);
        const std::string text = Text(lines);
        int cut = 0, widest = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            widest = std::max(widest, int(lines[i].size()));
            cut += (i < 10 ? lines[i].size() > 12 : !lines[i].empty());
        }
        SCOPED_TRACE(round);
        EXPECT_EQ(CRuvlenDoc::MeasureText(text.c_str()), (CCellPoint{widest, int(lines.size())}));
        doc.ImportText(Text(lines, 12, 10).c_str());
        const std::string byHand = BufferOf(doc);
        EXPECT_EQ(doc.ImportTextCut(text.c_str()), cut);
        EXPECT_EQ(BufferOf(doc), byHand);
    }
}

// A last line without a line end, and a line ending exactly at the edge.
TEST(PasteCut, LastLineAndExactWidth) {
    CRuvlenDoc doc{CCanvasDefaults{2, 10, 10, 1}};
    EXPECT_EQ(CRuvlenDoc::MeasureText("abcd\r\nabcdefghijklmnopqrstuv"), (CCellPoint{11, 2}));
    EXPECT_EQ(doc.ImportTextCut("abcd\r\nabcdefghijklmnopqrstuv"), 1);
    EXPECT_EQ(doc.m_nBufferColumns, 10);
    EXPECT_EQ(doc.m_nBufferLines, 2);
    EXPECT_EQ(doc.ImportTextCut("abcdefghijklmnopqrst\r\n"), 0);
    EXPECT_EQ(CRuvlenDoc::MeasureText(""), (CCellPoint{0, 0}));
}

namespace {

struct PasteFitFixture : ::testing::Test {
    CRuvlenDoc doc{CCanvasDefaults{2, 20, 10, 1}};
    struct View : FakeViewPort {
        EPasteFit answer = PASTE_CUT;
        std::vector<CCellPoint> asked;
        std::vector<int> cuts;
        EPasteFit AskPasteFit(int columns, int lines) override {
            asked.push_back({columns, lines});
            return answer;
        }
        void ReportPasteCut(int cutLines, int, int) override { cuts.push_back(cutLines); }
    } view;
    FakeClipboard clipboard;
    CViewController controller{&doc, &view, &clipboard, nullptr};
    void SetUp() override {
        doc.ComputeMetrics(96);
        doc.AddView(&view);
    }
    void Paste(const std::string& text) {
        clipboard.Hold(text);
        controller.OnCommand(ID_EDIT_PASTE);
    }
};

std::string Wide(int cells, int lines) {
    std::string text;
    for (int r = 0; r < lines; ++r) text += std::string(2 * cells, 'x') + "\r\n";
    return text;
}

} // namespace

// The window is asked only for text larger than the canvas; each answer does
// what it says, and no answer ever wraps a line.
TEST_F(PasteFitFixture, AnswersOfTheQuestion) {
    Paste(Wide(20, 10));
    EXPECT_TRUE(view.asked.empty());
    EXPECT_EQ(doc.m_nToolState, 2);
    controller.CancelGesture();

    view.answer = CViewPort::PASTE_CANCEL;
    Paste(Wide(30, 4));
    EXPECT_EQ(view.asked.back(), (CCellPoint{30, 4}));
    EXPECT_EQ(doc.m_nToolState, 0);

    view.answer = CViewPort::PASTE_CUT;
    Paste(Wide(30, 4));
    EXPECT_EQ(doc.m_nToolState, 2);
    EXPECT_EQ(doc.m_nBufferColumns, 20);
    EXPECT_EQ(doc.m_nBufferLines, 4);
    EXPECT_EQ(view.cuts, std::vector<int>{4});
    EXPECT_EQ(doc.m_nColumns, 20);
    controller.CancelGesture();

    view.answer = CViewPort::PASTE_ENLARGE;
    Paste(Wide(30, 4));
    EXPECT_EQ(doc.m_nColumns, 30);
    EXPECT_EQ(doc.m_nLines, 10); // never smaller
    EXPECT_EQ(doc.m_nBufferColumns, 30);
    EXPECT_EQ(view.cuts.size(), 1u); // nothing cut this time
    controller.CancelGesture();

    // Beyond the largest canvas: grown to the limit and cut there.
    Paste(Wide(120, 3));
    EXPECT_EQ(doc.m_nColumns, CRuvlenDoc::MAX_SIZE);
    EXPECT_EQ(doc.m_nBufferColumns, CRuvlenDoc::MAX_SIZE);
    EXPECT_EQ(view.cuts.back(), 3);
}
