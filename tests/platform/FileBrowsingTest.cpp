// The plain logic of the drive, folder and file lists: patterns, paths, drives, reading a folder.

#include "platform/FileBrowsing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vantle {
namespace {

TEST(FileBrowsing, PatternsMatchNamesWithoutRegardToCase) {
    const auto patterns = splitPatterns(kPictureFilePatterns);
    EXPECT_EQ(patterns, (std::vector<std::string>{"*.bmp", "*.jpg", "*.jpeg", "*.gif", "*.png"}));
    EXPECT_EQ(splitPatterns(";*.a;;*.b;"), (std::vector<std::string>{"*.a", "*.b"}));
    EXPECT_TRUE(matchesAnyPattern("Photo.JPG", patterns));
    EXPECT_TRUE(matchesAnyPattern("a.b.gif", patterns));
    EXPECT_FALSE(matchesAnyPattern("photo.jpg.txt", patterns));
    EXPECT_FALSE(matchesAnyPattern("bmp", patterns));
    EXPECT_TRUE(matchesPattern("x.vtp", "?.VTP"));
    EXPECT_FALSE(matchesPattern("xy.vtp", "?.vtp"));
    EXPECT_TRUE(matchesPattern("anything", "*"));
    EXPECT_TRUE(matchesPattern("aXbXc", "a*b*c"));
    EXPECT_FALSE(matchesPattern("aXbXd", "a*b*c"));
    // Many stars over a long name finish quickly (no exponential back-tracking).
    EXPECT_FALSE(matchesPattern(std::string(5000, 'a'), std::string(200, '*') + "b"));
}

TEST(FileBrowsing, PathsJoinSplitAndFindTheirDrive) {
    EXPECT_EQ(joinPath("/", "a.bmp"), "/a.bmp");
    EXPECT_EQ(joinPath("/home/u", "a.bmp"), "/home/u/a.bmp");
    EXPECT_EQ(joinPath("/home/u/", "a.bmp"), "/home/u/a.bmp");
    EXPECT_EQ(folderAncestors("/home/u/pics"),
              (std::vector<std::string>{"/", "/home", "/home/u", "/home/u/pics"}));
    EXPECT_EQ(folderAncestors("/"), (std::vector<std::string>{"/"}));
    EXPECT_TRUE(folderAncestors("relative").empty());
    EXPECT_EQ(lastComponent("/home/u"), "u");
    EXPECT_EQ(lastComponent("/"), "/");
    EXPECT_EQ(normalFolder("/home//u/./x/../"), "/home/u");
    EXPECT_EQ(normalFolder("/.."), "/");

    const std::vector<std::string> drives{"/", "/home/u", "/media/usb"};
    EXPECT_EQ(driveOfPath("/home/u/pics", drives), "/home/u");
    EXPECT_EQ(driveOfPath("/home/u", drives), "/home/u");
    EXPECT_EQ(driveOfPath("/home/uu", drives), "/") << "whole components only";
    EXPECT_EQ(driveOfPath("/media/usb/a", drives), "/media/usb");
    EXPECT_EQ(driveOfPath("relative", drives), "");
}

TEST(FileBrowsing, AFolderListsItsSubfoldersAndTheMatchingFiles) {
    const auto root = std::filesystem::temp_directory_path() / "vantle-browsing-test";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "b-folder");
    std::filesystem::create_directories(root / "A-folder");
    std::filesystem::create_directories(root / ".hidden");
    std::filesystem::create_directories(root / "dir.bmp");
    for (const char* name : {"z.gif", "a.BMP", "notes.txt", ".secret.png", "m.png"})
        std::ofstream(root / name) << "x";
    const FolderListing listing = listFolder(root.string(), splitPatterns(kPictureFilePatterns));
    EXPECT_EQ(listing.folders, (std::vector<std::string>{"A-folder", "b-folder", "dir.bmp"}));
    EXPECT_EQ(listing.files, (std::vector<std::string>{"a.BMP", "m.png", "z.gif"}));
    EXPECT_TRUE(listing.complete);
    const FolderListing cut = listFolder(root.string(), splitPatterns("*"), 3);
    EXPECT_FALSE(cut.complete);
    EXPECT_LE(cut.folders.size() + cut.files.size(), 3u);
    EXPECT_TRUE(isReadableFolder(root.string()));
    EXPECT_FALSE(isReadableFolder((root / "z.gif").string()));
    EXPECT_FALSE(isReadableFolder((root / "missing").string()));
    EXPECT_FALSE(isReadableFolder(""));
    EXPECT_TRUE(listFolder((root / "missing").string(), {"*"}).files.empty());
    std::filesystem::remove_all(root);
}

} // namespace
} // namespace vantle
