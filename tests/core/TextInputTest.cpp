// Validation and layout of the text typed into the text input dialog: Shift-JIS
// bytes with CR LF line breaks, laid out into lines of the target rectangle.

#include "tools/TextInputDlg.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kA = "\x82\xA0", kB = "\x82\xA2", kC = "\x82\xA4", kD = "\x82\xA6";

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

struct Outcome {
    int accepted;
    std::string text;
    std::string message;
};

Outcome Validate(int width, int height, int vertical, const std::string& typed) {
    CTextInputDlg dialog(width, height, vertical);
    dialog.m_nCapacity = width * height;
    std::string message;
    const int accepted = dialog.ValidateText(typed, &message);
    return {accepted, dialog.GetText(), message};
}

struct LayoutCase {
    const char* name;
    int width, height, vertical;
    std::string typed;
    std::string laidOut;
};

const LayoutCase kLayoutCases[] = {
    {"line break pads the row", 3, 2, 0, "ab\r\ncd", "ab    cd"},
    {"full-width after one letter", 3, 2, 0, "a" + kA, "a " + kA},
    {"full-width after five letters starts the next row", 3, 2, 0, "abcde" + kA, "abcde " + kA},
    {"six full-width fill the capacity", 3, 2, 0, Repeat(kA, 6), Repeat(kA, 6)},
    {"break after an exactly full line adds nothing", 3, 2, 0,
     Repeat(kA, 3) + "\r\n" + Repeat(kA, 3) + "\r\n", Repeat(kA, 6)},
    {"break after a full line of letters", 3, 2, 0, "abcdef\r\ngh", "abcdefgh"},
    {"letters run on into the next row", 3, 2, 0, "abcdefgh", "abcdefgh"},
    {"half-width katakana are single bytes", 3, 2, 0, "\xB1\xB2\xB3" + kA, "\xB1\xB2\xB3 " + kA},
    {"trailing break pads the last row", 3, 2, 0, "ab\r\n", "ab    "},
    {"empty text", 3, 2, 0, "", ""},
    {"vertical 2 x 3", 2, 3, 1, kA + kB + kC + "\r\n" + kD, kA + kB + kC + kD},
    {"vertical break pads the column", 2, 3, 1, "a\r\nb", "a     b"},
    {"carried full-width continues its line", 3, 3, 0, "abcde" + kA + "fg", "abcde " + kA + "fg"},
};

TEST(TextInputLayout, AcceptedTextIsLaidOutIntoLines) {
    for (const LayoutCase& c : kLayoutCases) {
        SCOPED_TRACE(c.name);
        const Outcome r = Validate(c.width, c.height, c.vertical, c.typed);
        EXPECT_EQ(r.accepted, 1);
        EXPECT_EQ(r.text, c.laidOut);
        EXPECT_EQ(r.message, "");
    }
}

// A line break right after a full-width character that the alignment space carried
// onto a new line pads that new line only.
TEST(TextInputLayout, BreakAfterACarriedFullWidthCharacterPadsOnlyItsLine) {
    const Outcome once = Validate(3, 3, 0, "abcde" + kA + "\r\nx");
    ASSERT_EQ(once.accepted, 1);
    EXPECT_EQ(once.text, "abcde " + kA + "    x");

    const Outcome narrow = Validate(1, 4, 0, "a" + kA + "\r\nx");
    ASSERT_EQ(narrow.accepted, 1);
    EXPECT_EQ(narrow.text, "a " + kA + "x"); // the carried line is already full

    const std::string twice = "abcde" + kA + "\r\n" + "abcde" + kA + "\r\nx";
    const Outcome r = Validate(3, 5, 0, twice);
    ASSERT_EQ(r.accepted, 1);
    ASSERT_EQ(r.text.size() % 6, 1u);
    for (size_t line = 0; line + 1 < r.text.size(); line += 6)
        EXPECT_EQ(r.text.substr(line, 6), line % 12 == 0 ? "abcde " : kA + "    ") << line;
    EXPECT_EQ(r.text.back(), 'x');
}

TEST(TextInputLayout, TooLongTextIsRefused) {
    EXPECT_STREQ(kTooLongMessage, "文字数がオーバーしています。");
    const std::string cases[] = {
        Repeat(kA, 7), Repeat(kA, 3) + "\r\n" + Repeat(kA, 3) + "\r\n\r\n", "abcdefghijklm",
        "abcde" + Repeat(kA, 4), // the alignment space makes 14 bytes
    };
    for (const std::string& typed : cases) {
        SCOPED_TRACE(typed);
        const Outcome r = Validate(3, 2, 0, typed);
        EXPECT_EQ(r.accepted, 0);
        EXPECT_EQ(r.message, kTooLongMessage);
    }
}

TEST(TextInputLayout, InvalidBytesAreRefused) {
    EXPECT_STREQ(kInvalidCodeMessage, "テキストの中に不正なコードが検出されました。");
    const std::string cases[] = {
        "a\tb",
        "a\nb",
        "a\rb",
        "ab\r",
        "ab\x82",
        "\x82 x",
        "a\x7F",
        "a\xA0",
        "a\xFD",
        "a\x01",
        Repeat(kA, 7) + "\t", // reported before the length is compared
    };
    for (const std::string& typed : cases) {
        SCOPED_TRACE(testing::PrintToString(typed));
        const Outcome r = Validate(3, 2, 0, typed);
        EXPECT_EQ(r.accepted, 0);
        EXPECT_EQ(r.message, kInvalidCodeMessage);
    }
    CTextInputDlg dialog(3, 2, 0);
    dialog.m_nCapacity = 6;
    EXPECT_EQ(dialog.ValidateText("\t", nullptr), 0);
}

TEST(TextInputLayout, CapacityLine) {
    CTextInputDlg dialog(3, 2, 0);
    dialog.m_nCapacity = 6;
    EXPECT_EQ(dialog.GetCapacityText(), "全角で 6 個の文字が入力できます。");
    dialog.m_nCapacity = 120;
    EXPECT_EQ(dialog.GetCapacityText(), "全角で 120 個の文字が入力できます。");
}

} // namespace
