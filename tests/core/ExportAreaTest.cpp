// Which cells an export shows. The used area is checked against its definition
// (every non-blank cell inside, every edge touching one), and a picture of an
// area is checked against a second route to the same picture: the whole-canvas
// picture of a canvas cut down to that rectangle by hand.
#include "canvas/io/ExportArea.h"
#include "DocTestSupport.h"
#include "canvas/LineFlags.h"
#include "canvas/io/SvgExport.h"

#include <gtest/gtest.h>

#include <random>

using doc_test::SizedDoc;

namespace {

// A canvas with a few random cells of every kind (lines, kanji, half-width
// text), all inside `box`.
std::unique_ptr<CRuvlenDoc> RandomDoc(std::mt19937& rng, int columns, int lines,
                                      const CCellRect& box) {
    auto doc = SizedDoc(columns, lines);
    std::uniform_int_distribution<int> x(box.left, box.right), y(box.top, box.bottom), kind(0, 3),
        flags(1, 63);
    for (int n = 0; n < 12; ++n) {
        CCell& cell = doc->Cell(x(rng), y(rng));
        switch (kind(rng)) {
        case 0:
            cell.SetLineFlags(flags(rng));
            break;
        case 1:
            cell.SetText("\x8A\xBF"); // 漢
            break;
        case 2:
            cell.SetText("a<");
            break;
        default:
            cell.SetText("\x84\xA9"); // ┼ typed as text
        }
    }
    return doc;
}

// The second route: a new canvas the rectangle's size holding its cells (set
// directly, since a canvas made the usual way is at least MIN_SIZE each way).
std::unique_ptr<CRuvlenDoc> CroppedByHand(const CRuvlenDoc& doc, const CCellRect& rc) {
    auto cropped = SizedDoc();
    cropped->m_nColumns = rc.Width();
    cropped->m_nLines = rc.Height();
    for (int y = rc.top; y <= rc.bottom; ++y)
        for (int x = rc.left; x <= rc.right; ++x)
            cropped->Cell(x - rc.left, y - rc.top) = doc.Cell(x, y);
    return cropped;
}

bool RowOrColumnHasInk(const CRuvlenDoc& doc, int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (!doc.Cell(x, y).IsBlank()) return true;
    return false;
}

} // namespace

TEST(ExportAreaTest, UsedAreaIsTheSmallestRectangleHoldingEveryNonBlankCell) {
    std::mt19937 rng(22);
    for (int round = 0; round < 200; ++round) {
        std::uniform_int_distribution<int> size(CRuvlenDoc::MIN_SIZE, 30);
        const int columns = size(rng), lines = size(rng);
        auto doc = RandomDoc(rng, columns, lines, {0, 0, columns - 1, lines - 1});
        CCellRect rc;
        std::string error;
        ASSERT_TRUE(ExportAreaRect(*doc, EExportArea::Used, rc, error)) << error;
        for (int y = 0; y < lines; ++y)
            for (int x = 0; x < columns; ++x)
                if (!doc->Cell(x, y).IsBlank()) {
                    ASSERT_TRUE(rc.Contains(x, y));
                }
        EXPECT_TRUE(RowOrColumnHasInk(*doc, rc.left, rc.top, rc.left, rc.bottom));
        EXPECT_TRUE(RowOrColumnHasInk(*doc, rc.right, rc.top, rc.right, rc.bottom));
        EXPECT_TRUE(RowOrColumnHasInk(*doc, rc.left, rc.top, rc.right, rc.top));
        EXPECT_TRUE(RowOrColumnHasInk(*doc, rc.left, rc.bottom, rc.right, rc.bottom));
    }
}

TEST(ExportAreaTest, CellsOffTheCanvasDoNotCount) {
    // A cell left beyond the edge after the canvas shrank is not exported.
    auto doc = SizedDoc(10, 10);
    doc->Cell(2, 3).SetText("ab");
    doc->Cell(50, 60).SetText("ab");
    CCellRect rc;
    std::string error;
    ASSERT_TRUE(ExportAreaRect(*doc, EExportArea::Used, rc, error));
    EXPECT_EQ(rc, (CCellRect{2, 3, 2, 3}));
}

