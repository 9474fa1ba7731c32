// Telling Shift-JIS from UTF-8 files and CR LF from LF line ends, and the
// message on what reading replaced.
#include "canvas/io/TextFormat.h"
#include "canvas/io/Cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Sjis(const std::string& utf8) {
    return Utf8ToCp932(utf8, '?');
}

TextEncoding EncodingOf(const std::string& bytes, bool truncated = false) {
    return DetectTextFormat(bytes, truncated).m_encoding;
}

LineEnding LineEndOf(const std::string& bytes) {
    return DetectTextFormat(bytes).m_lineEnding;
}

} // namespace

TEST(TextFormatDetect, ByteOrderMarkMeansUtf8WhateverFollows) {
    EXPECT_EQ(EncodingOf("\xEF\xBB\xBF"), TextEncoding::Utf8Bom);
    EXPECT_EQ(EncodingOf("\xEF\xBB\xBF"
                         "abc\r\n"),
              TextEncoding::Utf8Bom);
    EXPECT_EQ(EncodingOf("\xEF\xBB\xBF"
                         "\x82\xA0\xFF"),
              TextEncoding::Utf8Bom);
    EXPECT_EQ(EncodingOf("\xEF\xBB"), TextEncoding::ShiftJis); // not a whole mark
}

TEST(TextFormatDetect, ValidMultiByteUtf8IsUtf8) {
    EXPECT_EQ(EncodingOf("┌─┐\n│表│\n"), TextEncoding::Utf8);
    EXPECT_EQ(EncodingOf("café"), TextEncoding::Utf8);
    EXPECT_EQ(EncodingOf("a 😀 b"), TextEncoding::Utf8);
    EXPECT_EQ(EncodingOf("\xC2\x80"), TextEncoding::Utf8);
}

// Without proof of UTF-8 (a valid sequence of three or four bytes, outnumbering
// the invalid bytes) the bytes are Shift-JIS.
TEST(TextFormatDetect, InvalidUtf8FallsBackToShiftJis) {
    const char* cases[] = {
        "┌\xFF",            // as many bytes UTF-8 never has as valid sequences
        "abc\xE2\x94",      // a sequence cut off at the end of a whole file
        "\xC0\xAF",         // overlong
        "\xED\xA0\x80",     // surrogate
        "\xF4\x90\x80\x80", // past U+10FFFF
        "\x80",             // continuation without a lead
        "表\xE3\x81",
    };
    for (const char* bytes : cases)
        EXPECT_EQ(EncodingOf(bytes), TextEncoding::ShiftJis) << testing::PrintToString(bytes);
}

TEST(TextFormatDetect, PureAsciiAndEmptyFilesAreShiftJis) {
    EXPECT_EQ(EncodingOf(""), TextEncoding::ShiftJis);
    EXPECT_EQ(EncodingOf("+--+\r\n|ab|\r\n+--+\r\n"), TextEncoding::ShiftJis);
    EXPECT_EQ(EncodingOf(std::string("a\0\t\x7F", 4)), TextEncoding::ShiftJis);
}

TEST(TextFormatDetect, RealShiftJisTextIsNeverUtf8) {
    const char* texts[] = {
        "ひらがなとカタカナと漢字の文章です。\r\n",
        "ﾊﾝｶｸｶﾀｶﾅ ﾃｽﾄ と全角の混在\r\n",
        "┏━━┯━━┓\r\n┃品名│数量┃\r\n┗━━┷━━┛\r\n",
        "価格：１２３円（税込）\r\n",
        "ｱｲｳｴｵ\r\nあいうえお\r\n亜唖娃阿哀愛挨姶逢葵茜穐悪握渥\r\n",
        "①②③　ⅠⅡⅢ　㈱㈲\r\n", // NEC special characters
        "ﾃｽﾄ\r\n",            // half-width katakana alone
        "表示\r\n",           // 0x5C as a trail byte
    };
    for (const char* text : texts) {
        const std::string sjis = Sjis(text);
        ASSERT_EQ(sjis.find('?'), std::string::npos) << text;
        EXPECT_EQ(EncodingOf(sjis), TextEncoding::ShiftJis) << text;
        EXPECT_EQ(EncodingOf(sjis, true), TextEncoding::ShiftJis) << text;
    }
}

