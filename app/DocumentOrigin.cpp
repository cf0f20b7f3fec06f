#include "app/DocumentOrigin.h"

#include <filesystem>
#include <system_error>

namespace vantle::ui {

std::string samePathKey(const std::string& path) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    if (error)
        return std::filesystem::path(path).lexically_normal().string();
    return canonical.string();
}

const DocumentOrigin::File* DocumentOrigin::find(const std::string& path) const {
    const std::string key = samePathKey(path);
    for (const File& f : files_)
        if (f.key == key)
            return &f;
    return nullptr;
}

void DocumentOrigin::remember(const std::string& path, FileKind kind, bool readInPart) {
    const std::string key = samePathKey(path);
    for (File& f : files_)
        if (f.key == key) {
            f.kind = kind;
            // Read again (appended twice): what the first read left out is still missing.
            f.readInPart = f.readInPart || readInPart;
            return;
        }
    files_.push_back({key, kind, readInPart});
}

void DocumentOrigin::written(const std::string& path, FileKind kind) {
    const std::string key = samePathKey(path);
    for (File& f : files_)
        if (f.key == key) {
            f.kind = kind;
            f.readInPart = false;
            return;
        }
    files_.push_back({key, kind, false});
}

bool DocumentOrigin::readInPart(const std::string& path) const {
    const File* f = find(path);
    return f != nullptr && f->readInPart;
}

std::optional<FileKind> DocumentOrigin::kindOf(const std::string& path) const {
    const File* f = find(path);
    if (f == nullptr)
        return std::nullopt;
    return f->kind;
}

} // namespace vantle::ui
