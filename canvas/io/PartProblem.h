#pragma once

#include <string>

// Why a part of a file could not be opened or saved.
enum class EPartProblem {
    None,
    NoSuchLine,    // m_nLine is past the file's m_nFileLines lines
    Reversed,      // the range's last line comes before its first
    TooLong,       // more lines than a canvas holds: m_nLine is the first one too many
    TooWide,       // m_nLine is wider than a canvas holds
    TooLarge,      // the file is larger than a part can be cut from
    ChangedOnDisk, // the file changed after it was read; nothing was written
    FormatFixed,   // a part is saved in the whole file's own encoding and line ends
    Io             // reading or writing failed: m_strMessage says why (Japanese)
};

struct CPartProblem {
    EPartProblem m_kind = EPartProblem::None;
    int m_nLine = 0;      // 1-based line of the file
    int m_nFileLines = 0; // for NoSuchLine
    int m_nFirst = 0;     // for Reversed: the range as asked
    int m_nLast = 0;
    std::string m_strMessage; // for Io

    bool Any() const { return m_kind != EPartProblem::None; }
};

// A Japanese sentence for the window, and the same in English for tavik-cli.
std::string DescribePartProblem(const CPartProblem& problem);
std::string DescribePartProblemEnglish(const CPartProblem& problem);

// The largest file a part is cut from, in bytes.
constexpr unsigned kMaxPartFileMiB = 16;
