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
    // Reads the file. A missing file loads as an empty one and returns true. A file
    // that exists but cannot be read leaves the object empty and returns false; the
    // caller should then not save over it.
    bool Load(const std::string& path);
    // Parses the bytes of a file; any content is accepted. CR LF and LF both end a
    // line, and a leading UTF-8 byte order mark is kept aside and written back.
    void LoadFromBytes(const std::string& bytes);

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
