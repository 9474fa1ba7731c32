#pragma once

// One canvas cell: two bytes of Shift-JIS text (one full-width character or two
// half-width ones) and, for a ruled-line cell, the line flags its glyph is composed from.
class CCell {
public:
    int m_bUsed = 0; // written by an operation; marks paste-buffer content
    char m_szText[4] = {' ', ' ', 0, 0};
    int m_bLine = 0;      // the text is a box-drawing character described by m_nLineFlags
    int m_nLineFlags = 0; // meaningful only while m_bLine is 1

    void CopyFrom(const CCell& source) { *this = source; }

    // Stores up to two bytes of text (a shorter text is padded with spaces, so a
    // cell never holds a NUL in its two bytes) and recognises box-drawing characters.
    void SetText(const char* text);
    void SetLineFlags(int flags);
    void ComposeGlyph();
    void Erase();
    void Reset();

    int IsBlank() const;
    char FirstByte() const { return m_szText[0]; }
    char SecondByte() const { return m_szText[1]; }
    void GetText(char* buffer) const;

    // Merging arms into the cell; thick is nonzero for a thick line.
    void AddHorizontal(int thick);
    void AddVertical(int thick);
    void AddRight(int thick);
    void AddLeft(int thick);
    void AddDown(int thick);
    void AddUp(int thick);
    void AddTopLeftCorner(int thick);
    void AddTopRightCorner(int thick);
    void AddBottomLeftCorner(int thick);
    void AddBottomRightCorner(int thick);

    void SetHorizontalThick(int thick);
    void SetVerticalThick(int thick);
    int IsCorner() const;
    static int IsValidLineFlags(int flags);

    // Adds or removes the arm of direction 1 right, 2 down, 3 left, 4 up.
    // Returns 1 when the cell changed.
    int ToggleArm(int direction);

    // Takes another cell's content; when both are ruled-line cells, its arms
    // are added arm by arm in their weights, as the line tools add them.
    void MergeLinesFrom(const CCell& source);

    void RotateRight();
    void FlipHorizontal();
    void FlipVertical();

    void AddSlash();
    void AddBackslash();

    bool operator==(const CCell& o) const;
    bool operator!=(const CCell& o) const { return !(*this == o); }

private:
    // Merges an arm set: a non-line cell becomes freshFlags (thin) or freshFlags
    // with the given thickness bits (thick); a line cell ORs the arms in and takes
    // the thickness bits in axisBits from thick.
    void MergeArms(int arms, int thick, int freshFlags, int axisBits);
    void MergeSingleArm(int arm, int thick, int freshFlags, int axisBit);
};

// Flag transforms on line flags (bit permutations).
int RotateLineFlagsRight(int flags);
int FlipLineFlagsHorizontal(int flags);
int FlipLineFlagsVertical(int flags);

// Fixed characters used by cells.
#define SJIS_STAR "\x81\x9A"      // ★: line flags without a glyph
#define SJIS_SQUARE "\x81\xA0"    // □: a degenerate rectangle
#define SJIS_SLASH "\x81\x5E"     // ／
#define SJIS_BACKSLASH "\x81\x5F" // ＼
#define SJIS_CROSS "\x81\x7E"     // ×
#define SJIS_IDEO_SPACE "\x81\x40"
