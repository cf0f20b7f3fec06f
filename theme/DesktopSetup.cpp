#include "theme/DesktopSetup.h"

#include "model/BinaryFile.h"
#include "theme/CursorNames.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vantle::theme {

namespace fs = std::filesystem;

namespace {

// A name inside double quotes, for configuration files that take a quoted string.
std::string doubleQuoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string inheritsOf(const std::string& indexText) {
    std::size_t at = 0;
    while (at < indexText.size()) {
        const std::size_t end = std::min(indexText.find('\n', at), indexText.size());
        const std::string_view line = std::string_view(indexText).substr(at, end - at);
        at = end + 1;
        if (line.starts_with("Inherits="))
            return std::string(line.substr(9));
    }
    return {};
}

} // namespace

Desktop desktopOf(std::string_view xdgCurrentDesktop) {
    std::size_t at = 0;
    while (at <= xdgCurrentDesktop.size()) {
        const std::size_t colon = std::min(xdgCurrentDesktop.find(':', at), xdgCurrentDesktop.size());
        const std::string entry = asciiLower(xdgCurrentDesktop.substr(at, colon - at));
        at = colon + 1;
        if (entry == "gnome" || entry == "ubuntu" || entry == "unity" || entry == "budgie" ||
            entry == "pantheon" || entry == "gnome-classic" || entry == "gnome-flashback")
            return Desktop::Gnome;
        if (entry == "kde")
            return Desktop::Plasma;
        if (entry == "hyprland")
            return Desktop::Hyprland;
        if (entry == "sway")
            return Desktop::Sway;
        if (entry == "niri")
            return Desktop::Niri;
    }
    return Desktop::PlainX;
}

std::string shellWord(std::string_view word) {
    const bool plain =
        !word.empty() && word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuv"
                                                "wxyz0123456789-_.+/:=@%") == std::string::npos;
    if (plain)
        return std::string(word);
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::vector<DesktopSetup> desktopSetups(Desktop current, const std::string& name, int size) {
    const std::string s = std::to_string(size);
    const auto command = [](std::vector<std::string> argv) {
        SetupStep step;
        for (const std::string& word : argv)
            step.text.append(step.text.empty() ? "" : " ").append(shellWord(word));
        step.argv = std::move(argv);
        return step;
    };
    const auto byHand = [](std::string text) { return SetupStep{std::move(text), {}}; };
    const std::string gnome = "org.gnome.desktop.interface";
    std::vector<DesktopSetup> setups = {
        {Desktop::Gnome,
         "GNOME",
         {command({"gsettings", "set", gnome, "cursor-theme", name}),
          command({"gsettings", "set", gnome, "cursor-size", s})}},
        {Desktop::Plasma,
         "KDE Plasma",
         {command({"plasma-apply-cursortheme", name}),
          byHand("the size: System Settings > Colours & Themes > Cursors")}},
        {Desktop::Hyprland,
         "Hyprland",
         {command({"hyprctl", "setcursor", name, s}),
          byHand("in ~/.config/hypr/hyprland.conf: env = HYPRCURSOR_THEME," + name +
                 " / env = HYPRCURSOR_SIZE," + s + " / env = XCURSOR_THEME," + name +
                 " / env = XCURSOR_SIZE," + s)}},
        {Desktop::Sway,
         "sway",
         {command({"swaymsg", "seat", "*", "xcursor_theme", name, s}),
          byHand("in ~/.config/sway/config: seat * xcursor_theme " + doubleQuoted(name) + " " + s)}},
        {Desktop::Niri,
         "niri",
         {byHand("in ~/.config/niri/config.kdl: cursor { xcursor-theme " + doubleQuoted(name) +
                 "; xcursor-size " + s + "; }")}},
        {Desktop::PlainX,
         "plain X",
         {byHand("~/.icons/default/index.theme: [Icon Theme] Inherits=" + name + " (--apply writes it)"),
          byHand("in ~/.Xresources: Xcursor.theme: " + name + " and Xcursor.size: " + s +
                 ", then xrdb -merge ~/.Xresources")}},
        {Desktop::Flatpak,
         "Flatpak",
         {byHand("flatpak --user override --filesystem=xdg-data/icons:ro (so that applications see the "
                 "themes in ~/.local/share/icons)")}},
    };
    std::stable_partition(setups.begin(), setups.end(),
                          [current](const DesktopSetup& d) { return d.desktop == current; });
    return setups;
}

std::string tryItLine(const std::string& iconsFolder, const std::string& name) {
    std::error_code ec;
    const std::string absolute = fs::absolute(fs::path(iconsFolder), ec).lexically_normal().string();
    std::string folder = absolute;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return "XCURSOR_PATH=" + shellWord(folder) + ":" + std::string(kXcursorDefaultPath) +
           " XCURSOR_THEME=" + shellWord(name) + " COMMAND";
}

std::string defaultIndexTheme(const std::string& name) {
    return "[Icon Theme]\n"
           "Name=Default\n"
           "Comment=The cursor theme of programs that ask for none, set by vantle-tool\n"
           "Inherits=" +
           name + "\n";
}

DefaultThemeResult writeDefaultTheme(const std::string& home, const std::string& name) {
    DefaultThemeResult result;
    const fs::path folder = fs::path(home) / ".icons" / "default";
    result.path = (folder / "index.theme").string();
    std::error_code ec;
    if (fs::exists(result.path, ec)) {
        std::ifstream in(result.path, std::ios::binary);
        std::string text(1 << 16, '\0');
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
        result.previousInherits = inheritsOf(text);
    }
    fs::create_directories(folder, ec);
    if (ec) {
        result.error = folder.string() + ": " + ec.message();
        return result;
    }
    const std::string text = defaultIndexTheme(name);
    if (!replaceFileContents(result.path,
                             std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                             FileSync::Fast)) {
        result.error = result.path + ": cannot be written";
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace vantle::theme
