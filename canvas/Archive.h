#pragma once

#include <cstddef>
#include <string>

// A byte stream the document is loaded from or stored to. Loading reads from a
// byte string (or a file through TextFile); storing appends to a byte string.
class CArchive {
public:
    // An archive for loading from the given bytes.
    static CArchive ForLoading(const std::string& bytes) { return CArchive(&bytes); }
    // An archive for storing into the given string (appended to).
    static CArchive ForStoring(std::string& out) { return CArchive(&out); }

    bool IsStoring() const { return m_pOut != nullptr; }

    // Next byte 0..255, or -1 at the end.
    int ReadByte() {
        if (m_nPos >= m_pIn->size()) return -1;
        return static_cast<unsigned char>((*m_pIn)[m_nPos++]);
    }
    void Write(const char* data, size_t length) { m_pOut->append(data, length); }

private:
    explicit CArchive(const std::string* in) : m_pIn(in) {}
    explicit CArchive(std::string* out) : m_pOut(out) {}

    const std::string* m_pIn = nullptr;
    std::string* m_pOut = nullptr;
    size_t m_nPos = 0;
};
