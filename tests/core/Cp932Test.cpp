#include "canvas/io/Cp932.h"
#include "canvas/io/Utf8CellText.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const std::string kFffd = "\xEF\xBF\xBD";

std::string Decode(const std::string& sjis) {
    std::string utf8;
    EXPECT_TRUE(Cp932ToUtf8(sjis, utf8));
    return utf8;
}

std::string Bytes(unsigned code) {
    return code < 0x100 ? std::string(1, static_cast<char>(code))
                        : std::string{static_cast<char>(code >> 8), static_cast<char>(code)};
}

} // namespace

TEST(Cp932, BoxDrawingCharactersRoundTrip) {
    for (unsigned code = 0x849F; code <= 0x84BE; ++code) {
        std::string utf8 = Decode(Bytes(code));
        ASSERT_EQ(utf8.size(), 3u) << std::hex << code;
        EXPECT_EQ(utf8[0], '\xE2') << std::hex << code; // U+2500..U+257F
        EXPECT_EQ(Utf8ToCp932(utf8, '?'), Bytes(code)) << std::hex << code;
    }
    EXPECT_EQ(Decode("\x84\x9F\x84\xA0\x84\xA9\x84\xBE"), "─│┼╂");
}

TEST(Cp932, WindowsFormsOfTheDisputedCodes) {
    EXPECT_EQ(Decode("\x81\x5F"), "\uFF3C");
    EXPECT_EQ(Decode("\x81\x60"), "\uFF5E");
    EXPECT_EQ(Decode("\x81\x7C"), "\uFF0D");
    EXPECT_EQ(Decode("\x81\x5C"), "\u2015");
    EXPECT_EQ(Decode("\x81\x61"), "\u2225");
    EXPECT_EQ(Decode("\x81\x91\x81\x92\x81\xCA"), "\uFFE0\uFFE1\uFFE2");
    EXPECT_EQ(Decode("\\~"), "\\~"); // ASCII stays ASCII, not yen sign and overline
    EXPECT_EQ(Decode("\xB1\xDF"), "\uFF71\uFF9F");
    EXPECT_EQ(Decode("\x87\x40\xFA\x40"), "\u2460\u2170"); // NEC and IBM extensions
    for (const char* text : {"\uFF3C", "\uFF5E", "\uFF0D", "\u2015", "\u2225", "\\", "~"}) {
        EXPECT_EQ(Decode(Utf8ToCp932(text, '?')), text);
    }
}

TEST(Cp932, PastedLookAlikesEncode) {
    EXPECT_EQ(Utf8ToCp932("\u301C", '?'), "\x81\x60");
    EXPECT_EQ(Utf8ToCp932("\u2212", '?'), "\x81\x7C");
    EXPECT_EQ(Utf8ToCp932("\u2016", '?'), "\x81\x61");
    EXPECT_EQ(Utf8ToCp932("\u2014", '?'), "\x81\x5C");
    EXPECT_EQ(Utf8ToCp932("\u00A2\u00A3\u00AC", '?'), "\x81\x91\x81\x92\x81\xCA");
    EXPECT_EQ(Utf8ToCp932("\u00A5", '?'), "\x5C");
    EXPECT_EQ(Utf8ToCp932("\u00C5\u212B", '?'), "\x81\xF0\x81\xF0"); // NFC and CP932 forms
    // A duplicate NEC code decodes, but encodes to the JIS code of the same character.
    EXPECT_EQ(Utf8ToCp932(Decode("\x87\x90"), '?'), "\x81\xE0");
}

