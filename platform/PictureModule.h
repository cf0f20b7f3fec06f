#pragma once
// The picture decoder of the command-line tool, loaded from its own module when a picture is first
// decoded. The decoder needs Qt Gui, whose libraries cost a process several megabytes as soon as they
// are mapped; converting between icon files never decodes a picture and so never loads them.

#include "platform/Platform.h"

#include <ostream>
#include <string>
#include <vector>

namespace vantle {

// The module's file name and the function it exports, which returns its decoder (owned by the module,
// alive until the process ends).
inline constexpr const char* kPictureModuleFile = "vantle-pictures.so";
inline constexpr const char* kPictureModuleEntry = "vantle_picture_service";

// Where the module is looked for, given the folder of the running program: beside it (a build), then the
// installed library folder.
std::vector<std::string> pictureModuleFolders(const std::string& programFolder);

class PictureModule : public PictureService {
  public:
    // The module is looked for in each folder in turn. When none holds a module that loads, every decode
    // gives nothing with DecoderMissing, and the reason is written once to diagnostics.
    PictureModule(std::vector<std::string> folders, std::ostream& diagnostics);

    std::optional<Picture> decodePicture(std::span<const std::uint8_t> bytes) override;
    std::optional<Picture> loadPictureFile(const std::string& path) override;
    std::optional<PictureAnimation> decodeAnimation(std::span<const std::uint8_t> bytes) override;
    std::optional<PictureAnimation> loadAnimationFile(const std::string& path) override;
    PictureProblem lastProblem() const override;

    // Whether the module has been loaded (it is only tried on the first decode).
    bool loaded() const { return decoder_ != nullptr; }

  private:
    PictureService* decoder();

    std::vector<std::string> folders_;
    std::ostream& diagnostics_;
    bool tried_ = false;
    PictureService* decoder_ = nullptr;
};

} // namespace vantle
