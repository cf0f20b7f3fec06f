// How the scalable cursors of a theme render at 24, 36 and 48 through librsvg and QtSvg, against the
// theme's Xcursor images: for each cursor in THEME/cursors_scalable, its first frame rendered at each size
// and compared (mean absolute difference per premultiplied channel, 0..255) with
//   - the largest Xcursor image area-averaged to that size (what a perfect renderer would draw), and
//   - the Xcursor image libXcursor shows at that size, where the theme holds that size (a pack that
//     draws its small sizes by hand differs from a reduction by design).
// Usage: measure_scalable THEME_FOLDER...

// GLib's headers use "signals" as a name, which Qt's headers make a keyword: librsvg comes first.
#include <librsvg/rsvg.h>

#include "model/LosslessCursor.h"
#include "theme/CursorScaling.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <X11/Xcursor/Xcursor.h>
#undef None
#undef Bool
#undef Status

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;
using namespace vantle;

namespace {

using Pixels = std::vector<std::uint32_t>; // premultiplied 0xAARRGGBB, side x side

Pixels renderRsvg(const fs::path& svg, int side) {
    Pixels out(static_cast<std::size_t>(side * side), 0);
    GError* error = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(svg.c_str(), &error);
    if (handle == nullptr)
        return {};
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, side, side);
    cairo_t* cr = cairo_create(surface);
    const RsvgRectangle viewport{0, 0, static_cast<double>(side), static_cast<double>(side)};
    rsvg_handle_render_document(handle, cr, &viewport, &error);
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < side; ++y)
        std::memcpy(&out[static_cast<std::size_t>(y * side)], data + y * stride,
                    static_cast<std::size_t>(side) * 4);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    g_object_unref(handle);
    return out;
}

Pixels renderQt(const fs::path& svg, int side) {
    QSvgRenderer renderer(QString::fromStdString(svg.string()));
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    Pixels out;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            out.push_back(reinterpret_cast<const std::uint32_t*>(image.constScanLine(y))[x]);
    return out;
}

double difference(const Pixels& a, const Pixels& b) {
    if (a.size() != b.size() || a.empty())
        return -1;
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        for (int shift : {24, 16, 8, 0})
            sum += std::abs(static_cast<int>(a[i] >> shift & 0xFF) - static_cast<int>(b[i] >> shift & 0xFF));
    return sum / (static_cast<double>(a.size()) * 4);
}

Pixels premultiplied(const CursorImage& image) {
    Pixels out;
    for (std::uint32_t p : image.argb) {
        const std::uint32_t a = p >> 24;
        const auto c = [&](int shift) { return ((p >> shift & 0xFF) * a + 127) / 255 << shift; };
        out.push_back(a << 24 | c(16) | c(8) | c(0));
    }
    return out;
}

CursorImage straight(const XcursorImage& image) {
    CursorImage out;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    for (std::size_t i = 0; i < std::size_t{image.width} * image.height; ++i) {
        const std::uint32_t p = image.pixels[i];
        const std::uint32_t a = p >> 24;
        const auto c = [&](int shift) {
            return a == 0 ? 0u : std::min(255u, ((p >> shift & 0xFF) * 255 + a / 2) / a) << shift;
        };
        out.argb.push_back(a << 24 | c(16) | c(8) | c(0));
    }
    return out;
}

struct Sums {
    double rsvgIdeal = 0, qtIdeal = 0, rsvgXcursor = 0, qtXcursor = 0;
    int shapes = 0, withSize = 0;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    for (int t = 1; t < argc; ++t) {
        const fs::path theme = argv[t];
        std::printf("%s\n", theme.filename().c_str());
        for (int side : {24, 36, 48}) {
            Sums s;
            for (const auto& entry : fs::directory_iterator(theme / "cursors_scalable")) {
                if (entry.is_symlink())
                    continue;
                const std::string shape = entry.path().filename().string();
                fs::path svg = entry.path() / (shape + ".svg");
                if (!fs::exists(svg))
                    svg = entry.path() / (shape + "-1.svg");
                XcursorImages* all = XcursorFilenameLoadAllImages((theme / "cursors" / shape).c_str());
                if (all == nullptr)
                    continue;
                const XcursorImage* largest = all->images[0];
                for (int i = 0; i < all->nimage; ++i)
                    if (all->images[i]->size > largest->size)
                        largest = all->images[i];
                const Pixels ideal = premultiplied(theme::scaleImage(straight(*largest), side));
                const Pixels viaRsvg = renderRsvg(svg, side);
                const Pixels viaQt = renderQt(svg, side);
                s.rsvgIdeal += difference(viaRsvg, ideal);
                s.qtIdeal += difference(viaQt, ideal);
                ++s.shapes;
                for (int i = 0; i < all->nimage; ++i)
                    if (all->images[i]->size == static_cast<unsigned>(side) &&
                        all->images[i]->width == static_cast<unsigned>(side)) {
                        const Pixels shown(all->images[i]->pixels, all->images[i]->pixels + side * side);
                        s.rsvgXcursor += difference(viaRsvg, shown);
                        s.qtXcursor += difference(viaQt, shown);
                        ++s.withSize;
                        break;
                    }
                XcursorImagesDestroy(all);
            }
            if (s.shapes == 0)
                continue;
            std::printf(
                "  %2d: vs the largest image reduced: librsvg %.2f, QtSvg %.2f (%d cursors); vs the Xcursor "
                "image of that size: librsvg %s, QtSvg %s (%d of %d cursors hold it)\n",
                side, s.rsvgIdeal / s.shapes, s.qtIdeal / s.shapes, s.shapes,
                s.withSize ? std::to_string(s.rsvgXcursor / s.withSize).substr(0, 5).c_str() : "-",
                s.withSize ? std::to_string(s.qtXcursor / s.withSize).substr(0, 5).c_str() : "-", s.withSize,
                s.shapes);
        }
    }
    return 0;
}
