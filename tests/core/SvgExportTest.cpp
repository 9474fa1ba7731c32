// The SVG picture of a canvas, read back with a small strict XML reader: the
// picture's size at each font size, box-drawing cells as exactly the window's
// rectangles, text cells at explicit positions, escaping and replacement of
// bytes that XML cannot carry, blank cells and the selection left out, the
// document untouched, and writing the file through the safe save.
#include "canvas/io/SvgExport.h"
#include "DocTestSupport.h"
#include "canvas/LineCellGeometry.h"
#include "canvas/LineFlags.h"
#include "canvas/io/ExportSize.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Element {
    std::string name;
    std::map<std::string, std::string> attrs;
    std::string text; // character data directly inside, entities decoded
};

// A strict reader for the XML this writer produces: a declaration, then nested
// elements with quoted attributes and character data. It refuses what breaks
// XML: unbalanced or unclosed tags, duplicate or unquoted attributes, unknown
// entities, a raw '<' or '&', invalid UTF-8 and characters XML does not allow.
class XmlReader {
public:
    explicit XmlReader(const std::string& s) : m_s(s) {}

    bool Read(std::vector<Element>& out, std::string& why) {
        if (!CheckCharacters(why)) return false;
        if (m_s.compare(0, 5, "<?xml") != 0) return Fail(why, "no declaration");
        m_i = m_s.find("?>") + 2;
        std::vector<size_t> open; // indices into out
        int roots = 0;
        while (m_i < m_s.size()) {
            if (m_s[m_i] != '<') {
                std::string text;
                if (!Text(text, why)) return false;
                if (open.empty() && text.find_first_not_of(" \n") != std::string::npos)
                    return Fail(why, "text outside the root");
                if (!open.empty()) out[open.back()].text += text;
            } else if (m_s.compare(m_i, 2, "</") == 0) {
                const size_t end = m_s.find('>', m_i);
                if (end == std::string::npos || open.empty() ||
                    m_s.substr(m_i + 2, end - m_i - 2) != out[open.back()].name)
                    return Fail(why, "unbalanced end tag");
                open.pop_back();
                m_i = end + 1;
            } else {
                if (open.empty() && roots++) return Fail(why, "two roots");
                Element e;
                bool empty = false;
                if (!Tag(e, empty, why)) return false;
                out.push_back(e);
                if (!empty) open.push_back(out.size() - 1);
            }
        }
        return open.empty() && roots == 1 ? true : Fail(why, "unclosed element");
    }

private:
    static bool Fail(std::string& why, const std::string& text) {
        why = text;
        return false;
    }

    bool CheckCharacters(std::string& why) const {
        for (size_t i = 0; i < m_s.size();) {
            const unsigned char c = static_cast<unsigned char>(m_s[i]);
            const size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
            if (n == 0 || i + n > m_s.size()) return Fail(why, "invalid UTF-8");
            char32_t code = n == 1 ? c : c & (0x7F >> n);
            for (size_t k = 1; k < n; ++k) {
                if ((m_s[i + k] & 0xC0) != 0x80) return Fail(why, "invalid UTF-8");
                code = code << 6 | (m_s[i + k] & 0x3F);
            }
            const bool allowed = code == 0x9 || code == 0xA || code == 0xD ||
                                 (code >= 0x20 && code <= 0xD7FF) ||
                                 (code >= 0xE000 && code <= 0xFFFD) || code >= 0x10000;
            if (!allowed) return Fail(why, "character not allowed in XML");
            i += n;
        }
        return true;
    }

    bool Entity(std::string& out, std::string& why) {
        static const std::map<std::string, std::string> kEntities = {
            {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}};
        const size_t end = m_s.find(';', m_i);
        if (end == std::string::npos) return Fail(why, "unterminated entity");
        const auto it = kEntities.find(m_s.substr(m_i + 1, end - m_i - 1));
        if (it == kEntities.end()) return Fail(why, "unknown entity");
        out += it->second;
        m_i = end + 1;
        return true;
    }

    // Character data up to the next '<', or an attribute value up to `quote`.
    bool Text(std::string& out, std::string& why, char quote = '<') {
        while (m_i < m_s.size() && m_s[m_i] != quote) {
            if (m_s[m_i] == '<') return Fail(why, "raw < in a value");
            if (m_s[m_i] == '&') {
                if (!Entity(out, why)) return false;
            } else {
                out += m_s[m_i++];
            }
        }
        return quote == '<' || m_i < m_s.size() ? true : Fail(why, "unterminated value");
    }

