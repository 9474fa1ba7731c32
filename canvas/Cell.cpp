#include "canvas/Cell.h"

#include "canvas/LineFlags.h"

#include <cstring>

namespace {

// True when the four arm bits are exactly two perpendicular arms.
int IsCornerArms(int arms) {
    return arms == (LF_RIGHT | LF_DOWN) || arms == (LF_DOWN | LF_LEFT) ||
           arms == (LF_RIGHT | LF_UP) || arms == (LF_LEFT | LF_UP);
}

} // namespace

void CCell::SetText(const char* text) {
    m_bUsed = 1;
    m_szText[0] = text[0] ? text[0] : ' ';
    m_szText[1] = (text[0] && text[1]) ? text[1] : ' ';
    m_szText[2] = 0;
    int flags = LineFlagsForText(m_szText);
    if (flags >= 0) {
        m_bLine = 1;
        m_nLineFlags = flags;
    } else {
        m_bLine = 0;
    }
}

void CCell::SetLineFlags(int flags) {
    m_bUsed = 1;
    m_nLineFlags = flags;
    m_bLine = 1;
    ComposeGlyph();
}

void CCell::ComposeGlyph() {
    const char* glyph = LineGlyphFor(m_nLineFlags);
    if (glyph) {
        std::memcpy(m_szText, glyph, 3);
    } else {
        std::memcpy(m_szText, SJIS_STAR, 3);
        m_bLine = 0;
    }
}

void CCell::Erase() {
    m_bUsed = 1;
    std::memcpy(m_szText, "  ", 3);
    m_bLine = 0;
}

void CCell::Reset() {
    Erase();
    m_bUsed = 0;
}

int CCell::IsBlank() const {
    return (m_szText[0] == ' ' && m_szText[1] == ' ') ||
           std::memcmp(m_szText, SJIS_IDEO_SPACE, 2) == 0;
}

void CCell::GetText(char* buffer) const {
    buffer[0] = m_szText[0];
    buffer[1] = m_szText[1];
    buffer[2] = 0;
}

void CCell::MergeArms(int arms, int thick, int freshFlags, int axisBits) {
    if (!m_bLine) {
        SetLineFlags(thick ? (freshFlags | axisBits) : freshFlags);
        return;
    }
    m_nLineFlags |= arms;
    m_nLineFlags = thick ? (m_nLineFlags | axisBits) : (m_nLineFlags & ~axisBits);
    ComposeGlyph();
}

void CCell::MergeSingleArm(int arm, int thick, int freshFlags, int axisBit) {
    int axisBits = axisBit;
    if (m_bLine && IsCornerArms((m_nLineFlags | arm) & LF_ARMS)) axisBits = LF_HTHICK | LF_VTHICK;
    MergeArms(arm, thick, freshFlags, axisBits);
}

void CCell::MergeLinesFrom(const CCell& source) {
    if (!m_bLine || !source.m_bLine) {
        CopyFrom(source);
        return;
    }
    const int flags = source.m_nLineFlags;
    const int horizontal = (flags & LF_HTHICK) ? 1 : 0, vertical = (flags & LF_VTHICK) ? 1 : 0;
    if (flags & LF_RIGHT) AddRight(horizontal);
    if (flags & LF_LEFT) AddLeft(horizontal);
    if (flags & LF_DOWN) AddDown(vertical);
    if (flags & LF_UP) AddUp(vertical);
}

void CCell::AddHorizontal(int thick) {
    MergeArms(LF_RIGHT | LF_LEFT, thick, LF_RIGHT | LF_LEFT, LF_HTHICK);
}
void CCell::AddVertical(int thick) {
    MergeArms(LF_DOWN | LF_UP, thick, LF_DOWN | LF_UP, LF_VTHICK);
}
void CCell::AddRight(int thick) {
    MergeSingleArm(LF_RIGHT, thick, LF_RIGHT | LF_LEFT, LF_HTHICK);
}
void CCell::AddLeft(int thick) {
    MergeSingleArm(LF_LEFT, thick, LF_RIGHT | LF_LEFT, LF_HTHICK);
}
void CCell::AddDown(int thick) {
    MergeSingleArm(LF_DOWN, thick, LF_DOWN | LF_UP, LF_VTHICK);
}
void CCell::AddUp(int thick) {
    MergeSingleArm(LF_UP, thick, LF_DOWN | LF_UP, LF_VTHICK);
}
void CCell::AddTopLeftCorner(int thick) {
    MergeArms(LF_RIGHT | LF_DOWN, thick, LF_RIGHT | LF_DOWN, LF_HTHICK | LF_VTHICK);
}
void CCell::AddTopRightCorner(int thick) {
    MergeArms(LF_DOWN | LF_LEFT, thick, LF_DOWN | LF_LEFT, LF_HTHICK | LF_VTHICK);
}
void CCell::AddBottomLeftCorner(int thick) {
    MergeArms(LF_RIGHT | LF_UP, thick, LF_RIGHT | LF_UP, LF_HTHICK | LF_VTHICK);
}
void CCell::AddBottomRightCorner(int thick) {
    MergeArms(LF_LEFT | LF_UP, thick, LF_LEFT | LF_UP, LF_HTHICK | LF_VTHICK);
}

