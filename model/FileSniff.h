#pragma once
// The kind of a file on disk. The extension names it; among .ico, .cur and .ani the first bytes decide
// which reader the content calls for, and a file whose extension names no kind may be an Xcursor file.

#include "model/FileKinds.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vantle {

// The kind of a file named path whose first bytes (up to 12) are head.
FileKind fileKindOfContent(std::string_view path, std::span<const std::uint8_t> head);

FileKind fileKindOfFile(const std::string& path);

} // namespace vantle