    std::string Name() {
        const size_t start = m_i;
        while (m_i < m_s.size() && (isalnum(static_cast<unsigned char>(m_s[m_i])) ||
                                    m_s[m_i] == '-' || m_s[m_i] == ':'))
            ++m_i;
        return m_s.substr(start, m_i - start);
    }

    bool Tag(Element& e, bool& empty, std::string& why) {
        ++m_i;
        e.name = Name();
        if (e.name.empty()) return Fail(why, "element without a name");
        for (;;) {
            while (m_i < m_s.size() && (m_s[m_i] == ' ' || m_s[m_i] == '\n')) ++m_i;
            if (m_s.compare(m_i, 2, "/>") == 0 || m_s.compare(m_i, 1, ">") == 0) {
                empty = m_s[m_i] == '/';
                m_i += empty ? 2 : 1;
                return true;
            }
            const std::string name = Name();
            if (name.empty() || m_s.compare(m_i, 2, "=\"") != 0)
                return Fail(why, "bad attribute in <" + e.name + ">");
            m_i += 2;
            std::string value;
            if (!Text(value, why, '"')) return false;
            ++m_i;
            if (!e.attrs.emplace(name, value).second) return Fail(why, "duplicate attribute");
        }
    }

    const std::string& m_s;
    size_t m_i = 0;
};

std::vector<Element> Parse(const std::string& svg) {
    std::vector<Element> elements;
    std::string why;
    EXPECT_TRUE(XmlReader(svg).Read(elements, why)) << why;
    return elements;
}

std::vector<Element> Named(const std::vector<Element>& all, const std::string& name) {
    std::vector<Element> out;
    for (const Element& e : all)
        if (e.name == name) out.push_back(e);
    return out;
}

std::string RectText(const Element& e) {
    return e.attrs.at("x") + "," + e.attrs.at("y") + "," + e.attrs.at("width") + "," +
           e.attrs.at("height");
}

const int kSize2Edge = 12; // the cell edge of size 2 at 96 dpi

} // namespace

TEST(SvgExport, PictureIsTheCellsAreaAtEachSize) {
    const int kEdges[6] = {7, 9, 12, 15, 19, 25};
    auto doc = doc_test::SizedDoc(13, 21);
    for (int size = 0; size < 6; ++size) {
        const std::vector<Element> all = Parse(ExportSvg(*doc, size));
        ASSERT_FALSE(all.empty());
        const Element& svg = all[0];
        EXPECT_EQ(svg.name, "svg");
        EXPECT_EQ(svg.attrs.at("xmlns"), "http://www.w3.org/2000/svg");
        EXPECT_EQ(svg.attrs.at("version"), "1.1");
        const std::string w = std::to_string(13 * kEdges[size]);
        const std::string h = std::to_string(21 * kEdges[size]);
        EXPECT_EQ(svg.attrs.at("width"), w);
        EXPECT_EQ(svg.attrs.at("height"), h);
        EXPECT_EQ(svg.attrs.at("viewBox"), "0 0 " + w + " " + h);
        // A blank canvas: the white background and nothing else.
        const std::vector<Element> rects = Named(all, "rect");
        ASSERT_EQ(rects.size(), 1u);
        EXPECT_EQ(RectText(rects[0]), "0,0," + w + "," + h);
        EXPECT_EQ(rects[0].attrs.at("fill"), "#fff");
        EXPECT_TRUE(Named(all, "text").empty());
    }
}

TEST(SvgExport, SmallCanvasHasItsRectanglesAndTextsInPlace) {
    auto doc = doc_test::SizedDoc();
    doc_test::PutRows(*doc, 0, 0, {"┏━━┓", "┃..┃", "┗━━┛"});
    doc->Cell(1, 1).SetText("\x8A\xBF"); // 漢
    doc->Cell(2, 1).SetText("ab");
    doc->Cell(4, 4).SetText("a ");
    doc->Cell(5, 4).SetText(" b");
    doc->Cell(6, 4).SetText(SJIS_IDEO_SPACE); // blank
    const std::vector<Element> all = Parse(ExportSvg(*doc, 2));
    const int d = kSize2Edge, baseline = 11; // 0.88 x 12, rounded

    // Ten line cells of two arms each, after the background.
    const std::vector<Element> rects = Named(all, "rect");
    ASSERT_EQ(rects.size(), 1u + 20u);
    // ┏ at (0, 0): thick arms right and down from the centre; then ━ at (1, 0).
    EXPECT_EQ(RectText(rects[1]), "5,5,7,2");
    EXPECT_EQ(RectText(rects[2]), "5,5,2,7");
    EXPECT_EQ(RectText(rects[3]), "17,5,7,2");
    EXPECT_EQ(RectText(rects[4]), "12,5,6,2");

    const std::vector<Element> texts = Named(all, "text");
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].text, "漢");
    EXPECT_EQ(texts[0].attrs.at("x"), std::to_string(d));
    EXPECT_EQ(texts[0].attrs.at("y"), std::to_string(d + baseline));
    // Two half-width characters, each placed at its half of the cell.
    EXPECT_EQ(texts[1].text, "ab");
    EXPECT_EQ(texts[1].attrs.at("x"), "24 30");
    EXPECT_EQ(texts[1].attrs.at("y"), std::to_string(d + baseline));
    // A space draws nothing; the other half keeps its place.
    EXPECT_EQ(texts[2].text, "a");
    EXPECT_EQ(texts[2].attrs.at("x"), std::to_string(4 * d));
    EXPECT_EQ(texts[2].attrs.at("y"), std::to_string(4 * d + baseline));
    EXPECT_EQ(texts[3].text, "b");
    EXPECT_EQ(texts[3].attrs.at("x"), std::to_string(5 * d + d / 2));
}

