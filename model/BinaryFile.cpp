#include "model/BinaryFile.h"

#include "model/Messages.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace vantle {

std::uint8_t ByteReader::readByte() {
    const std::size_t at = pos_++;
    return at < data_.size() ? data_[at] : 0;
}

std::int16_t ByteReader::readWord() {
    const unsigned lo = readByte();
    const unsigned hi = readByte();
    return static_cast<std::int16_t>(lo | (hi << 8));
}

std::int32_t ByteReader::readDword() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(readByte()) << (8 * i);
    return static_cast<std::int32_t>(value);
}

void ByteReader::readBlock(std::span<std::uint8_t> out) {
    const std::size_t available = std::min(out.size(), remaining());
    std::copy_n(data_.begin() + static_cast<std::ptrdiff_t>(std::min(pos_, data_.size())), available,
                out.begin());
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(available), out.end(), std::uint8_t{0});
    pos_ += out.size();
}

std::string ByteReader::readTag() {
    std::array<std::uint8_t, 4> raw{};
    readBlock(raw);
    return std::string(raw.begin(), raw.end());
}

std::span<const std::uint8_t> ByteReader::peek(std::size_t count) const {
    if (pos_ >= data_.size())
        return {};
    return data_.subspan(pos_, std::min(count, data_.size() - pos_));
}

void ByteWriter::writeWord(std::int32_t value) {
    writeByte(static_cast<std::uint8_t>(value & 0xFF));
    writeByte(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void ByteWriter::writeDword(std::int64_t value) {
    for (int i = 0; i < 4; ++i)
        writeByte(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF));
}

void ByteWriter::writeTag(std::string_view tag) {
    for (std::size_t i = 0; i < 4; ++i)
        writeByte(i < tag.size() ? static_cast<std::uint8_t>(tag[i]) : std::uint8_t{' '});
}

namespace {

// Reads at most kMaxReadBytes: what lies beyond reads as past the end, so a huge file cannot exhaust memory.
bool readAll(int fd, std::vector<std::uint8_t>& out) {
    out.clear();
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        out.reserve(static_cast<std::size_t>(std::min<off_t>(st.st_size, static_cast<off_t>(kMaxReadBytes))));
    std::array<std::uint8_t, 65536> buffer{};
    while (out.size() < kMaxReadBytes) {
        const std::size_t wanted = std::min(buffer.size(), kMaxReadBytes - out.size());
        const ssize_t n = ::read(fd, buffer.data(), wanted);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        out.insert(out.end(), buffer.begin(), buffer.begin() + n);
    }
    return true;
}

bool isRegularOrMissing(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return true;
    return S_ISREG(st.st_mode);
}

} // namespace

BinaryFile MyOpen(const std::string& path, std::string_view mode, MessageSink& messages) {
    BinaryFile file;
    if (mode != "br") {
        messages.showMessage(modeMessage(mode), MessageButtons::Ok, MessageIcon::None);
        return file;
    }
    file.opened_ = readWholeFile(path, file.contents_);
    file.reader_ = ByteReader(file.contents_);
    return file;
}

bool replaceFileContents(const std::string& path, std::span<const std::uint8_t> bytes, FileSync sync) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(path);
    // Saving through a link replaces the file the link points to, not the link.
    if (fs::is_symlink(target, ec)) {
        target = fs::weakly_canonical(target, ec);
        if (ec)
            return false;
    }
    if (fs::exists(target, ec) && !fs::is_regular_file(target, ec))
        return false;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about "." + std::string.
    std::string hidden = target.filename().string();
    hidden.insert(hidden.begin(), '.');
    hidden += ".XXXXXX";
    std::string pattern = (folder / hidden).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return false;
    const std::string temp(name.data());
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok = false;
        else
            done += static_cast<std::size_t>(n);
    }
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st {};
    mode_t permissions = 0666;
    if (::stat(target.c_str(), &st) == 0) {
        permissions = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        permissions = 0666 & ~mask;
    }
    ok = ok && ::fchmod(fd, permissions) == 0;
    ok = ok && (sync == FileSync::Fast || ::fsync(fd) == 0);
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out) {
    if (!isRegularOrMissing(path))
        return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = readAll(fd, out);
    ::close(fd);
    return ok;
}

} // namespace vantle
