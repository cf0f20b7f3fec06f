#pragma once
// The kind of a file on disk: by its extension, and by its first bytes where the extension names none.

#include "model/FileKinds.h"

#include <string>

namespace vantle {

FileKind fileKindOfFile(const std::string& path);

} // namespace vantle
