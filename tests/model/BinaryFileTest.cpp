// Binary file access: the open mode, sequential little-endian values, reads past the end, replacing files.

#include "model/BinaryFile.h"
#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace vantle::test {
namespace {

TEST(MyOpen, UnsupportedModesShowTheModeMessage) {
    TempDir dir;
    writeFileBytes(dir.file("a.bin"), {1});
    for (const char* mode : {"rb", "BR", "wb", "BW", "b", "", "br "}) {
        RecordingMessages messages;
        BinaryFile file = MyOpen(dir.file("a.bin"), mode, messages);
        EXPECT_EQ(file.handle(), 0) << "mode [" << mode << "]";
        ASSERT_EQ(messages.shown.size(), 1u) << "mode [" << mode << "]";
        EXPECT_EQ(messages.shown[0].text, "MyOpen関数エラー。モード[mode]はサポートされていません。");
        EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    }
}

TEST(MyOpen, FailuresToOpenAreSilent) {
    TempDir dir;
    RecordingMessages messages;
    EXPECT_EQ(MyOpen(dir.file("missing.bin"), "br", messages).handle(), 0);
    EXPECT_EQ(MyOpen(dir.path().string(), "br", messages).handle(), 0) << "a folder";
    EXPECT_TRUE(messages.shown.empty());
}

TEST(MyOpen, ReadsValuesInOrderAndZerosPastTheEnd) {
    TempDir dir;
    writeFileBytes(dir.file("a.bin"), {0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 'a', 'b'});
    RecordingMessages messages;
    BinaryFile file = MyOpen(dir.file("a.bin"), "br", messages);
    ASSERT_GT(file.handle(), 0);
    ByteReader& r = file.reader();
    EXPECT_EQ(r.readByte(), 0x01);
    EXPECT_EQ(r.readWord(), 0x1234);
    EXPECT_EQ(r.readDword(), 0x12345678);
    EXPECT_EQ(r.readWord(), -2) << "words are signed";
    std::array<std::uint8_t, 5> block{9, 9, 9, 9, 9};
    r.readBlock(block);
    EXPECT_EQ(block, (std::array<std::uint8_t, 5>{'a', 'b', 0, 0, 0}));
    EXPECT_EQ(r.readDword(), 0);
    EXPECT_EQ(r.readTag(), std::string(4, '\0'));
}

TEST(MyOpen, HugeFilesAreReadOnlyUpToTheLimit) {
    // A sparse file larger than the limit: its beginning is read, the rest reads as past the end.
    TempDir dir;
    const std::string path = dir.file("huge.ico");
    writeFileBytes(path, {0, 0, 1, 0, 9, 0});
    std::filesystem::resize_file(path, kMaxReadBytes + 4096);
    RecordingMessages messages;
    BinaryFile file = MyOpen(path, "br", messages);
    ASSERT_GT(file.handle(), 0);
    EXPECT_EQ(file.reader().size(), kMaxReadBytes);
    EXPECT_EQ(file.reader().readDword(), 0x00010000);
    EXPECT_EQ(file.reader().readWord(), 9);
}

TEST(ByteReader, DwordsAreSignedAndSeekingPastTheEndReadsZeros) {
    const Bytes data = {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80};
    ByteReader r(data);
    EXPECT_EQ(r.readDword(), -1);
    EXPECT_EQ(r.readUDword(), 0x80000000u);
    EXPECT_EQ(r.remaining(), 0u);
    r.seek(1000);
    EXPECT_EQ(r.readByte(), 0);
    EXPECT_EQ(r.remaining(), 0u);
    EXPECT_TRUE(r.peek(4).empty());
    r.seek(6);
    EXPECT_EQ(r.peek(10).size(), 2u);
}

TEST(ByteWriter, WritesLittleEndianFieldsAndTags) {
    ByteWriter w;
    w.writeByte(0xAB);
    w.writeWord(-2);
    w.writeDword(0x12345678);
    w.writeDword(4294967295LL);
    w.writeTag("seq");
    EXPECT_EQ(firstByteDifference(
                  {0xAB, 0xFE, 0xFF, 0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 's', 'e', 'q', ' '},
                  w.bytes()),
              "");
}

TEST(ReplaceFileContents, ReplacesInOneStepOrNotAtAll) {
    TempDir dir;
    const std::string path = dir.file("a.ico");
    ASSERT_TRUE(replaceFileContents(path, Bytes{1, 2, 3}));
    EXPECT_EQ(readFileBytes(path), (Bytes{1, 2, 3}));
    ASSERT_TRUE(replaceFileContents(path, Bytes{4}));
    EXPECT_EQ(readFileBytes(path), (Bytes{4}));
    ASSERT_TRUE(replaceFileContents(path, Bytes{}));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);

    // Through a link the file it points to is replaced and the link stays a link.
    writeFileBytes(path, {5});
    std::filesystem::create_symlink(path, dir.file("link.ico"));
    ASSERT_TRUE(replaceFileContents(dir.file("link.ico"), Bytes{6, 6}));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.ico")));
    EXPECT_EQ(readFileBytes(path), (Bytes{6, 6}));

    EXPECT_FALSE(replaceFileContents(dir.path().string(), Bytes{1}));
    EXPECT_FALSE(replaceFileContents("/proc/vantle-test.bin", Bytes{1}));
    EXPECT_FALSE(replaceFileContents(dir.file("none/a.bin"), Bytes{1}));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 2) << "no temporary file is left behind";
}

TEST(ReplaceFileContents, NewFilesGetTheUsualPermissionsAndReplacedOnesKeepTheirs) {
    TempDir dir;
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(replaceFileContents(dir.file("n.ico"), Bytes{1}));
    ::umask(mask);
    struct stat st {};
    ASSERT_EQ(::stat(dir.file("n.ico").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);

    ASSERT_EQ(::chmod(dir.file("n.ico").c_str(), 0640), 0);
    ASSERT_TRUE(replaceFileContents(dir.file("n.ico"), Bytes{2}));
    ASSERT_EQ(::stat(dir.file("n.ico").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "a replaced file keeps its permissions";
}

TEST(ReadWholeFile, ReadsFilesOnly) {
    TempDir dir;
    writeFileBytes(dir.file("a"), {1, 2});
    Bytes out;
    EXPECT_TRUE(readWholeFile(dir.file("a"), out));
    EXPECT_EQ(out, (Bytes{1, 2}));
    EXPECT_FALSE(readWholeFile(dir.file("b"), out));
    EXPECT_FALSE(readWholeFile(dir.path().string(), out));
}

} // namespace
} // namespace vantle::test
