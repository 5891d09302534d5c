#pragma once

#include <string>
#include <string_view>

namespace platform {

// Replaces the file at a UTF-8 path by `bytes` as a whole, or leaves it as it was: the bytes go
// to a temporary file in the same folder, reach the disk, and only then take the file's place.
// A file that exists keeps its permissions; one that is read-only for us is not replaced. Throws
// RuntimeError: PathNotFound (76) when the folder does not exist, PathFileAccess (75) for any
// other failure, with the system's reason as the detail.
void writeFileAtomically(const std::string& path, std::string_view bytes);

} // namespace platform
