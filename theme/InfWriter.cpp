#include "theme/InfWriter.h"

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

} // namespace

std::string windowsSchemeName(std::string_view name) {
    std::string out;
    for (unsigned char c : name) {
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
    if (out.size() > kMaxSchemeNameLength) {
        out.resize(kMaxSchemeNameLength);
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

} // namespace vantle::theme
