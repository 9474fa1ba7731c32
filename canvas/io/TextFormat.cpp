#include "canvas/io/TextFormat.h"

#include "canvas/Utf8Char.h"

namespace {

bool HasByteOrderMark(const std::string& bytes) {
    return bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
}

// UTF-8 when all of it is valid and holds a multi-byte sequence, or when it
// holds a sequence of three or four bytes and fewer invalid bytes than valid
// multi-byte sequences (a few stray bytes in a UTF-8 file). A sequence that runs
// into the end of truncated bytes is not held against them.
bool IsMultiByteUtf8(const std::string& bytes, bool truncated) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    size_t multiByte = 0, invalid = 0;
    bool longSequence = false;
    for (size_t i = 0; i < size;) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const Utf8Char ch = ReadUtf8(p + i, size - i);
        const bool cutAtEnd = truncated && i + ch.length == size && p[i] >= 0xC2 && p[i] <= 0xF4;
        if (!ch.valid && !cutAtEnd) invalid += ch.length;
        if (ch.valid) ++multiByte;
        if (ch.valid && ch.length >= 3) longSequence = true;
        i += ch.length;
    }
    if (invalid == 0) return multiByte > 0;
    return longSequence && invalid < multiByte;
}

LineEnding DetectLineEnding(const std::string& bytes) {
    bool lf = false;
    for (size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1)) {
        if (i > 0 && bytes[i - 1] == '\r') return LineEnding::CrLf;
        lf = true;
    }
    return lf ? LineEnding::Lf : LineEnding::CrLf;
}

} // namespace

CTextFormat DetectTextFormat(const std::string& bytes, bool truncated) {
    CTextFormat format;
    if (HasByteOrderMark(bytes))
        format.m_encoding = TextEncoding::Utf8Bom;
    else if (IsMultiByteUtf8(bytes, truncated))
        format.m_encoding = TextEncoding::Utf8;
    format.m_lineEnding = DetectLineEnding(bytes);
    return format;
}

const char* TextEncodingName(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return "UTF-8";
    case TextEncoding::Utf8Bom:
        return "UTF-8 (BOM)";
    default:
        return "Shift-JIS";
    }
}

const char* LineEndingName(LineEnding lineEnding) {
    return lineEnding == LineEnding::Lf ? "LF" : "CR LF";
}

const char* BoxLayoutName(BoxLayout layout) {
    switch (layout) {
    case BoxLayout::Narrow:
        return "半角罫線";
    case BoxLayout::Ascii:
        return "ASCII罫線";
    default:
        return "全角罫線";
    }
}

CTextFormat WrittenFormat(CTextFormat format) {
    if (format.m_layout == BoxLayout::Narrow && format.m_encoding == TextEncoding::ShiftJis)
        format.m_encoding = TextEncoding::Utf8;
    return format;
}

bool UsesWesternWidths(const CTextFormat& format) {
    const CTextFormat written = WrittenFormat(format);
    return written.m_layout != BoxLayout::Wide && written.m_encoding != TextEncoding::ShiftJis;
}

std::string DescribeReplacedCharacters(const CTextReplacements& r) {
    if (!r.Any()) return std::string();
    const auto n = [](int count) { return std::to_string(count) + " 文字"; };
    std::string parts;
    const auto add = [&parts](const std::string& part) {
        parts += (parts.empty() ? "" : "、") + part;
    };
    if (r.m_nBoxChars) add("JIS にない罫線 " + n(r.m_nBoxChars) + "を近い罫線に");
    if (r.m_nLookAlikes) add(n(r.m_nLookAlikes) + "を Shift-JIS の似た文字に");
    if (r.m_nUnmappable) add("Shift-JIS で表せない " + n(r.m_nUnmappable) + "を〓に");
    return "Shift-JIS のマスに収めるため " + n(r.Total()) + "を置き換えました（" + parts + "）。";
}

// Each kind with the place of its first: the first box character converted says
// nothing of where the first lost character is.
std::string DescribeReplacements(const CTextReplacements& r) {
    if (!r.Any()) return std::string();
    const auto n = [](int count) { return std::to_string(count) + " 文字"; };
    const auto at = [&r](CTextReplacements::Place place) {
        if (place.line == 0) place = {r.m_nFirstLine, r.m_nFirstColumn};
        return "（最初は " + std::to_string(place.line) + " 行 " + std::to_string(place.column) +
               " 桁）。";
    };
    std::string text = "Shift-JIS のマスに収めるため " + n(r.Total()) + "を置き換えました。";
    if (r.m_nBoxChars)
        text += "JIS にない罫線 " + n(r.m_nBoxChars) + "を近い罫線に" + at(r.m_firstBoxChar);
    if (r.m_nLookAlikes)
        text += n(r.m_nLookAlikes) + "を Shift-JIS の似た文字に" + at(r.m_firstLookAlike);
    if (r.m_nUnmappable)
        text += "Shift-JIS で表せない " + n(r.m_nUnmappable) + "を〓に" + at(r.m_firstUnmappable);
    return text;
}
