// The layouts written beside the Xcursor files, checked against them: each hyprcursor .hlc read as a zip
// archive (by libzip here and by Python's zipfile), its meta.hl values and PNG images matching the Xcursor
// images of the same cursor; the scalable cursors checked against the layout's rules (scalable_layout.py)
// and rendered by librsvg (rsvg-convert) at 24 and 48 close to the largest Xcursor image reduced.

#include "LoadedXcursor.h"
#include "model/CursorFiles.h"
#include "model/LosslessTestSupport.h"
#include "model/ModelTestSupport.h"
#include "model/PngCodec.h"
#include "theme/CursorScaling.h"
#include "tool/VantleTool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <zip.h>

namespace vantle::test {
namespace {

namespace fs = std::filesystem;

// A disc of `side` pixels whose edge is anti-aliased (or hard), on transparency, hotspot at its centre
// unless given.
CursorImage disc(int side, bool soft, unsigned colour, int hotspotX = -1, int hotspotY = -1) {
    const double r = side * 0.4;
    CursorImage image = makeCursorImage(side, side, [=](int x, int y) {
        const double d = std::hypot(x + 0.5 - side / 2.0, y + 0.5 - side / 2.0);
        const double cover = soft ? std::clamp(r - d + 0.5, 0.0, 1.0) : (d < r ? 1.0 : 0.0);
        return static_cast<std::uint32_t>(std::lround(cover * 255)) << 24 | colour;
    });
    image.hotspotX = hotspotX < 0 ? side / 2 : hotspotX;
    image.hotspotY = hotspotY < 0 ? side / 2 : hotspotY;
    return image;
}

void writeCur(const fs::path& path, std::vector<CursorImage> images) {
    LosslessCursor cursor;
    cursor.frames.push_back({std::move(images)});
    CursorWriteReport report;
    writeFileBytes(path.string(), buildIconResource(cursor, 2, report));
}

// The pack: an alpha arrow at 32, 48 and 256 (PNG); a hand-drawn 32-only pixel-art wait animation of
// three frames at 32 and 64; and a cross whose sizes disagree on the hotspot.
fs::path writePack(const fs::path& folder) {
    fs::create_directories(folder);
    writeCur(folder / "Normal.cur",
             {disc(32, true, 0x2040A0), disc(48, true, 0x2040A0), disc(256, true, 0x2040A0)});
    LosslessCursor busy;
    for (unsigned f = 0; f < 3; ++f)
        busy.frames.push_back({{disc(32, false, 0x100000 * (f + 1)), disc(64, false, 0x100000 * (f + 1))}});
    busy.steps = {{0, 5 * kTicksPerJiffy}, {1, 7 * kTicksPerJiffy}, {2, 5 * kTicksPerJiffy}, {1, 1}};
    CursorWriteReport report;
    writeFileBytes((folder / "Busy.ani").string(), buildAnimatedCursor(busy, report));
    writeCur(folder / "Cross.cur", {disc(32, false, 0x00FF00, 2, 2), disc(64, false, 0x00FF00, 40, 40)});
    return folder;
}

std::map<std::string, Bytes> zipEntries(const fs::path& path) {
    std::map<std::string, Bytes> entries;
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (archive == nullptr)
        return entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        Bytes bytes(stat.size);
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        const zip_int64_t read = zip_fread(file, bytes.data(), bytes.size());
        zip_fclose(file);
        if (read == static_cast<zip_int64_t>(stat.size))
            entries[stat.name] = std::move(bytes);
    }
    zip_close(archive);
    return entries;
}

struct Meta {
    std::map<std::string, std::string> values;
    std::vector<std::string> overrides;
    std::vector<std::string> sizes; // define_size values in order
};

Meta parseMeta(const Bytes& bytes) {
    Meta meta;
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    for (std::string line; std::getline(lines, line);) {
        const auto eq = line.find(" = ");
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 3);
        if (key == "define_override")
            meta.overrides.push_back(value);
        else if (key == "define_size")
            meta.sizes.push_back(value);
        else
            meta.values[key] = value;
    }
    return meta;
}

