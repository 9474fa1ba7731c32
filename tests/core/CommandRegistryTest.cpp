// Invariants of the command and tool registries, and of the cell geometry that
// the document, the exports and the command line share.
#include "FakeViewPort.h"

#include "canvas/io/ExportSize.h"
#include "tools/CommandRegistry.h"
#include "tools/ToolRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <sstream>

using namespace tool_test;

namespace {

std::vector<std::string> SplitKeys(const char* keys) {
    std::vector<std::string> out;
    std::stringstream in(keys ? keys : "");
    std::string key;
    while (std::getline(in, key, ';'))
        if (!key.empty()) out.push_back(key);
    return out;
}

// Every layout: both menu bars' menus, the toolbar and the context menu.
std::vector<std::vector<int>> AllLayouts() {
    std::vector<std::vector<int>> layouts = {ToolbarLayout(), ContextMenuLayout()};
    for (bool canvas : {false, true})
        for (MenuId menu : MenuBar(canvas)) layouts.push_back(MenuLayout(canvas, menu));
    return layouts;
}

} // namespace

TEST(CommandRegistry, EveryRowIsCompleteAndUnique) {
    std::set<int> ids;
    std::set<std::string> words;
    for (const CCommandRow& row : CommandRegistry()) {
        SCOPED_TRACE(row.id);
        EXPECT_TRUE(ids.insert(row.id).second) << "id used twice";
        EXPECT_NE(row.enable, EnableRule::Unset) << "no enabling rule";
        // A view command is the controller's or the window's; the frame's rules
        // are the frame-wide ones only.
        if (row.owner == CommandOwner::Frame) {
            EXPECT_EQ(row.run, nullptr);
            EXPECT_TRUE(CommandEnabledInFrame(row.enable, true) || row.enable == EnableRule::Never);
        }
        if (row.cliWord) {
            EXPECT_NE(row.run, nullptr) << "a CLI word needs a controller handler";
            EXPECT_TRUE(words.insert(row.cliWord).second) << row.cliWord;
            EXPECT_EQ(FindCommandByCliWord(row.cliWord), &row);
        }
        if (row.contextMenu) {
            EXPECT_NE(row.contextText, nullptr);
        }
        if (row.canvasMenu.menu != MenuId::None || row.noCanvasMenu.menu != MenuId::None) {
            EXPECT_NE(row.menuText, nullptr);
        }
        if (row.toolbar) {
            EXPECT_NE(row.icon, nullptr);
        }
        // Each exclusive group shows one rule: the tool rows are the tool group,
        // checked by the tool mode (as the paste commands are while they wait);
        // the two weights are the line group.
        EXPECT_EQ(row.group == ActionGroup::Tool, FindToolRow(row.id) != nullptr);
        if (row.group == ActionGroup::Tool) {
            EXPECT_EQ(row.check, CheckRule::ToolMode);
        }
        if (row.group == ActionGroup::Line) {
            EXPECT_EQ(row.check, CheckRule::LineMode);
        }
        EXPECT_EQ(row.check == CheckRule::LineMode, row.group == ActionGroup::Line);
    }
}

TEST(CommandRegistry, EveryLayoutSlotNamesARowOnce) {
    for (const std::vector<int>& layout : AllLayouts()) {
        ASSERT_FALSE(layout.empty());
        EXPECT_NE(layout.front(), 0);
        EXPECT_NE(layout.back(), 0);
        std::set<int> seen;
        for (size_t i = 0; i < layout.size(); ++i) {
            if (layout[i] == 0) {
                EXPECT_NE(layout[i - 1], 0) << "two separators in a row";
                continue;
            }
            EXPECT_NE(FindCommand(layout[i]), nullptr) << layout[i];
            EXPECT_TRUE(seen.insert(layout[i]).second) << layout[i];
        }
    }
}

TEST(CommandRegistry, EveryMenuOfABarHasItems) {
    for (bool canvas : {false, true})
        for (MenuId menu : MenuBar(canvas)) {
            EXPECT_STRNE(MenuTitle(menu), "");
            EXPECT_FALSE(MenuLayout(canvas, menu).empty());
        }
}

TEST(CommandRegistry, NoTwoRowsShareAShortcut) {
    std::set<std::string> keys;
    for (const CCommandRow& row : CommandRegistry())
        for (const std::string& key : SplitKeys(row.keys))
            EXPECT_TRUE(keys.insert(key).second) << key << " on " << row.id;
}

// Every tool and line weight can be chosen from the keyboard.
TEST(CommandRegistry, ToolsAndWeightsHaveKeys) {
    int grouped = 0;
    for (const CCommandRow& row : CommandRegistry()) {
        if (row.group == ActionGroup::None) continue;
        ++grouped;
        EXPECT_FALSE(SplitKeys(row.keys).empty()) << row.id;
    }
    EXPECT_EQ(grouped, int(ToolRows().size()) + 2);
}

TEST(CommandRegistry, TheContextMenuFollowsTheCommandsEnabling) {
    Canvas cv;
    cv.Command(ID_TOOL_SELECT);
    cv.Drag(2, 2, 4, 6);
    cv.clipboard.Hold("ab\r\n");
    for (const auto& item : cv.ctl.GetContextMenuState().items)
        if (item.id != 0) {
            EXPECT_EQ(item.enabled, cv.ctl.IsCommandEnabled(item.id)) << item.id;
        }
}

