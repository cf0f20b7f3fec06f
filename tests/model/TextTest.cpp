// Code page 932 conversion, numbers from text, and the choice of reader by file name.

#include "ModelTestSupport.h"
#include "model/FileKinds.h"
#include "model/TextCodec.h"
#include "model/TextNumber.h"

#include <gtest/gtest.h>

namespace vantle::test {
namespace {

TEST(TextCodec, JapaneseRoundTripsThroughCodePage932) {
    const std::string text = "アニメ ｱﾆﾒ 漢字①";
    const Bytes ansi = utf8ToAnsi(text);
    // Full-width characters take two bytes, half-width katakana and blanks one, NEC's circled one two.
    EXPECT_EQ(firstByteDifference({0x83, 0x41, 0x83, 0x6A, 0x83, 0x81, 0x20, 0xB1, 0xC6, 0xD2, 0x20, 0x8A,
                                   0xBF, 0x8E, 0x9A, 0x87, 0x40},
                                  ansi),
              "");
    EXPECT_EQ(ansiToUtf8(ansi), text);
}

TEST(TextCodec, ZeroBytesAreKeptAndBadBytesReplaced) {
    EXPECT_EQ(ansiToUtf8(Bytes{'A', 0, 'B', 0}), std::string("A\0B\0", 4));
    EXPECT_EQ(ansiToUtf8(Bytes{'A', 0x81}), "A\xEF\xBF\xBD") << "a lead byte without its trail byte";
    EXPECT_EQ(ansiToUtf8(Bytes{0xFF, 'x'}), "\xEF\xBF\xBDx");
    EXPECT_EQ(utf8ToAnsi("a😀b"), (Bytes{'a', '?', 'b'})) << "a character code page 932 lacks";
    EXPECT_EQ(utf8ToAnsi(std::string("a\0b", 3)), (Bytes{'a', 0, 'b'}));
    EXPECT_TRUE(utf8ToAnsi("").empty());
}

TEST(TextNumber, LeadingNumbers) {
    const std::pair<const char*, double> cases[] = {
        {"12", 12},  {"  42abc", 42},         {"-7", -7}, {"+3", 3},        {"2.5", 2.5},
        {".5", 0.5}, {"1e3", 1000},           {"1e", 1},  {"", 0},          {"abc", 0},
        {"-", 0},    {"16777215;", 16777215}, {"\t9", 9}, {"1.5e-1x", 0.15}};
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(text), value) << "\"" << text << "\"";
}

TEST(TextNumber, RoundingTiesToEven) {
    EXPECT_EQ(roundEven(0.5), 0);
    EXPECT_EQ(roundEven(1.5), 2);
    EXPECT_EQ(roundEven(2.5), 2);
    EXPECT_EQ(roundEven(-2.5), -2);
    EXPECT_EQ(roundEven(2.6), 3);
    EXPECT_EQ(roundEven(1e12), 2147483647);
    EXPECT_EQ(roundEven(-1e12), -2147483647 - 1);
    EXPECT_EQ(leadingInteger("3.5"), 4);
    EXPECT_EQ(leadingInteger("99999999999"), 2147483647);
}

TEST(FileKinds, ExtensionsDecideTheReader) {
    EXPECT_EQ(fileKindOf("/a/b.ico"), FileKind::Icon);
    EXPECT_EQ(fileKindOf("/a/b.ICO"), FileKind::Icon);
    EXPECT_EQ(fileKindOf("b.Cur"), FileKind::Cursor);
    EXPECT_EQ(fileKindOf("b.ani"), FileKind::AnimatedCursor);
    EXPECT_EQ(fileKindOf("x.tar.ani"), FileKind::AnimatedCursor);
    EXPECT_EQ(fileKindOf("p.jpeg"), FileKind::Picture);
    EXPECT_EQ(fileKindOf("p.PNG"), FileKind::Picture);
    EXPECT_EQ(fileKindOf("p.exe"), FileKind::Program);
    EXPECT_EQ(fileKindOf("/a.ico/b"), FileKind::Unknown) << "a dot in a folder is no extension";
    EXPECT_EQ(fileKindOf("ico"), FileKind::Unknown);
    EXPECT_EQ(extensionUpper("/x/a.b.cur"), ".CUR");
    EXPECT_EQ(extensionLower("/x/A.ANI"), ".ani");
    EXPECT_EQ(extensionUpper("/x.y/file"), "");
}

TEST(FileKinds, FoldersAndRoots) {
    EXPECT_EQ(folderOf("/home/u/a.ico"), "/home/u");
    EXPECT_EQ(folderOf("/a.ico"), "/");
    EXPECT_EQ(folderOf("a.ico"), "");
    EXPECT_EQ(driveOf("/home/u"), "/");
    EXPECT_EQ(driveOf("C:\\x"), "C:");
    EXPECT_EQ(driveOf("relative"), "");
}

} // namespace
} // namespace vantle::test
