#pragma once

// Where writing a canvas back would first differ from the file it was read
// from, and what kind of change it is there.
enum class RoundTripKind {
    None,
    AlignmentSpace, // a space inserted before a full-width character (an odd half-width run)
    TrailingSpaces, // spaces at the end of a line are dropped
    Tab,            // a TAB becomes spaces
    LineEnd,        // a line end changes, disappears or is added
    StrayBytes,     // bytes that are no character of the file's encoding
    Character       // a character the cells keep as another one
};

struct CRoundTripChange {
    RoundTripKind m_kind = RoundTripKind::None;
    // The first place that changes, 1-based: the line, and the cell column as the
    // canvas shows it.
    int m_nLine = 0;
    int m_nColumn = 0;

    bool Any() const { return m_kind != RoundTripKind::None; }
};