// Empty when every Xcursor image of the cursor (in file order: by size, then frame) has a define_size
// line naming a PNG of the same pixels and the same delay, and the one fractional hotspot lands within a
// pixel of the largest size's.
std::string hyprcursorDifference(const fs::path& xcursor, const fs::path& hlc) {
    const LoadedXcursor loaded(xcursor);
    const std::map<std::string, Bytes> entries = zipEntries(hlc);
    if (loaded.images == nullptr || !entries.contains("meta.hl"))
        return "cannot be read";
    const Meta meta = parseMeta(entries.at("meta.hl"));
    if (meta.sizes.size() != static_cast<std::size_t>(loaded.images->nimage))
        return std::to_string(meta.sizes.size()) + " define_size lines";
    const bool animated =
        loaded.images->nimage > 1 && loaded.images->images[0]->size == loaded.images->images[1]->size;
    for (int i = 0; i < loaded.images->nimage; ++i) {
        const XcursorImage& image = *loaded.images->images[i];
        std::istringstream fields(meta.sizes[static_cast<std::size_t>(i)]);
        std::string size, file, delay;
        std::getline(fields, size, ',');
        std::getline(fields, file, ',');
        std::getline(fields, delay);
        file.erase(0, 1);
        if (std::stoul(size) != image.size || !entries.contains(file))
            return "line " + std::to_string(i) + ": " + meta.sizes[static_cast<std::size_t>(i)];
        if (animated != !delay.empty() || (animated && std::stoul(delay) != image.delay))
            return "line " + std::to_string(i) + ": delay " + delay + ", Xcursor " +
                   std::to_string(image.delay);
        const auto png = decodePng(entries.at(file), 256);
        if (!png || png->width != static_cast<int>(image.width) ||
            png->height != static_cast<int>(image.height))
            return file + ": not a PNG of the image's size";
        for (std::size_t p = 0; p < png->argb.size(); ++p) {
            const std::uint32_t straight = png->argb[p];
            const std::uint32_t a = image.pixels[p] >> 24;
            // Xcursor pixels are premultiplied.
            if ((straight >> 24) != a ||
                (a > 0 && std::abs(static_cast<int>((straight >> 16 & 0xFF) * a / 255) -
                                   static_cast<int>(image.pixels[p] >> 16 & 0xFF)) > 1))
                return file + ": pixel " + std::to_string(p);
        }
    }
    const XcursorImage& largest = *loaded.images->images[loaded.images->nimage - 1];
    const double hx = std::stod(meta.values.at("hotspot_x")) * largest.width;
    const double hy = std::stod(meta.values.at("hotspot_y")) * largest.height;
    if (std::abs(hx - largest.xhot) > 1 || std::abs(hy - largest.yhot) > 1)
        return "hotspot " + std::to_string(hx) + "," + std::to_string(hy);
    return {};
}

TEST(Layouts, HyprcursorArchivesHoldTheXcursorImagesAndTheirHotspotsAndDelays) {
    TempDir dir;
    const fs::path pack = writePack(dir.path() / "pack");
    std::ostringstream out, err;
    const std::vector<std::string> args = {"theme", pack.string(), "--name", "L", "--dir", dir.file("icons")};
    ASSERT_EQ(runTool(args, out, err, nullptr), 0) << err.str();
    const fs::path theme = dir.path() / "icons/L";
    const Bytes manifest = readFileBytes((theme / "manifest.hl").string());
    EXPECT_NE(std::string(manifest.begin(), manifest.end()).find("cursors_directory = hyprcursors\n"),
              std::string::npos);
    std::map<std::string, std::vector<std::string>> links; // file -> the names linked to it, in file order
    for (const auto& entry : fs::directory_iterator(theme / "cursors"))
        if (entry.is_symlink())
            links[fs::read_symlink(entry.path()).string()].push_back(entry.path().filename().string());
    std::string python =
        "/usr/bin/python3 -c 'import sys, zipfile\nfor f in sys.argv[1:]:\n"
        "  z = zipfile.ZipFile(f)\n  assert z.testzip() is None and \"meta.hl\" in z.namelist()'";
    for (const char* name : {"left_ptr", "watch", "crosshair"}) {
        const fs::path hlc = theme / "hyprcursors" / (std::string(name) + ".hlc");
        std::vector<std::string> expected = links[name];
        Meta meta = parseMeta(zipEntries(hlc)["meta.hl"]);
        std::sort(expected.begin(), expected.end());
        std::sort(meta.overrides.begin(), meta.overrides.end());
        EXPECT_EQ(meta.overrides, expected) << name;
        EXPECT_EQ(meta.values["resize_algorithm"], name == std::string("left_ptr") ? "bilinear" : "nearest")
            << name;
        EXPECT_EQ(hyprcursorDifference(theme / "cursors" / name, hlc), "") << name;
        python += " '" + hlc.string() + "'";
    }
    EXPECT_EQ(std::system(python.c_str()), 0) << "Python's zipfile reads every archive";
    EXPECT_NE(
        out.str().find("hyprcursor: crosshair: the hotspot of size 24 (15,15) is more than a pixel from"),
        std::string::npos)
        << out.str();
}

