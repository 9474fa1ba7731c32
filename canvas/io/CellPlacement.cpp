#include "canvas/io/CellPlacement.h"

#include "canvas/LineFlags.h"

namespace {

class CCellWriter {
public:
    explicit CCellWriter(CPlacedCells& out) : m_out(out) {}

    void Whole(const char* bytes, const CLayoutChar& c) {
        Pad();
        Note(c);
        m_out.bytes.append(bytes, 2);
    }
    void Half(const CLayoutChar& c) {
        if (!m_bHalf)
            Note(c);
        else if (c.change >= 0)
            m_out.changes.push_back({uint32_t(m_out.bytes.size() - 1), CharChange(c.change)});
        m_out.bytes += c.sjis[0];
        m_bHalf = !m_bHalf;
    }
    void EndLine(const std::string& eol) {
        Pad();
        m_out.bytes += eol;
    }

private:
    void Pad() {
        if (m_bHalf) m_out.bytes += ' ';
        m_bHalf = false;
    }
    void Note(const CLayoutChar& c) {
        if (c.change >= 0)
            m_out.changes.push_back({uint32_t(m_out.bytes.size()), CharChange(c.change)});
    }

    CPlacedCells& m_out;
    bool m_bHalf = false;
};

bool IsFillerFor(const CLayoutChar& c, const CLayoutChar& next) {
    if (next.cols != 1) return false;
    return next.IsSpace() || (c.IsLine() && next.IsLine() && !(next.lineFlags & (LF_UP | LF_DOWN)));
}

} // namespace

CPlacedCells PlaceCells(const std::vector<CLayoutLine>& lines, const char* lineEnd) {
    CPlacedCells placed;
    CCellWriter writer(placed);
    for (const CLayoutLine& line : lines) {
        const std::vector<CLayoutChar>& chars = line.chars;
        for (size_t i = 0; i < chars.size(); ++i) {
            const CLayoutChar& c = chars[i];
            if (!c.IsWholeCell()) {
                writer.Half(c);
                continue;
            }
            writer.Whole(c.IsLine() ? LineGlyphFor(c.lineFlags) : c.sjis, c);
            if (c.NeedsFiller() && i + 1 < chars.size() && IsFillerFor(c, chars[i + 1])) ++i;
        }
        writer.EndLine(lineEnd && !line.eol.empty() ? std::string(lineEnd) : line.eol);
    }
    return placed;
}
