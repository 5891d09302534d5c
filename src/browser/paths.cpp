#include "browser/paths.h"

#include <cstddef>

namespace browser {

namespace {

constexpr char Separator = '/';

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
}

// Where the character that starts at `at` ends: "?" stands for a whole UTF-8 character.
std::size_t afterCharacter(std::string_view text, std::size_t at) {
    ++at;
    while (at < text.size() && isContinuationByte(text[at]))
        ++at;
    return at;
}

// One pattern without ";": a greedy match that goes back to the last "*" on a mismatch.
bool matchesOne(std::string_view name, std::string_view pattern) {
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starAt = std::string_view::npos;
    std::size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n = afterCharacter(name, n);
        } else if (p < pattern.size() && lowerAscii(pattern[p]) == lowerAscii(name[n])) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            resumeAt = afterCharacter(name, resumeAt);
            n = resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool holds(std::string_view root, std::string_view path) {
    if (path.substr(0, root.size()) != root)
        return false;
    return path.size() == root.size() || root.back() == Separator || path[root.size()] == Separator;
}

} // namespace

std::string songPath(std::string_view folder, std::string_view fileName) {
    std::string path(folder);
    if (path.empty() || path.back() != Separator)
        path += Separator;
    path += fileName;
    return path;
}

std::string unquoteCommandLine(std::string_view text) {
    if (!text.empty() && text.front() == '"')
        text.remove_prefix(1);
    if (!text.empty() && text.back() == '"')
        text.remove_suffix(1);
    return std::string(text);
}

SongLocation splitSongPath(std::string_view path) {
    const std::size_t last = path.rfind(Separator);
    if (last == std::string_view::npos)
        return {"", std::string(path)};
    const std::string_view folder = last == 0 ? path.substr(0, 1) : path.substr(0, last);
    return {std::string(folder), std::string(path.substr(last + 1))};
}

bool matchesPattern(std::string_view fileName, std::string_view pattern) {
    while (true) {
        const std::size_t end = pattern.find(';');
        if (matchesOne(fileName, pattern.substr(0, end)))
            return true;
        if (end == std::string_view::npos)
            return false;
        pattern.remove_prefix(end + 1);
    }
}

std::string driveOf(std::string_view path, const std::vector<std::string>& drives) {
    const std::string* best = nullptr;
    for (const std::string& root : drives) {
        if (!root.empty() && holds(root, path) && (!best || root.size() > best->size()))
            best = &root;
    }
    return best ? *best : std::string();
}

std::vector<std::string> folderChain(std::string_view path) {
    std::vector<std::string> chain;
    if (path.empty() || path.front() != Separator)
        return chain;
    chain.emplace_back(1, Separator);
    for (std::size_t at = 1; at < path.size();) {
        std::size_t end = path.find(Separator, at);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > at)
            chain.emplace_back(path.substr(0, end));
        at = end + 1;
    }
    return chain;
}

} // namespace browser
