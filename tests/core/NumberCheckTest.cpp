// The number check behind the canvas settings dialog: a two-byte decimal
// field from 10 to 99, and the checks on their own.

#include "tools/NumberCheck.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

CNumberCheck CanvasCount(const std::string& text) {
    CNumberCheck check;
    check.m_strText = text;
    check.SetMaxLength(2);
    check.SetMin(10);
    check.SetMax(99);
    return check;
}

TEST(NumberCheckTest, NewCheckHasNoLimits) {
    const CNumberCheck check;
    EXPECT_EQ(check.m_strText, "");
    EXPECT_EQ(check.m_bCheckLength, 0);
    EXPECT_EQ(check.m_bCheckMin, 0);
    EXPECT_EQ(check.m_bCheckMax, 0);
    EXPECT_EQ(check.IsValid(), 1); // empty text, nothing to check
}

TEST(NumberCheckTest, CanvasCountsAccepted) {
    for (const char* text : {"10", "11", "42", "98", "99"}) {
        const CNumberCheck check = CanvasCount(text);
        EXPECT_EQ(check.IsValid(), 1) << text;
        EXPECT_EQ(check.GetValue(), std::stoi(text)) << text;
    }
}

TEST(NumberCheckTest, CanvasCountsRefused) {
    const char* const refused[] = {
        "",
        "0",
        "9",
        "09",
        "00",
        "100",
        "999",
        " 12",
        "12 ",
        "1 2",
        "+12",
        "-12",
        "1a",
        "\t1",
        "1.",
        "\x82\x50\x82\x51",         // full-width "１２" in Shift-JIS
        "\xEF\xBC\x91\xEF\xBC\x92", // full-width "１２" in UTF-8
        "\x82\x50",                 // one full-width digit: two bytes, still not a digit
    };
    for (const char* text : refused)
        EXPECT_EQ(CanvasCount(text).IsValid(), 0) << '"' << text << '"';
}

TEST(NumberCheckTest, LengthCountsBytes) {
    CNumberCheck check;
    check.SetMaxLength(3);
    check.m_strText = "123";
    EXPECT_EQ(check.IsValid(), 1);
    check.m_strText = "1234";
    EXPECT_EQ(check.IsValid(), 0);
    check.m_strText = "0012"; // leading zeros count towards the length
    EXPECT_EQ(check.IsValid(), 0);
}

TEST(NumberCheckTest, EachBoundAppliesOnItsOwn) {
    CNumberCheck check;
    check.m_strText = "5";
    check.SetMax(5);
    EXPECT_EQ(check.IsValid(), 1);
    check.SetMin(6);
    EXPECT_EQ(check.IsValid(), 0);

    CNumberCheck onlyMin;
    onlyMin.SetMin(10);
    onlyMin.m_strText = "123456";
    EXPECT_EQ(onlyMin.IsValid(), 1);
    onlyMin.m_strText = "";
    EXPECT_EQ(onlyMin.IsValid(), 0); // the empty text is 0
}

TEST(NumberCheckTest, LongDigitStringsSaturate) {
    CNumberCheck check;
    check.m_strText = "2147483647";
    EXPECT_EQ(check.GetValue(), INT_MAX);
    check.m_strText = "2147483648";
    EXPECT_EQ(check.GetValue(), INT_MAX);
    check.m_strText = std::string(400, '9');
    EXPECT_EQ(check.GetValue(), INT_MAX);

    // Without a length limit the value check still refuses it.
    check.SetMax(99);
    EXPECT_EQ(check.IsValid(), 0);
    check.SetMax(INT_MAX);
    EXPECT_EQ(check.IsValid(), 1);
}

TEST(NumberCheckTest, GetValueOfStrayBytesStaysDefined) {
    CNumberCheck check;
    check.m_strText = std::string(400, ' '); // each byte adds -16
    EXPECT_EQ(check.GetValue(), INT_MIN);
    check.m_strText = std::string(400, '\xFF');
    EXPECT_EQ(check.GetValue(), INT_MAX);
}

} // namespace
