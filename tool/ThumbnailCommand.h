#pragma once
// vantle-tool thumbnail: the picture a file manager shows for a file the program reads. An icon, cursor,
// animated cursor, Xcursor file or program gives the first frame it shows, drawn from the image nearest
// the size asked; a palette file (.vtp) gives its colours as swatches. The desktop calls it through
// vantle.thumbnailer.

#include "model/PngCodec.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace vantle {

// The sizes file managers ask for run from 128 (normal) to 1024 (xx-large); smaller ones serve lists.
constexpr int kMinThumbnailSize = 16;
constexpr int kMaxThumbnailSize = 1024;
// Files larger than this are not read for a thumbnail: no cursor file comes near it, and the thumbnailer
// runs on every file a user browses to.
constexpr std::uintmax_t kMaxThumbnailInputBytes = std::uintmax_t{64} << 20;

// The thumbnail of a file's bytes: `size` x `size` straight-alpha pixels, transparent around the picture.
// `path` only helps to tell the kind (a .vtp name, or a cursor format named by its extension when the
// content says nothing). Nothing when the bytes hold nothing that can be drawn.
//
// A cursor's image: the one whose larger side equals `size` (of those, the most bits per pixel), else
// the nearest larger, shrunk by area averaging on premultiplied colour; else the largest smaller,
// enlarged by the largest whole factor that fits (each pixel repeated, so pixel art stays sharp). The
// image keeps its aspect ratio and is centred. Inverted-screen pixels are drawn black with a white
// outline, as a cursor theme shows them.
//
// A palette: its colours row by row in a grid of square swatches, as many columns as the smallest square
// grid that holds them (2 colours: 2 x 1, 16: 4 x 4, 256: 16 x 16), each swatch outlined in grey when it
// is at least 6 pixels wide so white swatches show on a white background, a gap of 1/8 of the pitch
// between them, the grid centred.
std::optional<PngPixels> thumbnailOfBytes(std::span<const std::uint8_t> bytes, std::string_view path,
                                          int size);

// "thumbnail IN OUT SIZE" (args without the command word): writes the thumbnail of IN as the PNG file OUT.
// Returns the exit status: 0 written, 1 IN could not be read or drawn or OUT not written (the reason on
// `err`), 2 wrong command line (after its reason on `err`).
int thumbnailCommand(std::span<const std::string> args, std::ostream& err);

} // namespace vantle
