#pragma once

#include "platform/color.h"
#include "platform/font.h"

#include <optional>
#include <string>

namespace platform {

// The common dialogs the windows use: colour, font, open a bitmap, save a text file. Each
// returns nothing when the user cancels. Paths are UTF-8.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A colour, the dialog starting from `current`.
    virtual std::optional<Color> chooseColor(Color current) = 0;
    // A screen font, the dialog starting from `current`.
    virtual std::optional<FontDescription> chooseFont(const FontDescription& current) = 0;
    // An existing file in an existing folder. `filter` is "Description|pattern[|...]", as
    // "Bitmap Files (*.BMP)|*.BMP"; patterns match without regard to case.
    virtual std::optional<std::string> openFile(const std::string& filter) = 0;
    // A file to write, the dialog starting with `fileName`; it asks before replacing an existing
    // file and adds no extension of its own.
    virtual std::optional<std::string> saveFile(const std::string& fileName,
                                                const std::string& filter) = 0;
};

} // namespace platform
