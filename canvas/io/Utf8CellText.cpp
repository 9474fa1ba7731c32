#include "canvas/io/Utf8CellText.h"

#include "canvas/Utf8Char.h"
#include "canvas/io/BoxDrawingMap.h"
#include "canvas/io/Cp932.h"
#include "canvas/io/TextFormat.h"

#include <algorithm>
#include <iterator>

namespace {

// Characters the codec encodes as a look-alike that decodes to another character
// (U+00A5 yen sign as the byte 0x5C, which is a backslash in UTF-8; U+301C wave
// dash as U+FF5E ...). Sorted.
const char32_t kLookAlikes[] = {0x00A2, 0x00A3, 0x00A5, 0x00AC, 0x00C5,
                                0x2014, 0x2016, 0x203E, 0x2212, 0x301C};

bool IsLookAlike(char32_t code) {
    return std::binary_search(std::begin(kLookAlikes), std::end(kLookAlikes), code);
}

// Tag characters: the system converter drops them without a trace.
bool IsDroppedTag(char32_t code) {
    return code >= 0xE0000 && code <= 0xE007F;
}

// Builds the cell bytes. Runs of characters that need no special care are
// handed to the codec in one piece; the codec marks what it cannot encode with
// 0xFF, a byte that no Shift-JIS character contains.
class CCellByteWriter {
public:
    CCellByteWriter(const std::string& utf8, size_t start, std::vector<CCharChange>& changes)
        : m_utf8(utf8), m_nRunStart(start), m_changes(changes) {
        m_out.reserve(utf8.size());
    }

    void Flush(size_t end) {
        if (end > m_nRunStart) {
            const std::string sjis =
                Utf8ToCp932(m_utf8.substr(m_nRunStart, end - m_nRunStart), '\xFF');
            for (char c : sjis) {
                if (c == '\xFF')
                    Append(SJIS_REPLACEMENT, CharChange::Unmappable);
                else
                    m_out += c;
            }
        }
        m_nRunStart = end;
    }

    // Flushes the run before the character at [at, at + length) and writes the
    // given bytes for it: its own Shift-JIS form, or a replacement of that kind.
    void Put(size_t at, size_t length, const char* bytes) {
        Flush(at);
        m_out += bytes;
        m_nRunStart = at + length;
    }
    void Replace(size_t at, size_t length, const std::string& bytes, CharChange kind) {
        Flush(at);
        Append(bytes, kind);
        m_nRunStart = at + length;
    }

    std::string Take() { return std::move(m_out); }

private:
    void Append(const std::string& bytes, CharChange kind) {
        m_changes.push_back({static_cast<uint32_t>(m_out.size()), kind});
        m_out += bytes;
    }

    const std::string& m_utf8;
    size_t m_nRunStart;
    std::vector<CCharChange>& m_changes;
    std::string m_out;
};

} // namespace

std::string Utf8ToCellBytes(const std::string& utf8, size_t start,
                            std::vector<CCharChange>& changes) {
    CCellByteWriter writer(utf8, start, changes);
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    size_t i = start;
    while (i < utf8.size()) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const Utf8Char ch = ReadUtf8(p + i, utf8.size() - i);
        if (ch.valid && IsBoxDrawingCode(ch.code)) {
            const CBoxDrawingCell cell = BoxDrawingCell(ch.code);
            if (cell.exact)
                writer.Put(i, ch.length, cell.text);
            else
                writer.Replace(i, ch.length, cell.text, CharChange::BoxChar);
        } else if (ch.valid && IsLookAlike(ch.code)) {
            writer.Replace(i, ch.length, Utf8ToCp932(utf8.substr(i, ch.length), '\xFF'),
                           CharChange::LookAlike);
        } else if (ch.valid && IsDroppedTag(ch.code)) {
            writer.Replace(i, ch.length, SJIS_REPLACEMENT, CharChange::Unmappable);
        }
        i += ch.length;
    }
    writer.Flush(utf8.size());
    return writer.Take();
}
