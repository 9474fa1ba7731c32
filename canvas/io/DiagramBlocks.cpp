#include "canvas/io/DiagramBlocks.h"

#include "canvas/ByteClass.h"
#include "canvas/io/FileLines.h"

namespace {

// Box drawing is U+2500..U+257F in UTF-8 (E2 94 80 .. E2 95 BF) and the JIS
// line characters 0x849F..0x84BE in Shift-JIS.
bool HasBoxDrawing(const std::string& bytes, const CFileLine& line, TextEncoding encoding) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t i = line.m_nStart; i < line.m_nContentEnd; ++i) {
        if (encoding != TextEncoding::ShiftJis) {
            if (p[i] == 0xE2 && i + 2 < line.m_nContentEnd &&
                (p[i + 1] == 0x94 || p[i + 1] == 0x95) && p[i + 2] >= 0x80 && p[i + 2] <= 0xBF)
                return true;
        } else if (IsLeadByte(p[i]) && i + 1 < line.m_nContentEnd && IsTrailByte(p[i + 1])) {
            if (p[i] == 0x84 && p[i + 1] >= 0x9F && p[i + 1] <= 0xBE) return true;
            ++i;
        }
    }
    return false;
}

// A code fence line: optional indentation, then three or more ` or ~.
struct CFence {
    char mark = 0; // 0: not a fence line
    size_t length = 0;
    bool bare = false; // nothing follows the marks, so it can close a fence
};

CFence ReadFence(const std::string& bytes, const CFileLine& line) {
    size_t i = line.m_nStart;
    while (i < line.m_nContentEnd && (bytes[i] == ' ' || bytes[i] == '\t')) ++i;
    CFence fence;
    if (i >= line.m_nContentEnd || (bytes[i] != '`' && bytes[i] != '~')) return fence;
    const char mark = bytes[i];
    size_t end = i;
    while (end < line.m_nContentEnd && bytes[end] == mark) ++end;
    if (end - i < 3) return fence;
    const std::string rest = bytes.substr(end, line.m_nContentEnd - end);
    if (mark == '`' && rest.find('`') != std::string::npos) return fence; // inline code
    fence.mark = mark;
    fence.length = end - i;
    fence.bare = rest.find_first_not_of(" \t\r") == std::string::npos;
    return fence;
}

bool Closes(const CFence& open, const CFence& line) {
    return line.mark == open.mark && line.length >= open.length && line.bare;
}

// What each line is for the search: a fence line, inside a fence (which one),
// or outside.
struct CLineRole {
    bool fenceLine = false;
    int fence = -1; // index into the fences for content lines
};

struct CFenceSpan {
    int first; // first content line, 0-based
    int last;  // last content line (first - 1 when empty)
};

void Classify(const std::string& bytes, const std::vector<CFileLine>& lines,
              std::vector<CLineRole>& roles, std::vector<CFenceSpan>& fences) {
    roles.assign(lines.size(), CLineRole());
    CFence open;
    for (size_t i = 0; i < lines.size(); ++i) {
        const CFence fence = ReadFence(bytes, lines[i]);
        if (open.mark == 0 && fence.mark != 0) {
            open = fence;
            roles[i].fenceLine = true;
            fences.push_back({int(i) + 1, int(lines.size()) - 1}); // unclosed: to the end
        } else if (open.mark != 0 && Closes(open, fence)) {
            open = CFence();
            roles[i].fenceLine = true;
            fences.back().last = int(i) - 1;
        } else if (open.mark != 0) {
            roles[i].fence = int(fences.size()) - 1;
        }
    }
}

} // namespace

std::vector<CDiagramBlock> FindDiagramBlocks(const std::string& bytes, const CTextFormat& format) {
    const std::vector<CFileLine> lines = SplitFileLines(bytes, format);
    std::vector<CLineRole> roles;
    std::vector<CFenceSpan> fences;
    Classify(bytes, lines, roles, fences);
    const int count = int(lines.size());
    const auto box = [&](int i) { return HasBoxDrawing(bytes, lines[i], format.m_encoding); };
    const auto outside = [&](int i) {
        return !roles[i].fenceLine && roles[i].fence < 0 &&
               !IsBlankFileLine(bytes, lines[i], format.m_encoding);
    };
    std::vector<CDiagramBlock> blocks;
    const auto add = [&](int first, int last) {
        blocks.push_back(
            {first + 1, last + 1, FileLineUtf8(bytes, lines[first], format.m_encoding)});
        std::string& text = blocks.back().m_strFirstLine;
        text.erase(text.find_last_not_of(" \t\r") + 1);
    };
    for (int i = 0; i < count;) {
        if (roles[i].fence >= 0) {
            // A fence's content is one block when any of its lines has a box.
            const CFenceSpan span = fences[roles[i].fence];
            bool any = false;
            for (int k = span.first; k <= span.last && !any; ++k) any = box(k);
            if (any) add(span.first, span.last);
            i = span.last + 1;
        } else if (outside(i)) {
            // A paragraph outside fences: from one blank or fence line to the next.
            int last = i;
            bool any = box(i);
            while (last + 1 < count && outside(last + 1)) any = box(++last) || any;
            if (any) add(i, last);
            i = last + 1;
        } else {
            ++i;
        }
    }
    return blocks;
}
