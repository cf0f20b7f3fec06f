#include "platform/PictureModule.h"

#include <dlfcn.h>

#include <filesystem>

// VANTLE_PICTURE_MODULE_FOLDER, the installed module folder relative to the installed tool's, comes
// from the build (platform/CMakeLists.txt).

namespace vantle {

std::vector<std::string> pictureModuleFolders(const std::string& programFolder) {
    // The installed folder is given relative to the program's, so an installation moved to another
    // prefix still finds its module.
    const std::filesystem::path folder(programFolder);
    return {folder.string(), (folder / VANTLE_PICTURE_MODULE_FOLDER).lexically_normal().string()};
}

PictureModule::PictureModule(std::vector<std::string> folders, std::ostream& diagnostics)
    : folders_(std::move(folders)), diagnostics_(diagnostics) {}

PictureService* PictureModule::decoder() {
    if (tried_)
        return decoder_;
    tried_ = true;
    std::vector<std::string> reasons;
    for (const std::string& folder : folders_) {
        const std::string path = (std::filesystem::path(folder) / kPictureModuleFile).string();
        std::error_code error;
        if (!std::filesystem::exists(path, error))
            continue;
        // The module stays loaded until the process ends: Qt's libraries are not made to be unloaded.
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            reasons.emplace_back(dlerror());
            continue;
        }
        using Entry = PictureService* (*)();
        const auto entry = reinterpret_cast<Entry>(dlsym(handle, kPictureModuleEntry));
        if (!entry) {
            reasons.push_back(path + " has no " + kPictureModuleEntry);
            dlclose(handle);
            continue;
        }
        decoder_ = entry();
        return decoder_;
    }
    if (reasons.empty()) {
        std::string missing = std::string("no ") + kPictureModuleFile + " in";
        for (const std::string& folder : folders_)
            missing += " " + folder;
        reasons.push_back(missing);
    }
    diagnostics_ << "vantle-tool: the picture decoder cannot be loaded (";
    for (std::size_t i = 0; i < reasons.size(); ++i)
        diagnostics_ << (i ? "; " : "") << reasons[i];
    diagnostics_ << "); pictures cannot be read\n";
    return nullptr;
}

std::optional<Picture> PictureModule::decodePicture(std::span<const std::uint8_t> bytes) {
    PictureService* d = decoder();
    return d ? d->decodePicture(bytes) : std::nullopt;
}

std::optional<Picture> PictureModule::loadPictureFile(const std::string& path) {
    PictureService* d = decoder();
    return d ? d->loadPictureFile(path) : std::nullopt;
}

std::optional<PictureAnimation> PictureModule::decodeAnimation(std::span<const std::uint8_t> bytes) {
    PictureService* d = decoder();
    return d ? d->decodeAnimation(bytes) : std::nullopt;
}

std::optional<PictureAnimation> PictureModule::loadAnimationFile(const std::string& path) {
    PictureService* d = decoder();
    return d ? d->loadAnimationFile(path) : std::nullopt;
}

PictureProblem PictureModule::lastProblem() const {
    if (!tried_)
        return PictureProblem::Unreadable;
    return decoder_ ? decoder_->lastProblem() : PictureProblem::DecoderMissing;
}

} // namespace vantle
