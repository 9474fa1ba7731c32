#pragma once

#include <string>

// Checks a decimal text field: ASCII digits only, with an optional maximum
// length in bytes and optional bounds on the value.
class CNumberCheck {
public:
    void SetMaxLength(int n) {
        m_bCheckLength = 1;
        m_nMaxLength = n;
    }
    void SetMin(int n) {
        m_bCheckMin = 1;
        m_nMin = n;
    }
    void SetMax(int n) {
        m_bCheckMax = 1;
        m_nMax = n;
    }

    // 1 when the text passes every check that is set, else 0.
    int IsValid() const;
    // The decimal value of the text; saturates instead of overflowing.
    int GetValue() const;

    std::string m_strText;
    int m_bCheckLength = 0;
    int m_bCheckMin = 0;
    int m_bCheckMax = 0;
    int m_nMaxLength = 0;
    int m_nMin = 0;
    int m_nMax = 0;
};
