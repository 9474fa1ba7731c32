#include "canvas/io/LayoutReader.h"

#include "canvas/LineFlags.h"
#include "canvas/io/AsciiLines.h"
#include "canvas/io/Cp932.h"
#include "canvas/io/DiagramRelayout.h"
#include "canvas/io/LayoutChars.h"
#include "canvas/io/Utf8CellText.h"

namespace {

// Down arms of line `above` met by up arms of line `below` in the same column.
int VerticalJoints(const CLayoutLine& above, const CLayoutLine& below) {
    const std::vector<int> at = CharAtColumn(below);
    const std::vector<int> columns = CharColumns(above);
    int joints = 0;
    for (size_t i = 0; i < above.chars.size(); ++i) {
        if (!(above.chars[i].lineFlags & LF_DOWN)) continue;
        const size_t column = size_t(columns[i]);
        if (column < at.size() && at[column] >= 0 &&
            (below.chars[size_t(at[column])].lineFlags & LF_UP))
            ++joints;
    }
    return joints;
}

// Characters that have a vertical arm or need a whole cell but start on an odd
// column: what keeps a line off the two-column grid.
int OffGridChars(const CLayoutLine& line) {
    int count = 0, column = 0;
    for (const CLayoutChar& c : line.chars) {
        const bool wholeText = !c.IsLine() && c.IsWholeCell();
        if (column % 2 == 1 && (wholeText || (c.lineFlags & (LF_UP | LF_DOWN)))) ++count;
        column += c.cols;
    }
    return count;
}

struct CJointCount {
    int joints = 0;
    int offGrid = 0; // OffGridChars of every line
};

// Counts over the whole text, two lines at a time.
CJointCount CountJoints(const std::string& utf8, size_t start, ColumnModel model) {
    CLineReader reader(utf8, start, true, model);
    CJointCount count;
    CLayoutLine above, line;
    for (bool first = true; reader.Next(line); first = false) {
        if (!first) count.joints += VerticalJoints(above, line);
        count.offGrid += OffGridChars(line);
        above = std::move(line);
    }
    return count;
}

} // namespace

bool IsNarrowDrawing(const std::string& utf8, size_t start) {
    const CJointCount western = CountJoints(utf8, start, ColumnModel::Western);
    const CJointCount cells = CountJoints(utf8, start, ColumnModel::Cells);
    if (western.joints != cells.joints) return western.joints > cells.joints;
    return western.joints > 0 && western.offGrid < cells.offGrid;
}

BoxLayout DetectBoxLayout(const std::string& bytes, const CTextFormat& format) {
    if (format.m_encoding == TextEncoding::ShiftJis) return BoxLayout::Wide;
    const size_t start = format.m_encoding == TextEncoding::Utf8Bom ? 3 : 0;
    return IsNarrowDrawing(bytes, start) ? BoxLayout::Narrow : BoxLayout::Wide;
}

CLayoutReadOptions ReadOptionsFor(BoxLayout layout) {
    CLayoutReadOptions options;
    options.layout = layout == BoxLayout::Narrow ? LayoutChoice::Narrow : LayoutChoice::Wide;
    // ASCII drawings take the widths of their encoding.
    if (layout == BoxLayout::Ascii) options.layout = LayoutChoice::Detect;
    options.asciiLines = layout == BoxLayout::Ascii;
    return options;
}

CLayoutReading ReadBoxLayout(const std::string& bytes, size_t start, bool utf8,
                             const CLayoutReadOptions& options, size_t maxLines,
                             const char* lineEnd) {
    CLayoutReading reading;
    // ASCII drawings are drawn for the widths their text is shown with: Western
    // ones in UTF-8, Japanese ones in Shift-JIS.
    bool western = options.layout == LayoutChoice::Narrow;
    if (options.layout == LayoutChoice::Detect)
        western = utf8 && (options.asciiLines || IsNarrowDrawing(bytes, start));
    if (!western && !options.asciiLines) return reading;
    reading.layout = options.asciiLines ? BoxLayout::Ascii : BoxLayout::Narrow;
    const ColumnModel model = western ? ColumnModel::Western : ColumnModel::Cells;
    size_t end = 0;
    std::vector<CLayoutLine> lines = ReadLayoutLines(bytes, start, utf8, model, maxLines, &end);
    if (options.asciiLines) MarkAsciiLines(lines);
    const CRelayResult relaid = RelayDiagrams(lines);
    reading.placed = true;
    reading.relaid = relaid.changed;
    reading.addedColumns = relaid.addedColumns;
    reading.cells = PlaceCells(lines, lineEnd);
    if (end < bytes.size()) { // past what any canvas holds, only to be measured or cut
        std::vector<CCharChange> ignored;
        if (!utf8)
            reading.cells.bytes += bytes.substr(end);
        else if (lineEnd)
            reading.cells.bytes += UnicodeToClipboardBytes(bytes.substr(end));
        else
            reading.cells.bytes += Utf8ToCellBytes(bytes, end, ignored);
    }
    return reading;
}

std::string DescribeRelayout(int addedColumns) {
    const std::string text = "半角の罫線で描かれた図を全角の桁に合わせて並べ直し、";
    if (addedColumns == 0) return text + "幅はそのままです。";
    return text + "幅を " + std::to_string(addedColumns) + " 桁広げました。";
}

std::string DescribeRelayoutEnglish(int addedColumns) {
    const std::string text = "a diagram drawn with narrow box drawing was re-laid onto the "
                             "two-column grid";
    if (addedColumns == 0) return text + ", keeping its width";
    return text + ", " + std::to_string(addedColumns) +
           (addedColumns == 1 ? " column" : " columns") + " wider";
}

std::string ClipboardCellBytes(const std::string& utf8) {
    std::string text; // LF line ends, as the detection reads them
    text.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '\r') {
            text += utf8[i];
        } else {
            text += '\n';
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
        }
    }
    const CLayoutReading reading = ReadBoxLayout(text, 0, true, CLayoutReadOptions(), 100, "\r\n");
    return reading.placed ? reading.cells.bytes : UnicodeToClipboardBytes(text);
}