void CCell::SetHorizontalThick(int thick) {
    m_nLineFlags = thick ? (m_nLineFlags | LF_HTHICK) : (m_nLineFlags & ~LF_HTHICK);
}

void CCell::SetVerticalThick(int thick) {
    m_nLineFlags = thick ? (m_nLineFlags | LF_VTHICK) : (m_nLineFlags & ~LF_VTHICK);
}

int CCell::IsCorner() const {
    return IsCornerArms(m_nLineFlags & LF_ARMS);
}

int CCell::IsValidLineFlags(int flags) {
    return LineGlyphFor(flags) != nullptr;
}

int CCell::ToggleArm(int direction) {
    if (!m_bLine || direction < ARM_RIGHT || direction > ARM_UP) return 0;
    int arm = 1 << (direction - 1);
    if (!(m_nLineFlags & arm)) {
        m_nLineFlags |= arm;
        ComposeGlyph();
        return 1;
    }
    int flags = m_nLineFlags & ~arm;
    if (!IsValidLineFlags(flags)) {
        flags ^= (arm & (LF_RIGHT | LF_LEFT)) ? LF_HTHICK : LF_VTHICK;
        if (!IsValidLineFlags(flags)) return 0;
    }
    m_nLineFlags = flags;
    ComposeGlyph();
    return 1;
}

int RotateLineFlagsRight(int flags) {
    int arms = flags & LF_ARMS;
    int rotated = ((arms << 1) | (arms >> 3)) & LF_ARMS;
    if (flags & LF_HTHICK) rotated |= LF_VTHICK;
    if (flags & LF_VTHICK) rotated |= LF_HTHICK;
    return rotated;
}

int FlipLineFlagsHorizontal(int flags) {
    int swapped = flags & ~(LF_RIGHT | LF_LEFT);
    if (flags & LF_RIGHT) swapped |= LF_LEFT;
    if (flags & LF_LEFT) swapped |= LF_RIGHT;
    return swapped;
}

int FlipLineFlagsVertical(int flags) {
    int swapped = flags & ~(LF_UP | LF_DOWN);
    if (flags & LF_UP) swapped |= LF_DOWN;
    if (flags & LF_DOWN) swapped |= LF_UP;
    return swapped;
}

void CCell::RotateRight() {
    m_nLineFlags = RotateLineFlagsRight(m_nLineFlags);
    ComposeGlyph();
}

void CCell::FlipHorizontal() {
    if (!m_bLine) return;
    m_nLineFlags = FlipLineFlagsHorizontal(m_nLineFlags);
    ComposeGlyph();
}

void CCell::FlipVertical() {
    if (!m_bLine) return;
    m_nLineFlags = FlipLineFlagsVertical(m_nLineFlags);
    ComposeGlyph();
}

void CCell::AddSlash() {
    bool cross = m_bUsed && (std::memcmp(m_szText, SJIS_BACKSLASH, 2) == 0 ||
                             std::memcmp(m_szText, SJIS_CROSS, 2) == 0);
    SetText(cross ? SJIS_CROSS : SJIS_SLASH);
}

void CCell::AddBackslash() {
    bool cross = m_bUsed && (std::memcmp(m_szText, SJIS_SLASH, 2) == 0 ||
                             std::memcmp(m_szText, SJIS_CROSS, 2) == 0);
    SetText(cross ? SJIS_CROSS : SJIS_BACKSLASH);
}

bool CCell::operator==(const CCell& o) const {
    return m_bUsed == o.m_bUsed && m_szText[0] == o.m_szText[0] && m_szText[1] == o.m_szText[1] &&
           m_bLine == o.m_bLine && (!m_bLine || m_nLineFlags == o.m_nLineFlags);
}
