#include "player/startuprules.h"

#include "platform/text.h"

namespace player {

namespace {

// The text without its last `count` characters, a character being one UTF-8 sequence.
std::string withoutLastCharacters(const std::string& utf8, int count) {
    std::size_t end = utf8.size();
    for (int i = 0; i < count && end > 0; ++i) {
        --end;
        while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            --end;
    }
    return utf8.substr(0, end);
}

} // namespace

std::string SongPath(const std::string& folderPath, const std::string& fileName) {
    if (!folderPath.empty() && folderPath.back() == '/')
        return folderPath + fileName;
    return folderPath + "/" + fileName;
}

CaptionName captionName(const std::string& titleText, const std::string& fileName) {
    if (const auto lineEnd = titleText.find('\r'); lineEnd != std::string::npos)
        return {titleText.substr(0, lineEnd), true};
    return {platform::upperCase(withoutLastCharacters(fileName, 4)), false};
}

} // namespace player
