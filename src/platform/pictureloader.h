#pragma once

#include "platform/picture.h"

#include <string>

namespace platform {

// Reads picture files (bitmaps and whatever else the platform can decode).
class PictureLoader {
public:
    virtual ~PictureLoader() = default;

    // Loads the picture at a UTF-8 path. Throws RuntimeError: FileNotFound (53) when the file is
    // missing (an empty path included), PathNotFound (76) when its folder is, PathFileAccess (75)
    // when it cannot be read, InvalidPicture (481) when it is not a picture.
    virtual PicturePtr load(const std::string& path) const = 0;
};

} // namespace platform