// Every box-drawing cell at every size gives the rectangles the window paints
// (LineCellRects, shared with the cell painter), moved to the cell.
TEST(SvgExport, LineCellsAreTheWindowsRectangles) {
    auto doc = doc_test::SizedDoc(32, 10);
    for (int i = 0; i < 32; ++i) doc->Cell(i, 3).SetLineFlags(g_validLineFlags[i]);
    for (int size = 0; size < 6; ++size) {
        const CExportExtent e = CExportExtent::For(*doc, size);
        std::vector<std::string> expected;
        for (int i = 0; i < 32; ++i)
            for (const CStrokeRect& r : LineCellRects(g_validLineFlags[i], e.d))
                expected.push_back(std::to_string(i * e.d + r.x) + "," +
                                   std::to_string(3 * e.d + r.y) + "," + std::to_string(r.width) +
                                   "," + std::to_string(r.height));
        std::vector<std::string> actual;
        const std::vector<Element> rects = Named(Parse(ExportSvg(*doc, size)), "rect");
        for (size_t k = 1; k < rects.size(); ++k) actual.push_back(RectText(rects[k]));
        EXPECT_EQ(actual, expected) << "size " << size;
    }
}

TEST(SvgExport, OddCellEdgesPlaceTheSecondHalfOnHalfPixels) {
    auto doc = doc_test::SizedDoc();
    doc->Cell(3, 0).SetText("xy");
    const std::vector<Element> texts = Named(Parse(ExportSvg(*doc, 1)), "text"); // d = 9
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].attrs.at("x"), "27 31.5");
    EXPECT_EQ(texts[0].attrs.at("y"), "8");
}

TEST(SvgExport, MarkupCharactersAreEscaped) {
    auto doc = doc_test::SizedDoc();
    doc->Cell(0, 0).SetText("&<");
    doc->Cell(1, 0).SetText(">\"");
    doc->Cell(2, 0).SetText("'&");
    const std::string svg = ExportSvg(*doc, 2);
    const std::vector<Element> texts = Named(Parse(svg), "text");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "&<");
    EXPECT_EQ(texts[1].text, ">\"");
    EXPECT_EQ(texts[2].text, "'&");
    EXPECT_NE(svg.find("&amp;&lt;"), std::string::npos);
}

// Bytes that decode to control characters or to nothing become U+FFFD, so the
// file stays well-formed whatever a canvas file held.
TEST(SvgExport, BytesXmlCannotCarryAreReplaced) {
    auto doc = doc_test::SizedDoc();
    const char* kCells[] = {"\x01\x7F", "\x81\x20", "\xFD\xFE",
                            "\x1B"
                            "a",
                            "\t\n"};
    for (int i = 0; i < 5; ++i) std::memcpy(doc->Cell(i, 0).m_szText, kCells[i], 2);
    doc->Cell(5, 0).m_szText[0] = '\0'; // a NUL ends the text, as on the screen
    doc->Cell(5, 0).m_szText[1] = 'z';
    const std::vector<Element> texts = Named(Parse(ExportSvg(*doc, 2)), "text");
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0].text, "\uFFFD\uFFFD");
    EXPECT_EQ(texts[1].text, "\uFFFD"); // a lead byte alone; the space draws nothing
    EXPECT_EQ(texts[1].attrs.at("x"), "12");
    EXPECT_EQ(texts[2].text, "\uFFFD\uFFFD");
    EXPECT_EQ(texts[3].text, "\uFFFDa");
    EXPECT_EQ(texts[4].text, "\uFFFD\uFFFD");
}

