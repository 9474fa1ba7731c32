#pragma once

#include <string>
#include <vector>

class CRuvlenDoc;

// One canvas line of a table cell as typing edits it: the characters between
// the cell's borders, blanks included, in half cells counted from the canvas's
// left edge. The blanks that only keep a full-width character on a whole cell
// are left out (in text kept to the left the half blank before it, in text
// kept to the right the one after it), so that
// laying the characters out again from the left border, or up to the right
// border, gives the line back cell for cell and moves only what an edit moved.
class CTableCellLine {
public:
    CTableCellLine(const CRuvlenDoc& doc, int left, int right, int line, bool keepRight);

    int Size() const { return static_cast<int>(m_chars.size()); }
    // How many characters lie wholly before half cell `half`.
    int IndexAt(int half) const;
    // The first and last places an edit may use: after the half-width blank at
    // the left border (the margin) and before the one at the right border.
    int FirstPlace() const;
    int LastPlace() const;
    // Where the text starts and ends as read (half cells); for a blank line the
    // margin's place on the side the text keeps to.
    int TextStart() const;
    int TextEnd() const;
    // The place before the text's first character (start) or after its last
    // one; for a blank line the first or last place.
    int TextIndex(bool start) const;

    void Insert(int index, const std::string& sjis);
    void Erase(int index) { m_chars.erase(m_chars.begin() + index); }

    // The line laid out between the left border and the cell's last column
    // `right`: its cells' two bytes each, the half where a caret before
    // character `caret` goes, and how many half cells the text lacks to keep
    // half a cell of blank at the far side (0 when it fits).
    struct CLaid {
        std::vector<std::string> m_cells;
        int m_nCaretHalf = 0;
        int m_nShortHalves = 0;
    };
    CLaid Lay(int right, int caret) const;

private:
    struct CChar {
        std::string bytes;
        int half = 0;   // where it was read
        int halves = 1; // 1 half-width, 2 full-width
        bool Blank() const;
    };
    void Read(const CRuvlenDoc& doc, int right, int line);
    void DropPads();
    std::vector<int> Positions(int right, int caret, int& caretHalf) const;

    int m_nLeft;
    int m_nRight;
    bool m_bKeepRight;
    std::vector<CChar> m_chars;
};
