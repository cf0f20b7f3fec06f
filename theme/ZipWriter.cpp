#include "theme/ZipWriter.h"

#include <libdeflate.h>
#include <zlib.h>

#include <ctime>
#include <limits>

namespace vantle::theme {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// Raw deflate (no zlib header), as zip members hold it; nothing on failure.
std::vector<std::uint8_t> rawDeflate(std::span<const std::uint8_t> bytes) {
    z_stream z{};
    // A window and hash table sized for small text: far less memory to set up than the defaults.
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -12, 5, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    std::vector<std::uint8_t> out(deflateBound(&z, bytes.size()));
    z.next_in = const_cast<Bytef*>(bytes.data());
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const bool done = deflate(&z, Z_FINISH) == Z_STREAM_END;
    out.resize(done ? z.total_out : 0);
    deflateEnd(&z);
    return out;
}

constexpr std::uint32_t kVersionNeeded = 20;          // 2.0: deflate
constexpr std::uint32_t kVersionMadeBy = 3 << 8 | 20; // Unix, 2.0
constexpr std::uint32_t kUtf8Names = 1 << 11;

// The fields local and central headers share, from "version needed" to the extra field's length.
void commonFields(std::vector<std::uint8_t>& out, bool deflated, std::uint32_t dosTime, std::uint32_t crc,
                  std::size_t packed, std::size_t size, std::size_t nameSize) {
    put16(out, kVersionNeeded);
    put16(out, kUtf8Names);
    put16(out, deflated ? 8 : 0);
    put32(out, dosTime);
    put32(out, crc);
    put32(out, static_cast<std::uint32_t>(packed));
    put32(out, static_cast<std::uint32_t>(size));
    put16(out, static_cast<std::uint32_t>(nameSize));
    put16(out, 0);
}

} // namespace

std::vector<std::uint8_t> zipArchive(std::span<const ZipMember> members, std::uint32_t dosTime) {
    constexpr std::size_t kLimit = std::numeric_limits<std::uint32_t>::max();
    if (members.size() > 0xFFFF)
        return {};
    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> central;
    std::size_t total = 22;
    for (const ZipMember& m : members)
        total += 30 + 46 + 2 * m.name.size() + m.bytes.size();
    out.reserve(total);
    for (const ZipMember& m : members) {
        std::vector<std::uint8_t> deflated;
        if (m.deflate)
            deflated = rawDeflate(m.bytes);
        const bool packedSmaller = m.deflate && !deflated.empty() && deflated.size() < m.bytes.size();
        const std::span<const std::uint8_t> data = packedSmaller ? std::span(deflated) : m.bytes;
        const std::uint32_t crc = libdeflate_crc32(0, m.bytes.data(), m.bytes.size());
        const std::size_t offset = out.size();
        if (m.bytes.size() >= kLimit || m.name.size() > 0xFFFF || offset + data.size() >= kLimit)
            return {};
        put32(out, 0x04034b50);
        commonFields(out, packedSmaller, dosTime, crc, data.size(), m.bytes.size(), m.name.size());
        out.insert(out.end(), m.name.begin(), m.name.end());
        out.insert(out.end(), data.begin(), data.end());

        put32(central, 0x02014b50);
        put16(central, kVersionMadeBy);
        commonFields(central, packedSmaller, dosTime, crc, data.size(), m.bytes.size(), m.name.size());
        put16(central, 0);              // comment
        put16(central, 0);              // disk
        put16(central, 0);              // internal attributes
        put32(central, 0100644u << 16); // a regular file, rw-r--r--
        put32(central, static_cast<std::uint32_t>(offset));
        central.insert(central.end(), m.name.begin(), m.name.end());
    }
    const std::size_t centralAt = out.size();
    if (centralAt + central.size() >= kLimit)
        return {};
    out.insert(out.end(), central.begin(), central.end());
    put32(out, 0x06054b50);
    put16(out, 0); // this disk
    put16(out, 0); // the central directory's disk
    put16(out, static_cast<std::uint32_t>(members.size()));
    put16(out, static_cast<std::uint32_t>(members.size()));
    put32(out, static_cast<std::uint32_t>(central.size()));
    put32(out, static_cast<std::uint32_t>(centralAt));
    put16(out, 0); // comment
    return out;
}

std::uint32_t dosTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr || local.tm_year < 80)
        return 0x21u << 16; // 1980-01-01 00:00
    const auto date =
        static_cast<std::uint32_t>((local.tm_year - 80) << 9 | (local.tm_mon + 1) << 5 | local.tm_mday);
    const auto time = static_cast<std::uint32_t>(local.tm_hour << 11 | local.tm_min << 5 | local.tm_sec / 2);
    return date << 16 | time;
}

} // namespace vantle::theme