// Every two-byte value in a cell: the file stays well-formed, and the checker
// of the XML tools agrees when it is installed.
TEST(SvgExport, EveryByteValueGivesWellFormedXml) {
    auto doc = doc_test::SizedDoc(CRuvlenDoc::MAX_SIZE, CRuvlenDoc::MAX_SIZE);
    const int perCanvas = CRuvlenDoc::MAX_SIZE * CRuvlenDoc::MAX_SIZE;
    std::string last;
    for (int first = 0; first < 0x10000; first += perCanvas) {
        for (int i = 0; i < perCanvas; ++i) {
            const int v = (first + i) & 0xFFFF;
            CCell& cell = doc->Cell(i % CRuvlenDoc::MAX_SIZE, i / CRuvlenDoc::MAX_SIZE);
            cell.Reset();
            cell.m_szText[0] = static_cast<char>(v >> 8);
            cell.m_szText[1] = static_cast<char>(v & 0xFF);
        }
        last = ExportSvg(*doc, 0);
        std::vector<Element> elements;
        std::string why;
        ASSERT_TRUE(XmlReader(last).Read(elements, why)) << why << " from 0x" << std::hex << first;
    }
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xmllint is not installed";
    const std::string path = testing::TempDir() + "svgexporttest.svg";
    std::ofstream(path, std::ios::binary) << last;
    EXPECT_EQ(std::system(("xmllint --noout " + path).c_str()), 0);
    std::remove(path.c_str());
}

TEST(SvgExport, SelectionDocumentAndModifiedFlagAreLeftAlone) {
    auto doc = doc_test::SizedDoc();
    doc_test::PutRows(*doc, 1, 1, {"┌─┐", "│x│", "└─┘"});
    const std::string plain = ExportSvg(*doc, 3);
    doc->Select(nullptr, 0, 0, 5, 5);
    for (int modified : {0, 1}) {
        doc->SetModifiedFlag(modified);
        const doc_test::Grid before = doc_test::Snapshot(*doc);
        EXPECT_EQ(ExportSvg(*doc, 3), plain) << "the selection is not shown";
        EXPECT_EQ(doc_test::Differences(before, doc_test::Snapshot(*doc)), "");
        EXPECT_EQ(doc->IsModified(), modified);
        EXPECT_EQ(doc->m_bSelection, 1);
        EXPECT_EQ(doc->m_rcSelection, (CCellRect{0, 0, 5, 5}));
    }
}

TEST(SvgExport, TransparentPictureHasNoBackground) {
    auto doc = doc_test::SizedDoc();
    doc->Cell(0, 0).SetLineFlags(LF_RIGHT | LF_DOWN);
    CSvgExportOptions options;
    options.transparent = true;
    const std::vector<Element> rects = Named(Parse(ExportSvg(*doc, 2, options)), "rect");
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(RectText(rects[0]), "5,5,7,1");
}

class SvgExportFile : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "svgexporttest.XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        m_doc = doc_test::SizedDoc();
        m_doc->Cell(2, 2).SetText("\x8A\xBF");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path m_dir;
    std::unique_ptr<CRuvlenDoc> m_doc;
    std::string m_error;
};

TEST_F(SvgExportFile, WritesThePicture) {
    const std::string path = (m_dir / "canvas.svg").string();
    std::ofstream(path) << "old";
    ASSERT_TRUE(ExportSvgFile(*m_doc, path, 4, m_error)) << m_error;
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), ExportSvg(*m_doc, 4));
    EXPECT_EQ(m_doc->IsModified(), 0);
}

TEST_F(SvgExportFile, MissingFolderIsReportedAndLeavesNoFile) {
    const std::string path = (m_dir / "missing" / "canvas.svg").string();
    EXPECT_FALSE(ExportSvgFile(*m_doc, path, 2, m_error));
    EXPECT_NE(m_error.find(path), std::string::npos) << m_error;
    EXPECT_FALSE(fs::exists(m_dir / "missing"));
    EXPECT_TRUE(fs::is_empty(m_dir));
}

TEST_F(SvgExportFile, SizeOutsideTheSixIsRefused) {
    const std::string path = (m_dir / "canvas.svg").string();
    for (int size : {-1, 6}) {
        m_error.clear();
        EXPECT_FALSE(ExportSvgFile(*m_doc, path, size, m_error));
        EXPECT_NE(m_error.find(std::to_string(size)), std::string::npos) << m_error;
    }
    EXPECT_FALSE(fs::exists(path));
}