// The image rsvg-convert draws of the SVG at side x side, premultiplied; empty when it fails.
std::vector<std::uint32_t> renderedByLibrsvg(const fs::path& svg, int side, const fs::path& scratch) {
    const std::string command = "rsvg-convert -w " + std::to_string(side) + " -h " + std::to_string(side) +
                                " '" + svg.string() + "' -o '" + scratch.string() + "'";
    if (std::system(command.c_str()) != 0)
        return {};
    const auto png = decodePng(readFileBytes(scratch.string()), 256);
    if (!png || png->width != side || png->height != side)
        return {};
    std::vector<std::uint32_t> out;
    for (std::uint32_t p : png->argb) {
        const std::uint32_t a = p >> 24;
        out.push_back(a << 24 | ((p >> 16 & 0xFF) * a + 127) / 255 << 16 |
                      ((p >> 8 & 0xFF) * a + 127) / 255 << 8 | ((p & 0xFF) * a + 127) / 255);
    }
    return out;
}

// The Xcursor image (premultiplied) area-averaged to side x side, premultiplied.
std::vector<std::uint32_t> reduced(const XcursorImage& image, int side) {
    CursorImage straight;
    straight.width = static_cast<int>(image.width);
    straight.height = static_cast<int>(image.height);
    for (std::size_t i = 0; i < std::size_t{image.width} * image.height; ++i) {
        const std::uint32_t p = image.pixels[i], a = p >> 24;
        const auto c = [&](int s) {
            return a == 0 ? 0u : std::min(255u, ((p >> s & 0xFF) * 255 + a / 2) / a) << s;
        };
        straight.argb.push_back(a << 24 | c(16) | c(8) | c(0));
    }
    std::vector<std::uint32_t> out;
    for (std::uint32_t p : theme::scaleImage(straight, side).argb) {
        const std::uint32_t a = p >> 24;
        out.push_back(a << 24 | ((p >> 16 & 0xFF) * a + 127) / 255 << 16 |
                      ((p >> 8 & 0xFF) * a + 127) / 255 << 8 | ((p & 0xFF) * a + 127) / 255);
    }
    return out;
}

double meanDifference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    if (a.size() != b.size() || a.empty())
        return 999;
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        for (int shift : {24, 16, 8, 0})
            sum += std::abs(static_cast<int>(a[i] >> shift & 0xFF) - static_cast<int>(b[i] >> shift & 0xFF));
    return sum / (static_cast<double>(a.size()) * 4);
}

TEST(Layouts, ScalableCursorsFollowTheLayoutAndLibrsvgDrawsThemLikeTheImages) {
    TempDir dir;
    const fs::path pack = writePack(dir.path() / "pack");
    std::ostringstream out, err;
    const std::vector<std::string> args = {"theme", pack.string(),     "--name",    "S",
                                           "--dir", dir.file("icons"), "--scalable"};
    ASSERT_EQ(runTool(args, out, err, nullptr), 0) << err.str();
    const fs::path theme = dir.path() / "icons/S";
    std::string check = "/usr/bin/python3 '" + std::string(VANTLE_SCALABLE_CHECK_SCRIPT) + "'";
    for (const auto& entry : fs::directory_iterator(theme / "cursors")) {
        const std::string name = entry.path().filename().string();
        const fs::path folder = theme / "cursors_scalable" / name;
        EXPECT_TRUE(fs::is_directory(folder)) << name << ": every name of cursors/ is there";
        if (entry.is_symlink()) {
            EXPECT_EQ(fs::read_symlink(folder), fs::read_symlink(entry.path())) << name;
            continue;
        }
        check += " '" + folder.string() + "'";
        // The SVG of every step (metadata.json lists one per step, as the Xcursor file holds one image per
        // step), at 24 and 48, against the step's largest Xcursor image reduced.
        const LoadedXcursor xcursor(entry.path());
        ASSERT_NE(xcursor.images, nullptr);
        const auto largest = xcursor.ofSize(xcursor.images->images[xcursor.images->nimage - 1]->size);
        const Bytes json = readFileBytes((folder / "metadata.json").string());
        const std::string text(json.begin(), json.end());
        std::vector<std::string> files;
        for (std::size_t at = text.find("\"filename\": \""); at != std::string::npos;
             at = text.find("\"filename\": \"", at + 1))
            files.push_back(text.substr(at + 13, text.find('"', at + 13) - at - 13));
        ASSERT_EQ(files.size(), largest.size()) << name;
        for (std::size_t f = 0; f < largest.size(); ++f) {
            const fs::path svg = folder / files[f];
            for (int side : {24, 48})
                EXPECT_LE(meanDifference(renderedByLibrsvg(svg, side, dir.path() / "r.png"),
                                         reduced(*largest[f], side)),
                          2.0)
                    << svg << " at " << side;
        }
    }
    EXPECT_EQ(std::system(check.c_str()), 0) << check;
    const Bytes metadata = readFileBytes((theme / "cursors_scalable/watch/metadata.json").string());
    EXPECT_NE(std::string(metadata.begin(), metadata.end()).find("\"filename\": \"watch-2.svg\""),
              std::string::npos);
}

} // namespace
} // namespace vantle::test
