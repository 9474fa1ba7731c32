#include "canvas/io/LayoutChars.h"

#include "canvas/ByteClass.h"
#include "canvas/LineFlags.h"
#include "canvas/Utf8Char.h"
#include "canvas/io/CharWidth.h"
#include "canvas/io/TextFormat.h"

#include <cstring>

int CLayoutLine::Columns() const {
    int columns = 0;
    for (const CLayoutChar& c : chars) columns += c.cols;
    return columns;
}

const CCellFormCache::Form& CCellFormCache::Of(char32_t code, const unsigned char* utf8,
                                               size_t length) {
    auto it = m_forms.find(code);
    if (it != m_forms.end()) return it->second;
    std::vector<CCharChange> changes;
    const std::string bytes =
        Utf8ToCellBytes(std::string(reinterpret_cast<const char*>(utf8), length), 0, changes);
    Form form{{' ', 0, 0}, -1, uint8_t(WesternColumns(code))};
    const auto b0 = static_cast<unsigned char>(bytes.empty() ? 0 : bytes[0]);
    if ((bytes.size() == 1 && IsSingleByteChar(b0)) || (bytes.size() == 2 && IsLeadByte(b0))) {
        std::memcpy(form.sjis, bytes.data(), bytes.size());
        if (!changes.empty()) form.change = int8_t(changes.front().kind);
    } else {
        std::memcpy(form.sjis, SJIS_REPLACEMENT, 2);
        form.change = int8_t(CharChange::Unmappable);
    }
    return m_forms.emplace(code, form).first->second;
}

CLineReader::CLineReader(const std::string& bytes, size_t start, bool utf8, ColumnModel model)
    : m_bytes(bytes), m_pos(start), m_bUtf8(utf8), m_model(model) {}

void CLineReader::Add(CLayoutLine& line, const char* sjis, int westernCols, int8_t change) {
    CLayoutChar c;
    std::memcpy(c.sjis, sjis, std::strlen(sjis) + 1);
    const int bytes = c.sjis[1] ? 2 : 1;
    c.cols = uint8_t(m_model == ColumnModel::Western ? westernCols : bytes);
    const int flags = bytes == 2 ? LineFlagsForText(c.sjis) : -1;
    c.lineFlags = uint8_t(flags > 0 ? flags : 0);
    c.change = change;
    c.source = m_nSource++;
    m_nColumn += c.cols;
    line.chars.push_back(c);
}

// Line ends, TAB and control bytes, the same in both encodings; false when the
// byte at the reading position is none of them.
bool CLineReader::Control(CLayoutLine& line, bool& ended) {
    const auto* p = reinterpret_cast<const unsigned char*>(m_bytes.data()) + m_pos;
    const size_t left = m_bytes.size() - m_pos;
    if (p[0] == '\n' || (p[0] == '\r' && left > 1 && p[1] == '\n')) {
        line.eol = p[0] == '\n' ? "\n" : "\r\n";
        m_pos += line.eol.size();
        ended = true;
    } else if (p[0] == '\t') { // fills the cell it starts in, as the file reader reads it
        Add(line, " ", 1);
        if (m_nColumn % 2) Add(line, " ", 1);
        ++m_pos;
    } else if (p[0] < 0x20 || p[0] == 0x7F) {
        Add(line, " ", 1);
        ++m_pos;
    } else {
        return false;
    }
    return true;
}

bool CLineReader::Next(CLayoutLine& line) {
    line = CLayoutLine();
    m_nColumn = 0;
    if (m_pos >= m_bytes.size()) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(m_bytes.data());
    bool ended = false;
    while (m_pos < m_bytes.size() && !ended) {
        if (Control(line, ended)) continue;
        const unsigned char b = p[m_pos];
        if (b < 0x80) {
            const char ascii[2] = {char(b), 0};
            Add(line, ascii, 1);
            ++m_pos;
        } else if (m_bUtf8) {
            const Utf8Char ch = ReadUtf8(p + m_pos, m_bytes.size() - m_pos);
            if (ch.valid) {
                const CCellFormCache::Form& form = m_forms.Of(ch.code, p + m_pos, ch.length);
                Add(line, form.sjis, form.westernCols, form.change);
            } else {
                Add(line, SJIS_REPLACEMENT, 1, int8_t(CharChange::Unmappable));
            }
            m_pos += ch.length;
        } else if (m_pos + 1 < m_bytes.size() && IsLeadByte(b) && IsTrailByte(p[m_pos + 1])) {
            const char pair[3] = {char(b), char(p[m_pos + 1]), 0};
            Add(line, pair, IsNarrowInWesternFonts(b, p[m_pos + 1]) ? 1 : 2);
            m_pos += 2;
        } else {
            const char single[2] = {IsSingleByteChar(b) ? char(b) : ' ', 0};
            Add(line, single, 1);
            ++m_pos;
        }
    }
    return true;
}

std::vector<CLayoutLine> ReadLayoutLines(const std::string& bytes, size_t start, bool utf8,
                                         ColumnModel model, size_t maxLines, size_t* end) {
    CLineReader reader(bytes, start, utf8, model);
    std::vector<CLayoutLine> lines;
    CLayoutLine line;
    while (lines.size() < maxLines && reader.Next(line)) lines.push_back(std::move(line));
    if (end) *end = reader.Offset();
    return lines;
}

std::vector<int> CharColumns(const CLayoutLine& line) {
    std::vector<int> columns;
    columns.reserve(line.chars.size());
    int column = 0;
    for (const CLayoutChar& c : line.chars) {
        columns.push_back(column);
        column += c.cols;
    }
    return columns;
}

std::vector<int> CharAtColumn(const CLayoutLine& line) {
    std::vector<int> at(size_t(line.Columns()), -1);
    int column = 0;
    for (size_t i = 0; i < line.chars.size(); ++i) {
        at[size_t(column)] = int(i);
        column += line.chars[i].cols;
    }
    return at;
}
