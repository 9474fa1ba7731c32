#include "canvas/io/FileLines.h"

#include "canvas/io/Cp932.h"

std::vector<CFileLine> SplitFileLines(const std::string& bytes, const CTextFormat& format) {
    std::vector<CFileLine> lines;
    size_t start =
        format.m_encoding == TextEncoding::Utf8Bom && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3
                                                                                               : 0;
    while (start < bytes.size()) {
        const size_t lf = bytes.find('\n', start);
        CFileLine line;
        line.m_nStart = start;
        if (lf == std::string::npos) {
            line.m_nContentEnd = line.m_nEnd = bytes.size();
        } else {
            line.m_nEnd = lf + 1;
            line.m_nContentEnd = lf > start && bytes[lf - 1] == '\r' ? lf - 1 : lf;
        }
        lines.push_back(line);
        start = line.m_nEnd;
    }
    return lines;
}

bool IsBlankFileLine(const std::string& bytes, const CFileLine& line, TextEncoding encoding) {
    const char* fullWidthSpace = encoding == TextEncoding::ShiftJis ? "\x81\x40" : "\xE3\x80\x80";
    const size_t fullWidthLength = encoding == TextEncoding::ShiftJis ? 2 : 3;
    for (size_t i = line.m_nStart; i < line.m_nEnd;) {
        const char c = bytes[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
        } else if (bytes.compare(i, fullWidthLength, fullWidthSpace) == 0) {
            i += fullWidthLength;
        } else {
            return false;
        }
    }
    return true;
}

std::string FileLineUtf8(const std::string& bytes, const CFileLine& line, TextEncoding encoding) {
    std::string text = bytes.substr(line.m_nStart, line.m_nContentEnd - line.m_nStart);
    if (encoding != TextEncoding::ShiftJis) return text;
    std::string utf8;
    Cp932ToUtf8(text, utf8);
    return utf8;
}
