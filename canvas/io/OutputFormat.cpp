#include "canvas/io/OutputFormat.h"

#include "canvas/RuvlenDoc.h"
#include "canvas/io/LayoutText.h"
#include "canvas/io/SafeWrite.h"
#include "canvas/io/SvgExport.h"

#include <cctype>

namespace {

bool WriteSvg(const CRuvlenDoc& doc, const COutputRequest& r, const std::string& path,
              std::string& error) {
    CSvgExportOptions options;
    options.transparent = r.transparent;
    return ExportSvgFile(doc, r.cells, path, r.fontSize, error, options);
}

bool WriteMarkdown(const CRuvlenDoc& doc, const COutputRequest& r, const std::string& path,
                   std::string& error) {
    return WriteFileSafely(path, MarkdownText(doc, r.cells), error);
}

template <BoxLayout layout>
bool WriteText(const CRuvlenDoc& doc, const COutputRequest& r, const std::string& path,
               std::string& error) {
    CTextFormat format = doc.m_textFormat;
    format.m_layout = layout;
    format = WrittenFormat(format);
    const char* eol = format.m_lineEnding == LineEnding::Lf ? "\n" : "\r\n";
    return WriteFileSafely(path, EncodeLayoutText(LayoutLines(doc, r.cells, format, eol), format),
                           error);
}

std::vector<COutputFormat>& Rows() {
    static std::vector<COutputFormat> rows = {
        {"png", "png", "PNG 画像 (*.png)", kOutputSize | kOutputTransparent, nullptr},
        {"svg", "svg", "SVG 画像 (*.svg)", kOutputSize | kOutputTransparent, WriteSvg},
        {"pdf", "pdf", "PDF (*.pdf)", kOutputSize, nullptr},
        {"md", "md", "Markdown (*.md)", 0, WriteMarkdown},
        {"txt", "txt", "ﾃｷｽﾄ 全角罫線 (*.txt)", 0, WriteText<BoxLayout::Wide>},
        {"narrow", "txt", "ﾃｷｽﾄ 半角罫線 (*.txt)", 0, WriteText<BoxLayout::Narrow>},
        {"ascii", "txt", "ﾃｷｽﾄ ASCII罫線 (*.txt)", 0, WriteText<BoxLayout::Ascii>},
    };
    return rows;
}

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) return false;
    const size_t start = text.size() - suffix.size();
    for (size_t i = 0; i < suffix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[start + i])) != suffix[i]) return false;
    return true;
}

} // namespace

const std::vector<COutputFormat>& OutputFormats() {
    return Rows();
}

void SetOutputWriter(const char* name, OutputWriter writer) {
    for (COutputFormat& row : Rows())
        if (std::string(row.name) == name) row.writer = writer;
}

const COutputFormat* FindOutputFormat(const std::string& name) {
    for (const COutputFormat& row : Rows())
        if (name == row.name) return &row;
    return nullptr;
}

const COutputFormat* OutputFormatForPath(const std::string& path) {
    for (const COutputFormat& row : Rows())
        if (EndsWithNoCase(path, std::string(".") + row.suffix)) return &row;
    return nullptr;
}

std::string MarkdownText(const CRuvlenDoc& doc, const CCellRect& cells) {
    CTextFormat format;
    format.m_encoding = TextEncoding::Utf8;
    format.m_lineEnding = LineEnding::Lf;
    format.m_layout = BoxLayout::Narrow;
    return "```text\n" + EncodeLayoutText(LayoutLines(doc, cells, format, "\n"), format) + "```\n";
}
