#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace browser {

// A song's full path from the file list's folder and file name: one "/" between them, none added
// after a folder that already ends with one (the root).
std::string songPath(std::string_view folder, std::string_view fileName);

// The command line as one text without the double quotes a file manager may put around a path:
// a quote at the start is dropped, then a quote at the end.
std::string unquoteCommandLine(std::string_view text);

struct SongLocation {
    std::string folder;
    std::string fileName;
    friend bool operator==(const SongLocation&, const SongLocation&) = default;
};

// A song path split at its last "/": the folder before it, the file name after it. A file in the
// root keeps "/" as its folder; a text without any "/" is all file name, with an empty folder.
SongLocation splitSongPath(std::string_view path);

// Whether a file name matches a list pattern such as "*.kar": "*" stands for any run of
// characters, "?" for any one, ";" separates alternatives; letters match in either case, so
// SONG.KAR is a song too.
bool matchesPattern(std::string_view fileName, std::string_view pattern);

// Of the volumes' root folders in `drives`, the one that holds `path` (an absolute folder): the
// longest that is the path itself or one of its ancestors; empty when none is.
std::string driveOf(std::string_view path, const std::vector<std::string>& drives);

// The folders from the root down to `path` itself: "/home/ann" gives "/", "/home", "/home/ann".
std::vector<std::string> folderChain(std::string_view path);

} // namespace browser
