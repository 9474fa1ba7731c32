#pragma once

#include <string>
#include <vector>

// A settings file in the Windows private-profile format: "[Section]" headers and
// "Key=Value" lines. Section and key names compare case-insensitively (ASCII) but
// keep their spelling. Every line that is not touched by a setter, including
// comments, blank lines, unknown sections and keys, is written back unchanged and in
// its place. When a name occurs twice, the first occurrence is the one read and set.
class CIniFile {
public:
    // The most a settings file may hold; anything larger is not one.
    static constexpr long MAX_FILE_BYTES = 1L << 20;

    // Reads the file. A missing file loads as an empty one and returns true. A file
    // that exists but cannot be read, is not a regular file (a folder, a FIFO, a
    // device) or is larger than MAX_FILE_BYTES leaves the object empty and returns
    // false; the caller should then not save over it. Never blocks on a FIFO.
    bool Load(const std::string& path);
    // Parses the bytes of a file; any content is accepted. LF, CR LF and a lone CR
    // each end a line (CRs just before an LF belong to that line end), and a
    // leading UTF-8 byte order mark is kept aside and written back.
    void LoadFromBytes(const std::string& bytes);

    // True when every line is blank, a comment (';' or '#'), a "[Section]" header
    // or a key=value pair, and no line holds a NUL byte: the file is a settings
    // file, not some other file that happens to have this name. Only such a file
    // may be written over.
    bool IsWellFormed() const;

    // Writes the file through a temporary file in the same folder renamed over the
    // old one, so the old file stays intact when anything fails (returns false).
    bool Save(const std::string& path) const;
    // The file content, every line ended by LF.
    std::string ToBytes() const;

    // The value of the key; def when the section or the key is missing. Surrounding
    // blanks and one pair of matching quotes around the value are removed.
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) const;
    // The leading decimal number of the value, with an optional sign; 0 when the value
    // does not start with a number, def when the key is missing or its value empty.
    // Numbers beyond the int range read as INT_MIN or INT_MAX.
    int GetInt(const std::string& section, const std::string& key, int def) const;

    // Replaces the value of an existing key or appends the key at the end of its
    // section (a missing section is appended at the end of the file). Returns false,
    // changing nothing, for names or values that cannot be stored and read back:
    // line breaks anywhere, a key that is empty, holds '=', starts with '[' or ';' or
    // has blanks around it, a section holding ']' or with blanks around it.
    bool SetString(const std::string& section, const std::string& key, const std::string& value);
    bool SetInt(const std::string& section, const std::string& key, int value);

    // Parses a number the way GetInt does; exposed for callers holding a string.
    static int ParseLeadingInt(const std::string& text);

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string text; // as in the file, without the line end
        Kind kind = Kind::Other;
        std::string name;  // section or key name, blanks removed
        std::string value; // key value, blanks removed, quotes kept
    };

    static Line ParseLine(const std::string& text);
    size_t FindSection(const std::string& section) const;
    size_t SectionEnd(size_t header) const;
    size_t FindKey(const std::string& section, const std::string& key) const;
    size_t AppendSection(const std::string& section);

    std::string m_bom;
    std::vector<Line> m_lines;
};
