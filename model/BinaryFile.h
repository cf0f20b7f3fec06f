#pragma once
// Sequential little-endian reading and writing of binary files.
//
// A file opened for reading is taken into memory whole; reads advance one position through it, and a read
// past the end yields zero bytes (the formats are read front to back and decide from values already read
// how much to read next). Files the program saves are built in memory and replace the target in one step.

#include "platform/Platform.h"

#include <cassert>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantle {

// The most bytes taken from a file for reading (256 MiB, more than twice the largest file the program
// writes); the rest of a larger file reads as past the end.
constexpr std::size_t kMaxReadBytes = std::size_t{256} << 20;

// Whether count bytes from position at lie inside the bytes.
inline bool holds(std::span<const std::uint8_t> bytes, std::uint64_t at, std::uint64_t count) {
    return at <= bytes.size() && count <= bytes.size() - at;
}

// Little-endian values at a position of bytes held in memory. Bytes beyond the end read as zero, as a
// sequential read past the end does.
inline std::uint16_t le16At(std::span<const std::uint8_t> bytes, std::size_t at) {
    if (at >= bytes.size() || bytes.size() - at < 2)
        return at < bytes.size() ? bytes[at] : 0;
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}
inline std::uint32_t le32At(std::span<const std::uint8_t> bytes, std::size_t at) {
    if (at < bytes.size() && bytes.size() - at >= 4)
        return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
               static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
               static_cast<std::uint32_t>(bytes[at + 3]) << 24;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4 && at < bytes.size() && i < bytes.size() - at; ++i)
        value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    return value;
}

// Writes little-endian values into bytes already laid out (a header whose size is known only at the end,
// rows filled in place); the place must lie inside them.
inline void putLe16(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
    assert(at < bytes.size() && bytes.size() - at >= 2);
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}
inline void putLe32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
    putLe16(bytes, at, value & 0xFFFF);
    putLe16(bytes, at + 2, value >> 16);
}

class ByteReader {
  public:
    ByteReader() = default;
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::uint8_t readByte();
    std::int16_t readWord();
    std::int32_t readDword();
    std::uint32_t readUDword() { return static_cast<std::uint32_t>(readDword()); }
    void readBlock(std::span<std::uint8_t> out);
    // A 4-byte chunk tag as text.
    std::string readTag();

    std::size_t position() const { return pos_; }
    std::size_t size() const { return data_.size(); }
    std::size_t remaining() const { return pos_ < data_.size() ? data_.size() - pos_ : 0; }
    // Moves to an absolute position; positions beyond the end read as zeros.
    void seek(std::size_t position) { pos_ = position; }
    std::span<const std::uint8_t> peek(std::size_t count) const;

  private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

class ByteWriter {
  public:
    void writeByte(std::uint8_t value) { bytes_.push_back(value); }
    void writeWord(std::int32_t value);
    void writeDword(std::int64_t value);
    void writeBlock(std::span<const std::uint8_t> block) {
        bytes_.insert(bytes_.end(), block.begin(), block.end());
    }
    void writeTag(std::string_view tag);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    // The bytes written, leaving the writer empty.
    std::vector<std::uint8_t> take() { return std::move(bytes_); }
    void reserve(std::size_t count) { bytes_.reserve(count); }
    // Appends count zero bytes and gives them to be filled in place.
    std::span<std::uint8_t> append(std::size_t count) {
        bytes_.resize(bytes_.size() + count);
        return std::span(bytes_).last(count);
    }
    std::size_t size() const { return bytes_.size(); }

  private:
    std::vector<std::uint8_t> bytes_;
};

// A file opened for reading, taken into memory whole. handle() is greater than 0 when it was opened, 0 when
// opening failed.
class BinaryFile {
  public:
    BinaryFile() = default;
    BinaryFile(BinaryFile&&) = default;
    std::int16_t handle() const { return opened_ ? 1 : 0; }
    ByteReader& reader() { return reader_; }

  private:
    friend BinaryFile MyOpen(const std::string& path, std::string_view mode, MessageSink& messages);
    bool opened_ = false;
    // Moving the vector keeps its buffer, so the reader stays on the moved contents.
    std::vector<std::uint8_t> contents_;
    ByteReader reader_;
};

// Opens path by mode: "br" an existing file for reading. Any other mode shows the mode message and fails;
// every other failure fails silently.
BinaryFile MyOpen(const std::string& path, std::string_view mode, MessageSink& messages);

// Whether a written file is flushed to the disk before it replaces the old one: a user's document is;
// output that is made again from its sources at any time (a cursor theme, a thumbnail) need not be.
enum class FileSync { Durable, Fast };

// Writes bytes to a temporary file in the target's folder and renames it over the target, so the target
// is either the complete new file or the old one untouched. False on any failure.
bool replaceFileContents(const std::string& path, std::span<const std::uint8_t> bytes,
                         FileSync sync = FileSync::Durable);

// Reads a whole file for a reader that needs no mode check; nothing when it cannot be read.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out);

} // namespace vantle
