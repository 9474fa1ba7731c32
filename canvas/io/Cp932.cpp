#include "canvas/io/Cp932.h"

#include "canvas/Utf8Char.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);
const char kReplacement[] = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

// One iconv descriptor per thread and direction, opened on first use and closed when the
// thread ends. A descriptor is not safe to share between threads.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != kNoConverter) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd;
};

iconv_t Encoder() {
    thread_local Converter converter("CP932", "UTF-8");
    return converter.Get();
}

// Runs the converter over the whole input. At each position it cannot convert, onBad appends
// a substitute to out and returns how many input bytes to skip (at least 1). Without a
// converter, ASCII bytes are copied and every other position goes to onBad.
template <typename OnBad>
void Convert(iconv_t cd, const std::string& in, std::string& out, OnBad onBad) {
    char* ip = const_cast<char*>(in.data()); // iconv does not write to its input
    size_t il = in.size();
    if (cd != kNoConverter) iconv(cd, nullptr, nullptr, nullptr, nullptr);
    while (il > 0) {
        if (cd == kNoConverter && static_cast<unsigned char>(*ip) < 0x80) {
            out += *ip++;
            --il;
            continue;
        }
        if (cd != kNoConverter) {
            char buf[1024];
            char* op = buf;
            size_t ol = sizeof buf;
            size_t result = iconv(cd, &ip, &il, &op, &ol);
            out.append(buf, static_cast<size_t>(op - buf));
            if (result != static_cast<size_t>(-1) || errno == E2BIG) continue;
        }
        size_t skip = onBad(reinterpret_cast<const unsigned char*>(ip), il, out);
        ip += skip;
        il -= skip;
    }
}

bool IsCp932Lead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
bool IsCp932Trail(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

// An undecodable lead byte with a valid trail byte is one character with no mapping; any
// other undecodable byte stands alone, so the byte after it (often ASCII) is kept.
size_t ReplaceUndecodable(const unsigned char* p, size_t left, std::string& out) {
    out += kReplacement;
    return (left >= 2 && IsCp932Lead(p[0]) && IsCp932Trail(p[1])) ? 2 : 1;
}

// Characters that people paste in place of a CP932 character and that a strict converter may
// refuse. The glibc converter accepts these already; the table keeps the result the same
// everywhere.
struct LookAlike {
    char32_t code;
    const char* bytes;
};
const LookAlike kLookAlikes[] = {
    {0x301C, "\x81\x60"}, // WAVE DASH -> FULLWIDTH TILDE
    {0x2212, "\x81\x7C"}, // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    {0x2016, "\x81\x61"}, // DOUBLE VERTICAL LINE -> PARALLEL TO
    {0x2014, "\x81\x5C"}, // EM DASH -> HORIZONTAL BAR
    {0x00A2, "\x81\x91"}, // CENT SIGN -> FULLWIDTH CENT SIGN
    {0x00A3, "\x81\x92"}, // POUND SIGN -> FULLWIDTH POUND SIGN
    {0x00AC, "\x81\xCA"}, // NOT SIGN -> FULLWIDTH NOT SIGN
    {0x00C5, "\x81\xF0"}, // A WITH RING ABOVE (what NFC makes of U+212B) -> ANGSTROM SIGN
    {0x00A5, "\x5C"},     // YEN SIGN -> the byte that Japanese fonts show as a yen sign
};

size_t ReplaceUnencodable(const unsigned char* p, size_t left, std::string& out, char unmappable) {
    Utf8Char ch = ReadUtf8(p, left);
    for (const LookAlike& alike : kLookAlikes) {
        if (ch.valid && ch.code == alike.code) {
            out += alike.bytes;
            return ch.length;
        }
    }
    out += unmappable;
    return ch.length;
}

// Replaces every CR LF, lone CR and lone LF by eol. CR and LF bytes never occur inside a
// multi-byte UTF-8 character.
std::string NormaliseLineEnds(const std::string& text, const char* eol) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += eol;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

namespace {

// The converter's answer for every single byte and every lead and trail byte
// pair, asked once: decoding then costs a table look-up per character instead
// of a converter call. A character takes at most three bytes of UTF-8.
class CDecodeTable {
public:
    struct Entry {
        char bytes[3];
        unsigned char length; // 0: the converter cannot decode it
    };

    explicit CDecodeTable(iconv_t cd) {
        for (int b = 0; b < 256; ++b) {
            const char in[1] = {char(b)};
            m_single[b] = Decode(cd, in, 1);
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsCp932Lead(static_cast<unsigned char>(lead))) continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const char in[2] = {char(lead), char(trail)};
                m_double[lead - 0x80][trail - 0x40] = Decode(cd, in, 2);
            }
        }
    }
    const Entry& Single(unsigned char b) const { return m_single[b]; }
    const Entry& Double(unsigned char lead, unsigned char trail) const {
        return m_double[lead - 0x80][trail - 0x40];
    }

private:
    // The converter's UTF-8 for exactly these bytes as one character.
    static Entry Decode(iconv_t cd, const char* bytes, size_t size) {
        Entry entry{};
        char out[8];
        char* ip = const_cast<char*>(bytes);
        char* op = out;
        size_t il = size, ol = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0) return entry;
        const size_t n = size_t(op - out);
        if (n == 0 || n > 3) return entry;
        std::copy(out, out + n, entry.bytes);
        entry.length = static_cast<unsigned char>(n);
        return entry;
    }

    Entry m_single[256];
    Entry m_double[0x7D][0xBD] = {}; // lead 0x80..0xFC, trail 0x40..0xFC
};

