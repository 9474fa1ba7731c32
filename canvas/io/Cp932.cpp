#include "canvas/io/Cp932.h"

#include "canvas/Utf8Char.h"

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

iconv_t Decoder() {
    thread_local Converter converter("UTF-8", "CP932");
    return converter.Get();
}

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

bool Cp932ToUtf8(const std::string& sjis, std::string& utf8) {
    iconv_t cd = Decoder();
    utf8.clear();
    utf8.reserve(sjis.size() * 3 / 2);
    Convert(cd, sjis, utf8, ReplaceUndecodable);
    return cd != kNoConverter;
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

std::string UnicodeToClipboardBytes(const std::string& utf8) {
    // CP932 trail bytes are 0x40 or above, so NUL and LF bytes of the encoded text are the
    // characters themselves.
    std::string sjis = Utf8ToCp932(NormaliseLineEnds(utf8, "\n"), '\xFF');
    std::string out;
    out.reserve(sjis.size() + sjis.size() / 16);
    for (char c : sjis) {
        if (c == '\n')
            out += "\r\n";
        else
            out += c == '\0' ? '\xFF' : c;
    }
    return out;
}
