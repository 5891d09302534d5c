#pragma once

#include "platform/array.h"

#include <cstdint>
#include <memory>

namespace platform {

// A loaded picture. Its size is kept in HIMETRIC units (hundredths of a millimetre), the unit
// pictures are measured in; a pane converts it to its own pixels.
class Picture {
public:
    virtual ~Picture() = default;
    virtual std::int32_t Width() const = 0;
    virtual std::int32_t Height() const = 0;
};

using PicturePtr = std::shared_ptr<const Picture>;

// The player's background pictures, from 1; an element is empty when its file could not be read.
using PictureArray = Array<PicturePtr>;

inline PictureArray makePictureArray() {
    return PictureArray(1);
}

} // namespace platform
