#include "model/TextCodec.h"

#include <cerrno>
#include <iconv.h>

namespace vantle {

namespace {

// One conversion direction of iconv, closed again when it goes out of scope.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns false and leaves in at the offending input on a bad sequence.
    bool convert(const char*& in, std::size_t& inLeft, std::string& out) {
        char buffer[256];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t r = iconv(cd_, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (r == static_cast<std::size_t>(-1) && errno != E2BIG)
                return false;
        }
        return true;
    }

  private:
    iconv_t cd_;
};

} // namespace

std::string ansiToUtf8(std::span<const std::uint8_t> bytes) {
    std::string out;
    Converter conv("UTF-8", "CP932");
    const char* in = reinterpret_cast<const char*>(bytes.data());
    std::size_t left = bytes.size();
    while (left > 0) {
        if (conv.valid() && conv.convert(in, left, out))
            break;
        // A byte that does not start a valid character: keep going after it.
        out += "\xEF\xBF\xBD";
        ++in;
        --left;
    }
    return out;
}

std::vector<std::uint8_t> utf8ToAnsi(std::string_view text) {
    std::string out;
    Converter conv("CP932", "UTF-8");
    const char* in = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        if (conv.valid() && conv.convert(in, left, out))
            break;
        // Skip the whole UTF-8 sequence of the character that has no code page 932 form.
        out += '?';
        std::size_t len = 1;
        const auto lead = static_cast<unsigned char>(*in);
        if (lead >= 0xF0)
            len = 4;
        else if (lead >= 0xE0)
            len = 3;
        else if (lead >= 0xC0)
            len = 2;
        len = std::min(len, left);
        in += len;
        left -= len;
    }
    return std::vector<std::uint8_t>(out.begin(), out.end());
}

} // namespace vantle
