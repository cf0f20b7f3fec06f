#include "model/BinaryFile.h"

#include "model/Messages.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
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
    // Straight into the vector: room for the size the file has and one byte more (so that the second
    // read finds the end), grown while a file without a known size, or a growing one, goes on.
    struct stat st {};
    std::size_t room = 65536;
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        room = static_cast<std::size_t>(std::min<off_t>(st.st_size, static_cast<off_t>(kMaxReadBytes))) + 1;
    out.resize(std::min(room, kMaxReadBytes));
    std::size_t size = 0;
    bool ok = true;
    while (size < kMaxReadBytes) {
        if (size == out.size())
            out.resize(std::min(2 * out.size(), kMaxReadBytes));
        const ssize_t n = ::read(fd, out.data() + size, out.size() - size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        size += static_cast<std::size_t>(n);
    }
    out.resize(size);
    return ok;
}

bool isRegularOrMissing(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return true;
    return S_ISREG(st.st_mode);
}

// A new file in `folder` named .NAME.XXXXXX (as mkstemp names them), opened for writing with the usual
// permissions of a new file; its path in `temp`. -1 when none can be made.
int createTemporary(const std::filesystem::path& folder, const std::string& name, std::string& temp) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    // Distinct per thread (its stack and id), moment and attempt; O_EXCL settles any clash.
    std::uint64_t seed =
        static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(&temp)) * 0x9E3779B97F4A7C15u ^
        std::hash<std::thread::id>{}(std::this_thread::get_id()) ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100; ++attempt) {
        seed = seed * 6364136223846793005u + 1442695040888963407u;
        std::string suffix(6, 'a');
        for (int k = 0; k < 6; ++k)
            suffix[static_cast<std::size_t>(k)] = kLetters[(seed >> (16 + 6 * k)) % 62];
        // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about "." + std::string.
        std::string hidden(1, '.');
        hidden.append(name).append(1, '.').append(suffix);
        temp = (folder / hidden).string();
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
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
    // One look at the path: saving through a link replaces the file the link points to, anything but a
    // regular file is refused, and an existing file keeps its permissions.
    struct stat st {};
    bool exists = ::lstat(target.c_str(), &st) == 0;
    if (exists && S_ISLNK(st.st_mode)) {
        target = fs::weakly_canonical(target, ec);
        if (ec)
            return false;
        exists = ::stat(target.c_str(), &st) == 0;
    }
    if (exists && !S_ISREG(st.st_mode))
        return false;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // A new file is created with the usual permissions (0666 less the umask, applied by the system), an
    // existing one's are set on the temporary file before it takes its place.
    std::string temp;
    const int fd = createTemporary(folder, target.filename().string(), temp);
    if (fd < 0)
        return false;
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
    ok = ok && (!exists || ::fchmod(fd, st.st_mode & 07777) == 0);
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