// Whatever route a command takes, the controller asks the row's rule first.
TEST(CommandRegistry, ADisabledViewCommandNeverRuns) {
    for (const CCommandRow& row : CommandRegistry()) {
        if (row.owner != CommandOwner::View || !row.run) continue;
        Canvas cv;
        Fill(*cv.doc);
        const std::string before = Render(*cv.doc);
        const int mode = cv.doc->m_nToolMode, grid = cv.doc->m_bGrid;
        if (cv.ctl.IsCommandEnabled(row.id)) continue;
        EXPECT_FALSE(cv.Command(row.id)) << row.id;
        EXPECT_EQ(Render(*cv.doc), before) << row.id;
        EXPECT_EQ(cv.doc->m_nToolMode, mode);
        EXPECT_EQ(cv.doc->m_bGrid, grid);
    }
}

TEST(CommandRegistry, FrameCommandsAreNotTheControllers) {
    Canvas cv;
    for (const CCommandRow& row : CommandRegistry())
        if (row.owner == CommandOwner::Frame) {
            EXPECT_FALSE(cv.Command(row.id)) << row.id;
        }
    EXPECT_FALSE(cv.Command(12345));
}

TEST(ToolRegistry, EveryToolRowMakesItsToolAndCommand) {
    std::set<std::string> names;
    for (const CToolRow& tool : ToolRows()) {
        SCOPED_TRACE(tool.id);
        EXPECT_TRUE(names.insert(tool.cliName).second);
        EXPECT_EQ(FindToolByCliName(tool.cliName), &tool);
        const CCommandRow* row = FindCommand(tool.id);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->group, ActionGroup::Tool);
        EXPECT_GT(row->toolbar, 0);
        Canvas cv;
        ASSERT_TRUE(cv.Command(tool.id));
        EXPECT_EQ(cv.doc->m_nToolMode, tool.id);
        EXPECT_NE(tool.create(cv.doc.get(), &cv.view, &cv.symbols), nullptr);
        // A press on the canvas starts a tool of the row's making.
        cv.Press(3, 3);
        ASSERT_NE(cv.ctl.ActiveTool(), nullptr);
        const auto made = tool.create(cv.doc.get(), &cv.view, &cv.symbols);
        EXPECT_EQ(TypeOf(cv.ctl.ActiveTool()), TypeOf(made.get()));
    }
    // The toolbar shows the tools in their rows' order, side by side.
    const std::vector<int> bar = ToolbarLayout();
    auto at = std::find(bar.begin(), bar.end(), ToolRows().front().id);
    for (const CToolRow& tool : ToolRows()) {
        ASSERT_NE(at, bar.end());
        EXPECT_EQ(*at++, tool.id);
    }
}

TEST(ToolRegistry, IdleCursorsComeFromTheRows) {
    for (const CToolRow& tool : ToolRows()) {
        Canvas cv;
        cv.Command(tool.id);
        cv.ctl.OnMouseMove(cv.X(5), cv.Y(5));
        ASSERT_FALSE(cv.view.cursors.empty());
        EXPECT_EQ(cv.view.cursors.back(), tool.cursor) << tool.id;
    }
}

TEST(CellGeometry, EveryRouteToACellAgrees) {
    for (int dpi : {72, 96, 120, 144, 300, 600})
        for (int size = 0; size < kFontSizeCount; ++size) {
            SCOPED_TRACE(std::to_string(dpi) + " dpi, size " + std::to_string(size));
            CCanvasDefaults defaults;
            defaults.m_nDefaultTextSize = size;
            defaults.m_nDefaultColumns = 13;
            defaults.m_nDefaultLines = 11;
            CRuvlenDoc doc(defaults);
            doc.ComputeMetrics(dpi);
            const CCellGeometry g = doc.Geometry(dpi);
            EXPECT_EQ(g.d, std::max(1, CRuvlenDoc::GetCellSize(dpi, size)));
            EXPECT_EQ(g.d, doc.m_nCellSize);
            EXPECT_EQ(g.originX, doc.m_nOriginX);
            EXPECT_EQ(g.totalHeight, doc.m_nTotalHeight);
            // The centre of each cell maps back onto that cell, and the canvas
            // rectangle is exactly the cells' pixels.
            for (int y = 0; y < g.lines; ++y)
                for (int x = 0; x < g.columns; ++x) {
                    const CCellPoint c = g.CellCenter(x, y);
                    const CCellPoint back = doc.CellFromPoint(c.x, c.y);
                    ASSERT_EQ(back.x, x);
                    ASSERT_EQ(back.y, y);
                }
            const CCellRect px = doc.CellToLogical(doc.CanvasRect());
            const CCellRect canvas = g.CanvasRect();
            EXPECT_EQ(px.left, canvas.left);
            EXPECT_EQ(px.bottom, canvas.bottom);
            EXPECT_EQ(g.canvasWidth, canvas.right - canvas.left + 1);
        }
}

TEST(CellGeometry, SizesGrowAndExportsUseTheReferenceResolution) {
    int previous = 0;
    for (int size = 0; size < kFontSizeCount; ++size) {
        EXPECT_GT(FontSizeAt(size).points, FontSizeAt(size - 1 < 0 ? 0 : size - 1).points - 1e-9);
        EXPECT_STRNE(FontSizeName(size), "");
        // The aligned label ends in the name.
        const std::string label = FontSizeAt(size).label, name = FontSizeName(size);
        EXPECT_EQ(label.substr(label.size() - name.size()), name);
        const int d = CCellGeometry::CellEdge(size, kReferenceDpi);
        EXPECT_GT(d, previous);
        previous = d;
        CRuvlenDoc doc;
        EXPECT_EQ(CExportExtent::For(doc, size).d, d);
        EXPECT_EQ(CExportExtent::For(doc, size).baseline, CCellGeometry::Baseline(d));
    }
    EXPECT_STREQ(FontSizeName(kFontSizeCount), "");
    EXPECT_EQ(CCellGeometry::CellEdge(-1, 96), CCellGeometry::CellEdge(1, 96));
}