TEST(Cp932, UndecodableBytesBecomeReplacementCharacters) {
    EXPECT_EQ(Decode("\x81"), kFffd);          // lone lead byte
    EXPECT_EQ(Decode("AB\x81"), "AB" + kFffd); // lead byte at the end
    EXPECT_EQ(Decode("A\x80"
                     "B"),
              "A" + kFffd + "B"); // not a lead byte in CP932
    EXPECT_EQ(Decode("\xFF\xA0\xFD"), kFffd + kFffd + kFffd);
    EXPECT_EQ(Decode("\x81 x"), kFffd + " x");   // the byte after a bad lead byte is kept
    EXPECT_EQ(Decode("\x85\x40x"), kFffd + "x"); // unassigned pair: one character
    EXPECT_EQ(Decode(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(Decode(""), "");
}

TEST(Cp932, EveryByteSequenceDecodes) {
    std::string all;
    for (unsigned lead = 0; lead < 0x100; ++lead) {
        for (unsigned trail = 0; trail < 0x100; trail += 3) all += Bytes(lead << 8 | trail);
    }
    std::string utf8 = Decode(all);
    EXPECT_GT(utf8.size(), all.size());
    std::string again = Decode(Utf8ToCp932(utf8, '?')); // decoder output is valid UTF-8
    EXPECT_EQ(again.find(kFffd), std::string::npos);
}

TEST(Cp932, UnmappableAndInvalidUtf8BecomeTheGivenByte) {
    EXPECT_EQ(Utf8ToCp932("a\U0001F600b", '?'), "a?b");
    EXPECT_EQ(Utf8ToCp932("\u00E9", '\xFF'), "\xFF");
    EXPECT_EQ(Utf8ToCp932("x\xE3\x81", '?'), "x?");     // truncated at the end
    EXPECT_EQ(Utf8ToCp932("x\xE3\x81y", '?'), "x?y");   // truncated in the middle
    EXPECT_EQ(Utf8ToCp932("\x80\xBF", '?'), "??");      // stray continuation bytes
    EXPECT_EQ(Utf8ToCp932("\xC0\xAF", '?'), "??");      // overlong
    EXPECT_EQ(Utf8ToCp932("\xED\xA0\x80", '?'), "???"); // surrogate
    EXPECT_EQ(Utf8ToCp932("\xF4\x90\x80\x80", '?'), "????");
    EXPECT_EQ(Utf8ToCp932("", '?'), "");
}

TEST(Cp932, ClipboardBytesToUnicode) {
    EXPECT_EQ(ClipboardBytesToUnicode(std::string("\x84\x9F\x84\xA0\r\n  \r\n\0", 11)), "─│\n  \n");
    EXPECT_EQ(ClipboardBytesToUnicode("a\r\nb"), "a\nb");
    EXPECT_EQ(ClipboardBytesToUnicode("a\rb\nc"), "a\nb\nc");
    EXPECT_EQ(ClipboardBytesToUnicode(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(ClipboardBytesToUnicode("\x81\r\n"), kFffd + "\n");
    EXPECT_EQ(ClipboardBytesToUnicode(std::string(1, '\0')), "");
}

TEST(Cp932, UnicodeToClipboardBytes) {
    EXPECT_EQ(UnicodeToClipboardBytes("a\nb"), "a\r\nb");
    EXPECT_EQ(UnicodeToClipboardBytes("a\rb"), "a\r\nb");
    EXPECT_EQ(UnicodeToClipboardBytes("a\r\nb\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(UnicodeToClipboardBytes("a\n\r\nb\r\rc\n\n"), "a\r\n\r\nb\r\n\r\nc\r\n\r\n");
    EXPECT_EQ(UnicodeToClipboardBytes("┼\u00E9\U0001F600"), "\x84\xA9\x81\xAC\x81\xAC");
    std::string withNul = UnicodeToClipboardBytes(std::string("a\0b", 3));
    EXPECT_EQ(withNul, "a\xFF"
                       "b");
    EXPECT_EQ(UnicodeToClipboardBytes(""), "");
}

// A character with no Shift-JIS form becomes the same 〓 whether it is pasted or
// read from a UTF-8 file.
TEST(Cp932, PastedAndOpenedCharactersWithoutAFormAgree) {
    for (const char* ch : {"\u00E9", "\U0001F600", "\u20AC", "\uAC00"}) {
        std::vector<CCharChange> changes;
        EXPECT_EQ(UnicodeToClipboardBytes(ch), Utf8ToCellBytes(ch, 0, changes)) << ch;
        EXPECT_EQ(changes.size(), 1u) << ch;
    }
}

TEST(Cp932, CopiedBytesSurviveTheDesktopClipboard) {
    std::string copied = "\x84\xA1\x84\xA9 A\r\n\x81\x60\x81\x5F\x81\x7C\xB1\r\n";
    std::string text = ClipboardBytesToUnicode(copied + '\0');
    EXPECT_EQ(text, "┌┼ A\n～＼－ｱ\n");
    EXPECT_EQ(UnicodeToClipboardBytes(text), copied);
}
