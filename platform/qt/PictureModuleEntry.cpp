// The entry of the picture module that vantle-tool loads when it first decodes a picture.

#include "platform/PictureModule.h"
#include "platform/qt/QtPictureService.h"

#include <string_view>

static_assert(std::string_view(vantle::kPictureModuleEntry) == "vantle_picture_service");

extern "C" __attribute__((visibility("default"))) vantle::PictureService* vantle_picture_service() {
    static vantle::QtPictureService service;
    return &service;
}