const CDecodeTable* Table() {
    static const CDecodeTable* table = [] {
        Converter converter("UTF-8", "CP932");
        return converter.Get() == kNoConverter ? nullptr : new CDecodeTable(converter.Get());
    }();
    return table;
}

void Append(std::string& out, const CDecodeTable::Entry& entry) {
    out.append(entry.bytes, entry.length);
}

} // namespace

bool Cp932ToUtf8(const std::string& sjis, std::string& utf8) {
    // ASCII is itself in UTF-8; the table is built only for text that needs it.
    if (std::all_of(sjis.begin(), sjis.end(), [](char c) { return (c & 0x80) == 0; })) {
        utf8 = sjis;
        return true;
    }
    utf8.clear();
    utf8.reserve(sjis.size() * 3 / 2);
    const CDecodeTable* table = Table();
    if (!table) {
        Convert(kNoConverter, sjis, utf8, ReplaceUndecodable);
        return false;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(sjis.data());
    const size_t size = sjis.size();
    for (size_t i = 0; i < size;) {
        if (p[i] < 0x80) {
            utf8 += char(p[i++]);
            continue;
        }
        if (IsCp932Lead(p[i]) && i + 1 < size && p[i + 1] >= 0x40 && p[i + 1] <= 0xFC &&
            table->Double(p[i], p[i + 1]).length) {
            Append(utf8, table->Double(p[i], p[i + 1]));
            i += 2;
        } else if (!IsCp932Lead(p[i]) && table->Single(p[i]).length) {
            Append(utf8, table->Single(p[i++]));
        } else {
            i += ReplaceUndecodable(p + i, size - i, utf8);
        }
    }
    return true;
}

std::string Utf8ToCp932(const std::string& utf8, char unmappable) {
    std::string sjis;
    sjis.reserve(utf8.size());
    Convert(Encoder(), utf8, sjis,
            [unmappable](const unsigned char* p, size_t left, std::string& out) {
                return ReplaceUnencodable(p, left, out, unmappable);
            });
    return sjis;
}

std::string ClipboardBytesToUnicode(const std::string& bytes) {
    std::string utf8;
    Cp932ToUtf8(bytes.substr(0, bytes.find('\0')), utf8);
    return NormaliseLineEnds(utf8, "\n");
}

// 〓 (U+3013), the mark for a character that has no Shift-JIS form.
const char kNoShiftJisForm[] = "\x81\xAC";

std::string UnicodeToClipboardBytes(const std::string& utf8) {
    // CP932 trail bytes are 0x40 or above, so NUL and LF bytes of the encoded text are the
    // characters themselves.
    std::string sjis = Utf8ToCp932(NormaliseLineEnds(utf8, "\n"), '\xFF');
    std::string out;
    out.reserve(sjis.size() + sjis.size() / 16);
    // 0xFF is never part of a CP932 character, so here it marks a character with no
    // CP932 form: it becomes 〓, as in an opened file. NUL stays undecodable (★).
    for (char c : sjis) {
        if (c == '\n')
            out += "\r\n";
        else if (c == '\xFF')
            out += kNoShiftJisForm;
        else
            out += c == '\0' ? '\xFF' : c;
    }
    return out;
}
