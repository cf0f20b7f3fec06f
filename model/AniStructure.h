#pragma once
// The RIFF structure of an animated cursor (form "ACON"): the chunks wherever they stand, with the frame
// data left as bytes for the icon resource parser. Every reader of animated cursors walks the file here.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantle {

// One chunk: its tag, its declared size and the data it holds inside its container.
struct RiffChunk {
    std::string tag;
    std::uint32_t size = 0;    // as declared
    std::size_t dataStart = 0; // position of the first data byte
    std::size_t dataEnd = 0;   // end of the data, at most the container's end
    bool cutShort = false;     // the declared size runs past the container's end

    std::size_t available() const { return dataEnd - dataStart; }
};

// Walks the chunks between begin and end one after another; a chunk of odd size is followed by a pad byte.
class RiffWalker {
  public:
    RiffWalker(std::span<const std::uint8_t> bytes, std::size_t begin, std::size_t end);
    // The next chunk, nothing when fewer than 8 bytes are left.
    std::optional<RiffChunk> next();

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_;
    std::size_t end_;
};

struct AniHeader {
    std::int32_t frames = 0;
    std::int32_t steps = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bitCount = 0;
    std::int32_t planes = 0;
    std::int32_t rate = 0; // jiffies (1/60 s)
    std::int32_t flags = 0;
};

struct AniStructure {
    bool riffAcon = false; // begins "RIFF" .... "ACON"
    // The first information list: its first sub-chunk is the title when tagged "INAM", otherwise the
    // author; the second is the other of the two; further sub-chunks count by their tags. Every byte of
    // a text is kept, the pad byte of an odd size included.
    bool hasInformation = false;
    std::vector<std::uint8_t> title;
    std::vector<std::uint8_t> author;
    std::optional<AniHeader> header;
    std::optional<std::vector<std::int32_t>> rates;    // "rate", wherever it stands
    std::optional<std::vector<std::int32_t>> sequence; // "seq ", wherever it stands
    bool hasFrameList = false;
    // The data of each "icon" chunk of the frame list, in order (at most the header's frame count when
    // there is a header).
    std::vector<std::span<const std::uint8_t>> frames;
    // The file ended before what its sizes or its header declare: a chunk, the frame list, or frames.
    bool cutShort = false;
};

constexpr std::int32_t kAniIconFlag = 1;     // frames are icon resources
constexpr std::int32_t kAniSequenceFlag = 2; // readers play a sequence chunk only when it is set

// True when the bytes begin "RIFF" .... "ACON".
bool looksLikeAni(std::span<const std::uint8_t> head);

// Walks the whole form. Tables hold at most maxTableEntries values each.
AniStructure readAniStructure(std::span<const std::uint8_t> bytes, std::size_t maxTableEntries);

// What an animated cursor file is written from. Texts are the bytes of the "INAM" and "IART" chunks as
// they go into the file (a chunk is left out when its text is empty); each frame is a whole icon
// resource.
struct AniToWrite {
    bool informationFirst = false; // the information list before the header, else after it
    std::vector<std::uint8_t> title;
    std::vector<std::uint8_t> author;
    AniHeader header;                                  // frames and steps are counted from what follows
    std::optional<std::vector<std::int32_t>> rates;    // a "rate" table
    std::optional<std::vector<std::int32_t>> sequence; // a "seq " table
    std::vector<std::vector<std::uint8_t>> frames;
};

// The bytes of the RIFF form: the header (36 bytes, only frames, steps, rate and flags set), the
// information list, the tables and the frame list of "icon" chunks; a chunk of odd size is followed by a
// pad byte. The header's frame and step counts are written as given.
std::vector<std::uint8_t> writeAniStructure(const AniToWrite& ani);

} // namespace vantle