TEST(ExportAreaTest, NothingToExportIsRefusedWithAMessage) {
    auto doc = SizedDoc(10, 10);
    doc->Cell(40, 40).SetText("ab"); // off the canvas
    CCellRect rc;
    std::string error;
    EXPECT_FALSE(ExportAreaRect(*doc, EExportArea::Used, rc, error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(ExportAreaRect(*doc, EExportArea::Selection, rc, error));
    EXPECT_FALSE(error.empty());
    // A selection wholly off the canvas is no selection either.
    doc->m_bSelection = 1;
    doc->m_rcSelection = {20, 20, 30, 30};
    EXPECT_FALSE(ExportAreaRect(*doc, EExportArea::Selection, rc, error));
    // The whole canvas is always there, blank or not.
    ASSERT_TRUE(ExportAreaRect(*doc, EExportArea::Canvas, rc, error));
    EXPECT_EQ(rc, doc->CanvasRect());
}

TEST(ExportAreaTest, SelectionIsCutDownToTheCanvas) {
    auto doc = SizedDoc(11, 12);
    doc->m_bSelection = 1;
    doc->m_rcSelection = {12, 15, 4, 2}; // corners in any order, partly off
    CCellRect rc;
    std::string error;
    ASSERT_TRUE(ExportAreaRect(*doc, EExportArea::Selection, rc, error)) << error;
    EXPECT_EQ(rc, (CCellRect{4, 2, 10, 11}));
}

TEST(ExportAreaTest, AreaPictureEqualsWholePictureOfTheCanvasCutByHand) {
    std::mt19937 rng(7);
    const CSvgExportOptions transparent{true};
    for (int round = 0; round < 60; ++round) {
        std::uniform_int_distribution<int> size(CRuvlenDoc::MIN_SIZE, 40), fontSize(0, 5);
        const int columns = size(rng), lines = size(rng);
        std::uniform_int_distribution<int> px(0, columns - 1), py(0, lines - 1);
        const CCellRect box = CCellRect::FromCorners(px(rng), py(rng), px(rng), py(rng));
        auto doc = RandomDoc(rng, columns, lines, box);
        const int font = fontSize(rng);
        CCellRect rc;
        std::string error;
        ASSERT_TRUE(ExportAreaRect(*doc, EExportArea::Used, rc, error)) << error;
        auto cropped = CroppedByHand(*doc, rc);
        EXPECT_EQ(ExportSvg(*doc, rc, font), ExportSvg(*cropped, font));
        EXPECT_EQ(ExportSvg(*doc, rc, font, transparent), ExportSvg(*cropped, font, transparent));
        // A selection exactly over the used area gives the same picture.
        doc->Select(nullptr, rc.left, rc.top, rc.right, rc.bottom);
        CCellRect selected;
        ASSERT_TRUE(ExportAreaRect(*doc, EExportArea::Selection, selected, error)) << error;
        EXPECT_EQ(ExportSvg(*doc, selected, font), ExportSvg(*doc, rc, font));
        // Any other rectangle of the canvas goes the same way.
        const CCellRect any = CCellRect::FromCorners(px(rng), py(rng), px(rng), py(rng));
        EXPECT_EQ(ExportSvg(*doc, any, font), ExportSvg(*CroppedByHand(*doc, any), font));
    }
}

TEST(ExportAreaTest, WholeCanvasAreaIsTheCanvasPicture) {
    std::mt19937 rng(3);
    auto doc = RandomDoc(rng, 17, 9, {0, 0, 16, 8});
    CCellRect rc;
    std::string error;
    ASSERT_TRUE(ExportAreaRect(*doc, EExportArea::Canvas, rc, error));
    EXPECT_EQ(ExportSvg(*doc, rc, 2), ExportSvg(*doc, 2));
}
