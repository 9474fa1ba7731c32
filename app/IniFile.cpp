#include "app/IniFile.h"

#include "canvas/io/SafeWrite.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const size_t npos = std::string::npos;
const char kBom[] = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string Trim(const std::string& s) {
    size_t begin = 0, end = s.size();
    while (begin < end && IsBlank(s[begin])) ++begin;
    while (end > begin && IsBlank(s[end - 1])) --end;
    return s.substr(begin, end - begin);
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

bool IsQuoted(const std::string& s) {
    return s.size() >= 2 && IsQuote(s.front()) && s.back() == s.front();
}

// Quotes a value that reading would otherwise change (surrounding blanks or quotes).
std::string EncodeValue(const std::string& value) {
    if (value.empty()) return value;
    if (IsBlank(value.front()) || IsBlank(value.back()) || IsQuoted(value))
        return '"' + value + '"';
    return value;
}

bool HasLineBreak(const std::string& s) {
    return s.find_first_of("\r\n") != npos;
}

bool IsStorableSection(const std::string& s) {
    return !HasLineBreak(s) && s.find(']') == npos && Trim(s) == s;
}

bool IsStorableKey(const std::string& k) {
    return !k.empty() && !HasLineBreak(k) && k.find('=') == npos && k[0] != '[' && k[0] != ';' &&
           Trim(k) == k;
}

// Reads a whole file of at most `limit` bytes; false on a read error or when
// there is more.
bool ReadAll(int fd, std::string& out, long limit) {
    char buffer[65536];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0) return true;
        if (n < 0 && errno != EINTR) return false;
        if (n > 0) out.append(buffer, size_t(n));
        // Besides the size checked before: a file that grows while it is read.
        if (out.size() > size_t(limit)) return false;
    }
}

// The end of the line starting at pos and where the next line starts: LF, a run
// of CRs before an LF, or a single CR ends a line.
size_t LineEnd(const std::string& bytes, size_t pos, size_t& next) {
    size_t end = bytes.find_first_of("\r\n", pos);
    if (end == npos) {
        next = bytes.size();
        return bytes.size();
    }
    size_t after = end;
    while (after < bytes.size() && bytes[after] == '\r') ++after;
    if (after < bytes.size() && bytes[after] == '\n')
        next = after + 1;
    else
        next = end + 1; // a lone CR
    return end;
}

} // namespace

int CIniFile::ParseLeadingInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long magnitude = 0;
    // A negative number reaches one further than a positive one: INT_MIN.
    const long long limit = negative ? -(long long)INT_MIN : INT_MAX;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude >= limit) {
            magnitude = limit; // saturate; stays there for any further digits
        }
    }
    return negative ? int(-magnitude) : int(magnitude);
}

CIniFile::Line CIniFile::ParseLine(const std::string& text) {
    Line line;
    line.text = text;
    std::string trimmed = Trim(text);
    if (trimmed.empty() || trimmed[0] == ';') return line;
    if (trimmed[0] == '[') {
        size_t close = trimmed.find(']');
        if (close != npos) {
            line.kind = Kind::Section;
            line.name = Trim(trimmed.substr(1, close - 1));
        }
        return line;
    }
    size_t equals = trimmed.find('=');
    if (equals == npos) return line;
    line.name = Trim(trimmed.substr(0, equals));
    if (line.name.empty()) return line;
    line.kind = Kind::Key;
    line.value = Trim(trimmed.substr(equals + 1));
    return line;
}

void CIniFile::LoadFromBytes(const std::string& bytes) {
    m_lines.clear();
    m_bom.clear();
    size_t pos = 0;
    if (bytes.compare(0, 3, kBom) == 0) {
        m_bom = kBom;
        pos = 3;
    }
    while (pos < bytes.size()) {
        size_t next = 0;
        const size_t end = LineEnd(bytes, pos, next);
        m_lines.push_back(ParseLine(bytes.substr(pos, end - pos)));
        pos = next;
    }
}

bool CIniFile::Load(const std::string& path) {
    LoadFromBytes(std::string());
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return errno == ENOENT;
    // Checked on the descriptor, so that what is read is what was checked.
    struct stat st {};
    std::string content;
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= MAX_FILE_BYTES &&
              ReadAll(fd, content, MAX_FILE_BYTES);
    close(fd);
    if (ok) LoadFromBytes(content);
    return ok;
}

bool CIniFile::IsWellFormed() const {
    for (const Line& line : m_lines) {
        // A binary file can still split into lines that parse; a NUL gives it away.
        if (line.text.find('\0') != npos) return false;
        if (line.kind != Kind::Other) continue;
        const std::string trimmed = Trim(line.text);
        if (!trimmed.empty() && trimmed[0] != ';' && trimmed[0] != '#') return false;
    }
    return true;
}

std::string CIniFile::ToBytes() const {
    std::string out = m_bom;
    for (const Line& line : m_lines) {
        out += line.text;
        out += '\n';
    }
    return out;
}

size_t CIniFile::FindSection(const std::string& section) const {
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Kind::Section && SameName(m_lines[i].name, section)) return i;
    return npos;
}

size_t CIniFile::SectionEnd(size_t header) const {
    size_t i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Section) ++i;
    return i;
}

size_t CIniFile::FindKey(const std::string& section, const std::string& key) const {
    size_t header = FindSection(section);
    if (header == npos) return npos;
    for (size_t i = header + 1, end = SectionEnd(header); i < end; ++i)
        if (m_lines[i].kind == Kind::Key && SameName(m_lines[i].name, key)) return i;
    return npos;
}

std::string CIniFile::GetString(const std::string& section, const std::string& key,
                                const std::string& def) const {
    size_t i = FindKey(section, key);
    if (i == npos) return def;
    const std::string& value = m_lines[i].value;
    return IsQuoted(value) ? value.substr(1, value.size() - 2) : value;
}

int CIniFile::GetInt(const std::string& section, const std::string& key, int def) const {
    std::string value = GetString(section, key, std::string());
    if (value.empty()) return def;
    return ParseLeadingInt(value);
}

size_t CIniFile::AppendSection(const std::string& section) {
    // A blank line sets the new section apart, as sections are usually written.
    if (!m_lines.empty() && !Trim(m_lines.back().text).empty()) m_lines.push_back(Line());
    m_lines.push_back(ParseLine('[' + section + ']'));
    return m_lines.size() - 1;
}

bool CIniFile::SetString(const std::string& section, const std::string& key,
                         const std::string& value) {
    if (!IsStorableSection(section) || !IsStorableKey(key) || HasLineBreak(value)) return false;
    size_t i = FindKey(section, key);
    if (i != npos) {
        // Keep the key's spelling as found in the file.
        m_lines[i] = ParseLine(m_lines[i].name + '=' + EncodeValue(value));
        return true;
    }
    size_t header = FindSection(section);
    if (header == npos) header = AppendSection(section);
    // Right after the section's last key: blank lines and comments that end the
    // section stay between it and the next one.
    size_t at = header + 1;
    for (size_t j = header + 1, end = SectionEnd(header); j < end; ++j)
        if (m_lines[j].kind == Kind::Key) at = j + 1;
    m_lines.insert(m_lines.begin() + long(at), ParseLine(key + '=' + EncodeValue(value)));
    return true;
}

bool CIniFile::SetInt(const std::string& section, const std::string& key, int value) {
    return SetString(section, key, std::to_string(value));
}

bool CIniFile::Save(const std::string& path) const {
    // The same safe write as canvas files: links stay links, owners and modes
    // are kept, and a failure leaves the old file as it was.
    std::string error;
    return WriteFileSafely(path, ToBytes(), error);
}
