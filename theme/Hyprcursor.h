#pragma once
// The hyprcursor layout of a theme, which Hyprland's cursors are drawn from: THEME/manifest.hl and one
// THEME/hyprcursors/SHAPE.hlc per cursor, a zip archive holding meta.hl and the cursor's images as
// square PNGs. meta.hl says how the images are enlarged (nearest for pixel art, else bilinear), the
// hotspot as fractions of the image's side (taken from the largest image: one hotspot serves every size),
// the cursor's other names (define_override) and per size and frame its PNG and delay in ms.

#include "theme/CursorTheme.h"

#include <string>
#include <vector>

namespace vantle::theme {

struct LayoutResult {
    bool ok = false;
    std::string error;              // why not, in English
    std::vector<std::string> notes; // what a reader of the layout should know (hotspots that disagree)
};

// The text of manifest.hl.
std::string hyprcursorManifest(const std::string& name);

// The text of a cursor's meta.hl, its PNG files by name in `pngs` (filled), and a note when its sizes
// disagree on the hotspot by more than a pixel.
std::string hyprcursorMeta(const ThemeCursor& cursor,
                           std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& pngs,
                           std::vector<std::string>& notes);

// Writes manifest.hl and hyprcursors/ into the theme folder (beside index.theme and cursors/).
LayoutResult writeHyprcursorLayout(const std::string& themeFolder, const std::string& name,
                                   const std::vector<ThemeCursor>& cursors);

} // namespace vantle::theme
