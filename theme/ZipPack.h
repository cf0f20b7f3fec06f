#pragma once
// Windows cursor packs as they are downloaded: a .zip archive holding the pack's folder (an Install.inf
// and its cursor files, or cursor files alone, at any depth). The archive is read with libzip; its
// pack files are unpacked into a scratch folder that lives as long as the UnpackedZip, and the pack is
// taken from there as from a folder.

#include "theme/CursorPack.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vantle::theme {

// Limits that keep a hostile archive (a "zip bomb", a file of millions of entries) harmless.
constexpr std::size_t kMaxZipEntries = 65536;           // entries looked at
constexpr std::uint64_t kMaxZipEntryBytes = 64u << 20;  // one unpacked file
constexpr std::uint64_t kMaxZipTotalBytes = 256u << 20; // all unpacked files together

struct ZipEntry {
    std::string name; // as the archive gives it, "/" between folders
    std::vector<std::uint8_t> bytes;
};

struct ZipContents {
    bool ok = false;                // false: not an archive libzip can open (error says why)
    std::string error;              // English
    std::vector<ZipEntry> entries;  // the pack's files: .inf, .cur, .ani and .ico entries, in archive order
    std::vector<std::string> notes; // entries left out (encrypted, damaged, over a limit), one line each
};

// Whether the bytes begin as a zip archive does ("PK" and a local header or an empty archive's end).
bool looksLikeZip(std::span<const std::uint8_t> head);

// The pack files of the archive in `bytes`. Folders, other files and the resource forks of macOS
// archives ("__MACOSX/", "._name") are passed over without a note.
ZipContents readPackArchive(std::span<const std::uint8_t> bytes);

// A scratch folder removed with everything in it when the object goes.
class UnpackedZip {
  public:
    UnpackedZip();
    ~UnpackedZip();
    UnpackedZip(const UnpackedZip&) = delete;
    UnpackedZip& operator=(const UnpackedZip&) = delete;
    const std::string& folder() const { return folder_; } // empty when it could not be made

  private:
    std::string folder_;
};

// The pack of the archive at `zipPath`: its entries unpacked under `scratch` (folder names from the
// archive, ".." and absolute parts dropped), then the INF nearest the top (Install.inf first) as
// packFromInf takes it, else every cursor file by base name as a folder's. The pack's name is the
// scheme's, else the archive's base name. Notes and errors name files as "ARCHIVE.zip: path/in/archive".
CursorPack packFromZip(const std::string& zipPath, const UnpackedZip& scratch);

// `text` with the scratch folder's paths written as the archive's ("Pack.zip: cursors/a.cur").
std::string archivePathsIn(const std::string& text, const std::string& zipPath, const UnpackedZip& scratch);

} // namespace vantle::theme
