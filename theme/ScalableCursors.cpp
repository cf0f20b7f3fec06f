#include "theme/ScalableCursors.h"

#include "model/BinaryFile.h"
#include "theme/LayoutSupport.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace vantle::theme {

namespace fs = std::filesystem;

namespace {

std::string base64(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out((bytes.size() + 2) / 3 * 4, '=');
    char* o = out.data();
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3, o += 4) {
        const std::uint32_t b = static_cast<std::uint32_t>(bytes[i]) << 16 |
                                static_cast<std::uint32_t>(bytes[i + 1]) << 8 | bytes[i + 2];
        o[0] = kDigits[b >> 18];
        o[1] = kDigits[b >> 12 & 63];
        o[2] = kDigits[b >> 6 & 63];
        o[3] = kDigits[b & 63];
    }
    if (i < bytes.size()) { // one or two bytes left: two or three digits, the rest stays '='
        const std::uint32_t b = static_cast<std::uint32_t>(bytes[i]) << 16 |
                                (i + 1 < bytes.size() ? static_cast<std::uint32_t>(bytes[i + 1]) << 8 : 0u);
        o[0] = kDigits[b >> 18];
        o[1] = kDigits[b >> 12 & 63];
        if (i + 1 < bytes.size())
            o[2] = kDigits[b >> 6 & 63];
    }
    return out;
}

std::string number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.4f", value);
    return buffer;
}

bool writeText(const fs::path& path, const std::string& text, std::string& error) {
    if (replaceFileContents(path.string(),
                            std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                            FileSync::Fast))
        return true;
    error = path.string() + ": cannot be written";
    return false;
}

} // namespace

std::string scalableSvg(std::span<const std::uint8_t> png, int nominal) {
    const std::string n = std::to_string(nominal);
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"" +
           n + "\" height=\"" + n + "\" viewBox=\"0 0 " + n + " " + n + "\">\n<image width=\"" + n +
           "\" height=\"" + n + "\" preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64," +
           base64(png) + "\"/>\n</svg>\n";
}

std::string scalableMetadata(const LosslessCursor& cursor, const std::vector<std::string>& fileOfFrame,
                             int nominal) {
    const auto entry = [&](int frame, const int* delay) {
        const CursorImage& largest = largestImage(cursor.frames.at(static_cast<std::size_t>(frame)));
        const double side = squareSide(largest);
        std::string text =
            "  {\"filename\": \"" + fileOfFrame.at(static_cast<std::size_t>(frame)) +
            "\", \"hotspot_x\": " + number(largest.hotspotX * static_cast<double>(nominal) / side) +
            ", \"hotspot_y\": " + number(largest.hotspotY * static_cast<double>(nominal) / side) +
            ", \"nominal_size\": " + std::to_string(nominal);
        if (delay != nullptr)
            text += ", \"delay\": " + std::to_string(*delay) + ", \"frametime\": " + std::to_string(*delay);
        return text + "}";
    };
    std::string json = "[\n";
    if (!cursor.animated()) {
        json += entry(0, nullptr) + "\n";
    } else {
        const std::vector<int> delays = stepDelaysMs(cursor);
        for (std::size_t i = 0; i < cursor.steps.size(); ++i)
            json += entry(cursor.steps[i].frame, &delays[i]) + (i + 1 < cursor.steps.size() ? ",\n" : "\n");
    }
    return json + "]\n";
}

LayoutResult writeScalableLayout(const std::string& themeFolder, const std::vector<ThemeCursor>& cursors) {
    LayoutResult result;
    const fs::path root = fs::path(themeFolder) / "cursors_scalable";
    std::error_code ec;
    for (const ThemeCursor& cursor : cursors) {
        if (cursor.images.frames.empty() || cursor.images.frames[0].images.empty())
            continue;
        const fs::path folder = root / cursor.name;
        if (fs::is_symlink(fs::symlink_status(folder, ec)))
            fs::remove(folder, ec);
        fs::create_directories(folder, ec);
        if (ec) {
            result.error = folder.string() + ": " + ec.message();
            return result;
        }
        std::vector<std::string> files;
        for (std::size_t f = 0; f < cursor.images.frames.size(); ++f) {
            files.push_back(cursor.name + (cursor.images.animated() ? "-" + std::to_string(f + 1) : "") +
                            ".svg");
            if (!writeText(folder / files.back(),
                           scalableSvg(layoutPng(cursor, f, cursor.images.frames[f].images.size() - 1),
                                       kScalableNominalSize),
                           result.error))
                return result;
        }
        if (!writeText(folder / "metadata.json", scalableMetadata(cursor.images, files, kScalableNominalSize),
                       result.error))
            return result;
        for (const std::string& link : cursor.links) {
            const fs::path path = root / link;
            fs::create_directory_symlink(cursor.name, path, ec); // in a new theme nothing is there
            if (ec == std::errc::file_exists) {
                ec.clear();
                if (fs::is_symlink(fs::symlink_status(path, ec)) ||
                    fs::is_regular_file(fs::symlink_status(path, ec)))
                    fs::remove(path, ec);
                else if (fs::is_directory(fs::symlink_status(path, ec)))
                    fs::remove_all(path, ec);
                fs::create_directory_symlink(cursor.name, path, ec);
            }
            if (ec) {
                result.error = path.string() + ": " + ec.message();
                return result;
            }
        }
    }
    result.ok = true;
    return result;
}

} // namespace vantle::theme
