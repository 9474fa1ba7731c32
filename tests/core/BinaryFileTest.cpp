// Files that are not text are refused on open, and text with a few control
// characters is not.
#include "TempDirTest.h"

#include "canvas/RuvlenDoc.h"
#include "canvas/io/BinaryCheck.h"
#include "canvas/io/TextFile.h"

#include <string>

TEST(BinaryCheck, NulOrMostlyControlIsNotText) {
    using namespace std::string_literals;
    EXPECT_TRUE(LooksBinary("\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s));
    EXPECT_TRUE(LooksBinary("text with one NUL\0 in it"s));
    EXPECT_TRUE(LooksBinary("\x01\x02\x03\x04\x05"
                            "ab"));
    EXPECT_FALSE(LooksBinary(""));
    EXPECT_FALSE(LooksBinary("\x84\xA1\x84\x9F\r\n\t\x0C\x81\x40"));     // ┏━, tab, form feed
    EXPECT_FALSE(LooksBinary("\x1B[1mbold\x1B[0m and plain text here")); // a few escapes
}

using BinaryFile = TempDirTest;

TEST_F(BinaryFile, RefusedOnOpenAndTheCanvasIsUntouched) {
    Put(PathOf("picture.png"), std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16));
    CRuvlenDoc doc;
    doc.m_nColumns = 33;
    std::string error;
    EXPECT_FALSE(LoadDocumentFile(doc, PathOf("picture.png"), error));
    EXPECT_NE(error.find(kNotTextMessage), std::string::npos) << error;
    EXPECT_NE(error.find("picture.png"), std::string::npos) << error;
    EXPECT_EQ(doc.m_nColumns, 33);
    Put(PathOf("plain.txt"), "abc\r\n");
    EXPECT_TRUE(LoadDocumentFile(doc, PathOf("plain.txt"), error));
}
