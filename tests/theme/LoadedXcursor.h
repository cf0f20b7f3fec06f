#pragma once
// The images libXcursor loads from a file, freed when the holder goes, and picked by nominal size.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
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

// How many of `names` libXcursor cannot find in theme `theme` at size 24 through XCURSOR_PATH `path`
// (each named on stderr). In a child process: libXcursor reads the variable only once.
inline int namesNotLoaded(const std::string& path, const std::string& theme,
                          const std::vector<std::string>& names) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("XCURSOR_PATH", path.c_str(), 1);
        int missing = 0;
        for (const std::string& name : names) {
            LoadedXcursor loaded(XcursorLibraryLoadImages(name.c_str(), theme.c_str(), 24));
            if (loaded.images == nullptr || loaded.images->nimage == 0) {
                std::fprintf(stderr, "not loaded: %s\n", name.c_str());
                ++missing;
            }
        }
        ::_exit(std::min(missing, 255));
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace vantle::test
