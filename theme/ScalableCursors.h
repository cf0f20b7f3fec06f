#pragma once
// The scalable-cursor layout that desktops drawing their own cursors at any scale read:
// THEME/cursors_scalable/SHAPE/ with one SVG per frame and metadata.json, an array with one object per
// frame shown (filename, hotspot_x, hotspot_y, nominal_size, and for an animation delay and frametime in
// ms, frametime for older readers); every other name of the shape a link to its folder. Each SVG is a
// square canvas of the nominal size holding the frame's largest image as an embedded PNG, stretched over
// the canvas; the hotspot is the largest image's in canvas units. Readers of this layout ignore cursors/
// when it is there, so every cursor of the theme has its folder.

#include "theme/CursorTheme.h"
#include "theme/Hyprcursor.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vantle::theme {

// The nominal size of the scalable cursors: the size desktops draw cursors at by default.
constexpr int kScalableNominalSize = 24;

// Whether `theme` writes the layout without being asked (--scalable): only if, at the desktops' default
// size, it looks as good as the Xcursor images (see README.md for the measurement).
constexpr bool kScalableByDefault = false;

// The SVG of an image, given as its PNG file, on a square canvas of side `nominal`.
std::string scalableSvg(std::span<const std::uint8_t> png, int nominal);

// The metadata.json of a cursor whose frame f is in the file `fileOfFrame[f]`.
std::string scalableMetadata(const LosslessCursor& cursor, const std::vector<std::string>& fileOfFrame,
                             int nominal);

// Writes cursors_scalable/ into the theme folder.
LayoutResult writeScalableLayout(const std::string& themeFolder, const std::vector<ThemeCursor>& cursors);

} // namespace vantle::theme
