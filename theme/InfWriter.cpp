#include "theme/InfWriter.h"

#include <algorithm>
#include <cassert>

namespace vantle::theme {

namespace {

constexpr std::string_view kForbidden = "\\/:*?\"<>|%,";

bool isDeviceName(const std::string& name) {
    const std::string upper = [&name] {
        std::string u;
        for (char c : name)
            u += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        return u;
    }();
    // The part before the first dot names the device: "nul.txt" is NUL too.
    const std::string stem = upper.substr(0, upper.find('.'));
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL")
        return true;
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '1' &&
           stem[3] <= '9';
}

// One line of the text, ended by CRLF.
void line(std::string& text, std::string_view content = {}) {
    text += content;
    text += "\r\n";
}

// The length of the UTF-8 sequence of a character other than ASCII at `at` (2 to 4), or 0 when the bytes
// there are no such sequence (a stray continuation byte, an overlong form, a surrogate, beyond U+10FFFF).
std::size_t sequenceLength(std::string_view text, std::size_t at, char32_t* code = nullptr) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > text.size())
        return 0;
    char32_t value = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        value = value << 6 | (byte(at + i) & 0x3F);
    }
    const char32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    if (code != nullptr)
        *code = value;
    return length;
}

// How many characters the UTF-8 text holds.
std::size_t characters(std::string_view text) {
    std::size_t count = 0;
    for (char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

} // namespace

std::string windowsSchemeName(std::string_view name) {
    std::string out;
    for (std::size_t at = 0; at < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[at]);
        if (c >= 0x80) {
            if (const std::size_t length = sequenceLength(name, at)) {
                out += name.substr(at, length);
                at += length;
                continue;
            }
        }
        ++at;
        const bool plain =
            c >= 0x20 && c < 0x7F && kForbidden.find(static_cast<char>(c)) == std::string::npos;
        const char kept = plain ? static_cast<char>(c) : '_';
        if (kept == '_' && !out.empty() && out.back() == '_')
            continue;
        out += kept;
    }
    const auto isEdge = [](char c) { return c == ' ' || c == '.' || c == '_'; };
    while (!out.empty() && isEdge(out.back()))
        out.pop_back();
    std::size_t first = 0;
    while (first < out.size() && isEdge(out[first]))
        ++first;
    out.erase(0, first);
    if (characters(out) > kMaxSchemeNameLength) {
        std::size_t cut = 0;
        for (std::size_t kept = 0; kept < kMaxSchemeNameLength; ++kept)
            do
                ++cut;
            while (cut < out.size() && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80);
        out.resize(cut);
        while (!out.empty() && isEdge(out.back()))
            out.pop_back();
    }
    if (!out.empty() && isDeviceName(out))
        out += " cursors";
    return out;
}

std::string schemeInfText(std::string_view schemeName, const std::array<std::string, kRoleCount>& files) {
    assert(!schemeName.empty() && windowsSchemeName(schemeName) == schemeName);
    const auto pathOf = [&files](CursorRole role) -> std::string {
        const std::string& file = files[static_cast<std::size_t>(roleIndex(role))];
        return file.empty() ? std::string()
                            : "%10%\\%CUR_DIR%\\%" + std::string(roleNames(role).windowsName) + "%";
    };
    std::string text;
    line(text, "; Windows cursor scheme \"" + std::string(schemeName) + "\", made by vantle-tool winpack.");
    line(text, "; To install it: right-click this file and choose Install, then choose the scheme in");
    line(text, "; Control Panel > Mouse > Pointers. The files are copied to %WINDIR%\\Cursors\\" +
                   std::string(schemeName) + ".");
    line(text);
    line(text, "[Version]");
    line(text, "Signature=\"$CHICAGO$\"");
    line(text);
    line(text, "[DefaultInstall]");
    line(text, "CopyFiles = Scheme.Cur");
    line(text, "AddReg    = Scheme.Reg");
    line(text);
    line(text, "[DestinationDirs]");
    line(text, "Scheme.Cur = 10,\"%CUR_DIR%\"");
    line(text);
    line(text, "[Scheme.Reg]");
    std::string scheme;
    for (CursorRole role : kAllRoles) {
        if (role != CursorRole::Arrow)
            scheme += ',';
        scheme += pathOf(role);
    }
    std::string schemeLine = "HKCU,\"Control Panel\\Cursors\\Schemes\",\"%SCHEME_NAME%\",0x00020000,\"";
    schemeLine += scheme;
    schemeLine += '"';
    line(text, schemeLine);
    line(text, "HKCU,\"Control Panel\\Cursors\",,0x00020000,\"%SCHEME_NAME%\"");
    line(text, "HKCU,\"Control Panel\\Cursors\",\"Scheme Source\",0x00010001,1");
    for (CursorRole role : kAllRoles)
        line(text, "HKCU,\"Control Panel\\Cursors\"," + std::string(roleNames(role).windowsName) +
                       ",0x00020000,\"" + pathOf(role) + "\"");
    line(text);
    line(text, "[Scheme.Cur]");
    for (CursorRole role : kAllRoles)
        if (const std::string& file = files[static_cast<std::size_t>(roleIndex(role))]; !file.empty())
            line(text, file);
    line(text);
    line(text, "[Strings]");
    line(text, "CUR_DIR     = \"Cursors\\" + std::string(schemeName) + "\"");
    line(text, "SCHEME_NAME = \"" + std::string(schemeName) + "\"");
    for (CursorRole role : kAllRoles)
        if (const std::string& file = files[static_cast<std::size_t>(roleIndex(role))]; !file.empty()) {
            std::string key(roleNames(role).windowsName);
            key.resize(std::max<std::size_t>(key.size(), 11), ' ');
            line(text, key + " = \"" + file + "\"");
        }
    return text;
}

std::vector<std::uint8_t> infFileBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii)
        return std::vector<std::uint8_t>(text.begin(), text.end());
    bytes = {0xFF, 0xFE};
    const auto unit = [&bytes](char32_t u) {
        bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(u >> 8));
    };
    for (std::size_t at = 0; at < text.size();) {
        char32_t code = static_cast<unsigned char>(text[at]);
        const std::size_t length = code >= 0x80 ? sequenceLength(text, at, &code) : 1;
        if (length == 0) { // not UTF-8: the replacement character
            code = 0xFFFD;
            ++at;
        } else {
            at += length;
        }
        if (code >= 0x10000) {
            unit(0xD800 + ((code - 0x10000) >> 10));
            unit(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            unit(code);
        }
    }
    return bytes;
}

} // namespace vantle::theme