// The rule cannot tell every case: half-width katakana pairs whose bytes happen
// to be valid UTF-8 ("ﾃｽ" is C3 BD, "½" in UTF-8) with nothing else non-ASCII.
TEST(TextFormatDetect, HalfWidthKatakanaPairsAloneCanLookLikeUtf8) {
    EXPECT_EQ(EncodingOf(Sjis("ﾃｽ\r\n")), TextEncoding::Utf8);
    EXPECT_EQ(EncodingOf(Sjis("ﾃｽ あ\r\n")), TextEncoding::ShiftJis);
}

TEST(TextFormatDetect, ASequenceCutByTheReadLimitDoesNotCount) {
    EXPECT_EQ(EncodingOf("┌─\xE2\x94", true), TextEncoding::Utf8);
    EXPECT_EQ(EncodingOf("┌─\xF0", true), TextEncoding::Utf8);
    EXPECT_EQ(EncodingOf("┌─\xE2\x94", false), TextEncoding::ShiftJis);
    EXPECT_EQ(EncodingOf("┌\xFF", true), TextEncoding::ShiftJis);
    EXPECT_EQ(EncodingOf("┌\xE2\x41", true), TextEncoding::ShiftJis);
    EXPECT_EQ(EncodingOf("ab\xE2\x94", true), TextEncoding::ShiftJis); // no whole sequence
}

TEST(TextFormatDetect, LineEnds) {
    EXPECT_EQ(LineEndOf("a\nb\n"), LineEnding::Lf);
    EXPECT_EQ(LineEndOf("\n"), LineEnding::Lf);
    EXPECT_EQ(LineEndOf("a\nb"), LineEnding::Lf);
    EXPECT_EQ(LineEndOf("a\r\nb\r\n"), LineEnding::CrLf);
    EXPECT_EQ(LineEndOf("a\nb\r\nc\n"), LineEnding::CrLf); // mixed
    EXPECT_EQ(LineEndOf("a\n\r\n"), LineEnding::CrLf);
    EXPECT_EQ(LineEndOf("a\rb\r"), LineEnding::CrLf); // a lone CR is no line end
    EXPECT_EQ(LineEndOf("a\r\rb\n"), LineEnding::Lf);
    EXPECT_EQ(LineEndOf("ab"), LineEnding::CrLf);
    EXPECT_EQ(LineEndOf(""), LineEnding::CrLf);
    EXPECT_EQ(DetectTextFormat("\xEF\xBB\xBF┌\n").m_lineEnding, LineEnding::Lf);
}

TEST(TextFormat, NewFormatIsShiftJisWithCrLf) {
    const CTextFormat format;
    EXPECT_EQ(format.m_encoding, TextEncoding::ShiftJis);
    EXPECT_EQ(format.m_lineEnding, LineEnding::CrLf);
    EXPECT_STREQ(TextEncodingName(TextEncoding::Utf8Bom), "UTF-8 (BOM)");
    EXPECT_STREQ(LineEndingName(LineEnding::Lf), "LF");
}

TEST(TextFormat, DescribeReplacementsNamesCountsAndPlace) {
    EXPECT_EQ(DescribeReplacements(CTextReplacements()), "");
    CTextReplacements r;
    r.m_nBoxChars = 12;
    r.m_nUnmappable = 1;
    r.m_nFirstLine = 3;
    r.m_nFirstColumn = 7;
    r.m_firstBoxChar = {3, 7};
    r.m_firstUnmappable = {9, 2};
    EXPECT_EQ(DescribeReplacements(r),
              "Shift-JIS のマスに収めるため 13 文字を置き換えました。JIS にない罫線 12 "
              "文字を近い罫線に（最初は 3 行 7 桁）。Shift-JIS で表せない 1 文字を〓に（最初は 9 "
              "行 2 桁）。");
    r.m_nBoxChars = 0;
    r.m_nLookAlikes = 2;
    // A place not known for a kind falls back to the first of all.
    EXPECT_NE(DescribeReplacements(r).find("2 文字を Shift-JIS の似た文字に（最初は 3 行 7 桁）"),
              std::string::npos);
}
