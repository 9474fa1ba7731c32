#pragma once

#include "canvas/io/PartProblem.h"
#include "canvas/io/TextFormat.h"

#include <cstdint>
#include <string>

class CRuvlenDoc;

// What a save checks to know that nobody changed the file since it was read:
// its size and modification time.
struct CFileStamp {
    std::int64_t m_nSize = -1;
    std::int64_t m_nModifiedSec = 0;
    std::int64_t m_nModifiedNsec = 0;

    bool operator==(const CFileStamp& o) const {
        return m_nSize == o.m_nSize && m_nModifiedSec == o.m_nModifiedSec &&
               m_nModifiedNsec == o.m_nModifiedNsec;
    }
    bool operator!=(const CFileStamp& o) const { return !(*this == o); }
};

// A canvas that stands for lines m_nFirst .. Last() of a file: the file's bytes
// before those lines and after them exactly as read, the lines themselves as
// read (or as last written), the whole file's format, and its stamp.
struct CFilePart {
    std::string m_strPath;
    CTextFormat m_format;
    int m_nFirst = 1;
    int m_nLines = 0;
    std::string m_strBefore;
    std::string m_strRange;
    std::string m_strAfter;
    CFileStamp m_stamp;

    int Last() const { return m_nFirst + m_nLines - 1; }
    std::string Whole() const { return m_strBefore + m_strRange + m_strAfter; }
};

// Extra lines and columns a part's canvas gets beyond its content, where the
// canvas limits allow, so that the diagram can grow.
constexpr int kPartRoom = 10;

// The format the range itself is read and written in: the file's, without the
// byte-order mark, which belongs to the bytes before line 1.
CTextFormat PartBodyFormat(const CTextFormat& format);

// Whether lines first..last (1-based, inclusive) of a file of fileLines lines
// can be a part: refuses lines past the end, a reversed range and more lines
// than a canvas holds.
bool CheckPartRange(int first, int last, int fileLines, CPartProblem& problem);

// Cuts lines first..last (1-based, inclusive) out of a whole file's bytes in
// its format, after CheckPartRange. Leaves the path and the stamp to the caller.
bool CutFilePart(const std::string& bytes, const CTextFormat& format, int first, int last,
                 CFilePart& part, CPartProblem& problem);

// Reads the part's lines into a fresh document as a file is read, in the
// whole file's format, on a canvas sized to them with kPartRoom to spare.
// Refuses a line wider than a canvas, naming it.
bool LoadFilePart(CRuvlenDoc& doc, const CFilePart& part, CPartProblem& problem);
