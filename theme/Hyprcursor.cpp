#include "theme/Hyprcursor.h"

#include "model/BinaryFile.h"
#include "theme/LayoutSupport.h"
#include "theme/ZipWriter.h"

#include <cmath>
#include <filesystem>
#include <system_error>

namespace vantle::theme {

namespace fs = std::filesystem;

namespace {

using Files = std::vector<std::pair<std::string, std::vector<std::uint8_t>>>;

// The archive of `files` at `path`, built in memory and written at once; PNG images are stored as they
// are, the text deflated.
bool writeZip(const fs::path& path, const Files& files, std::uint32_t dosTime, std::string& error) {
    std::vector<ZipMember> members;
    for (const auto& [name, bytes] : files)
        members.push_back({name, bytes, !name.ends_with(".png")});
    const std::vector<std::uint8_t> archive = zipArchive(members, dosTime);
    if (archive.empty()) {
        error = path.string() + ": too large for a zip archive";
        return false;
    }
    if (!replaceFileContents(path.string(), archive, FileSync::Fast)) {
        error = path.string() + ": cannot be written";
        return false;
    }
    return true;
}

} // namespace

std::string hyprcursorManifest(const std::string& name) {
    return "name = " + name +
           "\n"
           "description = Cursor theme made with Vantle\n"
           "version = 1.0\n"
           "cursors_directory = hyprcursors\n";
}

std::string hyprcursorMeta(const ThemeCursor& cursor, Files& pngs, std::vector<std::string>& notes) {
    const LosslessCursor& images = cursor.images;
    const CursorImage& largest = largestImage(images.frames.at(0));
    const double fx = static_cast<double>(largest.hotspotX) / squareSide(largest);
    const double fy = static_cast<double>(largest.hotspotY) / squareSide(largest);
    std::string meta =
        "resize_algorithm = " + std::string(layoutPixelArt(cursor) ? "nearest" : "bilinear") + "\n";
    meta +=
        "hotspot_x = " + fractionText(fx) + "\nhotspot_y = " + fractionText(fy) + "\nnominal_size = 1.0\n";
    for (const std::string& link : cursor.links)
        meta += "define_override = " + link + "\n";

    bool disagreement = false;
    const std::size_t sizes = images.frames.at(0).images.size();
    for (std::size_t s = 0; s < sizes; ++s) {
        std::vector<std::string> files; // per frame
        for (std::size_t f = 0; f < images.frames.size(); ++f) {
            const CursorImage& image = images.frames[f].images.at(s);
            const int side = squareSide(image);
            const std::string file = cursor.name + "_" + std::to_string(side) +
                                     (images.animated() ? "_" + std::to_string(f) : "") + ".png";
            pngs.emplace_back(file, layoutPng(cursor, f, s));
            files.push_back(file);
            if (!disagreement &&
                (std::abs(fx * side - image.hotspotX) > 1.0 || std::abs(fy * side - image.hotspotY) > 1.0)) {
                disagreement = true;
                notes.push_back(cursor.name + ": the hotspot of size " + std::to_string(side) + " (" +
                                std::to_string(image.hotspotX) + "," + std::to_string(image.hotspotY) +
                                ") is more than a pixel from where the largest size's puts it; hyprcursor "
                                "takes the largest size's for every size");
            }
        }
        const std::string size = std::to_string(squareSide(images.frames[0].images[s]));
        if (!images.animated()) {
            meta += "define_size = " + size + ", " + files[0] + "\n";
            continue;
        }
        const std::vector<int> delays = stepDelaysMs(images);
        for (std::size_t i = 0; i < images.steps.size(); ++i)
            meta += "define_size = " + size + ", " +
                    files.at(static_cast<std::size_t>(images.steps[i].frame)) + ", " +
                    std::to_string(delays[i]) + "\n";
    }
    return meta;
}

LayoutResult writeHyprcursorLayout(const std::string& themeFolder, const std::string& name,
                                   const std::vector<ThemeCursor>& cursors) {
    LayoutResult result;
    const fs::path folder = fs::path(themeFolder) / "hyprcursors";
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        result.error = folder.string() + ": " + ec.message();
        return result;
    }
    const std::string manifest = hyprcursorManifest(name);
    const fs::path manifestPath = fs::path(themeFolder) / "manifest.hl";
    if (!replaceFileContents(
            manifestPath.string(),
            std::span(reinterpret_cast<const std::uint8_t*>(manifest.data()), manifest.size()),
            FileSync::Fast)) {
        result.error = manifestPath.string() + ": cannot be written";
        return result;
    }
    const std::uint32_t dosTime = dosTimeNow();
    for (const ThemeCursor& cursor : cursors) {
        if (cursor.images.frames.empty() || cursor.images.frames[0].images.empty())
            continue;
        Files files;
        const std::string meta = hyprcursorMeta(cursor, files, result.notes);
        files.insert(files.begin(), {"meta.hl", std::vector<std::uint8_t>(meta.begin(), meta.end())});
        if (!writeZip(folder / (cursor.name + ".hlc"), files, dosTime, result.error))
            return result;
    }
    result.ok = true;
    return result;
}

} // namespace vantle::theme
