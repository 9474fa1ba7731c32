#pragma once

// Line flags of a ruled-line cell: four arms and a thickness bit per axis.
enum : int {
    LF_RIGHT = 1,
    LF_DOWN = 2,
    LF_LEFT = 4,
    LF_UP = 8,
    LF_ARMS = 15,
    LF_HTHICK = 16, // the right and left arms are thick
    LF_VTHICK = 32, // the up and down arms are thick
};

// Arm directions as used by ToggleArm and ArmFromPoint.
enum : int { ARM_RIGHT = 1, ARM_DOWN = 2, ARM_LEFT = 3, ARM_UP = 4 };

// The Shift-JIS box-drawing character for a flag value, or nullptr when the
// value has no glyph. Each result is two bytes plus NUL.
const char* LineGlyphFor(int flags);

// The flag value of a NUL-terminated string that is exactly one of the 32
// box-drawing characters, or -1.
int LineFlagsForText(const char* text);

// The 32 valid flag values in ascending order.
extern const int g_validLineFlags[32];
