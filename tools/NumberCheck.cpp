#include "tools/NumberCheck.h"

#include <climits>

int CNumberCheck::IsValid() const {
    if (m_bCheckLength && static_cast<long long>(m_strText.size()) > m_nMaxLength) return 0;
    for (const char c : m_strText) {
        if (c < '0' || c > '9') return 0; // signs, blanks and any double-byte text
    }
    const int v = GetValue();
    if (m_bCheckMin && v < m_nMin) return 0;
    if (m_bCheckMax && v > m_nMax) return 0;
    return 1;
}

int CNumberCheck::GetValue() const {
    // Accumulate in a wider type and clamp at every step, so a long string of
    // digits (or stray bytes) gives INT_MAX or INT_MIN rather than overflowing.
    long long v = 0;
    for (const char c : m_strText) {
        v = v * 10 + (static_cast<unsigned char>(c) - 0x30);
        if (v > INT_MAX) v = INT_MAX;
        if (v < INT_MIN) v = INT_MIN;
    }
    return static_cast<int>(v);
}
