#pragma once
// The images libXcursor loads from a file, freed when the holder goes, and picked by nominal size.

#include <filesystem>
#include <vector>

// Last, and its macros that clash with ordinary names dropped.
#include <X11/Xcursor/Xcursor.h>
#undef None
#undef Bool
#undef Status

namespace vantle::test {

struct LoadedXcursor {
    XcursorImages* images = nullptr;
    explicit LoadedXcursor(XcursorImages* loaded) : images(loaded) {}
    // Every image of the file.
    explicit LoadedXcursor(const std::filesystem::path& path)
        : images(XcursorFilenameLoadAllImages(path.c_str())) {}
    ~LoadedXcursor() {
        if (images)
            XcursorImagesDestroy(images);
    }
    LoadedXcursor(const LoadedXcursor&) = delete;
    LoadedXcursor& operator=(const LoadedXcursor&) = delete;

    // The images of one nominal size, in file order.
    std::vector<const XcursorImage*> ofSize(unsigned size) const {
        std::vector<const XcursorImage*> out;
        for (int i = 0; images && i < images->nimage; ++i)
            if (images->images[i]->size == size)
                out.push_back(images->images[i]);
        return out;
    }
};

} // namespace vantle::test
